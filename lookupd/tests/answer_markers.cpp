#include "answer_markers.h"

namespace lookupd_test {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.size() > text.size()) return std::string_view::npos;
    for (std::size_t at = from; at + needle.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < needle.size() && lower(text[at + i]) == lower(needle[i])) ++i;
        if (i == needle.size()) return at;
    }
    return std::string_view::npos;
}

}  // namespace

std::string cut(std::string_view text, std::string_view left, std::string_view right) {
    const std::size_t start = findIgnoringCase(text, left, 0);
    if (start == std::string_view::npos) return "";
    const std::size_t from = start + left.size();
    const std::size_t end = findIgnoringCase(text, right, from);
    if (end == std::string_view::npos) return "";
    return std::string(text.substr(from, end - from));
}

std::string spellImageMarker(std::string_view base) {
    std::string escaped;
    for (char c : base) escaped += c == '/' ? std::string("\\/") : std::string(1, c);
    return std::string(kSpellImageHead) + escaped + std::string(kSpellImageTail);
}

std::vector<std::string> playerPieces(std::string_view answer) {
    std::vector<std::string> pieces;
    std::size_t at = answer.find(kPieceStart);
    while (at != std::string_view::npos) {
        const std::size_t partStart = at + kPieceStart.size();
        const std::size_t next = answer.find(kPieceStart, partStart);
        const std::string_view part = answer.substr(partStart, next - partStart);
        const std::size_t end = part.find(kPieceEnd);
        if (end != std::string_view::npos) pieces.emplace_back(part.substr(0, end));
        at = next;
    }
    return pieces;
}

PieceFields readPiece(std::string_view piece, std::string_view base) {
    return {cut(piece, "/", "_"), cut(piece, kNameStart, kNameEnd),
            cut(piece, kFirstSpellStart, kFirstSpellEnd),
            cut(piece, spellImageMarker(base), kSecondSpellEnd)};
}

std::string shownStartTime(std::string_view cTime) {
    const std::size_t comma = cTime.find(',');
    const long length = static_cast<long>(cTime.size());
    const long position = comma == std::string_view::npos ? -1 : static_cast<long>(comma) + 1;
    const long count = length - position - 6;
    if (count <= 0) return "";
    if (count >= length) return std::string(cTime);
    return std::string(cTime.substr(cTime.size() - static_cast<std::size_t>(count)));
}

}  // namespace lookupd_test
