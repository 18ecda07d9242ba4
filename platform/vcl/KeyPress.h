#pragma once
// OnKeyPress for any control (an edit, a memo): the handler sees each typed character
// before the control, also the characters an input method commits, and may set it to 0
// to keep it out of the control. A handler that fails (or raises EAbort) swallows the
// character too. Assigning again replaces the handler; an empty one removes it.

#include <QString>
#include <functional>

class QWidget;

using TKeyPressEvent = std::function<void(char16_t& key)>;

void SetOnKeyPress(QWidget* control, TKeyPressEvent handler);

// Runs the handler for each character of text through Dispatch and removes the characters
// it cleared. False when a handler failed: the remaining text is then dropped as well.
bool FilterTypedText(QString& text, const TKeyPressEvent& handler);
