#include "lookup/http_request.h"

#include "lookup/url.h"

const char kDefaultUserAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 2Pac; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The rest of text after marker's first occurrence (case ignored), up to the end of that
// line; empty when the marker is missing.
Text restOfLineAfter(std::string_view text, std::string_view marker) {
    int at = findText(text, marker, 1, true);
    if (at == -1) return {};
    std::string_view rest = text.substr(at - 1 + marker.size());
    int lineEnd = findText(rest, kCrLf);
    return Text(lineEnd == -1 ? rest : rest.substr(0, lineEnd - 1));
}

}  // namespace

Text chooseUserAgent(std::string_view extraHeaders) {
    // The line may be the last one, without "\r\n" after it; then its value runs to the
    // end. An empty value falls back to the default rather than to some other line's value.
    Text agent = trimText(restOfLineAfter(extraHeaders, "User-Agent:"));
    return agent.empty() ? Text(kDefaultUserAgent) : agent;
}

Text completeRequestHeaders(std::string_view extraHeaders, std::string_view address,
                            std::string_view cookieJar) {
    Text headers(extraHeaders);
    if (findText(headers, "Referer:") == -1) {
        headers = headers.empty() ? concatText({"Referer: ", address})
                                  : concatText({headers, "\r\nReferer: ", address});
    }
    if (findText(headers, "Accept:") == -1) headers += "\r\nAccept: */*";
    if (findText(headers, "Accept-Language:") == -1) headers += "\r\nAccept-Language: zh-cn";
    // Sent with GET too: the service has always seen it on every request.
    if (findText(headers, "Content-Type:") == -1) {
        headers += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (!cookieJar.empty()) headers += concatText({"\r\nCookie: ", cookieJar});
    return headers;
}

Text headerValue(std::string_view line) {
    int colon = findText(line, ":");
    if (colon == -1) return {};
    return trimText(line.substr(colon));
}

ResponseHeaderScan scanResponseHeaders(std::string_view rawHeaders) {
    ResponseHeaderScan scan;
    for (const Text& line : splitText(rawHeaders, kCrLf)) {
        if (findText(line, "Location:") != -1) scan.location = headerValue(line);
        if (findText(line, "Set-Cookie") != -1) {
            // The item ends at its first attribute, or at the end of the line when the
            // cookie has no attributes ("Set-Cookie: a=1").
            Text item = restOfLineAfter(line, "Set-Cookie:");
            int semicolon = findText(item, ";");
            if (semicolon != -1) item = leftText(item, semicolon - 1);
            scan.newCookies += concatText({trimText(item), "; "});
        }
    }
    scan.newCookies = leftText(scan.newCookies, textLength(scan.newCookies) - 2);
    if (scan.location.empty()) scan.location = Text(rawHeaders);
    return scan;
}

std::uint32_t requestFlags(std::string_view address, bool noRedirect) {
    std::uint32_t flags = kFlagReload | kFlagNeedFile | kFlagNoCookies;
    if (noRedirect) flags |= kFlagNoAutoRedirect;
    // Without IGNORE_REDIRECT_TO_HTTPS the platform refuses an http page that redirects
    // to https.
    flags |= isHttpsAddress(address) ? kFlagSecure : kFlagIgnoreRedirectToHttps;
    return flags;
}

Text requestVerb(HttpMethod method) {
    return method == HttpMethod::post ? "POST" : "GET";
}

ByteString requestBody(const FetchOptions& options) {
    if (options.method != HttpMethod::post) return {};
    if (!options.postBytes.empty()) return options.postBytes;
    return textToBytes(options.postText);
}
