#include "lookupd/http_request.h"

#include "lookupd/query.h"

namespace lookupd {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

ParseOutcome refuse(int status, std::string reason) {
    return {ParseState::Refused, status, std::move(reason)};
}

bool isTokenChar(char c) {
    static const std::string_view kSpecials = "!#$%&'*+-.^_`|~";
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           kSpecials.find(c) != std::string_view::npos;
}

bool isToken(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!isTokenChar(c)) return false;
    }
    return true;
}

bool parseRequestLine(std::string_view line, HttpRequest& request) {
    const std::size_t first = line.find(' ');
    if (first == std::string_view::npos) return false;
    const std::size_t second = line.find(' ', first + 1);
    if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos) {
        return false;
    }
    const std::string_view method = line.substr(0, first);
    const std::string_view target = line.substr(first + 1, second - first - 1);
    const std::string_view version = line.substr(second + 1);
    if (!isToken(method) || target.empty() || version.substr(0, 5) != "HTTP/") return false;
    for (char c : target) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
    }
    request.method = std::string(method);
    request.target = std::string(target);
    request.version = std::string(version);
    const std::size_t question = target.find('?');
    const std::string_view path = target.substr(0, question);
    request.query =
        question == std::string_view::npos ? "" : std::string(target.substr(question + 1));
    request.path = percentDecode(path).value_or(std::string(path));
    return true;
}

bool readLength(std::string_view text, std::size_t& length) {
    if (text.empty() || text.size() > 12) return false;
    length = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    return true;
}

}  // namespace

const std::string* HttpRequest::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (equalsIgnoringCase(key, name)) return &value;
    }
    return nullptr;
}

ParseOutcome parseRequest(std::string_view received, HttpRequest& request) {
    const std::size_t blank = received.find("\r\n\r\n");
    if (blank == std::string_view::npos) {
        if (received.size() > kMaxHeaderBytes) return refuse(431, "request header too large");
        return {};
    }
    if (blank + 4 > kMaxHeaderBytes) return refuse(431, "request header too large");

    HttpRequest parsed;
    const std::string_view head = received.substr(0, blank + 2);
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart < head.size()) {
        const std::size_t lineEnd = head.find("\r\n", lineStart);
        const std::string_view line = head.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first) {
            if (!parseRequestLine(line, parsed)) return refuse(400, "malformed request line");
            first = false;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || !isToken(line.substr(0, colon))) {
            return refuse(400, "malformed header line");
        }
        parsed.headers.emplace_back(std::string(line.substr(0, colon)),
                                    std::string(trim(line.substr(colon + 1))));
    }

    if (parsed.header("Transfer-Encoding")) {
        return refuse(501, "only bodies with a Content-Length are supported");
    }
    std::size_t bodyLength = 0;
    bool lengthSeen = false;
    for (const auto& [name, value] : parsed.headers) {
        if (!equalsIgnoringCase(name, "Content-Length")) continue;
        std::size_t length = 0;
        if (!readLength(value, length)) return refuse(400, "malformed Content-Length");
        if (length > kMaxBodyBytes) return refuse(413, "request body too large");
        if (lengthSeen && length != bodyLength) {
            return refuse(400, "conflicting Content-Length headers");
        }
        bodyLength = length;
        lengthSeen = true;
    }

    const std::size_t bodyStart = blank + 4;
    if (received.size() < bodyStart + bodyLength) return {};
    parsed.body = std::string(received.substr(bodyStart, bodyLength));
    parsed.raw = std::string(received.substr(0, bodyStart + bodyLength));
    request = std::move(parsed);
    return {ParseState::Complete, 0, {}};
}

}  // namespace lookupd
