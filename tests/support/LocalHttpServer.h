#pragma once
// A real HTTP server on 127.0.0.1 (a free port), served from its own thread, for tests
// of code that fetches pages. Every request gets the same canned reply, or, on a server
// made without one, the reply set for its path (other paths get 404); a "silent" server
// accepts connections and never answers. A reply may be a large body made up as it is
// sent, so that the server holds no more than a small piece of it. The heads of the requests are kept for the test to look at. A closed
// port for "no server" tests comes from ClosedLocalPort.

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

class TLocalHttpServer {
public:
    struct Reply {
        int Status = 200;
        QByteArray Body;
        bool Silent = false; // accept and read the request, then never answer
        int DelayMs = 0;     // wait this long before answering
        bool Cut = false;    // announce the whole body, send half of it and close
        qint64 Filler = 0;   // > 0: instead of Body, this many bytes of text lines, made piece by piece
        bool Chunked = false; // send the body in HTTP chunks, announcing no length
    };

    explicit TLocalHttpServer(Reply reply);
    // A server that answers by path, 404 until a path's reply is set.
    TLocalHttpServer();
    ~TLocalHttpServer();
    TLocalHttpServer(const TLocalHttpServer&) = delete;
    TLocalHttpServer& operator=(const TLocalHttpServer&) = delete;

    quint16 Port() const { return port_; }
    // "127.0.0.1:<port>" followed by path (which should start with "/").
    QString Address(const QString& path) const;
    int RequestCount() const { return requests_; }
    // Sets (or replaces) the reply of a path ("/info.txt") of a server made without reply.
    void Route(const QByteArray& path, Reply reply);
    // The heads of the requests answered so far (request line and header lines), in order.
    QByteArrayList RequestHeads() const;
    // The paths of those requests ("/info.txt"), in order.
    QByteArrayList RequestedPaths() const;

private:
    void Start();
    void Serve();
    // Answers the request; false when the connection is to be held open unanswered.
    bool Answer(int client);
    static void SendBody(int client, const Reply& reply);
    Reply ReplyFor(const QByteArray& head) const;

    Reply reply_;
    std::map<QByteArray, Reply> routes_;
    bool routed_ = false;
    mutable std::mutex mutex_;
    QByteArrayList heads_;
    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    quint16 port_ = 0;
    std::atomic<int> requests_{0};
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens, kept reserved while the object lives, so
// that a connection to it is refused at once.
class TClosedLocalPort {
public:
    TClosedLocalPort();
    ~TClosedLocalPort();
    TClosedLocalPort(const TClosedLocalPort&) = delete;
    TClosedLocalPort& operator=(const TClosedLocalPort&) = delete;
    quint16 Port() const { return port_; }

private:
    int socket_ = -1;
    quint16 port_ = 0;
};
