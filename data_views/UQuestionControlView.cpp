// The question store: showing a question.
#include "data/UQuestionControl.h"

#include "data_views/UConstDisplay.h"

void TQuestionControl::Show(int no, QWidget* control)
{
    ShowTextComponent(control, QString());
    ShowChain(Head.get(), no, control);
}
