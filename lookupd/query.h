// The query part of request addresses: percent-decoding and the poll's checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lookupd/tokens.h"

namespace lookupd {

// %XX in either case becomes its byte; everything else, "+" included, stands for itself
// (the program writes a space as %20). Nothing for a "%" without two hex digits.
std::optional<std::string> percentDecode(std::string_view text);

// "a=1&b=2" as its key and value pairs, both still escaped. A pair without "=" has an
// empty value.
std::vector<std::pair<std::string_view, std::string_view>> splitQuery(std::string_view query);

enum class PollCheck { Ok, BadToken, BadName };

// The program sends exactly diamondprox, REQUIRED_QUICKFIND_API_KEY, PBK, regionProxy and
// summoner, in that order; any other query is refused as a bad token, as the real service
// does. On Ok, summoner holds the decoded name.
PollCheck checkPollQuery(std::string_view query, const Tokens& tokens, std::string& summoner);

}  // namespace lookupd
