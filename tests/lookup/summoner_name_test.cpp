#include "lookup/summoner_name.h"

#include <gtest/gtest.h>

namespace {

TEST(SummonerName, EscapesAllButLettersDigitsHyphenAndDot) {
    const std::pair<Text, const char*> cases[] = {
        {"", ""},
        {"Ab-9.zZ", "Ab-9.zZ"},
        {" ", "%20"},
        {"a b", "a%20b"},
        {"_", "%5F"},
        {"~", "%7E"},
        {"/", "%2F"},
        {"\t", "%09"},
        {"+", "%2B"},
        {"\xD5\xC5", "%E5%BC%A0"},  // U+5F20
        {"ab\xD5\xC5", "ab%E5%BC%A0"},
        {"\xA1\xA1", "%E3%80%80"},  // a full-width space is sent, not trimmed
        {"张三", "%E5%BC%A0%E4%B8%89"},
    };
    for (const auto& [name, encoded] : cases) EXPECT_EQ(encodeSummonerName(name), encoded) << name;
}

}  // namespace
