#include "platform/winapi/Foreground.h"

#include <QApplication>
#include <QWidget>

QWidget* ForegroundWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        if ((*it)->isVisible() && (*it)->isWindow())
            return *it;
    return nullptr;
}

void SetForegroundWindow(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
