#include "lookupd/data_file.h"

#include <gtest/gtest.h>

namespace lookupd {
namespace {

const char kGoodData[] = R"({
  "_comment": "members starting with _ are ignored",
  "games": [{
    "id": 4012345678, "startTime": "Dec 11, 2026 08:05:11 PM", "state": "inGame",
    "map": "Summoner's Rift", "elo": 1520,
    "spectate": "spectator 127.0.0.1:8394 Zq3pN4x 4012345678 HN1",
    "players": [
      {"name": "张三", "champion": "Ahri", "spell1": "Flash", "spell2": "Dot"},
      {"name": "夜雨 听风_", "champion": "LeeSin", "spell1": "Smite", "spell2": "Flash"}
    ]
  }, {
    "id": "g2", "startTime": "", "state": "inGame", "map": "Howling Abyss", "elo": "N/A",
    "spectate": "", "players": [], "alsoAnsweredFor": ["旁观者"]
  }],
  "offline": ["李四"],
  "faults": [
    {"player": "*", "kind": "delay", "ms": 20},
    {"player": "张三", "kind": "error", "text": "Service: busy"},
    {"player": "李四", "kind": "huge"},
    {"player": "王五", "kind": "hang", "ms": 500},
    {"player": "@profile", "kind": "empty"}
  ]
})";

TEST(DataFile, ReadsEveryPartOfAGoodFile) {
    ServiceData data;
    std::string error;
    ASSERT_TRUE(readServiceData(kGoodData, data, error)) << error;
    ASSERT_EQ(data.games.size(), 2u);
    const Game& game = data.games[0];
    EXPECT_EQ(game.id, "4012345678");
    EXPECT_EQ(game.startTime, "Dec 11, 2026 08:05:11 PM");
    EXPECT_EQ(game.state, "inGame");
    EXPECT_EQ(game.map, "Summoner's Rift");
    EXPECT_EQ(game.elo, "1520");
    EXPECT_EQ(game.spectate, "spectator 127.0.0.1:8394 Zq3pN4x 4012345678 HN1");
    ASSERT_EQ(game.players.size(), 2u);
    EXPECT_EQ(game.players[1].name, "夜雨 听风_");
    EXPECT_EQ(game.players[1].champion, "LeeSin");
    EXPECT_EQ(game.players[1].spell1, "Smite");
    EXPECT_EQ(game.players[1].spell2, "Flash");
    EXPECT_EQ(data.games[1].elo, "N/A");
    EXPECT_TRUE(data.games[1].players.empty());
    EXPECT_EQ(data.games[1].alsoAnsweredFor, std::vector<std::string>{"旁观者"});
    EXPECT_EQ(data.offline, std::vector<std::string>{"李四"});

    ASSERT_EQ(data.faults.size(), 5u);
    EXPECT_EQ(data.faults[0].target, "*");
    EXPECT_EQ(data.faults[0].fault.kind, FaultKind::Delay);
    EXPECT_EQ(data.faults[0].fault.ms, 20);
    EXPECT_EQ(data.faults[1].fault.kind, FaultKind::Error);
    EXPECT_EQ(data.faults[1].fault.text, "Service: busy");
    EXPECT_EQ(data.faults[2].fault.bytes, kDefaultHugeBytes);
    EXPECT_EQ(data.faults[3].fault.kind, FaultKind::Hang);
    EXPECT_EQ(data.faults[3].fault.ms, 500);
    EXPECT_EQ(data.faults[4].target, kProfileTarget);
}

TEST(DataFile, EmptyObjectIsAServiceWithNoGames) {
    ServiceData data;
    std::string error;
    ASSERT_TRUE(readServiceData("{}", data, error)) << error;
    EXPECT_TRUE(data.games.empty());
    EXPECT_TRUE(data.offline.empty());
    EXPECT_TRUE(data.faults.empty());
}

std::string gameWith(const std::string& members) {
    return R"({"games":[{"id":"g","startTime":"s","state":"inGame","map":"m","elo":1,)"
           R"("spectate":"x",)" +
           members + "}]}";
}

const std::string kPlayers =
    R"("players":[{"name":"a","champion":"Ahri","spell1":"Flash","spell2":"Dot"}])";

