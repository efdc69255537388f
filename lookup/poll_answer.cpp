#include "lookup/poll_answer.h"

#include <utility>

#include "lookup/lookup_service.h"
#include "support/encoding.h"

namespace {

// The markers are the answer's JSON escapes exactly as they stand: a backslash in a raw
// literal below is one backslash of the answer, and "\n" is a backslash and an n.
constexpr std::string_view kSuccessMark = R"(success":true)";
constexpr std::string_view kStartTimeStart = R"("cTime":")";
constexpr std::string_view kPubsubStateStart = R"("xmppPubsubState":")";
constexpr std::string_view kInGameMapStart = R"("xmppStatusInGameMap":")";
constexpr std::string_view kStringMemberEnd = R"(",")";
constexpr std::string_view kPieceStart = R"(<img src=\\'\/assets\/skin\)";
constexpr std::string_view kPieceEnd = R"(/td>\n<\)";
constexpr std::string_view kChampionStart = "/";
constexpr std::string_view kChampionEnd = "_";
constexpr std::string_view kNameStart = R"(/profile\/china-ionia-1\/)";
constexpr std::string_view kNameEnd = R"(\/' target=')";
constexpr std::string_view kFirstSpellStart = R"(/summoners\/Summoner)";
constexpr std::string_view kFirstSpellEnd = R"(.png\" class=\"itemImage\">\n\t\)";
constexpr std::string_view kSecondSpellEnd = R"(.png\" class=\"itemImage\">\n\t<\)";
constexpr std::string_view kSpellImagePrefix = R"(ge\">\n\t\t<img src=\")";
constexpr std::string_view kSpellImageSuffix = R"(\/assets\/legendary\/img\/summoners\/Summoner)";
constexpr std::string_view kSpectateLinkStart = R"(<a href='lrf:\/\/)";
constexpr std::string_view kSpectateLinkEnd = R"(' class='button magenta')";
constexpr std::string_view kEloStart = R"(Elo":)";
constexpr std::string_view kEloEnd = R"(,"mm)";
constexpr std::string_view kErrorMessageStart = R"(error_message":")";
constexpr std::string_view kServiceErrorStart = R"(error":")";
constexpr std::string_view kErrorEnd = R"("})";

static_assert(kSuccessMark.size() == 13);
static_assert(kStartTimeStart.size() == 9 && kStringMemberEnd.size() == 3);
static_assert(kPubsubStateStart.size() == 19 && kInGameMapStart.size() == 23);
static_assert(kPieceStart.size() == 27 && kPieceEnd.size() == 8);
static_assert(kNameStart.size() == 25 && kNameEnd.size() == 12);
static_assert(kFirstSpellStart.size() == 20 && kFirstSpellEnd.size() == 32);
static_assert(kSecondSpellEnd.size() == 33);
static_assert(kSpellImagePrefix.size() == 22 && kSpellImageSuffix.size() == 45);
static_assert(kSpectateLinkStart.size() == 17 && kSpectateLinkEnd.size() == 24);
static_assert(kEloStart.size() == 5 && kEloEnd.size() == 4);
static_assert(kErrorMessageStart.size() == 16 && kServiceErrorStart.size() == 8);
static_assert(kErrorEnd.size() == 2);

// GBK bytes written out, so the library means the same under any compiler's charset.
constexpr char kOfflineStatus[] = "\xC0\xEB\xCF\xDF";                             // 离线
constexpr char kOverloadedStatus[] = "\xB7\xFE\xCE\xF1\xC6\xF7\xB3\xAC\xD4\xD8";  // 服务器超载

constexpr std::string_view kNotInGameError = "The summoner name is not in a game on this platform";
constexpr std::string_view kBacklogError =
    "Sorry, there is a large backlog of requests. Please try again in a minute or two.";

// cTime holds a date, a comma, six more bytes, then the time of day that the list shows.
Text startTimeOf(std::string_view cTime) {
    int length = textLength(cTime);
    int comma = findText(cTime, ",");
    return rightText(cTime, length - comma - 6);
}

