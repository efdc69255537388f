// Poll answers come from the network: whatever the bytes, the parser must stay inside
// them and give one coherent outcome.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lookup/poll_answer.h"

namespace {

constexpr char kBase[] = "http://127.0.0.1:8730";

void require(bool holds) {
    if (!holds) std::abort();
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool isAscii(std::string_view text) {
    for (unsigned char byte : text) {
        if (byte >= 0x80) return false;
    }
    return true;
}

// Every field but the names is cut out of the answer unchanged.
void requireCutFrom(std::string_view answer, const Text& field) {
    require(field.empty() || contains(answer, field));
}

bool recordIsEmpty(const GameRecord& game) {
    bool empty = game.startTime.empty() && game.pubsubState.empty() && game.inGameMap.empty() &&
                 game.spectateLink.empty() && game.elo.empty();
    for (int i = 0; i < kPlayersPerGame; ++i) {
        empty = empty && game.champions[i].empty() && game.playerNames[i].empty() &&
                game.firstSpells[i].empty() && game.secondSpells[i].empty();
    }
    return empty;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view answer(reinterpret_cast<const char*>(data), size);
    PollOutcome outcome = parsePollAnswer(answer, kBase);

    const bool successMark = contains(answer, R"(success":true)");
    // The mark search steps over two-byte characters, so only in ASCII is it exact.
    if (outcome.kind == PollOutcome::Kind::game) require(successMark);
    if (successMark && isAscii(answer)) require(outcome.kind == PollOutcome::Kind::game);
    require((outcome.kind == PollOutcome::Kind::networkError) == answer.empty());
    if (outcome.kind == PollOutcome::Kind::status) {
        require(contains(answer, R"(error_message":")") || contains(answer, R"(error":")"));
    }
    if (outcome.kind != PollOutcome::Kind::status) require(outcome.status.empty());
    if (outcome.kind != PollOutcome::Kind::game) require(recordIsEmpty(outcome.game));

    const GameRecord& game = outcome.game;
    for (const Text* field :
         {&game.startTime, &game.pubsubState, &game.inGameMap, &game.spectateLink, &game.elo}) {
        requireCutFrom(answer, *field);
    }
    for (int i = 0; i < kPlayersPerGame; ++i) {
        requireCutFrom(answer, game.champions[i]);
        requireCutFrom(answer, game.firstSpells[i]);
        requireCutFrom(answer, game.secondSpells[i]);
        require(game.playerNames[i].find('\0') == Text::npos);
    }
    return 0;
}
