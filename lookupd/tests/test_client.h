// A raw HTTP client for the end-to-end tests: the bytes go out exactly as written, and
// the answer comes back exactly as the service sent it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lookupd_test {

struct RawAnswer {
    bool closed = false;  // the service closed the connection (rather than a time-out)
    std::string bytes;    // everything received
    int status = 0;
    std::string head;  // status line and headers, up to the blank line
    std::string body;

    // The value of the first header line of that name, "" when there is none.
    std::string header(std::string_view name) const;
};

// Sends request to 127.0.0.1:port and reads until the service closes the connection.
// Each read waits at most 20 s, so a service that never answers fails the test instead of
// hanging it.
RawAnswer roundTrip(std::uint16_t port, const std::string& request);

// A socket with the request sent and nothing read yet; -1 when the connection failed.
int sendOnly(std::uint16_t port, const std::string& request);
RawAnswer readAnswer(int fd);

// "GET target HTTP/1.1" with a Host header, the way the program's requests start.
std::string getRequest(const std::string& target, std::uint16_t port);

}  // namespace lookupd_test
