#include "platform/vcl/Screen.h"

#include <QCursor>
#include <QGuiApplication>

void TScreen::SetCursor(TCursor cursor)
{
    if (cursor == cursor_)
        return;
    if (cursor == TCursor::crHourGlass)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    cursor_ = cursor;
}

TScreen& Screen()
{
    static TScreen screen;
    return screen;
}
