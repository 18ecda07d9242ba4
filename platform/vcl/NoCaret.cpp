#include "platform/vcl/NoCaret.h"

#include <QPlainTextEdit>

void SetNoCaret(QPlainTextEdit* memo)
{
    memo->setCursorWidth(0);
    memo->setTextInteractionFlags(memo->textInteractionFlags() & ~Qt::TextSelectableByKeyboard
                                   & ~Qt::TextEditable);
}
