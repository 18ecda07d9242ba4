#pragma once
// Helpers of the GUI-layer tests: run code once a modal loop is running, and catch what
// reaches the application's exception event.

#include "platform/vcl/Application.h"
#include "platform/core/Exception.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs step from the event loop, that is inside the next modal run. Should the modal
// window the step found still be open 5 s later (the step failed to answer it), it is
// closed, so that a failing test ends instead of hanging.
inline void WhenModal(std::function<void()> step, int delayMs = 0)
{
    QTimer::singleShot(delayMs, [step = std::move(step)] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        step();
        if (modal)
            QTimer::singleShot(5000, [modal] {
                if (modal && modal->isVisible())
                    modal->close();
            });
    });
}

// Collects the messages that reach Application().OnException while it lives.
class TExceptionLog {
public:
    TExceptionLog()
    {
        Application().OnException = [this](const std::exception_ptr&) {
            Messages << ExceptMessage();
        };
    }
    ~TExceptionLog() { Application().OnException = nullptr; }
    QStringList Messages;
};

// Waits until condition holds (at most timeoutMs); its last result.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 2000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}
