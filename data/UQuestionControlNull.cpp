// The question store of no category.
#include "data/UQuestionControl.h"

TQuestionControlNull::TQuestionControlNull(const QString& folder)
    : TQuestionControl(folder, TNoQuestions{})
{
}

void TQuestionControlNull::Show(int, QWidget*) {}

bool TQuestionControlNull::HasImage() const
{
    return false;
}

void TQuestionControlNull::GetText(int, QString& s) const
{
    s.clear();
}
