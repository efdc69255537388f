#include "lookupd/answer_writer.h"

#include <cstdlib>

namespace lookupd {

namespace {

// Plain ASCII without quotes, slashes or backslashes: one byte per byte once escaped, and
// no marker of the program's parser can form inside it.
std::string filler(std::size_t length) {
    static const std::string_view kPhrase = "The quick brown fox jumps over the lazy dog. ";
    std::string text;
    text.reserve(length);
    while (text.size() < length) text.append(kPhrase.substr(0, length - text.size()));
    return text;
}

// The html member before escaping. The champion image's quotes carry a backslash in the
// markup itself, which the JSON escape then doubles: the program's piece marker expects
// "<img src=\\'" there.
std::string playerRow(const Player& player, std::string_view base) {
    const std::string name = htmlEscape(player.name);
    const std::string spells = std::string(base) + "/assets/legendary/img/summoners/Summoner";
    std::string row;
    row += "<tr>\n";
    row += "\t<td class=\"champion\">\n";
    row += "\t\t<img src=\\'/assets/skin/" + htmlEscape(player.champion) +
           "_0.jpg\\' class=\\'champImage\\'>\n";
    row += "\t</td>\n";
    row += "\t<td class=\"name\"><a href='/profile/china-ionia-1/" + name + "/' target='_blank'>" +
           name + "</a></td>\n";
    row += "\t<td class=\"spells\">\n";
    row += "\t\t<img src=\"" + spells + htmlEscape(player.spell1) + ".png\" class=\"itemImage\">\n";
    row += "\t\t<img src=\"" + spells + htmlEscape(player.spell2) + ".png\" class=\"itemImage\">\n";
    row += "\t</td>\n";
    row += "</tr>\n";
    return row;
}

std::string statusAnswer(std::string_view member, std::string_view text, std::size_t padTo) {
    const std::string head = "{\"success\":false,";
    const std::string tail = "\"" + std::string(member) + "\":\"" + jsonEscape(text) + "\"}";
    const std::size_t length =
        head.size() + std::string_view("\"padding\":\"\",").size() + tail.size();
    if (padTo <= length) return head + tail;
    return head + "\"padding\":\"" + filler(padTo - length) + "\"," + tail;
}

}  // namespace

std::string mmrTierFor(std::string_view elo) {
    const std::string text(elo);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') return "unranked";
    if (value < 1150) return "bronze";
    if (value < 1500) return "silver";
    if (value < 1850) return "gold";
    if (value < 2200) return "platinum";
    return "diamond";
}

std::string renderGameAnswer(const Game& game, std::string_view baseAddress, std::size_t padTo) {
    std::string table = "<table class=\"game\">\n";
    for (const Player& player : game.players) table += playerRow(player, baseAddress);
    table += "</table>\n";
    const std::string link =
        "<a href='lrf://" + htmlEscape(game.spectate) + "' class='button magenta'>Spectate</a>";

    const std::string head = "{\"success\":true,\"cTime\":\"" + jsonEscape(game.startTime) +
                             "\",\"xmppPubsubState\":\"" + jsonEscape(game.state) +
                             "\",\"xmppStatusInGameMap\":\"" + jsonEscape(game.map) +
                             "\",\"html\":\"" + jsonEscape(table);
    const std::string tail = jsonEscape(link) + "\",\"Elo\":" + game.elo + ",\"mmrTier\":\"" +
                             mmrTierFor(game.elo) + "\"}";
    const std::string openFiller = jsonEscape("<div class=\"filler\">");
    const std::string closeFiller = jsonEscape("</div>\n");
    const std::size_t length = head.size() + openFiller.size() + closeFiller.size() + tail.size();
    if (padTo <= length) return head + tail;
    return head + openFiller + filler(padTo - length) + closeFiller + tail;
}

std::string renderNotInGameAnswer(std::size_t padTo) {
    return statusAnswer("error_message", kNotInGameText, padTo);
}

std::string renderErrorAnswer(std::string_view text, std::size_t padTo) {
    return statusAnswer("error", text, padTo);
}

}  // namespace lookupd
