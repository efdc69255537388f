#include "lookupd/server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "lookupd/command_line.h"

namespace lookupd {

namespace {

using Clock = std::chrono::steady_clock;

long msSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

void setTimeout(int fd, int option, std::chrono::milliseconds timeout) {
    timeval value{};
    value.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    value.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    setsockopt(fd, SOL_SOCKET, option, &value, sizeof value);
}

// The number of bytes that went out; fewer than asked when the client left or timed out.
std::size_t sendAll(int fd, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    return sent;
}

// Closing with unread input would reset the connection and could destroy the answer on
// its way to the client, so the rest of the input is read away first, within limits.
void closeGently(int fd) {
    ::shutdown(fd, SHUT_WR);
    setTimeout(fd, SO_RCVTIMEO, std::chrono::milliseconds(500));
    char buffer[4096];
    for (int reads = 0; reads < 64; ++reads) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
    }
}

std::string logLine(const std::string& method, const std::string& target, const Reply* reply,
                    std::size_t bodyBytes, long ms) {
    std::string line = method + " " + target + " ";
    line += reply && reply->delivery != Delivery::Nothing ? std::to_string(reply->status) : "-";
    line += " " + std::to_string(bodyBytes) + " B " + std::to_string(ms) + " ms";
    if (reply && reply->delivery == Delivery::HalfBody) line += " (cut)";
    if (reply && reply->delivery == Delivery::Nothing) line += " (hang)";
    return line;
}

}  // namespace

LookupServer::LookupServer(Service service, ServerConfig config)
    : service_(std::move(service)), config_(std::move(config)) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
}

LookupServer::~LookupServer() {
    stop();
    if (listenFd_ >= 0) ::close(listenFd_);
    if (wakeRead_ >= 0) ::close(wakeRead_);
    if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

std::string LookupServer::baseAddress() const {
    return "http://" + config_.host + ":" + std::to_string(port_);
}

bool LookupServer::listen(std::string& error) {
    if (listenFd_ >= 0) {
        error = "already listening";
        return false;
    }
    if (wakeRead_ < 0) {
        error = std::string("cannot create the stop pipe: ") + std::strerror(errno);
        return false;
    }
    in_addr address{};
    if (!isLoopbackHost(config_.host) || inet_pton(AF_INET, config_.host.c_str(), &address) != 1) {
        error = "refusing to listen on " + config_.host + ": only 127.0.0.0/8 is allowed";
        return false;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr = address;
    socketAddress.sin_port = htons(config_.port);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&socketAddress), sizeof socketAddress) != 0 ||
        ::listen(fd, 64) != 0) {
        error = "cannot listen on " + config_.host + ":" + std::to_string(config_.port) + ": " +
                std::strerror(errno);
        ::close(fd);
        return false;
    }
    socklen_t length = sizeof socketAddress;
    getsockname(fd, reinterpret_cast<sockaddr*>(&socketAddress), &length);
    port_ = ntohs(socketAddress.sin_port);
    listenFd_ = fd;
    return true;
}

void LookupServer::requestStop() {
    stopping_.store(true);
    // The pipe is never read, so it stays readable and wakes every wait at once.
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeWrite_, &byte, 1);
    }
}

bool LookupServer::start(std::string& error) {
    if (!listen(error)) return false;
    runner_ = std::thread([this] { run(); });
    return true;
}

void LookupServer::stop() {
    requestStop();
    if (runner_.joinable()) runner_.join();
}

bool LookupServer::waitUnlessStopping(long ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!stopping_.load()) {
        const long left = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (left <= 0) return true;
        pollfd wake{wakeRead_, POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(left));
    }
    return false;
}

void LookupServer::hold(int fd, long ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!stopping_.load()) {
        int timeout = -1;
        if (ms > 0) {
            const long left = static_cast<long>(
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                    .count());
            if (left <= 0) return;
            timeout = static_cast<int>(left);
        }
        pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {fd, POLLIN, 0}};
        if (::poll(fds, 2, timeout) <= 0) continue;
        if (fds[1].revents != 0) {
            // Input beyond the request is ignored; the end of input means the client left.
            char buffer[1024];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) return;
        }
    }
}

void LookupServer::serve(Connection& connection) {
    const auto started = Clock::now();
    const int fd = connection.fd;
    setTimeout(fd, SO_RCVTIMEO, config_.ioTimeout);
    setTimeout(fd, SO_SNDTIMEO, config_.ioTimeout);

    std::string received;
    HttpRequest request;
    ParseOutcome outcome;
    std::vector<char> buffer(64 * 1024);
    while (outcome.state == ParseState::Incomplete) {
        const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        received.append(buffer.data(), static_cast<std::size_t>(n));
        outcome = parseRequest(received, request);
    }
    if (outcome.state == ParseState::Incomplete) return;  // the client left or went silent

    Reply reply;
    if (outcome.state == ParseState::Complete) {
        reply = service_.handle(request, baseAddress());
    } else {
        reply = textReply(outcome.status, outcome.reason + "\n");
        request.method = "-";
        request.target = received.substr(0, std::min<std::size_t>(received.find('\r'), 200));
    }
    if (reply.delayMs > 0) waitUnlessStopping(reply.delayMs);

    std::size_t bodyBytes = 0;
    if (reply.delivery == Delivery::Nothing) {
        hold(fd, reply.holdMs);
    } else {
        const std::string head = replyHead(reply);
        const std::size_t bodyLength =
            reply.delivery == Delivery::HalfBody ? reply.body.size() / 2 : reply.body.size();
        const std::size_t sent = sendAll(fd, head + reply.body.substr(0, bodyLength));
        bodyBytes = sent > head.size() ? sent - head.size() : 0;
    }
    if (config_.log) {
        config_.log(logLine(request.method, request.target, &reply, bodyBytes, msSince(started)));
    }
}

void LookupServer::finish(Connection& connection) {
    closeGently(connection.fd);
    std::lock_guard<std::mutex> lock(mutex_);
    ::close(connection.fd);
    connection.fd = -1;
    connection.done = true;
    connectionDone_.notify_all();
}

std::size_t LookupServer::openConnections() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::size_t open = 0;
    for (const Connection& connection : connections_) open += connection.done ? 0 : 1;
    return open;
}

void LookupServer::reapFinished() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (!it->done) {
            ++it;
            continue;
        }
        it->thread.join();
        it = connections_.erase(it);
    }
}

void LookupServer::endConnections() {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto allDone = [this] {
        for (const Connection& connection : connections_) {
            if (!connection.done) return false;
        }
        return true;
    };
    if (!connectionDone_.wait_for(lock, config_.grace, allDone)) {
        // Wakes their blocked reads and writes; each thread then closes its own socket.
        for (const Connection& connection : connections_) {
            if (connection.fd >= 0) ::shutdown(connection.fd, SHUT_RDWR);
        }
    }
    lock.unlock();
    for (Connection& connection : connections_) connection.thread.join();
    connections_.clear();
}

void LookupServer::run() {
    if (listenFd_ < 0) return;
    while (!stopping_.load()) {
        // The timeout only backs up the wake pipe.
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, 500);
        reapFinished();
        if (ready <= 0 || (fds[0].revents & POLLIN) == 0) continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard<std::mutex> lock(mutex_);
        Connection& connection = connections_.emplace_back();
        connection.fd = fd;
        try {
            connection.thread = std::thread([this, &connection] {
                serve(connection);
                finish(connection);
            });
        } catch (const std::system_error&) {
            ::close(fd);
            connections_.pop_back();
        }
    }
    ::close(listenFd_);
    listenFd_ = -1;
    endConnections();
}

}  // namespace lookupd
