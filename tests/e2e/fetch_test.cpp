// The WinInet fetch against the local lookup service, which echoes what it received.
#include <gtest/gtest.h>

#include <string>

#include "lookup/http_fetch.h"
#include "lookup/lookup_service.h"

namespace {

Text at(const char* path) {
    return concatText({lookupBase(), path});
}

// The header lines of an echoed request, without the request line and the blank line.
Text echoedHeaders(const Text& echo) {
    return textBetween(echo, "\r\n", "\r\n\r\n", 1, true);
}

TEST(Fetch, AGetCarriesTheCompletedHeadersAndTheDefaultAgent) {
    const Text address = at("/test/echo");
    Text echo = fetchPage(address);
    ASSERT_EQ(findText(echo, "GET /test/echo HTTP/1.1\r\n"), 1) << echo;
    Text expected = concatText({"Referer: ", address,
                                "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                                "Content-Type: application/x-www-form-urlencoded\r\n"});
    EXPECT_NE(findText(echo, expected), -1) << echo;
    EXPECT_NE(findText(echo, concatText({"User-Agent: ", kDefaultUserAgent, "\r\n"})), -1) << echo;
    // The platform keeps no cookies of its own and sends none.
    EXPECT_EQ(findText(echoedHeaders(echo), "Cookie:"), -1) << echo;
}

TEST(Fetch, ExtraHeadersNameTheAgentAndKeepTheirOwnLines) {
    FetchOptions options;
    options.extraHeaders = "User-Agent: X\r\nAccept: text/html";
    Text echo = fetchPage(at("/test/echo"), options);
    EXPECT_NE(findText(echo, "User-Agent: X\r\n"), -1) << echo;
    EXPECT_NE(findText(echo, "Accept: text/html\r\nReferer: "), -1) << echo;
    EXPECT_EQ(findText(echo, "Accept: */*"), -1) << echo;
}

TEST(Fetch, TheCookieJarIsSentAndMergedWithWhatTheServerSets) {
    FetchOptions options;
    options.cookies = "a=0; c=3";
    Text echo = fetchPage(at("/test/echo"), options);
    EXPECT_NE(findText(echo, "\r\nCookie: a=0; c=3\r\n"), -1) << echo;

    FetchOptions fresh;
    fresh.cookies = "a=0; c=3";
    fetchPage(at("/test/cookies"), fresh);
    EXPECT_EQ(fresh.newCookies, "a=1;b=2");
    EXPECT_EQ(fresh.cookies, "a=1; b=2; c=3");
}

TEST(Fetch, RawHeadersAndLocationAreReported) {
    FetchOptions plain;
    fetchPage(at("/test/empty"), plain);
    EXPECT_EQ(findText(plain.rawHeaders, "HTTP/1.1 200"), 1) << plain.rawHeaders;
    EXPECT_EQ(plain.rawHeaders.substr(plain.rawHeaders.size() - 4), "\r\n\r\n");
    EXPECT_EQ(plain.location, plain.rawHeaders);  // no Location line

    FetchOptions stay;
    stay.noRedirect = true;
    Text body = fetchPage(at("/test/redirect?to=/test/zero"), stay);
    EXPECT_EQ(findText(stay.rawHeaders, "HTTP/1.1 302"), 1) << stay.rawHeaders;
    EXPECT_EQ(stay.location, "/test/zero");
    EXPECT_NE(body, "AB");
}

TEST(Fetch, RedirectsAreFollowedByThePlatform) {
    EXPECT_EQ(fetchPage(at("/test/redirect?to=/test/zero")), "AB");
}

TEST(Fetch, APostSendsItsBody) {
    FetchOptions options;
    options.method = HttpMethod::post;
    options.postText = "name=%E5%BC%A0&x=1";
    Text echo = fetchPage(at("/test/echo"), options);
    EXPECT_EQ(findText(echo, "POST /test/echo HTTP/1.1\r\n"), 1) << echo;
    EXPECT_EQ(echo.substr(echo.size() - options.postText.size()), options.postText);

    FetchOptions bytes;
    bytes.method = HttpMethod::post;
    bytes.postText = "ignored";
    bytes.postBytes = {'A', 0, 'B'};
    ByteString raw = fetchPageBytes(at("/test/echo"), bytes);
    ASSERT_GE(raw.size(), 3u);
    EXPECT_EQ(ByteString(raw.end() - 3, raw.end()), bytes.postBytes);
}

TEST(Fetch, BodiesComeBackWholeUpToTheirFirstZeroByte) {
    FetchOptions options;
    ByteString raw = fetchPageBytes(at("/test/zero"), options);
    EXPECT_EQ(raw, (ByteString{'A', 'B', 0, 'C', 'D'}));
    EXPECT_EQ(fetchPage(at("/test/zero")), "AB");
    EXPECT_EQ(fetchPage(at("/test/status500")), "server error page");
    EXPECT_EQ(fetchPage(at("/test/empty")), "");
}

TEST(Fetch, ALongBodyIsReadInWhole) {
    EXPECT_NE(findText(fetchPage(profilePageAddress()), "name=\"PBK\" value=\"e2eP\">"), -1);
    // A game answer takes many reads of 1024 bytes.
    Text answer =
        fetchPage(concatText({buildPollPrefix("e2eD", "e2eK", "e2eP"), "%E5%BC%A0%E4%B8%89"}));
    EXPECT_GT(answer.size(), 4096u);
    EXPECT_EQ(findText(answer, "{\"success\":true,"), 1);
    EXPECT_EQ(answer.back(), '}');
}

TEST(Fetch, ARefusedConnectionGivesTheEmptyText) {
    FetchOptions options;
    options.location = "kept";
    EXPECT_EQ(fetchPage("http://127.0.0.1:1/", options), "");
    EXPECT_EQ(fetchPage("http://127.0.0.1:1/test/echo"), "");
}

}  // namespace
