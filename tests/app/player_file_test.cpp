#include "app/player_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ByteString bytes(const std::string& s) {
    return ByteString(s.begin(), s.end());
}

TEST(PlayerFile, NamesAreCutAtCrLfWithEmptyLinesDropped) {
    struct Case {
        const char* name;
        std::string content;
        TextList expected;
    } cases[] = {
        {"empty lines between", "a\r\n\r\nb\r\n", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"line feeds only", "a\nb\n", {"a\nb\n"}},
        {"leading line end", "\r\na\r\n", {"a"}},
        {"a line of spaces", "  \r\nb", {"  ", "b"}},
        {"spaces around a name", " 张三 \r\n", {" 张三 "}},
        {"duplicates", "a\r\na\r\n", {"a", "a"}},
        {"lone carriage return", "a\rb\r\n", {"a\rb"}},
        {"only line ends", "\r\n\r\n\r\n", {}},
        {"empty file", "", {}},
        {"zero byte ends the content", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
        {"utf-8 byte-order mark stays in the first name",
         "\xEF\xBB\xBF"
         "a\r\nb",
         {"\xEF\xBB\xBF"
          "a",
          "b"}},
        {"utf-16 ends at its first zero byte", std::string("a\0\r\0\n\0b\0", 8), {"a"}},
        {"GBK names kept byte for byte",
         "\xD5\xC5\xC8\xFD\r\n\xC0\xEE\xCB\xC4",
         {"\xD5\xC5\xC8\xFD", "\xC0\xEE\xCB\xC4"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parsePlayerNames(bytes(c.content)), c.expected) << c.name;
    }
}

TEST(PlayerFile, TenThousandNamesKeepTheirOrder) {
    std::string content;
    for (int i = 0; i < 10000; ++i) content += "player" + std::to_string(i) + "\r\n";
    TextList names = parsePlayerNames(bytes(content));
    ASSERT_EQ(names.size(), 10000u);
    EXPECT_EQ(names.front(), "player0");
    EXPECT_EQ(names[4321], "player4321");
    EXPECT_EQ(names.back(), "player9999");
}

}  // namespace
