#include "lookupd/command_line.h"

#include <arpa/inet.h>

namespace lookupd {

const char kUsage[] =
    "usage: moxavel-lookupd --data FILE [--listen 127.0.0.1:8730] [--tokens D,K,P]\n"
    "                       [--fault NAME:KIND[:ARG]]... [--quiet]\n"
    "\n"
    "  --data FILE     games, offline players and faults (JSON, see README.md)\n"
    "  --listen ADDR   address on 127.0.0.0/8 to listen on; port 0 picks a free port\n"
    "  --tokens D,K,P  the profile page's tokens instead of random ones\n"
    "  --fault RULE    a fault for a player, \"*\" for all or @profile for the profile\n"
    "                  page: backlog, error:TEXT, empty, status500, delay:MS, cut,\n"
    "                  huge[:BYTES], hang[:MS]; may be given more than once\n"
    "  --quiet         no log line per request\n"
    "\n"
    "Prints \"listening on HOST:PORT\" once it accepts connections; stops on SIGINT/SIGTERM.\n";

bool isLoopbackHost(std::string_view host) {
    in_addr address{};
    if (inet_pton(AF_INET, std::string(host).c_str(), &address) != 1) return false;
    return (ntohl(address.s_addr) >> 24) == 127;
}

bool parseListenAddress(std::string_view text, std::string& host, std::uint16_t& port,
                        std::string& error) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        error = "listen address \"" + std::string(text) + "\": expected HOST:PORT";
        return false;
    }
    const std::string_view hostText = text.substr(0, colon);
    const std::string_view portText = text.substr(colon + 1);
    if (!isLoopbackHost(hostText)) {
        error = "listen address \"" + std::string(text) +
                "\": the host must be an address on 127.0.0.0/8, such as 127.0.0.1";
        return false;
    }
    unsigned long value = 0;
    bool digits = !portText.empty() && portText.size() <= 5;
    for (char c : portText) {
        digits = digits && c >= '0' && c <= '9';
        if (digits) value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    if (!digits || value > 65535) {
        error = "listen address \"" + std::string(text) + "\": the port must be 0 to 65535";
        return false;
    }
    host = std::string(hostText);
    port = static_cast<std::uint16_t>(value);
    return true;
}

bool parseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error) {
    CommandLine parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::optional<std::string> value;
        const std::size_t equals = option.find('=');
        if (option.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.erase(equals);
        }
        if (option == "--help" || option == "-h") {
            parsed.help = true;
            continue;
        }
        if (option == "--quiet") {
            if (value) {
                error = "--quiet takes no value";
                return false;
            }
            parsed.quiet = true;
            continue;
        }
        const bool takesValue = option == "--data" || option == "--listen" ||
                                option == "--tokens" || option == "--fault";
        if (!takesValue) {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
        if (!value) {
            if (i + 1 == args.size()) {
                error = option + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (option == "--data") {
            parsed.dataFile = *value;
        } else if (option == "--listen") {
            if (!parseListenAddress(*value, parsed.host, parsed.port, error)) return false;
        } else if (option == "--tokens") {
            Tokens tokens;
            if (!parseTokens(*value, tokens, error)) return false;
            parsed.tokens = tokens;
        } else {
            FaultRule rule;
            if (!parseFaultRule(*value, rule, error)) return false;
            parsed.faults.push_back(std::move(rule));
        }
    }
    if (!parsed.help && parsed.dataFile.empty()) {
        error = "--data FILE is required";
        return false;
    }
    line = std::move(parsed);
    return true;
}

}  // namespace lookupd
