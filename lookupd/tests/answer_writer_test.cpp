#include "lookupd/answer_writer.h"

#include <gtest/gtest.h>

#include "answer_markers.h"

namespace lookupd {
namespace {

using namespace lookupd_test;

constexpr std::string_view kBase = "http://127.0.0.1:8730";

struct PlayerRow {
    Player player;
    const char* escapedName;  // as the program finds it between the name markers
};

const PlayerRow kPlayers[] = {
    {{"张三", "Ahri", "Flash", "Dot"}, R"(\u5f20\u4e09)"},
    {{"夜雨 听风_", "LeeSin", "Smite", "Flash"}, R"(\u591c\u96e8 \u542c\u98ce_)"},
    {{"Uzi的小迷弟", "Vayne", "Heal", "Flash"}, R"(Uzi\u7684\u5c0f\u8ff7\u5f1f)"},
    {{"a<b>&'\"c", "Thresh", "Flash", "Exhaust"}, R"(a&lt;b&gt;&amp;&#39;&quot;c)"},
    {{"笑😀", "Jinx", "Heal", "Flash"}, R"(\u7b11\ud83d\ude00)"},
    {{"back\\slash/x", "Darius", "Teleport", "Flash"}, R"(back\\slash\/x)"},
    {{"Player7", "Elise", "Smite", "Flash"}, "Player7"},
    {{"Player8", "Annie", "Flash", "Dot"}, "Player8"},
    {{"Player9", "Caitlyn", "Flash", "Heal"}, "Player9"},
    {{"Player10", "Leona", "Flash", "Dot"}, "Player10"},
};

Game tenPlayerGame() {
    Game game;
    game.id = "1234567";
    game.startTime = "Dec 11, 2026 08:05:11 PM";
    game.state = "inGame";
    game.map = "Summoner's Rift";
    game.elo = "1520";
    game.spectate = "spectator 127.0.0.1:8394 Zq3/pN4x 1234567 HN1";
    for (const PlayerRow& row : kPlayers) game.players.push_back(row.player);
    return game;
}

Game gameWithPlayers(std::size_t count) {
    Game game = tenPlayerGame();
    game.players.clear();
    for (std::size_t i = 0; i < count; ++i) {
        game.players.push_back({"p" + std::to_string(i), "Ahri", "Flash", "Dot"});
    }
    return game;
}

std::size_t occurrences(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

TEST(AnswerWriter, GameMembersComeOutBetweenTheirMarkers) {
    const std::string answer = renderGameAnswer(tenPlayerGame(), kBase);
    struct Row {
        const char* what;
        std::string_view start;
        std::size_t startLength;
        std::string_view end;
        std::size_t endLength;
        const char* expected;
    };
    const Row rows[] = {
        {"start time", kStartTimeStart, 9, kMemberEnd, 3, "Dec 11, 2026 08:05:11 PM"},
        {"pubsub state", kStateStart, 19, kMemberEnd, 3, "inGame"},
        {"map", kMapStart, 23, kMemberEnd, 3, "Summoner's Rift"},
        {"spectate link", kSpectateStart, 17, kSpectateEnd, 24,
         R"(spectator 127.0.0.1:8394 Zq3\/pN4x 1234567 HN1)"},
        {"Elo", kEloStart, 5, kEloEnd, 4, "1520"},
    };
    ASSERT_EQ(kSuccessMark.size(), 13u);
    ASSERT_NE(answer.find(kSuccessMark), std::string::npos);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(row.start.size(), row.startLength);
        ASSERT_EQ(row.end.size(), row.endLength);
        EXPECT_EQ(cut(answer, row.start, row.end), row.expected);
    }
    EXPECT_EQ(shownStartTime(cut(answer, kStartTimeStart, kMemberEnd)), "08:05:11 PM");
}

TEST(AnswerWriter, EachPlayerIsOnePieceWithItsFields) {
    ASSERT_EQ(kPieceStart.size(), 27u);
    ASSERT_EQ(kPieceEnd.size(), 8u);
    ASSERT_EQ(kNameStart.size(), 25u);
    ASSERT_EQ(kNameEnd.size(), 12u);
    ASSERT_EQ(kFirstSpellStart.size(), 20u);
    ASSERT_EQ(kFirstSpellEnd.size(), 32u);
    ASSERT_EQ(kSpellImageHead.size(), 22u);
    ASSERT_EQ(kSpellImageTail.size(), 45u);
    ASSERT_EQ(kSecondSpellEnd.size(), 33u);

    const std::string answer = renderGameAnswer(tenPlayerGame(), kBase);
    const std::vector<std::string> pieces = playerPieces(answer);
    ASSERT_EQ(pieces.size(), std::size(kPlayers));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        SCOPED_TRACE("player " + std::to_string(i + 1));
        const PieceFields fields = readPiece(pieces[i], kBase);
        EXPECT_EQ(fields.champion, kPlayers[i].player.champion);
        EXPECT_EQ(fields.name, kPlayers[i].escapedName);
        EXPECT_EQ(fields.spell1, kPlayers[i].player.spell1);
        EXPECT_EQ(fields.spell2, kPlayers[i].player.spell2);
    }
}

TEST(AnswerWriter, PieceEndMarkerClosesOnlyTheSpellsCell) {
    const std::string answer = renderGameAnswer(tenPlayerGame(), kBase);
    EXPECT_EQ(occurrences(answer, kPieceEnd), std::size(kPlayers));
    // The champion and name cells end differently, or a piece would stop before the spells.
    EXPECT_EQ(occurrences(answer, R"(<\/td>\n\t<td)"), 2 * std::size(kPlayers));
    for (const std::string& piece : playerPieces(answer)) {
        // Both images carry the first spell's start marker; the spell image marker spans
        // from the end of the first image into the second.
        EXPECT_EQ(occurrences(piece, kFirstSpellStart), 2u) << piece;
        EXPECT_EQ(occurrences(piece, spellImageMarker(kBase)), 1u) << piece;
    }
}

TEST(AnswerWriter, SpellImagesUseTheBaseAddressGiven) {
    const std::string answer = renderGameAnswer(tenPlayerGame(), "http://localhost:9000");
    const std::vector<std::string> pieces = playerPieces(answer);
    ASSERT_FALSE(pieces.empty());
    EXPECT_EQ(readPiece(pieces[0], "http://localhost:9000").spell2, "Dot");
    EXPECT_EQ(readPiece(pieces[0], kBase).spell2, "");
}

TEST(AnswerWriter, WritesAsManyPlayersAsTheGameHas) {
    for (std::size_t count : {0u, 1u, 6u, 10u, 12u}) {
        SCOPED_TRACE(count);
        const std::string answer = renderGameAnswer(gameWithPlayers(count), kBase);
        const std::vector<std::string> pieces = playerPieces(answer);
        ASSERT_EQ(pieces.size(), count);
        if (count > 0) {
            EXPECT_EQ(readPiece(pieces.back(), kBase).name, "p" + std::to_string(count - 1));
        }
        EXPECT_EQ(cut(answer, kSpectateStart, kSpectateEnd),
                  R"(spectator 127.0.0.1:8394 Zq3\/pN4x 1234567 HN1)");
    }
}

TEST(AnswerWriter, EloIsWrittenUnquotedAsItStands) {
    struct Row {
        const char* elo;
        const char* tier;
    };
    const Row rows[] = {
        {"1520", "gold"}, {"980", "bronze"}, {"2400", "diamond"}, {"N/A", "unranked"}};
    for (const Row& row : rows) {
        Game game = tenPlayerGame();
        game.elo = row.elo;
        const std::string answer = renderGameAnswer(game, kBase);
        EXPECT_NE(
            answer.find(std::string("\"Elo\":") + row.elo + ",\"mmrTier\":\"" + row.tier + "\""),
            std::string::npos)
            << answer.substr(answer.size() - 60);
        EXPECT_EQ(cut(answer, kEloStart, kEloEnd), row.elo);
    }
}

TEST(AnswerWriter, MembersOutsideTheHtmlAreJsonEscaped) {
    Game game = tenPlayerGame();
    game.startTime = "Dec 11, 2026 \"8\" PM";
    game.map = "嚎哭深渊";
    const std::string answer = renderGameAnswer(game, kBase);
    EXPECT_EQ(cut(answer, kStartTimeStart, kMemberEnd), R"(Dec 11, 2026 \"8\" PM)");
    EXPECT_EQ(cut(answer, kMapStart, kMemberEnd), R"(\u568e\u54ed\u6df1\u6e0a)");
}

TEST(AnswerWriter, PaddingReachesTheSizeAskedForAndKeepsEveryField) {
    const Game game = tenPlayerGame();
    const std::string plain = renderGameAnswer(game, kBase);
    const std::string padded = renderGameAnswer(game, kBase, 300000);
    EXPECT_EQ(padded.size(), 300000u);
    for (std::string_view start : {kStartTimeStart, kStateStart, kMapStart}) {
        EXPECT_EQ(cut(padded, start, kMemberEnd), cut(plain, start, kMemberEnd));
    }
    EXPECT_EQ(cut(padded, kSpectateStart, kSpectateEnd), cut(plain, kSpectateStart, kSpectateEnd));
    EXPECT_EQ(cut(padded, kEloStart, kEloEnd), "1520");
    EXPECT_EQ(playerPieces(padded), playerPieces(plain));
    // Too small a size to pad to leaves the answer as it is.
    EXPECT_EQ(renderGameAnswer(game, kBase, 100), plain);
}

TEST(AnswerWriter, StatusAnswersEndWithTheirErrorMember) {
    ASSERT_EQ(kErrorMessageStart.size(), 16u);
    ASSERT_EQ(kErrorStart.size(), 8u);
    ASSERT_EQ(kErrorEnd.size(), 2u);
    EXPECT_EQ(
        renderNotInGameAnswer(),
        R"({"success":false,"error_message":"The summoner name is not in a game on this platform"})");
    EXPECT_EQ(
        renderErrorAnswer(kBacklogText),
        R"({"success":false,"error":"Sorry, there is a large backlog of requests. Please try again in a minute or two."})");
    EXPECT_EQ(renderErrorAnswer("say \"no\""), R"({"success":false,"error":"say \"no\""})");

    const std::string padded = renderNotInGameAnswer(4096);
    EXPECT_EQ(padded.size(), 4096u);
    EXPECT_EQ(padded.find(kSuccessMark), std::string::npos);
    EXPECT_EQ(cut(padded, kErrorMessageStart, kErrorEnd), kNotInGameText);
    const std::string paddedError = renderErrorAnswer(kBacklogText, 4096);
    EXPECT_EQ(paddedError.size(), 4096u);
    EXPECT_EQ(cut(paddedError, kErrorStart, kErrorEnd), kBacklogText);
}

}  // namespace
}  // namespace lookupd
