#pragma once
// The silent exception: a handler that raises EAbort (through Abort()) ends at once, like
// any failing handler, but the application's exception event is not told about it.

#include "platform/core/Exception.h"

class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};

[[noreturn]] inline void Abort() { throw EAbort(); }
