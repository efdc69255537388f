#include "lookupd/server.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <thread>

#include "answer_markers.h"
#include "lookupd/answer_writer.h"
#include "test_client.h"

namespace lookupd {
namespace {

using namespace lookupd_test;

const Tokens kTokens{"Dq7", "Kw8", "Pe9"};

ServiceData sampleData() {
    ServiceData data;
    Game game;
    game.id = "g1";
    game.startTime = "Dec 11, 2026 08:05:11 PM";
    game.state = "inGame";
    game.map = "Summoner's Rift";
    game.elo = "1520";
    game.spectate = "spectator 127.0.0.1:8394 Zq3pN4x 4012345678 HN1";
    for (int i = 0; i < 10; ++i) {
        game.players.push_back({"player" + std::to_string(i), "Ahri", "Flash", "Dot"});
    }
    game.players[0].name = "张三";
    data.games = {game};
    data.offline = {"李四"};
    return data;
}

std::vector<FaultRule> faults(std::initializer_list<const char*> ruleTexts) {
    std::vector<FaultRule> rules;
    for (const char* ruleText : ruleTexts) {
        FaultRule rule;
        std::string error;
        EXPECT_TRUE(parseFaultRule(ruleText, rule, error)) << error;
        rules.push_back(rule);
    }
    return rules;
}

class ServerTest : public ::testing::Test {
  protected:
    void startServer(std::vector<FaultRule> rules = {}) {
        ServerConfig config;
        config.grace = std::chrono::milliseconds(300);
        server_ = std::make_unique<LookupServer>(Service(sampleData(), kTokens, std::move(rules)),
                                                 config);
        std::string error;
        ASSERT_TRUE(server_->start(error)) << error;
        ASSERT_NE(server_->port(), 0);
    }

    RawAnswer get(const std::string& target) {
        return roundTrip(server_->port(), getRequest(target, server_->port()));
    }

    std::string poll(const std::string& escapedName) const {
        return "/lookup/xmpp/poll?diamondprox=Dq7&REQUIRED_QUICKFIND_API_KEY=Kw8&PBK=Pe9"
               "&regionProxy=china-ionia-1&summoner=" +
               escapedName;
    }

