#include "test_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace lookupd_test {

std::string RawAnswer::header(std::string_view name) const {
    std::size_t at = head.find("\r\n");
    while (at != std::string::npos && at + 2 < head.size()) {
        const std::size_t end = head.find("\r\n", at + 2);
        const std::string line = head.substr(at + 2, end - at - 2);
        if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 &&
            line[name.size()] == ':') {
            const std::size_t value = line.find_first_not_of(' ', name.size() + 1);
            return value == std::string::npos ? "" : line.substr(value);
        }
        at = end;
    }
    return "";
}

int sendOnly(std::uint16_t port, const std::string& request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    timeval timeout{20, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    std::size_t sent = 0;
    while (sent < request.size()) {
        const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    return fd;
}

RawAnswer readAnswer(int fd) {
    RawAnswer answer;
    if (fd < 0) return answer;
    char buffer[16384];
    // Bounded: a 1 MB answer takes well under a thousand reads.
    for (int reads = 0; reads < 100000; ++reads) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) answer.closed = true;
        if (n <= 0) break;
        answer.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    const std::size_t blank = answer.bytes.find("\r\n\r\n");
    if (blank != std::string::npos) {
        answer.head = answer.bytes.substr(0, blank + 2);
        answer.body = answer.bytes.substr(blank + 4);
        if (answer.head.compare(0, 9, "HTTP/1.1 ") == 0) {
            answer.status = std::atoi(answer.head.c_str() + 9);
        }
    }
    return answer;
}

RawAnswer roundTrip(std::uint16_t port, const std::string& request) {
    return readAnswer(sendOnly(port, request));
}

std::string getRequest(const std::string& target, std::uint16_t port) {
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\nAccept: */*\r\n\r\n";
}

}  // namespace lookupd_test
