#include "lookup/poll_answer.h"

#include <gtest/gtest.h>

#include "lookup/lookup_service.h"
#include "poll_answer_fixture.h"

namespace {

constexpr char kBase[] = "http://127.0.0.1:8730";
constexpr char kEscapedSpectateLink[] = R"(spectator 10.0.0.1:8088 Zx9k\/Qw 4001234567 HN1)";

PollOutcome parse(std::string_view answer) {
    return parsePollAnswer(answer, kBase);
}

void expectSlotEmpty(const GameRecord& game, int slot) {
    EXPECT_EQ(game.champions[slot], "") << "slot " << slot;
    EXPECT_EQ(game.playerNames[slot], "") << "slot " << slot;
    EXPECT_EQ(game.firstSpells[slot], "") << "slot " << slot;
    EXPECT_EQ(game.secondSpells[slot], "") << "slot " << slot;
}

void expectSlotHolds(const GameRecord& game, int slot, const fixture::Player& player,
                     const Text& gbkName) {
    SCOPED_TRACE("slot " + std::to_string(slot));
    EXPECT_EQ(game.champions[slot], player.champion);
    EXPECT_EQ(game.playerNames[slot], gbkName);
    EXPECT_EQ(game.firstSpells[slot], player.firstSpell);
    EXPECT_EQ(game.secondSpells[slot], player.secondSpell);
}

TEST(PollAnswer, TenPlayerGameFillsEveryField) {
    fixture::Game game = fixture::tenPlayerGame();
    PollOutcome outcome = parse(fixture::pollAnswer(game, kBase));

    ASSERT_EQ(outcome.kind, PollOutcome::Kind::game);
    const GameRecord& record = outcome.game;
    EXPECT_EQ(record.startTime, "12:34:56 PM");
    EXPECT_EQ(record.pubsubState, "inGame");
    EXPECT_EQ(record.inGameMap, "SummonersRift");
    EXPECT_EQ(record.spectateLink, kEscapedSpectateLink);
    EXPECT_EQ(record.elo, "1523");
    const Text gbkNames[] = {"张三", "Faker", "李四abc", "王五", "赵六",
                             "孙七", "周八",  "吴九",    "郑十", "Uzi"};
    for (int i = 0; i < 10; ++i) expectSlotHolds(record, i, game.players[i], gbkNames[i]);
    EXPECT_EQ(outcome.status, "");
}

TEST(PollAnswer, SecondSpellIsFoundThroughTheServiceAddress) {
    fixture::Game game = fixture::tenPlayerGame();
    std::string answer = fixture::pollAnswer(game, "http://other.test:1");

    PollOutcome elsewhere = parse(answer);
    ASSERT_EQ(elsewhere.kind, PollOutcome::Kind::game);
    EXPECT_EQ(elsewhere.game.firstSpells[0], game.players[0].firstSpell);
    EXPECT_EQ(elsewhere.game.secondSpells[0], "");

    EXPECT_EQ(parsePollAnswer(answer, "http://other.test:1").game.secondSpells[0],
              game.players[0].secondSpell);
    EXPECT_EQ(
        spellImageMarker("http://a.b:1"),
        R"(ge\">\n\t\t<img src=\"http:\/\/a.b:1\/assets\/legendary\/img\/summoners\/Summoner)");
}

TEST(PollAnswer, OneArgumentFormUsesTheLookupBase) {
    const Text builtIn = lookupBase();
    setLookupBaseForTesting("http://svc.test:9");
    fixture::Game game = fixture::tenPlayerGame();
    PollOutcome outcome = parsePollAnswer(fixture::pollAnswer(game, "http://svc.test:9"));
    setLookupBaseForTesting(builtIn);
    EXPECT_EQ(outcome.game.secondSpells[9], game.players[9].secondSpell);
}

TEST(PollAnswer, StartTimeDropsUpToTheCommaAndSixBytesMore) {
    const std::pair<const char*, const char*> cases[] = {
        {"Jan 01, 2015 12:34:56 PM", "12:34:56 PM"},  // 24 bytes, comma at 7
        {"Jan 1, 2015 1:23:45 AM", "1:23:45 AM"},     // 22 bytes, comma at 6
        {"20150101123456", "101123456"},              // no comma: first five go
        {"12345", ""},
        {"123456", "6"},
        {"", ""},
        {"abc,123456", ""},  // comma followed by six bytes
        {"abc,1234567", "7"},
        {"a,b,cdefghij", "ghij"},  // the first comma counts
    };
    for (const auto& [cTime, shown] : cases) {
        std::string answer = std::string(R"({"success":true,"cTime":")") + cTime +
                             R"(","xmppPubsubState":"inGame"})";
        EXPECT_EQ(parse(answer).game.startTime, shown) << cTime;
    }
}

TEST(PollAnswer, SuccessMarkAloneGivesAnEmptyGame) {
    PollOutcome outcome = parse(R"({"success":true})");
    ASSERT_EQ(outcome.kind, PollOutcome::Kind::game);
    const GameRecord& record = outcome.game;
    EXPECT_EQ(record.startTime, "");
    EXPECT_EQ(record.pubsubState, "");
    EXPECT_EQ(record.inGameMap, "");
    EXPECT_EQ(record.spectateLink, "");
    EXPECT_EQ(record.elo, "");
    for (int i = 0; i < 10; ++i) expectSlotEmpty(record, i);
}

TEST(PollAnswer, SuccessMarkIsCaseSensitive) {
    fixture::Game game = fixture::tenPlayerGame();
    std::string answer = fixture::pollAnswer(game, kBase);
    answer.replace(answer.find("\"success\":true"), 14, "\"Success\":TRUE");
    EXPECT_EQ(parse(answer).kind, PollOutcome::Kind::nothing);
}

