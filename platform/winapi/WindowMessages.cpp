#include "platform/winapi/WindowMessages.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QVariant>

namespace {

struct TWindowRecord {
    QPointer<QWidget> Widget;
    TWndProc Proc;
    bool Visible = false;
};

QHash<HWND, TWindowRecord>& Records()
{
    static QHash<HWND, TWindowRecord> records;
    return records;
}

HWND NewHandle()
{
    static HWND last = 0;
    do
        ++last;
    while (last == 0 || Records().contains(last));
    return last;
}

HWND StoredHandle(const QObject* widget)
{
    const QVariant value = widget->property(WindowHandleProperty);
    return value.isValid() ? value.value<HWND>() : 0;
}

// The first procedure of every window: a TMessageWindow's own WndProc, else nothing.
TWndProc OwnProcedure(QWidget* widget)
{
    return [widget = QPointer<QWidget>(widget)](HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (auto* own = dynamic_cast<TMessageWindow*>(widget.data())) {
            TMessage message{msg, wParam, lParam, 0};
            own->WndProc(message);
            return message.Result;
        }
        return DefWindowProc(window, msg, wParam, lParam);
    };
}

// Turns the Qt events of windows with handles into their messages.
class TWindowEvents : public QObject {
public:
    static TWindowEvents* Instance()
    {
        static QPointer<TWindowEvents> instance;
        if (!instance)
            instance = new TWindowEvents(QCoreApplication::instance());
        return instance;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const HWND window = StoredHandle(watched);
        if (event->type() == WindowMessageEventType) {
            const auto* message = static_cast<TWindowMessageEvent*>(event);
            if (window != 0 && message->Window == window)
                SendMessage(window, message->Msg, message->WParam, message->LParam);
            return true;
        }
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            ShowingMayHaveChanged(window);
        return false;
    }

private:
    using QObject::QObject;

    static void ShowingMayHaveChanged(HWND window)
    {
        auto record = Records().find(window);
        if (record == Records().end() || !record->Widget)
            return;
        const bool visible = record->Widget->isVisible();
        if (visible == record->Visible)
            return;
        record->Visible = visible;
        SendMessage(window, CM_SHOWINGCHANGED, 0, 0);
    }
};

void Release(HWND window)
{
    const TWindowRecord record = Records().take(window);
    if (record.Widget) {
        record.Widget->removeEventFilter(TWindowEvents::Instance());
        record.Widget->setProperty(WindowHandleProperty, QVariant());
    }
}

} // namespace

HWND WindowHandle(QWidget* widget)
{
    if (!widget)
        return 0;
    if (const HWND known = StoredHandle(widget); known != 0 && Records().contains(known))
        return known;
    const HWND window = NewHandle();
    Records().insert(window, {widget, OwnProcedure(widget), widget->isVisible()});
    widget->setProperty(WindowHandleProperty, QVariant::fromValue(window));
    widget->installEventFilter(TWindowEvents::Instance());
    QObject::connect(widget, &QObject::destroyed, TWindowEvents::Instance(),
                     [window] { Records().remove(window); });
    return window;
}

QWidget* FindWindowWidget(HWND window)
{
    const auto record = Records().constFind(window);
    return record == Records().constEnd() ? nullptr : record->Widget.data();
}

bool IsWindow(HWND window)
{
    return FindWindowWidget(window) != nullptr;
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto record = Records().constFind(window);
    if (record == Records().constEnd() || !record->Widget)
        return 0;
    const TWndProc proc = record->Proc; // the procedure may replace itself while it runs
    return CallWindowProc(proc, window, msg, wParam, lParam);
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    QWidget* widget = FindWindowWidget(window);
    if (!widget)
        return false;
    PostWindowMessage(widget, window, msg, wParam, lParam);
    return true;
}

TWndProc SetWindowProc(HWND window, TWndProc proc)
{
    auto record = Records().find(window);
    if (record == Records().end())
        return {};
    return std::exchange(record->Proc, std::move(proc));
}

LRESULT CallWindowProc(const TWndProc& proc, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(window, msg, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

void DestroyWindow(HWND window)
{
    QWidget* widget = FindWindowWidget(window);
    if (!widget)
        return;
    QList<HWND> windows{window};
    for (QWidget* child : widget->findChildren<QWidget*>())
        if (const HWND handle = StoredHandle(child); handle != 0 && Records().contains(handle))
            windows.append(handle);
    for (HWND each : windows)
        SendMessage(each, WM_DESTROY, 0, 0);
    for (HWND each : windows)
        Release(each);
}

TMessageWindow::TMessageWindow(QWidget* parent) : QWidget(parent)
{
    WindowHandle(this);
}

TMessageWindow::~TMessageWindow()
{
    DestroyHandle();
}

void TMessageWindow::WndProc(TMessage& message)
{
    message.Result = DefWindowProc(StoredHandle(this), message.Msg, message.WParam, message.LParam);
}

void TMessageWindow::DestroyHandle()
{
    if (const HWND window = StoredHandle(this); window != 0)
        DestroyWindow(window);
}
