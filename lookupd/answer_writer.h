// The poll answers of the lookup service, as JSON text. The program cuts its fields out of
// the raw text with fixed markers, so the layout here, down to each escaped slash, is what
// it relies on. Tests of the program's parser may render answers with these functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "lookupd/service_data.h"
#include "lookupd/text_escape.h"

namespace lookupd {

inline constexpr std::string_view kNotInGameText =
    "The summoner name is not in a game on this platform";
inline constexpr std::string_view kBacklogText =
    "Sorry, there is a large backlog of requests. Please try again in a minute or two.";
inline constexpr std::string_view kInvalidTokenText = "Invalid request token";
inline constexpr std::string_view kInvalidNameText = "Invalid summoner name";

// The answer for a player in game. baseAddress is the service's own address as its
// clients use it, scheme and host without a trailing slash ("http://127.0.0.1:8730"); the
// spell images point there. With padTo, filler inside the html makes the answer exactly
// padTo bytes long; an answer that is already about that long stays unpadded.
std::string renderGameAnswer(const Game& game, std::string_view baseAddress, std::size_t padTo = 0);

// {"success":false,"error_message":"The summoner name is not in a game on this platform"};
// padTo adds a "padding" member before the error member, which has to stay last.
std::string renderNotInGameAnswer(std::size_t padTo = 0);

// {"success":false,"error":"TEXT"}
std::string renderErrorAnswer(std::string_view text, std::size_t padTo = 0);

// The rank tier that goes with an Elo: "bronze" up to "diamond", "unranked" for a text.
std::string mmrTierFor(std::string_view elo);

}  // namespace lookupd
