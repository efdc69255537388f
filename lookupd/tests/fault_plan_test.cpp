#include "lookupd/fault_plan.h"

#include <gtest/gtest.h>

namespace lookupd {
namespace {

TEST(FaultSpec, ReadsEveryKind) {
    struct Row {
        const char* ruleText;
        const char* target;
        FaultKind kind;
        std::string text;
        long ms;
        std::size_t bytes;
    };
    const Row rows[] = {
        {"张三:backlog", "张三", FaultKind::Backlog, "", 0, 0},
        {"a:error:Service unavailable: retry", "a", FaultKind::Error, "Service unavailable: retry",
         0, 0},
        {"a:error:", "a", FaultKind::Error, "", 0, 0},
        {"a:empty", "a", FaultKind::Empty, "", 0, 0},
        {"a:status500", "a", FaultKind::Status500, "", 0, 0},
        {"*:delay:20", "*", FaultKind::Delay, "", 20, 0},
        {"a:cut", "a", FaultKind::Cut, "", 0, 0},
        {"a:huge", "a", FaultKind::Huge, "", 0, kDefaultHugeBytes},
        {"a:huge:5000", "a", FaultKind::Huge, "", 0, 5000},
        {"a:hang", "a", FaultKind::Hang, "", 0, 0},
        {"a:hang:250", "a", FaultKind::Hang, "", 250, 0},
        {"夜雨 听风_:delay:0", "夜雨 听风_", FaultKind::Delay, "", 0, 0},
        {"@profile:status500", "@profile", FaultKind::Status500, "", 0, 0},
        {":cut", "", FaultKind::Cut, "", 0, 0},
    };
    for (const Row& row : rows) {
        FaultRule rule;
        std::string error;
        ASSERT_TRUE(parseFaultRule(row.ruleText, rule, error)) << row.ruleText << ": " << error;
        EXPECT_EQ(rule.target, row.target) << row.ruleText;
        EXPECT_EQ(rule.fault.kind, row.kind) << row.ruleText;
        EXPECT_EQ(rule.fault.text, row.text) << row.ruleText;
        EXPECT_EQ(rule.fault.ms, row.ms) << row.ruleText;
        EXPECT_EQ(rule.fault.bytes, row.bytes) << row.ruleText;
    }
}

TEST(FaultSpec, RefusesBadSpecsWithAReason) {
    struct Row {
        const char* ruleText;
        const char* message;
    };
    const Row rows[] = {
        {"", "expected NAME:KIND[:ARG]"},
        {"a", "expected NAME:KIND[:ARG]"},
        {"a:slow", "unknown kind \"slow\""},
        {"a:", "unknown kind \"\""},
        {"a:Delay:5", "unknown kind \"Delay\""},
        {"a:delay", "needs an argument"},
        {"a:error", "needs an argument"},
        {"a:delay:", "not a time in milliseconds"},
        {"a:delay:-5", "not a time in milliseconds"},
        {"a:delay:5ms", "not a time in milliseconds"},
        {"a:delay:99999999999999999999", "not a time in milliseconds"},
        {"a:huge:1MB", "not a size in bytes"},
        {"a:huge:999999999999", "not a size in bytes"},
        {"a:cut:5", "takes no argument"},
        {"a:backlog:x", "takes no argument"},
    };
    for (const Row& row : rows) {
        FaultRule rule;
        rule.target = "untouched";
        std::string error;
        EXPECT_FALSE(parseFaultRule(row.ruleText, rule, error)) << row.ruleText;
        EXPECT_NE(error.find(row.message), std::string::npos) << row.ruleText << ": " << error;
        EXPECT_EQ(rule.target, "untouched") << row.ruleText;
    }
}

FaultRule rule(const char* ruleText) {
    FaultRule parsed;
    std::string error;
    EXPECT_TRUE(parseFaultRule(ruleText, parsed, error)) << error;
    return parsed;
}

TEST(FaultPlan, DelaysAddUpAndThePlayersOwnFaultWins) {
    const FaultPlan plan({rule("a:backlog"), rule("*:delay:20"), rule("*:cut"), rule("a:delay:5"),
                          rule("b:delay:7"), rule("a:status500")});
    const FaultEffect a = plan.forPlayer("a");
    EXPECT_EQ(a.delayMs, 25);
    ASSERT_TRUE(a.answer);
    EXPECT_EQ(a.answer->kind, FaultKind::Status500);

    const FaultEffect b = plan.forPlayer("b");
    EXPECT_EQ(b.delayMs, 27);
    ASSERT_TRUE(b.answer);
    EXPECT_EQ(b.answer->kind, FaultKind::Cut);

    const FaultEffect other = plan.forPlayer("c");
    EXPECT_EQ(other.delayMs, 20);
    ASSERT_TRUE(other.answer);
    EXPECT_EQ(other.answer->kind, FaultKind::Cut);

    // The profile page is not a player: "*" leaves it alone.
    const FaultEffect profile = plan.forProfile();
    EXPECT_EQ(profile.delayMs, 0);
    EXPECT_FALSE(profile.answer);
}

TEST(FaultPlan, NamesMatchByteForByte) {
    const FaultPlan plan({rule("张三:hang")});
    EXPECT_TRUE(plan.forPlayer("张三").answer);
    EXPECT_FALSE(plan.forPlayer("张三 ").answer);
    EXPECT_FALSE(plan.forPlayer("张").answer);
    EXPECT_FALSE(plan.forProfile().answer);
}

}  // namespace
}  // namespace lookupd
