#include "lookup/http_fetch.h"

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <type_traits>

#include "lookup/cookies.h"
#include "lookup/url.h"

static_assert(kFlagReload == INTERNET_FLAG_RELOAD);
static_assert(kFlagNeedFile == INTERNET_FLAG_NEED_FILE);
static_assert(kFlagNoCookies == INTERNET_FLAG_NO_COOKIES);
static_assert(kFlagNoAutoRedirect == INTERNET_FLAG_NO_AUTO_REDIRECT);
static_assert(kFlagSecure == INTERNET_FLAG_SECURE);
static_assert(kFlagIgnoreRedirectToHttps == INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);

namespace {

struct InternetCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetCloser>;

constexpr DWORD kReadChunk = 1024;
constexpr DWORD kRawHeaderBuffer = 5000;

InternetHandle openInternet(const Text& agent, const Text& proxy) {
    if (proxy.empty()) {
        return InternetHandle(
            InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    }
    Text proxyList = concatText({"http=", proxy});
    return InternetHandle(
        InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyList.c_str(), "", 0));
}

ByteString readBody(HINTERNET request) {
    ByteString body;
    for (;;) {
        unsigned char chunk[kReadChunk];
        DWORD read = 0;
        if (!InternetReadFile(request, chunk, kReadChunk, &read)) read = 0;
        if (read == 0) break;
        body.insert(body.end(), chunk, chunk + read);
    }
    return body;
}

Text rawHeaders(HINTERNET request) {
    // A block that does not fit leaves the spaces in place.
    Text headers = spacesText(kRawHeaderBuffer);
    DWORD length = kRawHeaderBuffer;
    if (HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, headers.data(), &length, nullptr)) {
        headers.resize(length);
    }
    return headers;
}

}  // namespace

ByteString fetchPageBytes(const Text& address, FetchOptions& options) {
    const Text verb = requestVerb(options.method);
    InternetHandle internet = openInternet(chooseUserAgent(options.extraHeaders), options.proxy);
    if (!internet) return {};
    InternetHandle connection(InternetConnectA(internet.get(), urlHost(address, false).c_str(),
                                               static_cast<INTERNET_PORT>(urlPort(address)),
                                               nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};
    InternetHandle request(HttpOpenRequestA(connection.get(), verb.c_str(),
                                            urlPath(address).c_str(), "HTTP/1.1", nullptr, nullptr,
                                            requestFlags(address, options.noRedirect), 0));
    if (!request) return {};

    Text headers = completeRequestHeaders(options.extraHeaders, address, options.cookies);
    ByteString body = requestBody(options);
    HttpSendRequestA(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                     body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size()));

    ByteString received = readBody(request.get());
    options.rawHeaders = rawHeaders(request.get());
    request.reset();
    connection.reset();
    internet.reset();

    ResponseHeaderScan scan = scanResponseHeaders(options.rawHeaders);
    options.newCookies = scan.newCookies;
    options.location = scan.location;
    mergeCookies(options.cookies, options.newCookies);
    return received;
}

Text fetchPage(const Text& address, FetchOptions& options) {
    return bytesToText(fetchPageBytes(address, options));
}

Text fetchPage(const Text& address) {
    FetchOptions options;
    return fetchPage(address, options);
}
