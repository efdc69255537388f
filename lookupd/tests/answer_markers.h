// The program's way of reading a poll answer, redone here to check what the service
// writes: values are cut out of the raw text between fixed markers, byte for byte, with
// the JSON escapes left in place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lookupd_test {

// Every marker exactly as the program searches for it; backslashes are characters.
inline constexpr std::string_view kSuccessMark = R"(success":true)";
inline constexpr std::string_view kStartTimeStart = R"("cTime":")";
inline constexpr std::string_view kStateStart = R"("xmppPubsubState":")";
inline constexpr std::string_view kMapStart = R"("xmppStatusInGameMap":")";
inline constexpr std::string_view kMemberEnd = R"(",")";
inline constexpr std::string_view kPieceStart = R"(<img src=\\'\/assets\/skin\)";
inline constexpr std::string_view kPieceEnd = R"(/td>\n<\)";
inline constexpr std::string_view kNameStart = R"(/profile\/china-ionia-1\/)";
inline constexpr std::string_view kNameEnd = R"(\/' target=')";
inline constexpr std::string_view kFirstSpellStart = R"(/summoners\/Summoner)";
inline constexpr std::string_view kFirstSpellEnd = R"(.png\" class=\"itemImage\">\n\t\)";
inline constexpr std::string_view kSpellImageHead = R"(ge\">\n\t\t<img src=\")";
inline constexpr std::string_view kSpellImageTail =
    R"(\/assets\/legendary\/img\/summoners\/Summoner)";
inline constexpr std::string_view kSecondSpellEnd = R"(.png\" class=\"itemImage\">\n\t<\)";
inline constexpr std::string_view kSpectateStart = R"(<a href='lrf:\/\/)";
inline constexpr std::string_view kSpectateEnd = R"(' class='button magenta')";
inline constexpr std::string_view kEloStart = R"(Elo":)";
inline constexpr std::string_view kEloEnd = R"(,"mm)";
inline constexpr std::string_view kErrorMessageStart = R"(error_message":")";
inline constexpr std::string_view kErrorStart = R"(error":")";
inline constexpr std::string_view kErrorEnd = R"("})";

// The text between the first left marker and the first right marker after it, both
// found ignoring ASCII letter case; "" when either is missing.
std::string cut(std::string_view text, std::string_view left, std::string_view right);

// The spell image marker for a base address such as "http://127.0.0.1:8730".
std::string spellImageMarker(std::string_view base);

// The answer split at every piece start marker (first part dropped), each part up to
// its first piece end marker; parts without an end marker give no piece.
std::vector<std::string> playerPieces(std::string_view answer);

struct PieceFields {
    std::string champion;
    std::string name;  // still escaped: \u5f20\u4e09
    std::string spell1;
    std::string spell2;
};

PieceFields readPiece(std::string_view piece, std::string_view base);

// What the program shows of the cTime value: after the first comma and six more bytes.
std::string shownStartTime(std::string_view cTime);

}  // namespace lookupd_test
