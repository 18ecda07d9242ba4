#pragma once
// What a posted window message looks like on its way through Qt's event queue. This header
// is shared by the program and by libraries it loads at run time (the tablet library): a
// library has its own copy of the static message layer's code, so the two meet only through
// Qt: a window handle is a dynamic property of its widget, and a posted message is a Qt
// event of a fixed type carrying the three message values.

#include <QCoreApplication>
#include <QEvent>
#include <cstdint>

using HWND = std::uint32_t;   // a window handle; 0 is no window
using UINT = std::uint32_t;
using WPARAM = std::uint32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;

// The dynamic property of a widget that holds its window handle (a HWND).
inline constexpr char WindowHandleProperty[] = "moriva.windowHandle";

// A fixed event number: both sides must agree without registering it.
inline constexpr QEvent::Type WindowMessageEventType = QEvent::Type(QEvent::User + 0x3A57);

// Window is the handle the message was posted to: a message that arrives after its handle
// was released (and perhaps another one made for the same widget) is dropped.
class TWindowMessageEvent : public QEvent {
public:
    TWindowMessageEvent(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
        : QEvent(WindowMessageEventType), Window(window), Msg(msg), WParam(wParam), LParam(lParam)
    {
    }
    const HWND Window;
    const UINT Msg;
    const WPARAM WParam;
    const LPARAM LParam;
};

// Queues the message for the window whose widget is receiver; the message layer runs it
// through the window's procedure when the event loop delivers it.
inline void PostWindowMessage(QObject* receiver, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    QCoreApplication::postEvent(receiver, new TWindowMessageEvent(window, msg, wParam, lParam));
}
