#include "lookupd/http_reply.h"

#include <utility>

namespace lookupd {

Reply textReply(int status, std::string body) {
    Reply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

const char* reasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 413:
            return "Payload Too Large";
        case 431:
            return "Request Header Fields Too Large";
        case 500:
            return "Internal Server Error";
        case 501:
            return "Not Implemented";
        default:
            return "Unknown";
    }
}

std::string replyHead(const Reply& reply) {
    std::string head =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonPhrase(reply.status) + "\r\n";
    head += "Server: moxavel-lookupd\r\n";
    if (!reply.contentType.empty()) head += "Content-Type: " + reply.contentType + "\r\n";
    head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    for (const std::string& line : reply.headers) head += line + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

}  // namespace lookupd