    // Bounded: the accept loop takes a connection within milliseconds.
    void waitForOpenConnections(std::size_t count) {
        for (int i = 0; i < 5000 && server_->openConnections() < count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_EQ(server_->openConnections(), count);
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(server_->port()); }

    std::unique_ptr<LookupServer> server_;
};

bool hasInput(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0;
}

TEST_F(ServerTest, ProfileTokensOpenThePoll) {
    startServer();
    const RawAnswer page = get("/profile/china-ionia-1/~/");
    ASSERT_EQ(page.status, 200);
    EXPECT_TRUE(page.closed);
    EXPECT_EQ(page.header("Content-Length"), std::to_string(page.body.size()));
    const std::string d = cut(page.body, R"(name="diamondprox" value=")", R"(">)");
    const std::string k = cut(page.body, R"(name="REQUIRED_QUICKFIND_API_KEY" value=")", R"(">)");
    const std::string p = cut(page.body, R"(name="PBK" value=")", R"(">)");
    EXPECT_EQ(d + "," + k + "," + p, "Dq7,Kw8,Pe9");

    const RawAnswer game =
        get("/lookup/xmpp/poll?diamondprox=" + d + "&REQUIRED_QUICKFIND_API_KEY=" + k +
            "&PBK=" + p + "&regionProxy=china-ionia-1&summoner=%E5%BC%A0%E4%B8%89");
    ASSERT_EQ(game.status, 200);
    EXPECT_EQ(game.header("Content-Length"), std::to_string(game.body.size()));
    EXPECT_EQ(game.body, renderGameAnswer(sampleData().games[0], base()));
    const std::vector<std::string> pieces = playerPieces(game.body);
    ASSERT_EQ(pieces.size(), 10u);
    EXPECT_EQ(readPiece(pieces[0], base()).name, R"(\u5f20\u4e09)");
    EXPECT_EQ(readPiece(pieces[9], base()).spell2, "Dot");
}

TEST_F(ServerTest, PollAnswersOfflineUnknownAndBadTokens) {
    startServer();
    EXPECT_EQ(get(poll("%E6%9D%8E%E5%9B%9B")).body, renderNotInGameAnswer());
    EXPECT_EQ(get(poll("nobody")).body, renderNotInGameAnswer());
    std::string wrong = poll("player1");
    wrong.replace(wrong.find("Kw8"), 3, "Kw9");
    const RawAnswer refused = get(wrong);
    EXPECT_EQ(refused.status, 200);
    EXPECT_EQ(refused.body, R"({"success":false,"error":"Invalid request token"})");
    EXPECT_EQ(get(poll("%E5%B")).body, R"({"success":false,"error":"Invalid summoner name"})");
}

TEST_F(ServerTest, EchoReturnsTheRequestByteForByte) {
    startServer();
    const std::string requests[] = {
        "GET /test/echo HTTP/1.1\r\n"
        "Referer: http://127.0.0.1:8730/test/echo\r\n"
        "Accept: */*\r\n"
        "Accept-Language: zh-cn\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n"
        "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 2Pac)\r\n"
        "Host: 127.0.0.1\r\n"
        "cookie:   a=1; b=2  \r\n"
        "\r\n",
        std::string("POST /test/echo?x=%41 HTTP/1.1\r\nHost: h\r\nContent-Length: 7\r\n\r\n") +
            std::string("a\0\xff\r\n=b", 7),
    };
    for (const std::string& request : requests) {
        const RawAnswer answer = roundTrip(server_->port(), request);
        EXPECT_EQ(answer.status, 200);
        EXPECT_EQ(answer.body, request);
    }
}

TEST_F(ServerTest, TestEndpointsOverTheSocket) {
    startServer();
    const RawAnswer cookies = get("/test/cookies");
    EXPECT_NE(cookies.head.find("\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n"),
              std::string::npos)
        << cookies.head;
    const RawAnswer redirect = get("/test/redirect?to=/test/empty");
    EXPECT_EQ(redirect.status, 302);
    EXPECT_EQ(redirect.header("Location"), "/test/empty");
    const RawAnswer empty = get("/test/empty");
    EXPECT_EQ(empty.status, 200);
    EXPECT_EQ(empty.header("Content-Length"), "0");
    EXPECT_EQ(empty.body, "");
    EXPECT_EQ(get("/test/zero").body, std::string("AB\0CD", 5));
    const RawAnswer error = get("/test/status500");
    EXPECT_EQ(error.head.rfind("HTTP/1.1 500 ", 0), 0u);
    EXPECT_EQ(error.body, "server error page");
}

TEST_F(ServerTest, MalformedRequestGetsAnErrorAndTheServiceGoesOn) {
    startServer();
    const RawAnswer refused = roundTrip(server_->port(), "HELLO\r\n\r\n");
    EXPECT_EQ(refused.status, 400);
    EXPECT_TRUE(refused.closed);
    // A client that leaves halfway through its request.
    ::close(sendOnly(server_->port(), "GET /profile/china-ionia-1/~/ HTTP/1.1\r\nHo"));
    EXPECT_EQ(get("/profile/china-ionia-1/~/").status, 200);
}

TEST_F(ServerTest, CutSendsTheFullLengthButHalfTheBody) {
    startServer(faults({"player1:cut"}));
    const RawAnswer answer = get(poll("player1"));
    ASSERT_EQ(answer.status, 200);
    EXPECT_TRUE(answer.closed);
    const std::string whole = renderGameAnswer(sampleData().games[0], base());
    EXPECT_EQ(answer.header("Content-Length"), std::to_string(whole.size()));
    EXPECT_EQ(answer.body, whole.substr(0, whole.size() / 2));
}

TEST_F(ServerTest, HugeAnswerArrivesWhole) {
    startServer(faults({"player2:huge"}));
    const RawAnswer answer = get(poll("player2"));
    ASSERT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body.size(), kDefaultHugeBytes);
    EXPECT_EQ(answer.header("Content-Length"), std::to_string(kDefaultHugeBytes));
    EXPECT_EQ(playerPieces(answer.body).size(), 10u);
    EXPECT_EQ(cut(answer.body, kEloStart, kEloEnd), "1520");
}

TEST_F(ServerTest, Status500FaultSendsAnErrorPage) {
    startServer(faults({"player3:status500"}));
    const RawAnswer answer = get(poll("player3"));
    EXPECT_EQ(answer.status, 500);
    EXPECT_EQ(answer.body.find(kSuccessMark), std::string::npos);
    EXPECT_EQ(get(poll("player4")).status, 200);
}

TEST_F(ServerTest, DelayedAnswerWaitsAndAStopCutsTheWaitShort) {
    startServer(faults({"player1:delay:600000"}));
    const int delayed = sendOnly(server_->port(), getRequest(poll("player1"), server_->port()));
    ASSERT_GE(delayed, 0);
    waitForOpenConnections(1);
    // Another player is answered at once while the delayed answer is still held back.
    EXPECT_EQ(get(poll("player2")).status, 200);
    EXPECT_FALSE(hasInput(delayed));
    server_->stop();
    const RawAnswer answer = readAnswer(delayed);
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body, renderGameAnswer(sampleData().games[0], base()));
}

TEST_F(ServerTest, HangSendsNothingUntilTheServiceStops) {
    startServer(faults({"player1:hang"}));
    const int hanging = sendOnly(server_->port(), getRequest(poll("player1"), server_->port()));
    ASSERT_GE(hanging, 0);
    waitForOpenConnections(1);
    EXPECT_EQ(get(poll("player2")).status, 200);
    EXPECT_FALSE(hasInput(hanging));
    server_->stop();
    const RawAnswer answer = readAnswer(hanging);
    EXPECT_TRUE(answer.closed);
    EXPECT_EQ(answer.bytes, "");
}

TEST_F(ServerTest, ConnectionsAreServedAtTheSameTime) {
    startServer();
    std::vector<std::thread> clients;
    std::vector<std::string> bodies(8);
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        clients.emplace_back(
            [this, i, &bodies] { bodies[i] = get(poll("player" + std::to_string(i + 1))).body; });
    }
    for (std::thread& client : clients) client.join();
    for (const std::string& body : bodies)
        EXPECT_EQ(body, renderGameAnswer(sampleData().games[0], base()));
}

