#include "lookupd/http_request.h"

#include <gtest/gtest.h>

namespace lookupd {
namespace {

// The program's own request: header lines as WinInet sends them.
const std::string kProgramRequest =
    "GET /lookup/xmpp/poll?diamondprox=D&summoner=%E5%BC%A0 HTTP/1.1\r\n"
    "Referer: http://127.0.0.1:8730/lookup/xmpp/poll\r\n"
    "Accept: */*\r\n"
    "Accept-Language: zh-cn\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 2Pac)\r\n"
    "Host: 127.0.0.1:8730\r\n"
    "Cache-Control: no-cache\r\n"
    "\r\n";

TEST(ParseRequest, ReadsTheProgramsRequest) {
    HttpRequest request;
    ASSERT_EQ(parseRequest(kProgramRequest, request).state, ParseState::Complete);
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/lookup/xmpp/poll?diamondprox=D&summoner=%E5%BC%A0");
    EXPECT_EQ(request.path, "/lookup/xmpp/poll");
    EXPECT_EQ(request.query, "diamondprox=D&summoner=%E5%BC%A0");
    EXPECT_EQ(request.version, "HTTP/1.1");
    ASSERT_EQ(request.headers.size(), 7u);
    ASSERT_NE(request.header("user-agent"), nullptr);
    EXPECT_EQ(*request.header("user-agent"),
              "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 2Pac)");
    EXPECT_EQ(request.header("Cookie"), nullptr);
    EXPECT_EQ(request.raw, kProgramRequest);
    EXPECT_EQ(request.body, "");
}

TEST(ParseRequest, WaitsForTheWholeHeaderAndBody) {
    const std::string post =
        "POST /test/echo HTTP/1.1\r\nHost: x\r\nContent-Length: 10\r\n\r\nname=%E5&b";
    for (std::size_t length : {std::size_t{0}, std::size_t{10}, post.find("\r\n\r\n") + 2,
                               post.find("\r\n\r\n") + 4, post.size() - 1}) {
        HttpRequest request;
        EXPECT_EQ(parseRequest(std::string_view(post).substr(0, length), request).state,
                  ParseState::Incomplete)
            << length;
    }
    // A pipelined request after the body is not part of this one.
    HttpRequest request;
    ASSERT_EQ(parseRequest(post + "GET / HTTP/1.1\r\n\r\n", request).state, ParseState::Complete);
    EXPECT_EQ(request.body, "name=%E5&b");
    EXPECT_EQ(request.raw, post);
}

TEST(ParseRequest, KeepsZeroBytesAndBinaryInTheBody) {
    const std::string post = std::string("POST /test/echo HTTP/1.1\r\nContent-Length: 4\r\n\r\n") +
                             std::string("\0\xff\r\n", 4);
    HttpRequest request;
    ASSERT_EQ(parseRequest(post, request).state, ParseState::Complete);
    EXPECT_EQ(request.body, std::string("\0\xff\r\n", 4));
    EXPECT_EQ(request.raw, post);
}

TEST(ParseRequest, DecodesThePathButNotTheQuery) {
    HttpRequest request;
    ASSERT_EQ(parseRequest("GET /profile/china-ionia-1/%7E/?x=%41 HTTP/1.1\r\n\r\n", request).state,
              ParseState::Complete);
    EXPECT_EQ(request.path, "/profile/china-ionia-1/~/");
    EXPECT_EQ(request.query, "x=%41");
}

TEST(ParseRequest, RefusesMalformedRequests) {
    struct Row {
        const char* what;
        std::string request;
        int status;
    };
    const Row rows[] = {
        {"no target", "GET\r\n\r\n", 400},
        {"no version", "GET /\r\n\r\n", 400},
        {"not HTTP", "GET / FTP/1.0\r\n\r\n", 400},
        {"extra word", "GET / x HTTP/1.1\r\n\r\n", 400},
        {"empty method", " / HTTP/1.1\r\n\r\n", 400},
        {"header without colon", "GET / HTTP/1.1\r\nHost 1\r\n\r\n", 400},
        {"folded header", "GET / HTTP/1.1\r\nHost: a\r\n  b\r\n\r\n", 400},
        {"bad length", "POST / HTTP/1.1\r\nContent-Length: 1x\r\n\r\n", 400},
        {"negative length", "POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
        {"conflicting lengths",
         "POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab", 400},
        {"body too large", "POST / HTTP/1.1\r\nContent-Length: 999999999\r\n\r\n", 413},
        {"chunked body", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 501},
        {"endless header", "GET / HTTP/1.1\r\nX: " + std::string(kMaxHeaderBytes, 'a'), 431},
    };
    for (const Row& row : rows) {
        HttpRequest request;
        const ParseOutcome outcome = parseRequest(row.request, request);
        EXPECT_EQ(outcome.state, ParseState::Refused) << row.what;
        EXPECT_EQ(outcome.status, row.status) << row.what;
        EXPECT_FALSE(outcome.reason.empty()) << row.what;
    }
}

}  // namespace
}  // namespace lookupd
