// One answer of the service and how it is delivered, faults included.
#pragma once

#include <string>
#include <vector>

namespace lookupd {

enum class Delivery {
    Whole,
    HalfBody,  // the full Content-Length, then half the body, then the connection closes
    Nothing,   // the connection stays open, silent, then closes
};

struct Reply {
    int status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::vector<std::string> headers;  // further header lines, without line ends
    std::string body;
    long delayMs = 0;  // waited before anything is sent
    Delivery delivery = Delivery::Whole;
    long holdMs = 0;  // Nothing: how long, 0 = until the service stops or the client leaves
};

Reply textReply(int status, std::string body);

const char* reasonPhrase(int status);

// Status line and header lines up to and including the blank line. Every answer closes
// its connection, so each request of the program gets a connection of its own.
std::string replyHead(const Reply& reply);

}  // namespace lookupd
