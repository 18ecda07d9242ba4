#pragma once
// The application object of the GUI layer: its title and its exception event. Every
// exception that escapes an event handler ends here (see Dispatch.h): EAbort silently,
// every other one through OnException, or, when no handler is set, as one line on stderr.

#include <QString>
#include <exception>
#include <functional>

class TApplication {
public:
    // Runs inside the catch block of the failed handler, so ExceptAddr() and
    // ExceptMessage() describe the exception.
    std::function<void(const std::exception_ptr&)> OnException;

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }

    // Hands an escaped exception to OnException; never throws.
    void HandleException(const std::exception_ptr& error) noexcept;

private:
    QString title_;
};

TApplication& Application();
