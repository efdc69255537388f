// The service on a loopback socket: one thread per connection, one request per
// connection. Tests run it in-process with start() on port 0; the program's executable
// uses listen() and run() and stops it from its signal handler.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>

#include "lookupd/service.h"

namespace lookupd {

struct ServerConfig {
    std::string host = "127.0.0.1";  // must be on 127.0.0.0/8
    std::uint16_t port = 0;          // 0: a free port, see LookupServer::port()
    // Receives one line per request: method, target, status, body bytes sent, time. Called
    // from the connection threads, so it must be safe to call from several at once.
    std::function<void(const std::string&)> log;
    // How long connections under way may go on after a stop before they are cut.
    std::chrono::milliseconds grace{1000};
    // A client that takes longer than this to send its request, or to take the answer,
    // is dropped.
    std::chrono::milliseconds ioTimeout{10000};
};

class LookupServer {
  public:
    LookupServer(Service service, ServerConfig config);
    ~LookupServer();
    LookupServer(const LookupServer&) = delete;
    LookupServer& operator=(const LookupServer&) = delete;

    // Binds and listens; false with a message when it cannot.
    bool listen(std::string& error);
    // Serves until requestStop(), then lets connections finish within the grace time,
    // cuts the rest and returns. Waits of delay and hang faults end at once on a stop.
    // A server runs once.
    void run();
    // Only sets a flag and writes to a pipe, so a signal handler may call it.
    void requestStop();

    // listen() and run() on a thread of the server's own.
    bool start(std::string& error);
    // requestStop() and waits until run() has returned.
    void stop();

    std::uint16_t port() const { return port_; }
    const std::string& host() const { return config_.host; }
    // "http://HOST:PORT", the base address of answers to requests without a Host header.
    std::string baseAddress() const;
    const Tokens& tokens() const { return service_.tokens(); }
    // Connections accepted and not yet closed.
    std::size_t openConnections();

  private:
    struct Connection {
        int fd = -1;
        bool done = false;
        std::thread thread;
    };

    void serve(Connection& connection);
    void finish(Connection& connection);
    void reapFinished();
    void endConnections();
    // False when the wait ended because the server is stopping.
    bool waitUnlessStopping(long ms);
    void hold(int fd, long ms);

    Service service_;
    ServerConfig config_;
    std::uint16_t port_ = 0;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread runner_;

    std::mutex mutex_;
    std::condition_variable connectionDone_;
    std::list<Connection> connections_;
};

}  // namespace lookupd
