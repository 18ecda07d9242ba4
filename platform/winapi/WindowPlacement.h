#pragma once
// Window placement of forms: the normal (restored) rectangle and the window state, and the
// work area of the monitor nearest to a rectangle.
//
// One coordinate system serves reading and setting, so a saved placement comes back where
// it was: for a top-level form the rectangle's top-left is the outer (frame) corner in Qt's
// virtual-desktop coordinates and its size is the inner (client) size, both of which Qt sets
// exactly even before the window manager has framed the window; for an MDI child (a form
// shown in a QMdiSubWindow) it is the sub-window's rectangle in its area's viewport.

#include <QRect>

class QWidget;
class QMdiArea;

enum TWindowShowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

struct TWindowPlacement {
    QRect NormalRect;
    TWindowShowState State = wsNormal;
};

// The QMdiSubWindow that shows the form, or nullptr when it is not an MDI child.
QWidget* MdiSubWindowOf(const QWidget* form);
// The MDI area that shows the form, or nullptr.
QMdiArea* MdiAreaOf(const QWidget* form);

// The form's normal rectangle (also while it is minimised or maximised) and its state.
TWindowPlacement GetWindowPlacement(const QWidget* form);
// Gives the form the normal rectangle; a minimised or maximised form keeps its state and
// takes the rectangle when it is restored.
void SetWindowPlacement(QWidget* form, const QRect& normalRect);

TWindowShowState GetWindowShowState(const QWidget* form);
void SetWindowShowState(QWidget* form, TWindowShowState state);

// The available geometry of the screen that shares most area with rect, or of the nearest
// one when none does; an empty rectangle when there is no screen.
QRect MonitorWorkArea(const QRect& rect);
