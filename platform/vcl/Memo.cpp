#include "platform/vcl/Memo.h"

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void TMemo::SetTextMargins(int left, int right)
{
    setViewportMargins(left, 0, right, 0);
    // The margins lie outside the viewport: give them the text's background.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}
