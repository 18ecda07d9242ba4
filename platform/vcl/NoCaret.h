#pragma once
// A memo that never shows a caret, even while it has the focus: the text can still be
// scrolled and selected with the mouse, but no insertion point blinks in it.

class QPlainTextEdit;

void SetNoCaret(QPlainTextEdit* memo);
