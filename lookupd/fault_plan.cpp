#include "lookupd/fault_plan.h"

#include <utility>

namespace lookupd {

namespace {

const FaultKindInfo kKinds[] = {
    {FaultKind::Backlog, "backlog", FaultArgument::None, false},
    {FaultKind::Error, "error", FaultArgument::Text, true},
    {FaultKind::Empty, "empty", FaultArgument::None, false},
    {FaultKind::Status500, "status500", FaultArgument::None, false},
    {FaultKind::Delay, "delay", FaultArgument::Milliseconds, true},
    {FaultKind::Cut, "cut", FaultArgument::None, false},
    {FaultKind::Huge, "huge", FaultArgument::Bytes, false},
    {FaultKind::Hang, "hang", FaultArgument::Milliseconds, false},
};

// Digits only: strtol would let "+5", " 5" and "5x" through.
bool readCount(std::string_view text, unsigned long long limit, unsigned long long& value) {
    if (text.empty() || text.size() > 19) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= limit;
}

}  // namespace

const FaultKindInfo* faultKindByName(std::string_view name) {
    for (const FaultKindInfo& info : kKinds) {
        if (name == info.name) return &info;
    }
    return nullptr;
}

const FaultKindInfo& faultKindInfo(FaultKind kind) {
    for (const FaultKindInfo& info : kKinds) {
        if (info.kind == kind) return info;
    }
    return kKinds[0];
}

bool setFaultArgument(Fault& fault, std::string_view value, std::string& error) {
    const FaultKindInfo& info = faultKindInfo(fault.kind);
    unsigned long long count = 0;
    switch (info.argument) {
        case FaultArgument::None:
            error = std::string("fault kind \"") + info.name + "\" takes no argument";
            return false;
        case FaultArgument::Text:
            fault.text = std::string(value);
            return true;
        case FaultArgument::Milliseconds:
            // A day is more than any test waits; beyond it the number is a typing mistake.
            if (!readCount(value, 24ull * 3600 * 1000, count)) {
                error =
                    "\"" + std::string(value) + "\" is not a time in milliseconds (0 to 86400000)";
                return false;
            }
            fault.ms = static_cast<long>(count);
            return true;
        case FaultArgument::Bytes:
            if (!readCount(value, kMaxHugeBytes, count)) {
                error = "\"" + std::string(value) + "\" is not a size in bytes (0 to " +
                        std::to_string(kMaxHugeBytes) + ")";
                return false;
            }
            fault.bytes = static_cast<std::size_t>(count);
            return true;
    }
    return false;
}

bool parseFaultRule(std::string_view ruleText, FaultRule& rule, std::string& error) {
    const std::size_t nameEnd = ruleText.find(':');
    if (nameEnd == std::string_view::npos) {
        error = "fault \"" + std::string(ruleText) + "\": expected NAME:KIND[:ARG]";
        return false;
    }
    const std::string_view rest = ruleText.substr(nameEnd + 1);
    const std::size_t kindEnd = rest.find(':');
    const std::string_view kindName = rest.substr(0, kindEnd);
    const FaultKindInfo* info = faultKindByName(kindName);
    if (!info) {
        error = "fault \"" + std::string(ruleText) + "\": unknown kind \"" + std::string(kindName) +
                "\" (backlog, error, empty, status500, delay, cut, huge, hang)";
        return false;
    }
    FaultRule parsed;
    parsed.target = std::string(ruleText.substr(0, nameEnd));
    parsed.fault.kind = info->kind;
    if (info->kind == FaultKind::Huge) parsed.fault.bytes = kDefaultHugeBytes;
    if (kindEnd != std::string_view::npos) {
        std::string argumentError;
        if (!setFaultArgument(parsed.fault, rest.substr(kindEnd + 1), argumentError)) {
            error = "fault \"" + std::string(ruleText) + "\": " + argumentError;
            return false;
        }
    } else if (info->argumentRequired) {
        error = "fault \"" + std::string(ruleText) + "\": kind \"" + info->name +
                "\" needs an argument";
        return false;
    }
    rule = std::move(parsed);
    return true;
}

void FaultPlan::add(FaultEffect& effect, std::string_view target) const {
    for (const FaultRule& rule : rules_) {
        if (rule.target != target) continue;
        if (rule.fault.kind == FaultKind::Delay) {
            effect.delayMs += rule.fault.ms;
        } else {
            effect.answer = rule.fault;
        }
    }
}

FaultEffect FaultPlan::forPlayer(std::string_view name) const {
    FaultEffect effect;
    add(effect, kAllPlayers);
    if (name != kAllPlayers) add(effect, name);
    return effect;
}

FaultEffect FaultPlan::forProfile() const {
    FaultEffect effect;
    add(effect, kProfileTarget);
    return effect;
}

}  // namespace lookupd
