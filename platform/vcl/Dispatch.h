#pragma once
// The one path by which the GUI layer calls event handlers. Dispatch runs a handler and
// catches whatever escapes it: the exception goes to Application().HandleException (the
// application's exception event) and never crosses the Qt event loop. The result tells
// whether the handler ran to its end, so that a caller can drop the event it served
// (a key, a character) when the handler failed or aborted.

#include "platform/vcl/Application.h"

#include <QObject>
#include <functional>
#include <utility>

template <class F>
bool Dispatch(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (...) {
        Application().HandleException(std::current_exception());
        return false;
    }
}

// Connects a Qt signal to a handler that runs through Dispatch. The handler takes no
// arguments (those of the signal are dropped); context ends the connection with its life.
template <class Sender, class Signal>
QMetaObject::Connection OnSignal(Sender* sender, Signal signal, const QObject* context,
                                 std::function<void()> handler)
{
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)] { Dispatch(handler); });
}
