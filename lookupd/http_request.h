// Reading one HTTP/1.x request from the bytes received so far.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lookupd {

inline constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
inline constexpr std::size_t kMaxBodyBytes = 8 * 1024 * 1024;

struct HttpRequest {
    std::string method;
    std::string target;  // as sent: path and query
    std::string path;    // target before "?", percent-decoded when it decodes
    std::string query;   // target after "?", still escaped
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;  // values trimmed
    std::string body;
    // The request exactly as received: request line, header lines, blank line and body.
    std::string raw;

    // The first header of that name, ignoring case; nullptr when there is none.
    const std::string* header(std::string_view name) const;
};

enum class ParseState { Incomplete, Complete, Refused };

struct ParseOutcome {
    ParseState state = ParseState::Incomplete;
    int status = 0;      // Refused: the status to answer with
    std::string reason;  // Refused: why, for the answer's body
};

// Complete once the header block and the body that Content-Length announces are there.
// Bytes after that (a pipelined request) are left out of request.raw.
ParseOutcome parseRequest(std::string_view received, HttpRequest& request);

}  // namespace lookupd
