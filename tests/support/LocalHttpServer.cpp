#include "tests/support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

// A TCP socket bound to 127.0.0.1 on a free port; returns the port.
quint16 BindLoopback(int socketFd)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("bind failed");
    socklen_t length = sizeof address;
    getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

// Reads until the end of the request head (an empty line), the peer closing, or 2 s.
QByteArray ReadRequestHead(int client)
{
    QByteArray head;
    char buffer[4096];
    while (!head.contains("\r\n\r\n")) {
        pollfd p{client, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0)
            break;
        const ssize_t n = read(client, buffer, sizeof buffer);
        if (n <= 0)
            break;
        head.append(buffer, n);
    }
    return head.left(head.indexOf("\r\n\r\n"));
}

// The path of "GET /path HTTP/1.1".
QByteArray RequestPath(const QByteArray& head)
{
    const QByteArray line = head.left(head.indexOf("\r\n"));
    const QByteArrayList parts = line.split(' ');
    return parts.size() >= 2 ? parts[1] : QByteArray();
}

// False when the peer has gone (no SIGPIPE: a client may stop reading at any point).
bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// One piece of a filler body: text lines of 64 bytes.
QByteArray FillerPiece()
{
    QByteArray line(63, 'x');
    line += '\n';
    return line.repeated(1024);
}

// Sent in parts, so that no copy of a large piece is made for each chunk.
bool WriteChunk(int fd, const QByteArray& bytes)
{
    return WriteAll(fd, QByteArray::number(bytes.size(), 16) + "\r\n") && WriteAll(fd, bytes)
        && WriteAll(fd, "\r\n");
}

} // namespace

TLocalHttpServer::TLocalHttpServer(Reply reply) : reply_(std::move(reply)) { Start(); }

TLocalHttpServer::TLocalHttpServer() : reply_{404, "not found"}, routed_(true) { Start(); }

void TLocalHttpServer::Route(const QByteArray& path, Reply reply)
{
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(reply);
}

void TLocalHttpServer::Start()
{
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    port_ = BindLoopback(listener_);
    listen(listener_, 16);
    if (pipe(stopPipe_) != 0)
        throw std::runtime_error("pipe failed");
    thread_ = std::thread([this] { Serve(); });
}

TLocalHttpServer::~TLocalHttpServer()
{
    const char stop = 1;
    [[maybe_unused]] ssize_t n = write(stopPipe_[1], &stop, 1);
    thread_.join();
    close(listener_);
    close(stopPipe_[0]);
    close(stopPipe_[1]);
}

QString TLocalHttpServer::Address(const QString& path) const
{
    return QStringLiteral("127.0.0.1:%1%2").arg(port_).arg(path);
}

QByteArrayList TLocalHttpServer::RequestHeads() const
{
    std::lock_guard lock(mutex_);
    return heads_;
}

QByteArrayList TLocalHttpServer::RequestedPaths() const
{
    QByteArrayList paths;
    for (const QByteArray& head : RequestHeads())
        paths << RequestPath(head);
    return paths;
}

TLocalHttpServer::Reply TLocalHttpServer::ReplyFor(const QByteArray& head) const
{
    if (!routed_)
        return reply_;
    std::lock_guard lock(mutex_);
    const auto route = routes_.find(RequestPath(head));
    return route != routes_.end() ? route->second : reply_;
}

void TLocalHttpServer::Serve()
{
    std::vector<int> heldOpen; // connections of a silent server, closed at the end
    for (;;) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            break;
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        ++requests_;
        if (reply_.Silent && !routed_)
            heldOpen.push_back(client); // never even reads the request
        else if (Answer(client))
            close(client);
        else
            heldOpen.push_back(client);
    }
    for (int client : heldOpen)
        close(client);
}

bool TLocalHttpServer::Answer(int client)
{
    const QByteArray request = ReadRequestHead(client);
    {
        std::lock_guard lock(mutex_);
        heads_ << request;
    }
    const Reply reply = ReplyFor(request);
    if (reply.Silent)
        return false;
    if (reply.DelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(reply.DelayMs));
    const qint64 length = reply.Filler > 0 ? reply.Filler : reply.Body.size();
    const QByteArray framing = reply.Chunked
        ? QByteArrayLiteral("Transfer-Encoding: chunked")
        : QByteArrayLiteral("Content-Length: ") + QByteArray::number(length);
    const QByteArray head = QByteArrayLiteral("HTTP/1.1 ") + QByteArray::number(reply.Status)
        + QByteArrayLiteral(" Test\r\nContent-Type: text/html\r\n") + framing
        + QByteArrayLiteral("\r\nConnection: close\r\n\r\n");
    if (WriteAll(client, head))
        SendBody(client, reply);
    return true;
}

void TLocalHttpServer::SendBody(int client, const Reply& reply)
{
    const auto sendPiece = [&](const QByteArray& bytes) {
        return bytes.isEmpty() || (reply.Chunked ? WriteChunk(client, bytes) : WriteAll(client, bytes));
    };
    bool sent = true;
    if (reply.Filler <= 0) {
        sent = sendPiece(reply.Cut ? reply.Body.left(reply.Body.size() / 2) : reply.Body);
    } else {
        const QByteArray piece = FillerPiece();
        for (qint64 left = reply.Filler; left > 0 && sent; left -= piece.size())
            sent = sendPiece(left >= piece.size() ? piece : piece.left(left));
    }
    if (sent && reply.Chunked && !reply.Cut)
        WriteAll(client, "0\r\n\r\n");
}

TClosedLocalPort::TClosedLocalPort()
{
    // Bound but not listening: the port stays ours and connections to it are refused.
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    port_ = BindLoopback(socket_);
}

TClosedLocalPort::~TClosedLocalPort() { close(socket_); }
