#pragma once
// Bringing the program's window to the front, as a second start of the program asks.

class QWidget;

// The window the user works in: the active modal window (a dialog above everything
// else), else the active window, else the top-level window shown last; nullptr when no
// window is shown.
QWidget* ForegroundWindow();

// Restores the window when minimised, raises it above the other windows and activates it.
void SetForegroundWindow(QWidget* window);
