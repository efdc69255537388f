#include "lookupd/query.h"

namespace lookupd {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::optional<std::string> percentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::pair<std::string_view, std::string_view>> splitQuery(std::string_view query) {
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    if (query.empty()) return pairs;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = query.find('&', start);
        const std::string_view pair = query.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            pairs.emplace_back(pair, std::string_view());
        } else {
            pairs.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
        }
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return pairs;
}

PollCheck checkPollQuery(std::string_view query, const Tokens& tokens, std::string& summoner) {
    const auto pairs = splitQuery(query);
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"diamondprox", tokens.diamondprox},
        {"REQUIRED_QUICKFIND_API_KEY", tokens.apiKey},
        {"PBK", tokens.pbk},
        {"regionProxy", "china-ionia-1"},
    };
    if (pairs.size() != 5 || pairs[4].first != "summoner") return PollCheck::BadToken;
    for (std::size_t i = 0; i < 4; ++i) {
        if (pairs[i] != expected[i]) return PollCheck::BadToken;
    }
    std::optional<std::string> name = percentDecode(pairs[4].second);
    if (!name) return PollCheck::BadName;
    summoner = std::move(*name);
    return PollCheck::Ok;
}

}  // namespace lookupd
