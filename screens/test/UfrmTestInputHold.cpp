#include "screens/test/UfrmTestInputHold.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool IsKeyInput(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::InputMethod;
}

bool IsClick(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick;
}

} // namespace

TInputHold::TInputHold(QWidget* window) : window_(window)
{
    qApp->installEventFilter(this);
}

TInputHold::~TInputHold()
{
    qApp->removeEventFilter(this);
}

void TInputHold::Release()
{
    if (!holding_)
        return;
    holding_ = false;
    qApp->removeEventFilter(this);
    for (THeld& held : held_) {
        QWidget* receiver = held.Receiver;
        if (IsKeyInput(held.Event->type()) && window_) {
            QWidget* focus = QApplication::focusWidget();
            receiver = focus && focus->window() == window_ ? focus : window_.data();
        }
        if (receiver)
            QCoreApplication::postEvent(receiver, held.Event.release());
    }
    held_.clear();
}

// The filter sees every object of the application, also those of the embedded browser's
// engine, which is built without run-time type information; the sanitizer's check of
// virtual calls cannot tell such an object from a broken one, so it is left out here.
__attribute__((no_sanitize("vptr"))) bool TInputHold::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (!holding_ || !window_ || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_)
        return false;
    if (type == QEvent::ShortcutOverride) {
        event->accept(); // no shortcut acts on a held key
        return false;
    }
    if (!IsKeyInput(type) && !IsClick(type))
        return false;
    held_.push_back({widget, std::unique_ptr<QEvent>(event->clone())});
    event->accept();
    return true;
}
