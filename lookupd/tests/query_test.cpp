#include "lookupd/query.h"

#include <gtest/gtest.h>

namespace lookupd {
namespace {

TEST(PercentDecode, DecodesEscapesInEitherCase) {
    struct Row {
        const char* input;
        std::string expected;
    };
    const Row rows[] = {
        {"", ""},
        {"abc-._", "abc-._"},
        {"%E5%BC%A0%E4%B8%89", "张三"},
        {"%e5%bc%a0%e4%b8%89", "张三"},
        {"ab%E5%BC%A0", "ab张"},
        {"%20%5F%7E%2F%09", " _~/\t"},
        {"a+b", "a+b"},
        {"%2541", "%41"},
        {"%00x", std::string("\0x", 2)},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> decoded = percentDecode(row.input);
        ASSERT_TRUE(decoded) << row.input;
        EXPECT_EQ(*decoded, row.expected) << row.input;
    }
}

TEST(PercentDecode, RefusesBrokenEscapes) {
    for (const char* input : {"%", "%4", "ab%", "%zz", "%4g", "%g4", "x%E5%B", "%%41", "% 41"}) {
        EXPECT_FALSE(percentDecode(input)) << input;
    }
}

const Tokens kTokens{"D1", "K1", "P1"};
const std::string kPrefix =
    "diamondprox=D1&REQUIRED_QUICKFIND_API_KEY=K1&PBK=P1&regionProxy=china-ionia-1&summoner=";

TEST(PollQuery, AcceptsTheProgramsQueryAndDecodesTheName) {
    struct Row {
        std::string query;
        std::string name;
    };
    const Row rows[] = {
        {kPrefix + "%E5%BC%A0%E4%B8%89", "张三"},
        {kPrefix + "%e6%9c%88%e4%b8%8b%20%e7%8b%ac%e9%85%8c%5F", "月下 独酌_"},
        {kPrefix + "Faker", "Faker"},
        {kPrefix, ""},
    };
    for (const Row& row : rows) {
        std::string name = "unchanged";
        EXPECT_EQ(checkPollQuery(row.query, kTokens, name), PollCheck::Ok) << row.query;
        EXPECT_EQ(name, row.name) << row.query;
    }
}

TEST(PollQuery, RefusesAnythingButTheExactKeysAndTokens) {
    struct Row {
        const char* what;
        std::string query;
        PollCheck expected;
    };
    const Row rows[] = {
        {"empty query", "", PollCheck::BadToken},
        {"wrong diamondprox",
         "diamondprox=D2&REQUIRED_QUICKFIND_API_KEY=K1&PBK=P1&regionProxy=china-ionia-1&summoner=a",
         PollCheck::BadToken},
        {"wrong key token",
         "diamondprox=D1&REQUIRED_QUICKFIND_API_KEY=K&PBK=P1&regionProxy=china-ionia-1&summoner=a",
         PollCheck::BadToken},
        {"empty PBK",
         "diamondprox=D1&REQUIRED_QUICKFIND_API_KEY=K1&PBK=&regionProxy=china-ionia-1&summoner=a",
         PollCheck::BadToken},
        {"token case differs",
         "diamondprox=d1&REQUIRED_QUICKFIND_API_KEY=K1&PBK=P1&regionProxy=china-ionia-1&summoner=a",
         PollCheck::BadToken},
        {"other region",
         "diamondprox=D1&REQUIRED_QUICKFIND_API_KEY=K1&PBK=P1&regionProxy=na1&summoner=a",
         PollCheck::BadToken},
        {"keys swapped",
         "REQUIRED_QUICKFIND_API_KEY=K1&diamondprox=D1&PBK=P1&regionProxy=china-ionia-1&summoner=a",
         PollCheck::BadToken},
        {"summoner first",
         "summoner=a&diamondprox=D1&REQUIRED_QUICKFIND_API_KEY=K1&PBK=P1&regionProxy=china-ionia-1",
         PollCheck::BadToken},
        {"PBK missing",
         "diamondprox=D1&REQUIRED_QUICKFIND_API_KEY=K1&regionProxy=china-ionia-1&summoner=a",
         PollCheck::BadToken},
        {"key in other case",
         "diamondprox=D1&required_quickfind_api_key=K1&PBK=P1&regionProxy=china-ionia-1&summoner=a",
         PollCheck::BadToken},
        {"something after the name", kPrefix + "a&x=1", PollCheck::BadToken},
        {"escaped token", kPrefix.substr(0, 12) + "%44%31" + kPrefix.substr(14) + "a",
         PollCheck::BadToken},
        {"broken escape in the name", kPrefix + "%E5%BC%A", PollCheck::BadName},
        {"non-hex escape in the name", kPrefix + "ab%zz", PollCheck::BadName},
    };
    for (const Row& row : rows) {
        std::string name;
        EXPECT_EQ(checkPollQuery(row.query, kTokens, name), row.expected) << row.what;
    }
}

}  // namespace
}  // namespace lookupd
