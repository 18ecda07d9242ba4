#include "platform/vcl/Application.h"

#include "platform/vcl/Abort.h"

#include <cstdio>

namespace {

bool IsAbort(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

void TApplication::HandleException(const std::exception_ptr& error) noexcept
{
    if (!error)
        return;
    try {
        if (IsAbort(error))
            return;
        if (OnException) {
            OnException(error);
            return;
        }
        std::fprintf(stderr, "Exception: %s\n", qPrintable(ExceptionMessage(error)));
    } catch (...) {
        // The exception event itself failed: there is nobody left to tell but stderr.
        std::fprintf(stderr, "Exception in the exception event: %s\n",
                     qPrintable(ExceptionMessage(std::current_exception())));
    }
}

TApplication& Application()
{
    static TApplication application;
    return application;
}
