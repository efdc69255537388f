// Faults the service plays on purpose, so the program's handling of a slow, broken or
// overloaded service can be tested.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lookupd {

enum class FaultKind { Backlog, Error, Empty, Status500, Delay, Cut, Huge, Hang };

struct Fault {
    FaultKind kind = FaultKind::Empty;
    std::string text;       // Error: the error text
    long ms = 0;            // Delay: the wait; Hang: the hold, 0 = until the service stops
    std::size_t bytes = 0;  // Huge: the answer's size in bytes
};

// Rules name a player, "*" for every player, or kProfileTarget for the profile page.
struct FaultRule {
    std::string target;
    Fault fault;
};

inline constexpr std::string_view kAllPlayers = "*";
inline constexpr std::string_view kProfileTarget = "@profile";
inline constexpr std::size_t kDefaultHugeBytes = 1024 * 1024;
// Keeps a mistyped size from eating the machine's memory.
inline constexpr std::size_t kMaxHugeBytes = 256 * 1024 * 1024;

// The argument a kind takes, shared by the data file and the command line.
enum class FaultArgument { None, Text, Milliseconds, Bytes };

struct FaultKindInfo {
    FaultKind kind;
    const char* name;
    FaultArgument argument;
    bool argumentRequired;
};

const FaultKindInfo* faultKindByName(std::string_view name);
const FaultKindInfo& faultKindInfo(FaultKind kind);

// Reads "NAME:KIND[:ARG]". The name ends at the first ":"; an Error's text may hold ":".
bool parseFaultRule(std::string_view ruleText, FaultRule& rule, std::string& error);

// Sets the argument of fault from its text form; false with a message when it is invalid.
bool setFaultArgument(Fault& fault, std::string_view value, std::string& error);

// What the rules mean for one request: delays add up; of the other faults the last one
// applied decides the answer.
struct FaultEffect {
    long delayMs = 0;
    std::optional<Fault> answer;
};

class FaultPlan {
  public:
    FaultPlan() = default;
    explicit FaultPlan(std::vector<FaultRule> rules) : rules_(std::move(rules)) {}

    // Rules for "*" apply first, so a player's own rule overrides them.
    FaultEffect forPlayer(std::string_view name) const;
    FaultEffect forProfile() const;

  private:
    void add(FaultEffect& effect, std::string_view target) const;

    std::vector<FaultRule> rules_;
};

}  // namespace lookupd
