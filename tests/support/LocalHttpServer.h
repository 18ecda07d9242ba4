#pragma once
// A real HTTP server on 127.0.0.1 (a free port), served from its own thread, for tests
// of code that fetches pages. Every request gets the same canned reply; a "silent"
// server accepts connections and never answers. A closed port for "no server" tests
// comes from ClosedLocalPort.

#include <QByteArray>
#include <QString>
#include <atomic>
#include <thread>

class TLocalHttpServer {
public:
    struct Reply {
        int Status = 200;
        QByteArray Body;
        bool Silent = false; // accept and read the request, then never answer
    };

    explicit TLocalHttpServer(Reply reply);
    ~TLocalHttpServer();
    TLocalHttpServer(const TLocalHttpServer&) = delete;
    TLocalHttpServer& operator=(const TLocalHttpServer&) = delete;

    quint16 Port() const { return port_; }
    // "127.0.0.1:<port>" followed by path (which should start with "/").
    QString Address(const QString& path) const;
    int RequestCount() const { return requests_; }

private:
    void Serve();
    void Answer(int client);

    Reply reply_;
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