TEST(LookupServer, RunReturnsAfterAStopRequestAndCutsIdleClients) {
    ServerConfig config;
    config.grace = std::chrono::milliseconds(100);
    LookupServer server(Service(sampleData(), kTokens), config);
    std::string error;
    ASSERT_TRUE(server.listen(error)) << error;
    std::thread runner([&server] { server.run(); });
    // A client that connects and never sends a request holds its connection open.
    const int idle = sendOnly(server.port(), "");
    ASSERT_GE(idle, 0);
    for (int i = 0; i < 5000 && server.openConnections() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(server.openConnections(), 1u);
    server.requestStop();
    runner.join();
    EXPECT_EQ(server.openConnections(), 0u);
    EXPECT_TRUE(readAnswer(idle).closed);
    // The port is closed too.
    EXPECT_EQ(sendOnly(server.port(), "GET / HTTP/1.1\r\n\r\n"), -1);
}

TEST(LookupServer, LogsOneLinePerRequest) {
    std::mutex mutex;
    std::vector<std::string> lines;
    ServerConfig config;
    config.log = [&](const std::string& line) {
        std::lock_guard<std::mutex> lock(mutex);
        lines.push_back(line);
    };
    LookupServer server(Service(sampleData(), kTokens), config);
    std::string error;
    ASSERT_TRUE(server.start(error)) << error;
    roundTrip(server.port(), getRequest("/test/status500", server.port()));
    roundTrip(server.port(), getRequest("/test/zero?x=1", server.port()));
    server.stop();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("GET /test/status500 500 17 B ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("GET /test/zero?x=1 200 5 B ", 0), 0u) << lines[1];
}

TEST(LookupServer, RefusesToListenBeyondLoopback) {
    ServerConfig config;
    config.host = "0.0.0.0";
    LookupServer server(Service(sampleData(), kTokens), config);
    std::string error;
    EXPECT_FALSE(server.listen(error));
    EXPECT_NE(error.find("127.0.0.0/8"), std::string::npos) << error;
}

}  // namespace
}  // namespace lookupd
