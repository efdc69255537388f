// One poll answer of the lookup service, cut into what the player list and the game
// detail view show. The answer is JSON with escaped HTML inside; it is never decoded,
// only searched for fixed markers.
#pragma once

#include <array>
#include <string_view>

#include "support/text.h"

inline constexpr int kPlayersPerGame = 10;

struct GameRecord {
    // Everything but playerNames holds the answer's bytes as they stand, escapes included.
    Text startTime;
    Text pubsubState;
    Text inGameMap;
    // Index i describes the same player in all four; 0-4 one team, 5-9 the other.
    std::array<Text, kPlayersPerGame> champions;
    std::array<Text, kPlayersPerGame> playerNames;  // converted to GBK
    std::array<Text, kPlayersPerGame> firstSpells;
    std::array<Text, kPlayersPerGame> secondSpells;
    Text spectateLink;
    Text elo;
};

struct PollOutcome {
    enum class Kind { game, status, networkError, nothing };
    Kind kind = Kind::nothing;
    GameRecord game;  // for game
    Text status;      // for status: "离线", "服务器超载" or the service's own text
};

// Never fails: missing markers leave fields empty. Pieces beyond the tenth player are
// dropped.
PollOutcome parsePollAnswer(std::string_view answer);
// The same against another service address (the second spell is found by its image
// address, which names the service).
PollOutcome parsePollAnswer(std::string_view answer, std::string_view base);
// The text that precedes the second summoner spell's name in an answer from base.
Text spellImageMarker(std::string_view base);
