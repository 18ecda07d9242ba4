#include "screens/menu/MenuHelpProbe.h"

#include "data/UConst.h"
#include "platform/vcl/Dispatch.h"

#include <QTimer>
#include <algorithm>

TMenuHelpProbe::TMenuHelpProbe(int boundMs) : boundMs_(boundMs) {}

TMenuHelpProbe::~TMenuHelpProbe()
{
    for (TWorker& worker : workers_)
        worker.Thread.join();
}

void TMenuHelpProbe::Start(const QString& address, std::function<void(int size)> done)
{
    JoinFinished();
    const int request = ++request_;
    done_ = std::move(done);
    const THttpTimeouts timeouts{std::min(PageProbeTimeouts.ConnectMs, boundMs_),
                                 std::min(PageProbeTimeouts.TotalMs, boundMs_)};
    auto finished = std::make_shared<std::atomic<bool>>(false);
    // The thread may post to this object: the destructor waits for it before the object
    // goes, and posted calls of a destroyed object are dropped.
    std::thread thread([this, request, address, timeouts, finished] {
        const int size = GetPageContentSize(address, timeouts);
        QMetaObject::invokeMethod(this, [this, request, size] { Finish(request, size); },
                                  Qt::QueuedConnection);
        finished->store(true);
    });
    workers_.push_back({std::move(thread), std::move(finished)});
    QTimer::singleShot(boundMs_, Qt::PreciseTimer, this, [this, request] { Finish(request, 0); });
}

void TMenuHelpProbe::Finish(int request, int size)
{
    if (request != request_ || !done_)
        return;
    const std::function<void(int)> done = std::move(done_);
    done_ = nullptr;
    Dispatch([&] { done(size); });
}

void TMenuHelpProbe::JoinFinished()
{
    const auto end = std::partition(workers_.begin(), workers_.end(),
                                    [](const TWorker& worker) { return !worker.Finished->load(); });
    for (auto it = end; it != workers_.end(); ++it)
        it->Thread.join();
    workers_.erase(end, workers_.end());
}
