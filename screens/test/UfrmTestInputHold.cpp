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

// Where a key typed now goes: the focus widget of the window that takes input, the
// modal window on top or else the active one; none when no window takes input.
QWidget* KeyReceiver()
{
    QWidget* window = QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    if (!window)
        return nullptr;
    QWidget* focus = window->focusWidget();
    return focus ? focus : window;
}

// Whether a click on the widget now reaches it: it is shown and enabled, and no modal
// window stands over its window (its own window, or one it belongs to, may be the modal).
bool Clickable(const QWidget* widget)
{
    if (!widget || !widget->isVisible() || !widget->isEnabled())
        return false;
    const QWidget* modal = QApplication::activeModalWidget();
    for (const QWidget* window = widget->window(); window && modal;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (window == modal)
            return true;
    }
    return !modal;
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
    if (released_)
        return;
    released_ = true;
    if (held_.empty()) {
        filtering_ = false;
        qApp->removeEventFilter(this);
        return;
    }
    for (std::size_t i = 0; i < held_.size(); ++i)
        QMetaObject::invokeMethod(this, &TInputHold::DeliverNext, Qt::QueuedConnection);
}

void TInputHold::Keep(QWidget* receiver, const QEvent& event)
{
    held_.push_back({receiver, std::unique_ptr<QEvent>(event.clone())});
    if (released_)
        QMetaObject::invokeMethod(this, &TInputHold::DeliverNext, Qt::QueuedConnection);
}

// One held event, delivered where the same input made now would go. Once the last one is
// on its way, input reaches the windows directly again.
void TInputHold::DeliverNext()
{
    if (held_.empty())
        return;
    THeld held = std::move(held_.front());
    held_.pop_front();
    if (held_.empty()) {
        filtering_ = false;
        qApp->removeEventFilter(this);
    }
    QWidget* receiver = nullptr;
    if (IsKeyInput(held.Event->type()))
        receiver = KeyReceiver();
    else if (Clickable(held.Receiver))
        receiver = held.Receiver;
    if (!receiver)
        return; // nothing takes it now, as for input made where no window takes any
    // The delivery may run a modal window in which later deliveries of this hold come.
    const QPointer<TInputHold> self(this);
    ++delivering_;
    QCoreApplication::sendEvent(receiver, held.Event.get());
    if (self)
        --delivering_;
}

// The filter sees every object of the application, also those of the embedded browser's
// engine, which is built without run-time type information; the sanitizer's check of
// virtual calls cannot tell such an object from a broken one, so it is left out here.
__attribute__((no_sanitize("vptr"))) bool TInputHold::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (!filtering_ || delivering_ > 0 || !window_ || !watched->isWidgetType())
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
    Keep(widget, *event);
    event->accept();
    return true;
}
