#pragma once
// The help buttons' question to the help site, off the GUI thread: GetPageContentSize of
// an address runs on a thread of its own with the HTTP layer's time-outs capped at the
// bound, and the answer comes back on the GUI thread. Done runs exactly once per Start:
// with the size found, or with 0 when no answer has come within the bound. A Start that
// follows before the answer replaces the earlier one, whose answer is then dropped.
// Destroying the probe waits for threads still asking (each ends within the bound).

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class TMenuHelpProbe : public QObject {
public:
    explicit TMenuHelpProbe(int boundMs);
    ~TMenuHelpProbe() override;

    void Start(const QString& address, std::function<void(int size)> done);

private:
    struct TWorker {
        std::thread Thread;
        std::shared_ptr<std::atomic<bool>> Finished;
    };

    void Finish(int request, int size);
    void JoinFinished();

    int boundMs_;
    int request_ = 0;
    std::function<void(int size)> done_;
    std::vector<TWorker> workers_;
};
