#include "lookup/url.h"

namespace {

constexpr std::string_view kHttps = "https://";
constexpr std::string_view kHttp = "http://";

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return findText(leftText(text, textLength(prefix)), prefix, 1, true) == 1;
}

// A scheme counts only at the very start: "http://" inside a query ("?next=http://...")
// must not decide where the host is.
std::string_view schemeOf(std::string_view address) {
    if (startsWithIgnoringCase(address, kHttps)) return kHttps;
    if (startsWithIgnoringCase(address, kHttp)) return kHttp;
    return {};
}

}  // namespace

bool isHttpsAddress(std::string_view address) {
    return schemeOf(address) == kHttps;
}

Text urlHost(std::string_view address, bool keepPort) {
    Text lowered = toLowerText(address);
    if (lowered.empty() || lowered.back() != '/') lowered += '/';
    std::string_view scheme = schemeOf(lowered);
    if (scheme.empty()) {
        scheme = kHttp;
        lowered = concatText({kHttp, lowered});
    }
    Text host = textBetween(lowered, scheme, "/");
    if (!keepPort) {
        int colon = findText(host, ":");
        if (colon != -1) host = leftText(host, colon - 1);
    }
    return host;
}

int urlPort(std::string_view address) {
    Text host = urlHost(address, true);
    int colon = findLastText(host, ":");
    if (colon != -1) return textToInteger(rightText(host, textLength(host) - colon));
    return isHttpsAddress(address) ? 443 : 80;
}

Text urlPath(std::string_view address) {
    // Searching from behind the scheme keeps a host such as "h" or "tp" from being found
    // inside "http://" itself.
    int afterScheme = textLength(schemeOf(address)) + 1;
    int hostAt = findText(address, urlHost(address, false), afterScheme, true);
    int slash = findText(address, "/", hostAt == -1 ? afterScheme : hostAt, true);
    if (slash == -1) return "/";
    return rightText(address, textLength(address) - slash + 1);
}
