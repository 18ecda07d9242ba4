#pragma once
// The single-instance guard: one running copy of the program per user and name, and a
// way for a later start to reach the running copy.
//  - Acquire takes an exclusive lock (flock) on "<folder>/<name>-<uid>.lock". The kernel
//    drops the lock however the holder ends, SIGKILL included, so the file left behind
//    never blocks a later start. The file is opened close-on-exec: programs the holder
//    starts (a browser) do not keep the lock.
//  - The holder listens on the local socket "<folder>/<name>-<uid>.socket" (only its user
//    may connect). A later start that finds the lock held connects and asks for a raise;
//    the holder's OnRaise then runs on its GUI thread.
//  - The folder is the user's runtime folder ($XDG_RUNTIME_DIR, else the temporary
//    folder); the user id in the names keeps the guards of two users apart also in a
//    shared folder.
//  - When the lock file cannot be opened or locked for another reason, there is no guard:
//    Acquire says siUnguarded and the program runs without it.

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    enum TState { siNotAsked, siFirst, siRunning, siUnguarded };

    explicit TSingleInstance(const QString& name, const QString& folder = RuntimeFolder(),
                             unsigned userId = CurrentUserId());
    // Releases the guard.
    ~TSingleInstance() override;
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // Runs on the holder's GUI thread when a later start asks for a raise; an exception
    // that escapes it is dropped.
    std::function<void()> OnRaise;

    // Takes the lock; as its holder (siFirst) also starts listening.
    TState Acquire();
    TState State() const { return state_; }
    // From a later start (siRunning): asks the holder to raise its window. False when the
    // holder could not be reached within the time.
    bool AskRunningToRaise(int timeoutMs = 2000) const;
    // Stops listening and drops the lock; nothing when not held.
    void Release();

    QString LockPath() const;
    QString SocketPath() const;

    static QString RuntimeFolder();
    static unsigned CurrentUserId();

private:
    void Listen();
    void Serve(QLocalSocket* client);

    QString base_;
    int lockFd_ = -1;
    TState state_ = siNotAsked;
    QLocalServer* server_ = nullptr;
};
