#pragma once
// Runs an event handler of a view that Qt called (paint, input, signal): no exception may
// cross the event loop, so one that escapes the handler is logged and dropped here.

#include "platform/core/Exception.h"

#include <QDebug>
#include <exception>

template <class Handler>
void RunViewEvent(const char* place, Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        qWarning().noquote() << place << ExceptMessage();
    }
}
