// Writes poll answers the way the lookup service sends them: the game's HTML, JSON-escaped
// into a string member, beside the plain members the parser cuts out. The HTML is built
// as UTF-16 so that names can hold any character; the JSON writer escapes every non-ASCII
// unit as \uxxxx, which is how player names reach the parser.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace fixture {

struct Player {
    std::u16string name;
    std::string champion;
    std::string firstSpell;
    std::string secondSpell;
};

struct Game {
    std::string cTime = "Jan 01, 2015 12:34:56 PM";
    std::string pubsubState = "inGame";
    std::string inGameMap = "SummonersRift";
    std::string elo = "1523";
    std::string spectateTarget = "spectator 10.0.0.1:8088 Zx9k/Qw 4001234567 HN1";
    // Item images per player: answers carry them after the spell cell, with the same
    // image class as the spells.
    int itemsPerPlayer = 6;
    std::vector<Player> players;
};

inline std::u16string widen(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// JSON string escaping with slashes escaped too, as the service writes its strings.
inline std::string jsonString(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) {
        switch (unit) {
            case u'"':
                out += "\\\"";
                break;
            case u'\\':
                out += "\\\\";
                break;
            case u'/':
                out += "\\/";
                break;
            case u'\n':
                out += "\\n";
                break;
            case u'\t':
                out += "\\t";
                break;
            default:
                if (unit >= 0x20 && unit < 0x80) {
                    out += static_cast<char>(unit);
                } else {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
                    out += escape;
                }
        }
    }
    return out;
}

inline std::u16string spellImage(std::string_view base, std::string_view spell) {
    return u"<img src=\"" + widen(base) + u"/assets/legendary/img/summoners/Summoner" +
           widen(spell) + u".png\" class=\"itemImage\">";
}

inline std::u16string playerRow(const Player& player, std::string_view base, int items) {
    std::u16string row =
        u"<tr>\n<td class=\"player\"><img src=\\'/assets/skin/" + widen(player.champion) +
        u"_0.png\\' class=\"champion\"><a href='/profile/china-ionia-1/" + player.name +
        u"/' target='_blank'>" + player.name + u"</a></td>\n<td class=\"spells\">\n\t\t" +
        spellImage(base, player.firstSpell) + u"\n\t\t" + spellImage(base, player.secondSpell) +
        u"\n\t</td>\n";
    row += u"<td class=\"items\">";
    for (int i = 0; i < items; ++i) {
        row += u"\n\t\t<img src=\"" + widen(base) + u"/assets/legendary/img/items/" +
               widen(std::to_string(3000 + 17 * i)) + u".png\" class=\"itemImage\" title=\"Item " +
               widen(std::to_string(i + 1)) + u"\">";
    }
    row += u"\n\t</td>\n</tr>\n";
    return row;
}

inline std::string pollAnswer(const Game& game, std::string_view base) {
    std::u16string html = u"<div class=\"game\">\n<table class=\"team blue\">\n";
    for (size_t i = 0; i < game.players.size(); ++i) {
        if (i == 5) html += u"</table>\n<table class=\"team red\">\n";
        html += playerRow(game.players[i], base, game.itemsPerPlayer);
    }
    html += u"</table>\n<a href='lrf://" + widen(game.spectateTarget) +
            u"' class='button magenta'>Spectate</a>\n</div>";
    return "{\"success\":true,\"region\":\"china-ionia-1\",\"cTime\":\"" + game.cTime +
           "\",\"xmppPubsubState\":\"" + game.pubsubState + "\",\"xmppStatusInGameMap\":\"" +
           game.inGameMap + "\",\"html\":\"" + jsonString(html) + "\",\"Elo\":" + game.elo +
           ",\"mmrConfidence\":\"high\"}";
}

// Ten players with distinct champions and spells, names of the usual mix.
inline Game tenPlayerGame() {
    Game game;
    const char16_t* names[] = {u"张三", u"Faker", u"李四abc", u"王五", u"赵六",
                               u"孙七", u"周八",  u"吴九",    u"郑十", u"Uzi"};
    const char* champions[] = {"Annie", "Ahri", "LeeSin", "Jinx",   "Thresh",
                               "Garen", "Zed",  "Lux",    "Ezreal", "Leona"};
    const char* spells[] = {"Flash", "Dot", "Smite", "Heal", "Exhaust"};
    for (int i = 0; i < 10; ++i) {
        game.players.push_back({names[i], champions[i], spells[i % 5], spells[(i + 2) % 5]});
    }
    return game;
}

}  // namespace fixture
