#include "platform/vcl/FormEvents.h"

#include "platform/vcl/Form.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

namespace {

QPointer<TFormEvents> instance; // goes with the application object

} // namespace

void TFormEvents::Install()
{
    if (instance || !qApp)
        return;
    instance = new TFormEvents;
    instance->setParent(qApp);
    qApp->installEventFilter(instance);
}

bool TFormEvents::Previewed(const QEvent* event)
{
    return instance && std::find(instance->delivering_.begin(), instance->delivering_.end(),
                                 event) != instance->delivering_.end();
}

// The filter sees every object of the application, also those of the embedded browser's
// engine, which is built without run-time type information; the sanitizer's check of
// virtual calls cannot tell such an object from a broken one, so it is left out here.
__attribute__((no_sanitize("vptr"))) bool TFormEvents::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::InputMethod && type != QEvent::Resize)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    auto* form = qobject_cast<TForm*>(widget->window());
    if (!form)
        return false;
    if (type == QEvent::Resize) {
        if (widget == form)
            Resize(form, static_cast<QResizeEvent*>(event));
        return false;
    }
    if (Previewed(event))
        return false; // a later stop of an event the form has already seen
    if (type == QEvent::KeyPress)
        return Key(widget, form, static_cast<QKeyEvent*>(event));
    return InputMethod(widget, form, static_cast<QInputMethodEvent*>(event));
}

// The first stop of a key event: the form looks at it (with key preview, or when the key
// was sent to the form itself), then the event is delivered from here (to the control and,
// when the control does not use it, on to its parents) while it is marked as seen, and
// the outer delivery ends.
bool TFormEvents::Key(QWidget* receiver, TForm* form, QKeyEvent* event)
{
    QPointer<QWidget> target = receiver;
    const bool preview = form->KeyPreview() || receiver == form;
    if ((preview && !form->PreviewKey(*event)) || !target) {
        event->accept();
        return true;
    }
    delivering_.push_back(event);
    QCoreApplication::sendEvent(target, event);
    delivering_.erase(std::find(delivering_.begin(), delivering_.end(), event));
    event->accept();
    return true;
}

bool TFormEvents::InputMethod(QWidget*, TForm* form, QInputMethodEvent* event)
{
    if (!form->KeyPreview() || event->commitString().isEmpty())
        return false;
    QString text = event->commitString();
    form->PreviewText(text);
    event->setCommitString(text, event->replacementStart(), event->replacementLength());
    return false;
}

// Before the layout follows the new size, OnCanResize may change or refuse it; the form
// then gets the size the handler chose, once this event has been handled.
void TFormEvents::Resize(TForm* form, QResizeEvent* event)
{
    if (form->correction_.isValid() && event->size() == form->correction_) {
        form->correction_ = QSize();
        return; // the size this filter asked for
    }
    if (resizing_ || !form->OnCanResize || !form->isVisible() || event->oldSize() == event->size())
        return;
    resizing_ = true;
    const QSize wanted = form->CanResize(event->oldSize(), event->size());
    resizing_ = false;
    if (wanted == event->size())
        return;
    QPointer<TForm> guarded = form;
    form->correction_ = wanted;
    QTimer::singleShot(0, form, [guarded, wanted] {
        if (guarded)
            guarded->ResizeClient(wanted);
    });
}
