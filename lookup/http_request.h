// What goes into one HTTP request and what is read back from its response headers,
// apart from the platform calls themselves.
#pragma once

#include <cstdint>
#include <string_view>

#include "lookup/wininet_flags.h"
#include "support/text.h"

enum class HttpMethod { get, post };

struct FetchOptions {
    HttpMethod method = HttpMethod::get;
    Text postText;
    // Sent instead of postText when not empty.
    ByteString postBytes;
    // In and out: "name=value" items joined by "; "; merged with what the server set.
    Text cookies;
    // Header lines joined by "\r\n", no trailing "\r\n".
    Text extraHeaders;
    bool noRedirect = false;
    Text proxy;
    // Out: the items this response set, joined by ";".
    Text newCookies;
    // Out: the Location header's value, or the whole raw header text when there is none.
    Text location;
    // Out: the raw header block, status line first.
    Text rawHeaders;
};

extern const char kDefaultUserAgent[];

// The agent named by a "User-Agent:" line of the extra headers, else the default.
Text chooseUserAgent(std::string_view extraHeaders);
// The extra headers with Referer, Accept, Accept-Language, Content-Type and Cookie lines
// added where missing. The tests for missing lines are case-sensitive.
Text completeRequestHeaders(std::string_view extraHeaders, std::string_view address,
                            std::string_view cookieJar);
// Everything after the line's first ":", trimmed; empty without a ":".
Text headerValue(std::string_view line);

struct ResponseHeaderScan {
    // Items joined by "; " (mergeCookies takes the spaces out).
    Text newCookies;
    Text location;
};
ResponseHeaderScan scanResponseHeaders(std::string_view rawHeaders);

// Never from the cache, and no cookie handling by the platform: cookies travel only in
// the caller's jar.
std::uint32_t requestFlags(std::string_view address, bool noRedirect);
Text requestVerb(HttpMethod method);
// Empty for GET.
ByteString requestBody(const FetchOptions& options);
