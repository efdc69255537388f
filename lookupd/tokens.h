// The three session tokens that the profile page hands out and every poll must carry.
#pragma once

#include <string>
#include <string_view>

namespace lookupd {

struct Tokens {
    std::string diamondprox;
    std::string apiKey;  // REQUIRED_QUICKFIND_API_KEY
    std::string pbk;
};

// Fresh random tokens, different for every start of the service.
Tokens randomTokens();

// The tokens stand unescaped in the page's markup and in the poll address, so they are
// limited to characters that need escaping in neither: letters, digits, "-", ".", "_", "~".
bool isTokenText(std::string_view text);

// Reads "D,K,P".
bool parseTokens(std::string_view text, Tokens& tokens, std::string& error);

}  // namespace lookupd
