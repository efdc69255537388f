// The command line of moxavel-lookupd.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookupd/fault_plan.h"
#include "lookupd/tokens.h"

namespace lookupd {

extern const char kUsage[];

struct CommandLine {
    std::string dataFile;
    std::string host = "127.0.0.1";
    std::uint16_t port = 8730;
    std::optional<Tokens> tokens;  // random when not given
    std::vector<FaultRule> faults;
    bool quiet = false;
    bool help = false;
};

// The service must never be reachable from another machine: only 127.0.0.0/8, written
// as a dotted IPv4 address.
bool isLoopbackHost(std::string_view host);

// Reads "HOST:PORT"; port 0 asks for a free port.
bool parseListenAddress(std::string_view text, std::string& host, std::uint16_t& port,
                        std::string& error);

// args without the program name. Options take their value as the next argument or after
// "=" (--listen=127.0.0.1:0).
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error);

}  // namespace lookupd