TEST(PollAnswer, SlotsFollowTheCompletePiecesInOrder) {
    fixture::Game six = fixture::tenPlayerGame();
    six.players.resize(6);
    PollOutcome sixOutcome = parse(fixture::pollAnswer(six, kBase));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(sixOutcome.game.champions[i], six.players[i].champion);
    for (int i = 6; i < 10; ++i) expectSlotEmpty(sixOutcome.game, i);

    // Players eleven and twelve have no slot; the first ten keep theirs.
    fixture::Game twelve = fixture::tenPlayerGame();
    twelve.players.push_back({u"Extra1", "Nami", "Heal", "Flash"});
    twelve.players.push_back({u"Extra2", "Sona", "Ignite", "Flash"});
    PollOutcome twelveOutcome = parse(fixture::pollAnswer(twelve, kBase));
    ASSERT_EQ(twelveOutcome.kind, PollOutcome::Kind::game);
    // Writing an eleventh slot would land in the next array's first entry.
    expectSlotHolds(twelveOutcome.game, 0, twelve.players[0], "张三");
    expectSlotHolds(twelveOutcome.game, 9, twelve.players[9], "Uzi");
    EXPECT_EQ(twelveOutcome.game.spectateLink, kEscapedSpectateLink);
}

TEST(PollAnswer, PartWithoutPieceEndTakesNoSlot) {
    fixture::Game game = fixture::tenPlayerGame();
    game.players.resize(3);
    std::string answer = fixture::pollAnswer(game, kBase);
    // A champion image cut off before its table cell ends, between players 1 and 2.
    const std::string secondRow = R"(<tr>\n<td class=\"player\"><img src=\\'\/assets\/skin\/Ahri)";
    answer.insert(answer.find(secondRow), R"(<img src=\\'\/assets\/skin\/Broken_0.png\\'>)");

    PollOutcome outcome = parse(answer);
    EXPECT_EQ(outcome.game.champions[0], "Annie");
    EXPECT_EQ(outcome.game.champions[1], "Ahri");
    EXPECT_EQ(outcome.game.champions[2], "LeeSin");
    expectSlotEmpty(outcome.game, 3);
}

TEST(PollAnswer, NameWithoutGbkFormIsEmptiedAlone) {
    fixture::Game game = fixture::tenPlayerGame();
    game.players[1].name = u"A\U0001F600";  // an emoji: a surrogate pair with no GBK form
    PollOutcome outcome = parse(fixture::pollAnswer(game, kBase));

    expectSlotHolds(outcome.game, 1, game.players[1], "");
    EXPECT_EQ(outcome.game.playerNames[0], "张三");
    EXPECT_EQ(outcome.game.playerNames[2], "李四abc");
}

TEST(PollAnswer, NameWithABrokenEscapeIsEmptiedAlone) {
    fixture::Game game = fixture::tenPlayerGame();
    game.players.resize(2);
    game.players[0].name = u"张三";
    std::string answer = fixture::pollAnswer(game, kBase);
    // The last escape of the profile link's name cut short: "\u4e09" becomes "\u4e0".
    const std::string link = R"(\u4e09\/' target=')";
    answer.replace(answer.find(link), link.size(), R"(\u4e0\/' target=')");

    PollOutcome outcome = parse(answer);
    expectSlotHolds(outcome.game, 0, game.players[0], "");
    EXPECT_EQ(outcome.game.playerNames[1], "Faker");
}

TEST(PollAnswer, WithoutSuccessTheErrorMarksDecide) {
    const std::string offline = "The summoner name is not in a game on this platform";
    const std::string backlog =
        "Sorry, there is a large backlog of requests. Please try again in a minute or two.";
    const struct {
        const char* what;
        std::string answer;
        PollOutcome::Kind kind;
        Text status;
    } cases[] = {
        {"empty answer", "", PollOutcome::Kind::networkError, ""},
        {"not in a game", R"({"error_message":")" + offline + R"("})", PollOutcome::Kind::status,
         "\xC0\xEB\xCF\xDF"},  // 离线
        {"backlog", R"({"error":")" + backlog + R"("})", PollOutcome::Kind::status,
         "\xB7\xFE\xCE\xF1\xC6\xF7\xB3\xAC\xD4\xD8"},  // 服务器超载
        {"other text unchanged", R"({"error":"Unknown region"})", PollOutcome::Kind::status,
         "Unknown region"},
        {"known text compared exactly", R"({"error_message":")" + offline + R"(."})",
         PollOutcome::Kind::status, offline + "."},
        {"each mark has its own known text", R"({"error_message":")" + backlog + R"("})",
         PollOutcome::Kind::status, backlog},
        {"error message wins over error",
         R"({"error":")" + backlog + R"(","x":1,"error_message":")" + offline + R"("})",
         PollOutcome::Kind::status, "\xC0\xEB\xCF\xDF"},
        {"mark without closing", R"({"error":"cut off)", PollOutcome::Kind::status, ""},
        {"neither mark", R"({"status":"ok"})", PollOutcome::Kind::nothing, ""},
        {"marks are case-sensitive", R"({"ERROR":"x","Error_Message":"y"})",
         PollOutcome::Kind::nothing, ""},
        {"html error page", "<html><body>502 Bad Gateway</body></html>", PollOutcome::Kind::nothing,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PollOutcome outcome = parse(c.answer);
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.game.champions[0], "");
    }
}

}  // namespace
