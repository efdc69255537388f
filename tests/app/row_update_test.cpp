#include "app/row_update.h"

#include <gtest/gtest.h>

namespace {

GameRecord sampleGame() {
    GameRecord game;
    game.startTime = "08:05:11 PM";
    game.pubsubState = "inGame";
    game.inGameMap = "Summoner's Rift";
    game.elo = "1520";
    for (int i = 0; i < 10; ++i) {
        game.playerNames[i] = "p" + std::to_string(i);
        game.champions[i] = "Champ" + std::to_string(i);
        game.firstSpells[i] = "Flash";
        game.secondSpells[i] = "Dot" + std::to_string(i);
    }
    return game;
}

std::vector<int> columnsOf(const RowUpdate& update) {
    std::vector<int> columns;
    for (const CellWrite& write : update.writes) columns.push_back(write.column);
    return columns;
}

TEST(RowUpdate, AGameWritesMapTimeEloThenTheMatchingSlotsChampionAndSpells) {
    PollOutcome outcome;
    outcome.kind = PollOutcome::Kind::game;
    outcome.game = sampleGame();
    RowUpdate update = rowUpdateFor(outcome, "p7");
    EXPECT_TRUE(update.keepsRecord);
    ASSERT_EQ(columnsOf(update), (std::vector<int>{4, 5, 6, 2, 3}));
    EXPECT_EQ(update.writes[0].text, "inGame Summoner's Rift");
    EXPECT_EQ(update.writes[1].text, "08:05:11 PM");
    EXPECT_EQ(update.writes[2].text, "1520");
    EXPECT_EQ(update.writes[3].text, "Champ7");
    EXPECT_EQ(update.writes[4].text, "Flash Dot7");
}

TEST(RowUpdate, ANameMatchesOnlyByteForByte) {
    PollOutcome outcome;
    outcome.kind = PollOutcome::Kind::game;
    outcome.game = sampleGame();
    outcome.game.playerNames[2] = "Dup";
    outcome.game.playerNames[8] = "Dup";
    EXPECT_EQ(columnsOf(rowUpdateFor(outcome, "P7")), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(columnsOf(rowUpdateFor(outcome, "p7 ")), (std::vector<int>{4, 5, 6}));
    RowUpdate first = rowUpdateFor(outcome, "Dup");
    ASSERT_EQ(first.writes.size(), 5u);
    EXPECT_EQ(first.writes[3].text, "Champ2");  // the first matching slot wins
}

TEST(RowUpdate, StatusNetworkErrorAndNothingTouchOneCellOrNone) {
    struct Case {
        PollOutcome::Kind kind;
        Text status;
        std::vector<int> columns;
        Text text;
    } cases[] = {
        {PollOutcome::Kind::status, "离线", {5}, "离线"},
        {PollOutcome::Kind::status, "", {5}, ""},
        {PollOutcome::Kind::networkError, "", {2}, "网络错误"},
        {PollOutcome::Kind::nothing, "", {}, ""},
    };
    for (const Case& c : cases) {
        PollOutcome outcome;
        outcome.kind = c.kind;
        outcome.status = c.status;
        RowUpdate update = rowUpdateFor(outcome, "p1");
        EXPECT_FALSE(update.keepsRecord);
        EXPECT_EQ(columnsOf(update), c.columns);
        if (!update.writes.empty()) {
            EXPECT_EQ(update.writes[0].text, c.text);
        }
    }
}

}  // namespace
