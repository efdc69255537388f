// Literals here are GBK bytes; "\\u" in a literal is the backslash and letter of a JAVA
// escape, not a C++ universal character name.
#include "support/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ByteString bytes(std::string_view s) {
    return ByteString(s.begin(), s.end());
}

struct Converted {
    ByteString data;
    bool ok;
};

Converted convert(std::string_view data, const char* from, const char* to) {
    Converted c{{}, true};
    c.data = convertEncoding(bytes(data), from, to, &c.ok);
    return c;
}

TEST(ConvertEncoding, Successes) {
    struct Case {
        const char* name;
        std::string_view input;
        const char* from;
        const char* to;
        std::string_view expected;
    } cases[] = {
        {"escape", "\\u5f20", "JAVA", "GBK", "\xD5\xC5"},
        {"escape with upper-case digits, then ASCII", "\\u5F20abc", "JAVA", "GBK",
         "\xD5\xC5"
         "abc"},
        {"plain ASCII", "Faker 123", "JAVA", "GBK", "Faker 123"},
        {"backslash without u", "\\x41", "JAVA", "GBK", "\\x41"},
        {"upper-case U is no escape", "\\U5f20", "JAVA", "GBK", "\\U5f20"},
        {"escape cut by a non-alphanumeric byte", "\\u5f-0", "JAVA", "GBK", "\\u5f-0"},
        {"two names", "\\u5f20\\u4e09", "JAVA", "GBK", "张三"},
        {"lower-case encoding name", "\\u5f20", "java", "gbk", "\xD5\xC5"},
        {"GBK to JAVA", "张a", "GBK", "JAVA", "\\u5f20a"},
        {"zero bytes are data", std::string_view("a\0b", 3), "GBK", "UTF-16LE",
         std::string_view("a\0\0\0b\0", 6)},
        // Stateful target: the closing escape back to ASCII comes only from the flush.
        {"shift state flushed", "\\u65e5", "JAVA", "ISO-2022-JP", "\x1B$BF|\x1B(B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Converted r = convert(c.input, c.from, c.to);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.data, bytes(c.expected));
    }
}

TEST(ConvertEncoding, Failures) {
    struct Case {
        const char* name;
        std::string_view input;
        const char* from;
        const char* to;
    } cases[] = {
        {"byte 0xD5 in JAVA", "a\xD5", "JAVA", "GBK"},
        // libiconv would read B7 as Latin-1 U+00B7, which GBK has (A1 A4).
        {"byte 0xB7 in JAVA", "\xB7", "JAVA", "GBK"},
        {"raw UTF-8 in JAVA", "\xE9\xB0\xB1", "JAVA", "GBK"},
        {"character outside GBK after good ones", "ab\\u5f20\\ud83d\\ude00", "JAVA", "GBK"},
        {"input ends inside an escape", "a\\u5f2", "JAVA", "GBK"},
        {"input ends after a backslash", "a\\", "JAVA", "GBK"},
        {"input ends after a high surrogate", "\\ud83d", "JAVA", "GBK"},
        {"letters past F in an escape", "\\u00zz", "JAVA", "GBK"},
        {"letters past F in an escape to UTF-8", "\\uZZZZ", "JAVA", "UTF-8"},
        {"unknown source name", "abc", "NO-SUCH-ENCODING", "GBK"},
        {"unknown target name", "abc", "JAVA", "NO-SUCH-ENCODING"},
        {"unknown name, empty data", "", "JAVA", "NO-SUCH-ENCODING"},
        {"empty names", "abc", "", ""},
        {"invalid GBK", "\x80", "GBK", "JAVA"},
        {"GBK cut in a character", "a\xD5", "GBK", "UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Converted r = convert(c.input, c.from, c.to);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.data.empty());
    }
}

TEST(ConvertEncoding, EmptyInputSucceeds) {
    Converted r = convert("", "JAVA", "GBK");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.data.empty());
}

TEST(ConvertEncoding, OkIsOptional) {
    EXPECT_EQ(convertEncoding(bytes("\\u5f20"), "JAVA", "GBK"), bytes("张"));
    EXPECT_TRUE(convertEncoding(bytes("\xD5"), "JAVA", "GBK").empty());
}

// Output several times longer than the input needs several enlargements of the buffer,
// and nothing produced before an enlargement may be lost.
TEST(ConvertEncoding, GrowsTheOutput) {
    std::string gbk;
    std::string java;
    for (int i = 0; i < 1000; ++i) {
        gbk += "张";
        java += "\\u5f20";
    }
    gbk += "!";
    java += "!";

    Converted toJava = convert(gbk, "GBK", "JAVA");
    EXPECT_TRUE(toJava.ok);
    EXPECT_EQ(toJava.data, bytes(java));

    Converted back = convert(java, "JAVA", "GBK");
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.data, bytes(gbk));

    // Six bytes of output for each byte of input, the largest ratio libiconv gives.
    Converted latin = convert(std::string(5000, '\xE9'), "ISO-8859-1", "JAVA");
    EXPECT_TRUE(latin.ok);
    ASSERT_EQ(latin.data.size(), 30000u);
    EXPECT_EQ(bytesToText(leftBytes(latin.data, 12)), "\\u00e9\\u00e9");
}

