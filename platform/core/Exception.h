#pragma once
// The one exception base of the system. Every failure that the program raises on purpose
// is an Exception (or derived) with a message for the log; the code address where it was
// raised is recorded for every exception thrown in the process (see ExceptAddr).

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(QString message);
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
};

// The low 32 bits of the code address where the exception being handled was thrown;
// 0 when no exception is being handled (called outside a catch block).
std::uint32_t ExceptAddr();

// The message of the exception being handled: Exception::Message(), what() of other
// standard exceptions, "unknown exception" otherwise, "" outside a catch block.
QString ExceptMessage();
// The same for a stored exception ("" for none).
QString ExceptionMessage(const std::exception_ptr& error);
