#include "platform/core/Exception.h"

#include <array>
#include <cstring>
#include <dlfcn.h>

Exception::Exception(QString message)
    : message_(std::move(message)), utf8_(message_.toStdString()) {}

namespace {

// The throw sites of the most recent exceptions, by exception object. An exception is
// looked up while it is handled, which is right after its throw, so a short ring suffices.
struct ThrowSite {
    const void* object = nullptr;
    std::uintptr_t address = 0;
};
thread_local std::array<ThrowSite, 64> throwSites;
thread_local std::size_t nextSite = 0;

const void* CurrentExceptionObject()
{
    std::exception_ptr current = std::current_exception();
    if (!current)
        return nullptr;
    // libstdc++'s exception_ptr holds exactly the thrown object's address.
    static_assert(sizeof(std::exception_ptr) == sizeof(void*));
    const void* object = nullptr;
    std::memcpy(&object, &current, sizeof object);
    return object;
}

} // namespace

// Every C++ throw goes through __cxa_throw; this wrapper notes the caller's address (the
// throw site) before handing over to the C++ runtime's own function.
extern "C" [[noreturn]] void __cxa_throw(void* object, void* type, void (*destroy)(void*))
{
    using ThrowFn = void (*)(void*, void*, void (*)(void*));
    static ThrowFn runtimeThrow = reinterpret_cast<ThrowFn>(dlsym(RTLD_NEXT, "__cxa_throw"));
    throwSites[nextSite++ % throwSites.size()] = {
        object, reinterpret_cast<std::uintptr_t>(__builtin_return_address(0))};
    runtimeThrow(object, type, destroy);
    std::abort();
}

std::uint32_t ExceptAddr()
{
    const void* object = CurrentExceptionObject();
    if (!object)
        return 0;
    for (const ThrowSite& site : throwSites)
        if (site.object == object)
            return static_cast<std::uint32_t>(site.address & 0xFFFFFFFFu);
    return 0;
}

QString ExceptMessage() { return ExceptionMessage(std::current_exception()); }

QString ExceptionMessage(const std::exception_ptr& error)
{
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("unknown exception");
    }
}