TEST(TextToWide, Cases) {
    struct Case {
        const char* name;
        std::string_view text;
        int codePage;
        std::string_view expected;  // UTF-16LE with its zero unit
    } cases[] = {
        {"empty", "", 936, std::string_view("\0\0", 2)},
        {"empty UTF-8", "", 65001, std::string_view("\0\0", 2)},
        {"ASCII", "A", 936, std::string_view("A\0\0\0", 4)},
        {"GBK character", "\xD5\xC5", 936, std::string_view("\x20\x5F\0\0", 4)},
        {"UTF-8 character", "\xE5\xBC\xA0", 65001, std::string_view("\x20\x5F\0\0", 4)},
        {"UTF-8 outside the BMP", "\xF0\x9F\x98\x80", 65001,
         std::string_view("\x3D\xD8\x00\xDE\0\0", 6)},
        {"invalid GBK byte",
         "\x80"
         "A",
         936,
         std::string_view("\xFD\xFF"
                          "A\0\0\0",
                          6)},
        {"GBK cut at the end", "A\xD5", 936, std::string_view("A\0\xFD\xFF\0\0", 6)},
        {"invalid UTF-8 then ASCII", "\xC3(", 65001, std::string_view("\xFD\xFF(\0\0\0", 6)},
        {"UTF-8 surrogate is invalid", "\xED\xA0\x80", 65001,
         std::string_view("\xFD\xFF\xFD\xFF\xFD\xFF\0\0", 8)},
        {"stops at a zero byte", std::string_view("a\0b", 3), 936, std::string_view("a\0\0\0", 4)},
        {"unknown code page", "abc", 1252, std::string_view("\0\0", 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textToWide(c.text, c.codePage), bytes(c.expected));
    }
}

TEST(WideToText, Cases) {
    struct Case {
        const char* name;
        std::string_view wide;
        int codePage;
        std::string_view expected;
    } cases[] = {
        {"GBK character", std::string_view("\x20\x5F\0\0", 4), 936, "\xD5\xC5"},
        {"UTF-8 character", std::string_view("\x20\x5F\0\0", 4), 65001, "\xE5\xBC\xA0"},
        {"empty wide text", std::string_view("\0\0", 2), 936, ""},
        {"no bytes at all", "", 65001, ""},
        {"surrogate pair to UTF-8", std::string_view("\x3D\xD8\x00\xDE\0\0", 6), 65001,
         "\xF0\x9F\x98\x80"},
        {"surrogate pair to GBK",
         std::string_view("\x3D\xD8\x00\xDE"
                          "A\0\0\0",
                          8),
         936, "?A"},
        {"not in GBK",
         std::string_view("\x01\x0E"
                          "A\0\0\0",
                          6),
         936, "?A"},
        {"lone high surrogate to UTF-8",
         std::string_view("\x3D\xD8"
                          "A\0\0\0",
                          6),
         65001,
         "\xEF\xBF\xBD"
         "A"},
        {"lone low surrogate to UTF-8",
         std::string_view("\x00\xDE"
                          "A\0\0\0",
                          6),
         65001,
         "\xEF\xBF\xBD"
         "A"},
        {"two high surrogates to UTF-8", std::string_view("\x3D\xD8\x3D\xD8\x00\xDE", 6), 65001,
         "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        {"lone surrogate to GBK", std::string_view("A\0\x3D\xD8", 4), 936, "A?"},
        {"lone surrogate at the end to UTF-8", std::string_view("A\0\x3D\xD8", 4), 65001,
         "A\xEF\xBF\xBD"},
        {"missing terminator", std::string_view("A\0B\0", 4), 936, "AB"},
        {"odd byte count", std::string_view("A\0B", 3), 936, "A"},
        {"stops at the zero unit", std::string_view("A\0\0\0B\0", 6), 936, "A"},
        {"unknown code page", std::string_view("A\0\0\0", 4), 1252, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wideToText(bytes(c.wide), c.codePage), c.expected);
    }
}

// The summoner name path: GBK through UTF-16 to UTF-8.
TEST(CodePages, GbkToUtf8ThroughWide) {
    EXPECT_EQ(wideToText(textToWide("\xD5\xC5", 936), 65001), "\xE5\xBC\xA0");
    EXPECT_EQ(wideToText(textToWide("Uzi张三", 936), 65001), "Uzi\xE5\xBC\xA0\xE4\xB8\x89");
    const Text name = "我是·测试ａ１";
    EXPECT_EQ(wideToText(textToWide(name, 936), 936), name);
}

}  // namespace
