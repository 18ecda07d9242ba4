#include "platform/winapi/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QByteArray RaiseRequest = "raise\n";

} // namespace

TSingleInstance::TSingleInstance(const QString& name, const QString& folder, unsigned userId)
    : base_(QDir(folder).filePath(QStringLiteral("%1-%2").arg(name).arg(userId)))
{
}

TSingleInstance::~TSingleInstance() { Release(); }

QString TSingleInstance::LockPath() const { return base_ + QStringLiteral(".lock"); }

QString TSingleInstance::SocketPath() const { return base_ + QStringLiteral(".socket"); }

QString TSingleInstance::RuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
}

unsigned TSingleInstance::CurrentUserId() { return static_cast<unsigned>(::geteuid()); }

TSingleInstance::TState TSingleInstance::Acquire()
{
    if (lockFd_ >= 0)
        return state_;
    const QByteArray path = QFile::encodeName(LockPath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return state_ = siUnguarded;
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return state_ = held ? siRunning : siUnguarded;
    }
    lockFd_ = fd;
    state_ = siFirst;
    Listen();
    return state_;
}

void TSingleInstance::Listen()
{
    // Only the lock's holder gets here, so a socket file left by a killed holder is stale.
    QLocalServer::removeServer(SocketPath());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(SocketPath())) {
        // Still the only instance; later starts just cannot reach it.
        delete server_;
        server_ = nullptr;
        return;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection())
            Serve(client);
    });
}

void TSingleInstance::Serve(QLocalSocket* client)
{
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (!client->canReadLine() && client->bytesAvailable() < RaiseRequest.size())
            return;
        const QByteArray request = client->readLine(RaiseRequest.size() + 1);
        client->disconnectFromServer();
        if (request != RaiseRequest || !OnRaise)
            return;
        try {
            OnRaise();
        } catch (...) {
            // No exception may cross the event loop; a raise that failed is dropped.
        }
    });
}

bool TSingleInstance::AskRunningToRaise(int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(RaiseRequest);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void TSingleInstance::Release()
{
    if (server_) {
        server_->close(); // removes the socket file
        delete server_;
        server_ = nullptr;
    }
    if (lockFd_ >= 0) {
        ::flock(lockFd_, LOCK_UN);
        ::close(lockFd_);
        lockFd_ = -1;
    }
}
