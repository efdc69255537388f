// What the lookup service knows: the games under way, the players known to be offline,
// and the faults it plays for chosen players.
#pragma once

#include <string>
#include <vector>

#include "lookupd/fault_plan.h"

namespace lookupd {

struct Player {
    std::string name;      // UTF-8, matched byte for byte against the decoded poll name
    std::string champion;  // as in the skin image's file name: "Ahri" for Ahri_0.jpg
    std::string spell1;    // without the "Summoner" prefix: "Flash" for SummonerFlash.png
    std::string spell2;
};

struct Game {
    std::string id;
    std::string startTime;  // the cTime text: "Dec 11, 2026 08:05:11 PM"
    std::string state;      // pubsub state: "inGame"
    std::string map;
    std::string elo;       // written unquoted, exactly as it stands
    std::string spectate;  // the link after "lrf://", with plain slashes
    std::vector<Player> players;
    // Names that also get this game's answer without being among its players, as when the
    // service lists a player under another name.
    std::vector<std::string> alsoAnsweredFor;
};

struct ServiceData {
    std::vector<Game> games;
    std::vector<std::string> offline;
    std::vector<FaultRule> faults;
};

}  // namespace lookupd
