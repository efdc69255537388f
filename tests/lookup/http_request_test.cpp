#include "lookup/http_request.h"

#include <gtest/gtest.h>

#include "lookup/cookies.h"

namespace {

constexpr char kAddress[] = "http://svc.test/lookup/xmpp/poll?summoner=a";
constexpr char kAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 2Pac; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";

TEST(RequestHeaders, AddsWhatIsMissingInOrder) {
    const struct {
        const char* extra;
        const char* jar;
        Text expected;
    } cases[] = {
        {"", "",
         Text("Referer: ") + kAddress +
             "\r\nAccept: */*\r\nAccept-Language: zh-cn"
             "\r\nContent-Type: application/x-www-form-urlencoded"},
        {"Accept: text/html", "",
         Text("Accept: text/html\r\nReferer: ") + kAddress +
             "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
        // The test for a present line is case-sensitive.
        {"referer: x", "",
         Text("referer: x\r\nReferer: ") + kAddress +
             "\r\nAccept: */*\r\nAccept-Language: zh-cn"
             "\r\nContent-Type: application/x-www-form-urlencoded"},
        {"", "a=1; b=2",
         Text("Referer: ") + kAddress +
             "\r\nAccept: */*\r\nAccept-Language: zh-cn"
             "\r\nContent-Type: application/x-www-form-urlencoded\r\nCookie: a=1; b=2"},
        {"Referer: r\r\nAccept: a\r\nAccept-Language: en\r\nContent-Type: text/plain", "",
         "Referer: r\r\nAccept: a\r\nAccept-Language: en\r\nContent-Type: text/plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extra);
        EXPECT_EQ(completeRequestHeaders(c.extra, kAddress, c.jar), c.expected);
    }
}

TEST(UserAgent, ComesFromTheExtraHeadersOrIsTheDefault) {
    const std::pair<const char*, const char*> cases[] = {
        {"User-Agent: X", "X"},
        {"User-Agent: X\r\nAccept: a", "X"},
        {"user-agent:  Y  ", "Y"},
        {"", kAgent},
        {"Accept: a", kAgent},
        // The line need not be the first or end with "\r\n"; the agent is never another
        // line's value.
        {"Accept: a\r\nUser-Agent: X", "X"},
        {"User-Agent:\r\nAccept: a", kAgent},
    };
    for (const auto& [extra, agent] : cases) EXPECT_EQ(chooseUserAgent(extra), agent) << extra;
}

TEST(HeaderValue, IsTheTrimmedTextAfterTheFirstColon) {
    const std::pair<const char*, const char*> cases[] = {
        {"Location: http://x:1/", "http://x:1/"},
        {"A:  b  ", "b"},
        {"A: b: c", "b: c"},
        {"A:", ""},
        {"NoColon", ""},
        {"", ""},
    };
    for (const auto& [line, value] : cases) EXPECT_EQ(headerValue(line), value) << line;
}

TEST(ResponseHeaders, CollectsCookiesAndLocation) {
    const struct {
        const char* what;
        Text raw;
        Text newCookies;
        Text location;  // empty: the raw headers themselves
    } cases[] = {
        {"two cookies, no location",
         "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n\r\n",
         "a=1; b=2", ""},
        {"redirect", "HTTP/1.1 302 Found\r\nLocation: http://x.test/y\r\n\r\n", "",
         "http://x.test/y"},
        {"the later location counts",
         "HTTP/1.1 302 Found\r\nLocation: /first\r\nLocation: /second\r\n\r\n", "", "/second"},
        {"cookie without attributes", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\n\r\n", "a=1", ""},
        {"cookie line test is case-sensitive", "HTTP/1.1 200 OK\r\nset-cookie: a=1;\r\n\r\n", "",
         ""},
        {"headers that could not be read", Text(5000, ' '), "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResponseHeaderScan scan = scanResponseHeaders(c.raw);
        EXPECT_EQ(scan.newCookies, c.newCookies);
        EXPECT_EQ(scan.location, c.location.empty() ? c.raw : c.location);
    }
}

TEST(ResponseHeaders, CookiesReachAnEmptyJarJoinedBySemicolonAndSpace) {
    ResponseHeaderScan scan = scanResponseHeaders(
        "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n\r\n");
    Text jar;
    mergeCookies(jar, scan.newCookies);
    EXPECT_EQ(jar, "a=1; b=2");
    EXPECT_EQ(scan.newCookies, "a=1;b=2");
}

TEST(RequestFlags, MatchWinInetValues) {
    // RELOAD | NEED_FILE | NO_COOKIES, as <wininet.h> numbers them.
    constexpr std::uint32_t always = 0x80000000u | 0x00000010u | 0x00080000u;
    const struct {
        const char* address;
        bool noRedirect;
        std::uint32_t flags;
    } cases[] = {
        {"http://svc.test/", false, always | 0x00004000u},
        {"http://svc.test/", true, always | 0x00200000u | 0x00004000u},
        {"HTTPS://svc.test/x", false, always | 0x00800000u},
        {"https://svc.test/x", true, always | 0x00200000u | 0x00800000u},
        {"svc.test/x", false, always | 0x00004000u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(requestFlags(c.address, c.noRedirect), c.flags)
            << c.address << " noRedirect=" << c.noRedirect;
    }
}

TEST(RequestBody, IsEmptyForGetAndPostBytesBeforePostText) {
    EXPECT_EQ(requestVerb(HttpMethod::get), "GET");
    EXPECT_EQ(requestVerb(HttpMethod::post), "POST");

    FetchOptions options;
    options.postText = "a=1";
    EXPECT_TRUE(requestBody(options).empty());

    options.method = HttpMethod::post;
    EXPECT_EQ(requestBody(options), (ByteString{'a', '=', '1'}));

    options.postBytes = {0x00, 0xFF, 0x41};
    EXPECT_EQ(requestBody(options), (ByteString{0x00, 0xFF, 0x41}));
}

}  // namespace