TEST(DataFile, SaysWhatIsWrongAndWhere) {
    struct Row {
        const char* what;
        std::string json;
        const char* message;
    };
    const Row rows[] = {
        {"broken JSON", R"({"games": [)", "not valid JSON: parse error at line 1, column 12"},
        {"not UTF-8", "{\"offline\":[\"\xd5\xc5\"]}", "not valid JSON"},
        {"top is a list", "[]", "must hold a JSON object"},
        {"unknown member", R"({"game": []})", R"(unknown member "game")"},
        {"games not a list", R"({"games": {}})", "games: expected a list"},
        {"game not an object", R"({"games": [1]})", "games[0]: expected an object"},
        {"missing players", gameWith(R"("_note":1)"), R"(games[0]: missing "players")"},
        {"missing champion",
         gameWith(R"("players":[{"name":"a","spell1":"Flash","spell2":"Dot"}])"),
         R"(games[0].players[0]: missing "champion")"},
        {"empty name",
         gameWith(R"("players":[{"name":"","champion":"A","spell1":"F","spell2":"D"}])"),
         "games[0].players[0].name: must not be empty"},
        {"name not a text",
         gameWith(R"("players":[{"name":7,"champion":"A","spell1":"F","spell2":"D"}])"),
         "games[0].players[0].name: expected a text"},
        {"elo a list",
         R"({"games":[{"id":"g","startTime":"s","state":"i","map":"m","elo":[],"spectate":"x",)" +
             kPlayers + "}]}",
         "games[0].elo: expected a number or a non-empty text"},
        {"offline not texts", R"({"offline": ["a", 2]})", "offline[1]: expected a non-empty text"},
        {"extra name not a text", gameWith(kPlayers + R"(,"alsoAnsweredFor":[""])"),
         "games[0].alsoAnsweredFor[0]: expected a non-empty text"},
        {"unknown fault kind", R"({"faults":[{"player":"a","kind":"slow"}]})",
         R"(faults[0].kind: unknown kind "slow")"},
        {"error without text", R"({"faults":[{"player":"a","kind":"error"}]})",
         R"(faults[0]: kind "error" needs "text")"},
        {"delay without ms", R"({"faults":[{"player":"a","kind":"delay"}]})",
         R"(faults[0]: kind "delay" needs "ms")"},
        {"argument the kind does not take", R"({"faults":[{"player":"a","kind":"cut","ms":5}]})",
         R"(faults[0]: kind "cut" takes no "ms")"},
        {"negative ms", R"({"faults":[{"player":"a","kind":"delay","ms":-5}]})",
         "faults[0].ms: expected a whole number"},
        {"fault without player", R"({"faults":[{"kind":"cut"}]})",
         R"(faults[0]: missing "player")"},
        {"player in two games",
         R"({"games":[{"id":"g1","startTime":"s","state":"i","map":"m","elo":1,"spectate":"x",)" +
             kPlayers +
             R"(},{"id":"g2","startTime":"s","state":"i","map":"m","elo":1,"spectate":"x",)" +
             kPlayers + "}]}",
         R"(player "a" is in games "g1" and "g2")"},
        {"player offline and in game", gameWith(kPlayers).insert(1, R"("offline":["a"],)"),
         R"(player "a" is listed offline and in game "g")"},
    };
    for (const Row& row : rows) {
        ServiceData data;
        data.offline = {"untouched"};
        std::string error;
        EXPECT_FALSE(readServiceData(row.json, data, error)) << row.what;
        EXPECT_NE(error.find(row.message), std::string::npos)
            << row.what << "\n  error: " << error << "\n  expected: " << row.message;
        EXPECT_EQ(data.offline, std::vector<std::string>{"untouched"}) << row.what;
    }
}

TEST(DataFile, DemoDataLoads) {
    ServiceData data;
    std::string error;
    ASSERT_TRUE(loadServiceDataFile(LOOKUPD_DEMO_DATA, data, error)) << error;
    EXPECT_GE(data.games.size(), 3u);
    for (const Game& game : data.games) EXPECT_EQ(game.players.size(), 10u) << game.id;
    EXPECT_FALSE(data.offline.empty());
}

TEST(DataFile, MissingFileIsNamedInTheError) {
    ServiceData data;
    std::string error;
    EXPECT_FALSE(loadServiceDataFile("/nonexistent/lookupd.json", data, error));
    EXPECT_EQ(error.rfind("/nonexistent/lookupd.json: cannot open", 0), 0u) << error;
}

}  // namespace
}  // namespace lookupd
