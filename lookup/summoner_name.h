// The summoner query value of a poll address: the name as percent-escaped UTF-8.
#pragma once

#include <string_view>

#include "support/text.h"

// Only ASCII letters, digits, "-" and "." stand as they are; every other byte, "_", "~"
// and the space included, becomes "%XX" with uppercase hex digits.
Text encodeSummonerName(std::string_view name);
