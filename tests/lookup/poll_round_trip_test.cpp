// Games written by the local lookup service's answer writer and read back by the parser
// come back as they were: names converted to GBK, every other field as the service
// escaped it.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lookup/poll_answer.h"
#include "lookupd/answer_writer.h"
#include "lookupd/text_escape.h"
#include "support/encoding.h"

namespace {

constexpr char kBase[] = "http://127.0.0.1:8730";

class GameGenerator {
  public:
    explicit GameGenerator(unsigned seed) : random_(seed) {}

    // A GBK name of Chinese characters (GB2312's first level), ASCII letters and digits,
    // spaces and the punctuation players use.
    Text name() {
        Text name;
        int length = pick(1, 8);
        for (int i = 0; i < length; ++i) {
            switch (pick(0, 3)) {
                case 0:
                case 1:
                    name += static_cast<char>(pick(0xB0, 0xD6));
                    name += static_cast<char>(pick(0xA1, 0xFE));
                    break;
                case 2:
                    name += "abcXYZ019"[pick(0, 8)];
                    break;
                default:
                    name += " _~-."[pick(0, 4)];
            }
        }
        return name;
    }

    std::string word() {
        std::string word(static_cast<size_t>(pick(1, 12)), 'a');
        for (char& c : word) c = static_cast<char>(pick(0, 1) ? pick('a', 'z') : pick('A', 'Z'));
        return word;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  private:
    std::mt19937 random_;
};

std::string utf8Of(const Text& gbk) {
    bool ok = false;
    ByteString utf8 = convertEncoding(textToBytes(gbk), "GBK", "UTF-8", &ok);
    EXPECT_TRUE(ok) << gbk;
    return std::string(utf8.begin(), utf8.end());
}

TEST(PollRoundTrip, GeneratedGamesComeBackAsTheyWereWritten) {
    GameGenerator generate(20261211);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        lookupd::Game game;
        const std::string time = std::to_string(generate.pick(1, 12)) + ":" +
                                 std::to_string(generate.pick(10, 59)) + ":" +
                                 std::to_string(generate.pick(10, 59)) + " PM";
        game.startTime = "Dec " + std::to_string(generate.pick(1, 28)) + ", 2026 " + time;
        game.state = generate.word();
        game.map = generate.word() + "'s " + generate.word();
        game.elo = std::to_string(generate.pick(0, 3000));
        game.spectate = "spectator 127.0.0.1:8394 " + generate.word() + "/" + generate.word() +
                        " " + std::to_string(generate.pick(1, 1 << 30)) + " HN1";
        const int players = generate.pick(0, 12);
        std::vector<Text> names;
        for (int i = 0; i < players; ++i) {
            names.push_back(generate.name());
            game.players.push_back(
                {utf8Of(names.back()), generate.word(), generate.word(), generate.word()});
        }

        PollOutcome outcome = parsePollAnswer(lookupd::renderGameAnswer(game, kBase), kBase);
        ASSERT_EQ(outcome.kind, PollOutcome::Kind::game);
        const GameRecord& record = outcome.game;
        EXPECT_EQ(record.startTime, time);
        EXPECT_EQ(record.pubsubState, game.state);
        EXPECT_EQ(record.inGameMap, lookupd::jsonEscape(game.map));
        EXPECT_EQ(record.elo, game.elo);
        EXPECT_EQ(record.spectateLink, lookupd::jsonEscape(game.spectate));
        for (int slot = 0; slot < kPlayersPerGame; ++slot) {
            const bool filled = slot < players;
            EXPECT_EQ(record.playerNames[slot], filled ? names[slot] : "") << slot;
            EXPECT_EQ(record.champions[slot], filled ? game.players[slot].champion : "") << slot;
            EXPECT_EQ(record.firstSpells[slot], filled ? game.players[slot].spell1 : "") << slot;
            EXPECT_EQ(record.secondSpells[slot], filled ? game.players[slot].spell2 : "") << slot;
        }
    }
}

}  // namespace
