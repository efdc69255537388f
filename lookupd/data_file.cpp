#include "lookupd/data_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace lookupd {

namespace {

using Json = nlohmann::json;

// Only thrown and caught inside this file; the interface reports failures as results.
struct DataError {
    std::string message;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw DataError{where.empty() ? what : where + ": " + what};
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Members starting with "_" are comments; any other unknown member is most likely a typo.
void checkMembers(const Json& object, const std::string& where,
                  std::initializer_list<const char*> known) {
    for (const auto& item : object.items()) {
        const std::string& key = item.key();
        if (!key.empty() && key[0] == '_') continue;
        bool found = false;
        for (const char* name : known) found = found || key == name;
        if (!found) fail(where, "unknown member " + inQuotes(key));
    }
}

const Json& member(const Json& object, const char* name, const std::string& where) {
    const auto found = object.find(name);
    if (found == object.end()) fail(where, std::string("missing ") + inQuotes(name));
    return *found;
}

std::string text(const Json& object, const char* name, const std::string& where) {
    const Json& value = member(object, name, where);
    if (!value.is_string()) fail(where + "." + name, "expected a text");
    return value.get<std::string>();
}

std::string nonEmptyText(const Json& object, const char* name, const std::string& where) {
    std::string value = text(object, name, where);
    if (value.empty()) fail(where + "." + name, "must not be empty");
    return value;
}

// Numbers are written as the JSON text wrote them; the service copies them unquoted.
std::string numberOrText(const Json& object, const char* name, const std::string& where) {
    const Json& value = member(object, name, where);
    if (value.is_number()) return value.dump();
    if (value.is_string() && !value.get<std::string>().empty()) return value.get<std::string>();
    fail(where + "." + name, "expected a number or a non-empty text");
}

const Json& array(const Json& object, const char* name, const std::string& where) {
    const Json& value = member(object, name, where);
    if (!value.is_array()) fail(where.empty() ? name : where + "." + name, "expected a list");
    return value;
}

const Json& objectAt(const Json& list, std::size_t index, const std::string& where) {
    const Json& value = list[index];
    if (!value.is_object()) fail(where, "expected an object");
    return value;
}

std::string at(const std::string& list, std::size_t index) {
    return list + "[" + std::to_string(index) + "]";
}

Player readPlayer(const Json& json, const std::string& where) {
    checkMembers(json, where, {"name", "champion", "spell1", "spell2"});
    return {nonEmptyText(json, "name", where), nonEmptyText(json, "champion", where),
            nonEmptyText(json, "spell1", where), nonEmptyText(json, "spell2", where)};
}

Game readGame(const Json& json, const std::string& where) {
    checkMembers(
        json, where,
        {"id", "startTime", "state", "map", "elo", "spectate", "players", "alsoAnsweredFor"});
    Game game;
    game.id = numberOrText(json, "id", where);
    game.startTime = text(json, "startTime", where);
    game.state = text(json, "state", where);
    game.map = text(json, "map", where);
    game.elo = numberOrText(json, "elo", where);
    game.spectate = text(json, "spectate", where);
    const Json& players = array(json, "players", where);
    for (std::size_t i = 0; i < players.size(); ++i) {
        const std::string place = at(where + ".players", i);
        game.players.push_back(readPlayer(objectAt(players, i, place), place));
    }
    if (json.contains("alsoAnsweredFor")) {
        const Json& names = array(json, "alsoAnsweredFor", where);
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (!names[i].is_string() || names[i].get<std::string>().empty()) {
                fail(at(where + ".alsoAnsweredFor", i), "expected a non-empty text");
            }
            game.alsoAnsweredFor.push_back(names[i].get<std::string>());
        }
    }
    return game;
}

std::size_t count(const Json& json, const char* name, const std::string& where, std::size_t limit) {
    const Json& value = member(json, name, where);
    if (!value.is_number_unsigned() || value.get<std::uint64_t>() > limit) {
        fail(where + "." + name, "expected a whole number from 0 to " + std::to_string(limit));
    }
    return static_cast<std::size_t>(value.get<std::uint64_t>());
}

FaultRule readFault(const Json& json, const std::string& where) {
    checkMembers(json, where, {"player", "kind", "text", "ms", "bytes"});
    FaultRule rule;
    rule.target = text(json, "player", where);
    const std::string kind = text(json, "kind", where);
    const FaultKindInfo* info = faultKindByName(kind);
    if (!info) {
        fail(where + ".kind", "unknown kind " + inQuotes(kind) +
                                  " (backlog, error, empty, status500, delay, cut, huge, hang)");
    }
    rule.fault.kind = info->kind;
    if (info->kind == FaultKind::Huge) rule.fault.bytes = kDefaultHugeBytes;

    struct Argument {
        FaultArgument argument;
        const char* name;
    };
    for (const Argument& argument :
         {Argument{FaultArgument::Text, "text"}, Argument{FaultArgument::Milliseconds, "ms"},
          Argument{FaultArgument::Bytes, "bytes"}}) {
        const bool given = json.contains(argument.name);
        if (info->argument != argument.argument) {
            if (given)
                fail(where, "kind " + inQuotes(kind) + " takes no " + inQuotes(argument.name));
            continue;
        }
        if (!given) {
            if (info->argumentRequired)
                fail(where, "kind " + inQuotes(kind) + " needs " + inQuotes(argument.name));
            continue;
        }
        switch (argument.argument) {
            case FaultArgument::Text:
                rule.fault.text = text(json, "text", where);
                break;
            case FaultArgument::Milliseconds:
                rule.fault.ms = static_cast<long>(count(json, "ms", where, 24ul * 3600 * 1000));
                break;
            case FaultArgument::Bytes:
                rule.fault.bytes = count(json, "bytes", where, kMaxHugeBytes);
                break;
            case FaultArgument::None:
                break;
        }
    }
    return rule;
}

// A name must lead to one answer: in one game, or offline, not both.
void checkNames(const ServiceData& data) {
    std::map<std::string, const Game*> gameOf;
    for (const Game& game : data.games) {
        std::vector<std::string> names = game.alsoAnsweredFor;
        for (const Player& player : game.players) names.push_back(player.name);
        for (const std::string& name : names) {
            const auto [place, added] = gameOf.emplace(name, &game);
            if (!added && place->second != &game) {
                fail("", "player " + inQuotes(name) + " is in games " +
                             inQuotes(place->second->id) + " and " + inQuotes(game.id));
            }
        }
    }
    for (const std::string& name : data.offline) {
        const auto place = gameOf.find(name);
        if (place != gameOf.end()) {
            fail("", "player " + inQuotes(name) + " is listed offline and in game " +
                         inQuotes(place->second->id));
        }
    }
}

ServiceData readData(const Json& root) {
    if (!root.is_object()) fail("", "the data file must hold a JSON object");
    checkMembers(root, "", {"games", "offline", "faults"});
    ServiceData data;
    if (root.contains("games")) {
        const Json& games = array(root, "games", "");
        for (std::size_t i = 0; i < games.size(); ++i) {
            const std::string place = at("games", i);
            data.games.push_back(readGame(objectAt(games, i, place), place));
        }
    }
    if (root.contains("offline")) {
        const Json& offline = array(root, "offline", "");
        for (std::size_t i = 0; i < offline.size(); ++i) {
            if (!offline[i].is_string() || offline[i].get<std::string>().empty()) {
                fail(at("offline", i), "expected a non-empty text");
            }
            data.offline.push_back(offline[i].get<std::string>());
        }
    }
    if (root.contains("faults")) {
        const Json& faults = array(root, "faults", "");
        for (std::size_t i = 0; i < faults.size(); ++i) {
            const std::string place = at("faults", i);
            data.faults.push_back(readFault(objectAt(faults, i, place), place));
        }
    }
    checkNames(data);
    return data;
}

}  // namespace

bool readServiceData(std::string_view json, ServiceData& data, std::string& error) {
    try {
        data = readData(Json::parse(json));
        return true;
    } catch (const Json::parse_error& e) {
        // Drop the library's "[json.exception.parse_error.101] " prefix.
        std::string message = e.what();
        const std::size_t prefixEnd = message.find("] ");
        if (prefixEnd != std::string::npos) message.erase(0, prefixEnd + 2);
        error = "not valid JSON: " + message;
    } catch (const DataError& e) {
        error = e.message;
    } catch (const Json::exception& e) {
        error = e.what();
    }
    return false;
}

bool loadServiceDataFile(const std::string& path, ServiceData& data, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) {
        error = path + ": cannot read";
        return false;
    }
    if (!readServiceData(content.str(), data, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace lookupd
