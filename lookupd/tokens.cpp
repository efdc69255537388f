#include "lookupd/tokens.h"

#include <random>

namespace lookupd {

namespace {

std::string randomText(std::mt19937_64& generator, std::size_t length) {
    static const std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += kAlphabet[pick(generator)];
    return text;
}

}  // namespace

Tokens randomTokens() {
    std::random_device device;
    std::mt19937_64 generator((static_cast<std::uint64_t>(device()) << 32) ^ device());
    return {randomText(generator, 16), randomText(generator, 32), randomText(generator, 24)};
}

bool isTokenText(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        const bool letterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '-' && c != '.' && c != '_' && c != '~') return false;
    }
    return true;
}

bool parseTokens(std::string_view text, Tokens& tokens, std::string& error) {
    const std::size_t first = text.find(',');
    const std::size_t second = first == std::string_view::npos ? first : text.find(',', first + 1);
    if (second == std::string_view::npos || text.find(',', second + 1) != std::string_view::npos) {
        error = "tokens \"" + std::string(text) + "\": expected three tokens D,K,P";
        return false;
    }
    const Tokens parsed{std::string(text.substr(0, first)),
                        std::string(text.substr(first + 1, second - first - 1)),
                        std::string(text.substr(second + 1))};
    for (const std::string* token : {&parsed.diamondprox, &parsed.apiKey, &parsed.pbk}) {
        if (!isTokenText(*token)) {
            error =
                "token \"" + *token +
                "\": must be non-empty and hold only letters, digits, \"-\", \".\", \"_\", \"~\"";
            return false;
        }
    }
    tokens = parsed;
    return true;
}

}  // namespace lookupd