Text playerNameOf(std::string_view piece) {
    // Names arrive as \uXXXX escapes; one without a GBK form leaves just this name empty.
    ByteString escaped = textToBytes(textBetween(piece, kNameStart, kNameEnd));
    return bytesToText(convertEncoding(escaped, "JAVA", "GBK"));
}

void fillSlot(GameRecord& game, int slot, std::string_view piece, std::string_view spellMarker) {
    game.champions[slot] = textBetween(piece, kChampionStart, kChampionEnd);
    game.playerNames[slot] = playerNameOf(piece);
    // The first spell's start marker also occurs in the second image's address; the first
    // occurrence is the first image's, so the two never mix.
    game.firstSpells[slot] = textBetween(piece, kFirstSpellStart, kFirstSpellEnd);
    game.secondSpells[slot] = textBetween(piece, spellMarker, kSecondSpellEnd);
}

// Walks the answer from one piece start marker to the next, as splitting it at the marker
// would, but without copying the answer. A part without the end marker takes no slot.
void fillPlayers(GameRecord& game, std::string_view answer, std::string_view base) {
    const Text spellMarker = spellImageMarker(base);
    const int marker = textLength(kPieceStart);
    int slot = 0;
    int at = findText(answer, kPieceStart);
    while (at != -1 && slot < kPlayersPerGame) {
        int partStart = at + marker;
        int next = findText(answer, kPieceStart, partStart);
        int partEnd = next == -1 ? textLength(answer) + 1 : next;
        std::string_view part = answer.substr(partStart - 1, partEnd - partStart);
        int pieceEnd = findText(part, kPieceEnd);
        if (pieceEnd != -1) fillSlot(game, slot++, part.substr(0, pieceEnd - 1), spellMarker);
        at = next;
    }
}

PollOutcome gameOutcome(std::string_view answer, std::string_view base) {
    PollOutcome outcome;
    outcome.kind = PollOutcome::Kind::game;
    GameRecord& game = outcome.game;
    game.startTime = startTimeOf(textBetween(answer, kStartTimeStart, kStringMemberEnd));
    game.pubsubState = textBetween(answer, kPubsubStateStart, kStringMemberEnd);
    game.inGameMap = textBetween(answer, kInGameMapStart, kStringMemberEnd);
    fillPlayers(game, answer, base);
    game.spectateLink = textBetween(answer, kSpectateLinkStart, kSpectateLinkEnd);
    game.elo = textBetween(answer, kEloStart, kEloEnd);
    return outcome;
}

PollOutcome statusOutcome(Text status) {
    PollOutcome outcome;
    outcome.kind = PollOutcome::Kind::status;
    outcome.status = std::move(status);
    return outcome;
}

}  // namespace

Text spellImageMarker(std::string_view base) {
    return concatText({kSpellImagePrefix, replaceText(base, "/", "\\/"), kSpellImageSuffix});
}

PollOutcome parsePollAnswer(std::string_view answer) {
    return parsePollAnswer(answer, lookupBase());
}

PollOutcome parsePollAnswer(std::string_view answer, std::string_view base) {
    if (findText(answer, kSuccessMark) != -1) return gameOutcome(answer, base);

    PollOutcome outcome;
    if (answer.empty()) {
        outcome.kind = PollOutcome::Kind::networkError;
        return outcome;
    }
    // With both marks present only the error message counts.
    if (findText(answer, kErrorMessageStart) != -1) {
        Text text = textBetween(answer, kErrorMessageStart, kErrorEnd);
        return statusOutcome(text == kNotInGameError ? Text(kOfflineStatus) : text);
    }
    if (findText(answer, kServiceErrorStart) != -1) {
        Text text = textBetween(answer, kServiceErrorStart, kErrorEnd);
        return statusOutcome(text == kBacklogError ? Text(kOverloadedStatus) : text);
    }
    return outcome;
}
