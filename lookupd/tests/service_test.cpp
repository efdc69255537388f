#include "lookupd/service.h"

#include <gtest/gtest.h>

#include "answer_markers.h"
#include "lookupd/answer_writer.h"

namespace lookupd {
namespace {

using namespace lookupd_test;

constexpr std::string_view kFallback = "http://127.0.0.1:8730";
const Tokens kTokens{"Dx1", "Kx2", "Px3"};
const std::string kPoll =
    "/lookup/xmpp/poll?diamondprox=Dx1&REQUIRED_QUICKFIND_API_KEY=Kx2&PBK=Px3"
    "&regionProxy=china-ionia-1&summoner=";

ServiceData sampleData() {
    ServiceData data;
    Game first;
    first.id = "g1";
    first.startTime = "Dec 11, 2026 08:05:11 PM";
    first.state = "inGame";
    first.map = "Summoner's Rift";
    first.elo = "1520";
    first.spectate = "spectator 127.0.0.1:8394 K1 1 HN1";
    first.players = {{"张三", "Ahri", "Flash", "Dot"}, {"b", "Zed", "Flash", "Dot"}};
    Game second = first;
    second.id = "g2";
    second.elo = "1900";
    second.players = {{"c", "Lux", "Heal", "Barrier"}};
    data.games = {first, second};
    data.offline = {"李四"};
    return data;
}

HttpRequest request(const std::string& text) {
    HttpRequest parsed;
    EXPECT_EQ(parseRequest(text, parsed).state, ParseState::Complete) << text;
    return parsed;
}

HttpRequest get(const std::string& target,
                const std::string& headers = "Host: 127.0.0.1:8730\r\n") {
    return request("GET " + target + " HTTP/1.1\r\n" + headers + "\r\n");
}

Reply handle(const Service& service, const HttpRequest& request) {
    return service.handle(request, kFallback);
}

TEST(Service, ProfilePageHandsOutTheTokens) {
    const Service service(sampleData(), kTokens);
    const Reply reply = handle(service, get("/profile/china-ionia-1/~/"));
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.contentType.rfind("text/html", 0), 0u);
    EXPECT_NE(reply.body.find(R"(<input type="hidden" name="diamondprox" value="Dx1">)"),
              std::string::npos);
    EXPECT_NE(
        reply.body.find(R"(<input type="hidden" name="REQUIRED_QUICKFIND_API_KEY" value="Kx2">)"),
        std::string::npos);
    EXPECT_NE(reply.body.find(R"(<input type="hidden" name="PBK" value="Px3">)"),
              std::string::npos);
    // The way the program takes them: from the first marker, ignoring case, to the first ">.
    EXPECT_EQ(cut(reply.body, R"(NAME="diamondprox" VALUE=")", R"(">)"), "Dx1");
    EXPECT_EQ(cut(reply.body, R"(name="REQUIRED_QUICKFIND_API_KEY" value=")", R"(">)"), "Kx2");
    EXPECT_EQ(cut(reply.body, R"(name="PBK" value=")", R"(">)"), "Px3");
}

TEST(Service, PollAnswersByTheDecodedName) {
    const Service service(sampleData(), kTokens);
    struct Row {
        const char* what;
        std::string name;
        const char* expectedElo;  // "" for the not-in-game answer
    };
    const Row rows[] = {
        {"in the first game", "%E5%BC%A0%E4%B8%89", "1520"},
        {"lowercase escapes", "%e5%bc%a0%e4%b8%89", "1520"},
        {"in the second game", "c", "1900"},
        {"known offline", "%E6%9D%8E%E5%9B%9B", ""},
        {"unknown", "nobody", ""},
        {"prefix of a name", "%E5%BC%A0", ""},
        {"other letter case", "B", ""},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        const Reply reply = handle(service, get(kPoll + row.name));
        EXPECT_EQ(reply.status, 200) << row.what;
        EXPECT_EQ(reply.delivery, Delivery::Whole) << row.what;
        if (*row.expectedElo) {
            EXPECT_EQ(cut(reply.body, kEloStart, kEloEnd), row.expectedElo) << row.what;
        } else {
            EXPECT_EQ(reply.body, renderNotInGameAnswer()) << row.what;
        }
    }
}

TEST(Service, PollRefusesBadTokensAndBrokenNames) {
    const Service service(sampleData(), kTokens);
    const std::string badToken = renderErrorAnswer(kInvalidTokenText);
    EXPECT_EQ(handle(service, get("/lookup/xmpp/poll")).body, badToken);
    EXPECT_EQ(handle(service, get("/lookup/xmpp/poll?diamondprox=Dx1&summoner=b")).body, badToken);
    std::string wrongPbk = kPoll + "b";
    wrongPbk.replace(wrongPbk.find("Px3"), 3, "Px4");
    EXPECT_EQ(handle(service, get(wrongPbk)).body, badToken);
    EXPECT_EQ(handle(service, get(kPoll + "%E5%B")).body, renderErrorAnswer(kInvalidNameText));
}

TEST(Service, SpellImagesPointAtTheAddressTheClientUsed) {
    const Service service(sampleData(), kTokens);
    struct Row {
        const char* headers;
        const char* base;
    };
    const Row rows[] = {
        {"Host: 127.0.0.1:8730\r\n", "http://127.0.0.1:8730"},
        {"Host: localhost:9000\r\n", "http://localhost:9000"},
        {"", "http://127.0.0.1:8730"},
        {"Host: a\"b\r\n", "http://127.0.0.1:8730"},
    };
    for (const Row& row : rows) {
        const Reply reply = handle(service, get(kPoll + "b", row.headers));
        const std::vector<std::string> pieces = playerPieces(reply.body);
        ASSERT_EQ(pieces.size(), 2u) << row.headers;
        EXPECT_EQ(readPiece(pieces[1], row.base).spell2, "Dot") << row.headers;
    }
}

TEST(Service, FaultsChangeTheAnswerOrItsDelivery) {
    struct Row {
        const char* fault;
        int status;
        Delivery delivery;
        long delayMs;
        const char* bodyHas;  // "" for an empty body
    };
    const Row rows[] = {
        {"b:backlog", 200, Delivery::Whole, 0, R"("error":"Sorry, there is a large backlog)"},
        {"b:error:Boom", 200, Delivery::Whole, 0, R"({"success":false,"error":"Boom"})"},
        {"b:empty", 200, Delivery::Whole, 0, ""},
        {"b:status500", 500, Delivery::Whole, 0, "Internal Server Error"},
        {"b:delay:30", 200, Delivery::Whole, 30, R"("success":true)"},
        {"b:cut", 200, Delivery::HalfBody, 0, R"("success":true)"},
        {"b:hang:40", 200, Delivery::Nothing, 0, R"("success":true)"},
        {"*:delay:5", 200, Delivery::Whole, 5, R"("success":true)"},
    };
    for (const Row& row : rows) {
        FaultRule rule;
        std::string error;
        ASSERT_TRUE(parseFaultRule(row.fault, rule, error)) << error;
        const Service service(sampleData(), kTokens, {rule});
        const Reply reply = handle(service, get(kPoll + "b"));
        EXPECT_EQ(reply.status, row.status) << row.fault;
        EXPECT_EQ(reply.delivery, row.delivery) << row.fault;
        EXPECT_EQ(reply.delayMs, row.delayMs) << row.fault;
        if (*row.bodyHas) {
            EXPECT_NE(reply.body.find(row.bodyHas), std::string::npos) << row.fault;
        } else {
            EXPECT_EQ(reply.body, "") << row.fault;
        }
        // Other players are left alone, unless the fault is for everyone.
        const Reply other = handle(service, get(kPoll + "c"));
        if (rule.target != "*") {
            EXPECT_EQ(other.body, renderGameAnswer(sampleData().games[1], kFallback)) << row.fault;
            EXPECT_EQ(other.delayMs, 0) << row.fault;
        }
    }
}

TEST(Service, HugeFaultPadsGameAndOfflineAnswers) {
    FaultRule game;
    FaultRule offline;
    std::string error;
    ASSERT_TRUE(parseFaultRule("b:huge:200000", game, error));
    ASSERT_TRUE(parseFaultRule("nobody:huge", offline, error));
    const Service service(sampleData(), kTokens, {game, offline});
    const Reply big = handle(service, get(kPoll + "b"));
    EXPECT_EQ(big.body.size(), 200000u);
    EXPECT_EQ(playerPieces(big.body).size(), 2u);
    const Reply bigOffline = handle(service, get(kPoll + "nobody"));
    EXPECT_EQ(bigOffline.body.size(), kDefaultHugeBytes);
    EXPECT_EQ(cut(bigOffline.body, kErrorMessageStart, kErrorEnd), kNotInGameText);
}

TEST(Service, DataFileFaultsComeBeforeCommandLineFaults) {
    ServiceData data = sampleData();
    FaultRule fromFile;
    FaultRule fromCommandLine;
    std::string error;
    ASSERT_TRUE(parseFaultRule("b:backlog", fromFile, error));
    ASSERT_TRUE(parseFaultRule("b:error:later", fromCommandLine, error));
    data.faults = {fromFile};
    const Service service(data, kTokens, {fromCommandLine});
    EXPECT_EQ(handle(service, get(kPoll + "b")).body, renderErrorAnswer("later"));
}

TEST(Service, ProfileFaultsApplyToTheProfilePageOnly) {
    FaultRule rule;
    std::string error;
    ASSERT_TRUE(parseFaultRule("@profile:status500", rule, error));
    const Service service(sampleData(), kTokens, {rule});
    EXPECT_EQ(handle(service, get("/profile/china-ionia-1/~/")).status, 500);
    EXPECT_EQ(handle(service, get(kPoll + "b")).status, 200);
}

TEST(Service, UnknownPathsAndMethodsAreRefused) {
    const Service service(sampleData(), kTokens);
    EXPECT_EQ(handle(service, get("/profile/china-ionia-1/")).status, 404);
    EXPECT_EQ(handle(service, get("/lookup/xmpp/poll/")).status, 404);
    EXPECT_EQ(handle(service, get("/test/nothing")).status, 404);
    EXPECT_EQ(handle(service, request("POST /lookup/xmpp/poll HTTP/1.1\r\n\r\n")).status, 405);
    EXPECT_EQ(handle(service, request("POST /test/cookies HTTP/1.1\r\n\r\n")).status, 405);
}

TEST(Service, TestEndpointsAnswerAsTheHttpTestsExpect) {
    const Service service(sampleData(), kTokens);
    const std::string post =
        "POST /test/echo HTTP/1.1\r\nReferer: x\r\nContent-Length: 3\r\n\r\na=b";
    const Reply echo = handle(service, request(post));
    EXPECT_EQ(echo.status, 200);
    EXPECT_EQ(echo.body, post);
    EXPECT_EQ(echo.contentType.rfind("text/plain", 0), 0u);

    const Reply cookies = handle(service, get("/test/cookies"));
    EXPECT_EQ(cookies.headers,
              (std::vector<std::string>{"Set-Cookie: a=1; path=/", "Set-Cookie: b=2; path=/"}));
    EXPECT_FALSE(cookies.body.empty());

    const Reply redirect = handle(service, get("/test/redirect?to=%2Ftest%2Fempty"));
    EXPECT_EQ(redirect.status, 302);
    EXPECT_EQ(redirect.headers, std::vector<std::string>{"Location: /test/empty"});
    EXPECT_EQ(handle(service, get("/test/redirect")).status, 400);
    EXPECT_EQ(handle(service, get("/test/redirect?to=/a%0D%0ASet-Cookie:%20x=1")).status, 400);
    EXPECT_EQ(handle(service, get("/test/redirect?to=%zz")).status, 400);

    const Reply empty = handle(service, get("/test/empty"));
    EXPECT_EQ(empty.status, 200);
    EXPECT_EQ(empty.body, "");
    EXPECT_EQ(handle(service, get("/test/zero")).body, std::string("AB\0CD", 5));
    const Reply error = handle(service, get("/test/status500"));
    EXPECT_EQ(error.status, 500);
    EXPECT_EQ(error.body, "server error page");

    const Reply page = handle(service, get("/test/page?body=%3Cp%3E%22x%22%3C%2Fp%3E&x=/a/b"));
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body, "<p>\"x\"</p>");
    EXPECT_EQ(handle(service, get("/test/page")).status, 400);
}

}  // namespace
}  // namespace lookupd
