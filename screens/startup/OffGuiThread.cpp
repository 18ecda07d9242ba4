#include "screens/startup/OffGuiThread.h"

#include <QEventLoop>
#include <QThread>
#include <exception>
#include <memory>

void RunOffGuiThread(const std::function<void()>& work)
{
    std::exception_ptr error;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
    if (error)
        std::rethrow_exception(error);
}
