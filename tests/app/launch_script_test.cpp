#include "spectate/launch_script.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LaunchScript, TheTemplateIs86GbkBytes) {
    EXPECT_EQ(sizeof kLaunchTemplate - 1, 86u);
}

TEST(LaunchScript, PlaceholdersAreFilledAndEscapedSlashesUndone) {
    struct Case {
        const char* name;
        const char* path;
        const char* link;
        const char* script;
    } cases[] = {
        {"plain link", "F:\\Program Files\\英雄联盟", "spectator 1.2.3.4:8088 Key/x 42 HN1",
         "@start \"\" \"F:\\Program Files\\英雄联盟\\Game\\League of Legends.exe\" \"8394\" "
         "\"LoLLauncher.exe\" \"\" \"spectator 1.2.3.4:8088 Key/x 42 HN1\""},
        {"escaped slashes", "D:\\LOL", "spectator a\\/b\\\\/c 1 HN1",
         "@start \"\" \"D:\\LOL\\Game\\League of Legends.exe\" \"8394\" \"LoLLauncher.exe\" \"\" "
         "\"spectator a/b/c 1 HN1\""},
        {"empty link", "D:\\LOL", "",
         "@start \"\" \"D:\\LOL\\Game\\League of Legends.exe\" \"8394\" \"LoLLauncher.exe\" \"\" "
         "\"\""},
    };
    for (const Case& c : cases) EXPECT_EQ(buildLaunchScript(c.path, c.link), c.script) << c.name;
}

TEST(LaunchScript, UnescapingRepeatsUntilNoEscapedSlashIsLeft) {
    EXPECT_EQ(unescapeSlashes("a\\\\\\/b"), "a/b");
    EXPECT_EQ(unescapeSlashes("\\\\/"), "/");
    EXPECT_EQ(unescapeSlashes("a\\b/"), "a\\b/");
}

TEST(LaunchScript, GamePathsEndingInBackslashQuoteOrExeAreRefused) {
    struct Case {
        const char* path;
        bool refused;
    } cases[] = {
        {"F:\\Program Files\\英雄联盟", false},
        {"F:\\Program Files\\英雄联盟\\", true},
        {"\"F:\\LOL\"", true},
        {"F:\\LOL\\Game\\Client.exe", true},
        {"F:\\LOL\\Game\\Client.EXE", false},
        {"F:\\LOL\\Game", false},
        {"F:/LOL", false},
        {"", false},
        // The check reads bytes: a GBK character whose trail byte is 5C ends in "\".
        {"F:\\\xB0\x5C", true},
    };
    for (const Case& c : cases) EXPECT_EQ(gamePathRefused(c.path), c.refused) << c.path;
}

TEST(LaunchScript, ThePathMessageHasSevenLines) {
    TextList lines = splitText(gamePathMessage(), "\r\n");
    ASSERT_EQ(lines.size(), 7u);  // the empty fourth line is an element of its own
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[1].back(), ' ');
    EXPECT_EQ(lines[2].back(), ' ');
    EXPECT_EQ(lines[5], "头尾不需要带 \" 号。");
    EXPECT_EQ(lines[6], "最后一位不需要输入 \\ 号。");
}

TEST(LaunchScript, OnlyLinksOfHarmlessBytesMayReachTheScript) {
    struct Case {
        std::string link;
        bool allowed;
    } cases[] = {
        {"", true},
        {"spectator 127.0.0.1:8394 Zq3pN4x+/= 4012345678 HN1", true},
        {"spectator a\\/b 1 HN1", true},  // its escaped slash becomes a slash
        {"spectator x\" & calc & \" 1", false},
        {"a&b", false},
        {"a|b", false},
        {"a%PATH%b", false},
        {"a!x!b", false},
        {"a^b", false},
        {"a<b", false},
        {"a>b", false},
        {"a\rb", false},
        {"a\nb", false},
        {"a\tb", false},
        {std::string("a\0b", 3), false},
        {"a\x7F"
         "b",
         false},
        {"a\x80"
         "b",
         false},
        {"\xD5\xC5", false},
        {"a\\b", false},
        {"a(b)", false},
        {"a;b", false},
        {std::string(512, 'a'), true},
        {std::string(513, 'a'), false},
    };
    for (const Case& c : cases) EXPECT_EQ(spectateLinkAllowed(c.link), c.allowed) << c.link;
}

}  // namespace
