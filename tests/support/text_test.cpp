// Literals here are GBK bytes (the target is compiled with -fexec-charset=GBK); byte
// sequences whose layout matters are written as hex escapes.
#include "support/text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// "啊" is B0 A1 and the full-width space "　" is A1 A1, so "啊　" holds A1 A1 twice: once
// across the character boundary (bytes 2-3) and once as a real character (bytes 3-4).
constexpr const char* kAhSpace = "\xB0\xA1\xA1\xA1";

TEST(TextLiterals, AreCompiledAsGbk) {
    EXPECT_EQ(Text("张"), "\xD5\xC5");
    EXPECT_EQ(Text("　"), "\xA1\xA1");
    EXPECT_EQ(Text("#引号"), "#\xD2\xFD\xBA\xC5");
}

TEST(CompareText, OrdersBytesAsUnsigned) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"", "", 0},   {"abc", "abc", 0}, {"a", "b", -1},   {"b", "a", 1},   {"a", "", 1},
        {"", "a", -1}, {"ab", "abc", -1}, {"\x80", "a", 1}, {"张", "张", 0}, {"a", "A", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        int r = compareText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
}

TEST(TextLength, CountsBytes) {
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(textLength("张a"), 3);
}

TEST(ConcatText, JoinsInOrder) {
    EXPECT_EQ(concatText({"a", "", "bc", "张"}), "abc\xD5\xC5");
    EXPECT_EQ(concatText({}), "");
}

TEST(FindText, Cases) {
    struct Case {
        const char* name;
        const char* text;
        const char* needle;
        int start;
        bool ignoreCase;
        int expected;
    } cases[] = {
        {"empty text", "", "a", 1, false, -1},
        {"empty needle", "abc", "", 1, false, -1},
        {"needle longer than text", "ab", "abc", 1, false, -1},
        {"from start 4", "abcabc", "c", 4, false, 6},
        {"start 0 means 1", "abcabc", "c", 0, false, 3},
        {"negative start means 1", "abcabc", "c", -5, false, 3},
        {"start past the last fit", "abcabc", "c", 7, false, -1},
        {"start at the last fit", "abcabc", "bc", 5, false, 5},
        {"start beyond the text", "abc", "a", 100, false, -1},
        {"whole text", "abc", "abc", 1, false, 1},
        {"header ignoring case", "User-agent: x", "User-Agent:", 1, true, 1},
        {"header case-sensitive", "User-agent: x", "User-Agent:", 1, false, -1},
        {"ignoring case, lower needle", "xABC", "bc", 1, true, 3},
        {"not on a trail byte", kAhSpace, "\xA1\xA1", 1, false, 3},
        {"ASCII-looking trail byte skipped",
         "\x81\x41"
         "A",
         "A", 1, false, 3},
        {"ASCII-looking trail byte skipped, ignoring case",
         "\x81\x61"
         "a",
         "A", 1, true, 3},
        {"start on a trail byte is taken as given",
         "\xB0\xA1"
         "b",
         "\xA1"
         "b",
         2, false, 2},
        {"Chinese needle", "a张三", "三", 1, false, 4},
        {"lone lead byte at the end", "a\xB0", "\xB0", 1, false, 2},
        // The second byte of a two-byte character is not case-folded: 81 41 and 81 61
        // are different characters.
        {"trail bytes compared exactly", "\x81\x61", "\x81\x41", 1, true, -1},
        {"two-byte needle ignoring case", "x\x81\x41Y", "\x81\x41y", 1, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findText(c.text, c.needle, c.start, c.ignoreCase), c.expected);
    }
}

TEST(FindText, DefaultsToStartOneCaseSensitive) {
    EXPECT_EQ(findText("aXbx", "x"), 4);
}

TEST(FindLastText, Cases) {
    struct Case {
        const char* name;
        const char* text;
        const char* needle;
        int expected;
    } cases[] = {
        {"last of two", "abcabc", "bc", 5},
        {"missing", "abc", "d", -1},
        {"empty text", "", "a", -1},
        {"empty needle", "abc", "", -1},
        {"needle longer than text", "ab", "abc", -1},
        {"case-sensitive", "abcABC", "abc", 1},
        // Steps back one byte at a time, so it does find A1 A1 across a character boundary.
        {"byte-wise", "\xB0\xA1\xA1", "\xA1\xA1", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findLastText(c.text, c.needle), c.expected);
    }
}

TEST(LeftRightMidText, Cases) {
    EXPECT_EQ(leftText("abc", 5), "abc");
    EXPECT_EQ(leftText("abc", 2), "ab");
    EXPECT_EQ(leftText("abc", 0), "");
    EXPECT_EQ(leftText("abc", -1), "");
    EXPECT_EQ(leftText("", 3), "");
    EXPECT_EQ(rightText("abc", 0), "");
    EXPECT_EQ(rightText("abc", -2), "");
    EXPECT_EQ(rightText("abc", 2), "bc");
    EXPECT_EQ(rightText("abc", 3), "abc");
    EXPECT_EQ(rightText("abc", 9), "abc");
    EXPECT_EQ(rightText("", 1), "");
    EXPECT_EQ(midText("abc", 3, 10), "c");
    EXPECT_EQ(midText("abc", 4, 1), "");
    EXPECT_EQ(midText("abc", 2, 1), "b");
    EXPECT_EQ(midText("abc", 1, 3), "abc");
    EXPECT_EQ(midText("abc", 0, 2), "");
    EXPECT_EQ(midText("abc", -1, 2), "");
    EXPECT_EQ(midText("abc", 1, 0), "");
    EXPECT_EQ(midText("", 1, 1), "");
    EXPECT_EQ(midText("abc", 2, INT_MAX), "bc");
    EXPECT_EQ(leftText("abc", INT_MAX), "abc");
}

TEST(TextBetween, Cases) {
    struct Case {
        const char* name;
        const char* source;
        const char* left;
        const char* right;
        int start;
        bool caseSensitive;
        const char* expected;
    } cases[] = {
        {"plain", "<a>1</a>", "<a>", "</a>", 1, false, "1"},
        {"missing left", "<b>1</a>", "<a>", "</a>", 1, false, ""},
        {"missing right", "<a>1</b>", "<a>", "</a>", 1, false, ""},
        {"right only before left", "</a><a>1", "<a>", "</a>", 1, false, ""},
        {"adjacent markers", "<a></a>", "<a>", "</a>", 1, false, ""},
        {"quote word in both markers", "x=\"5\">", "x=#引号", "#引号>", 1, false, "5"},
        {"quote word is not replaced in the source", "a=#引号1#引号", "a=#引号", "#引号", 1, false,
         ""},
        {"ignores case by default", "NAME=1;", "name=", ";", 1, false, "1"},
        {"case-sensitive when asked", "NAME=1;", "name=", ";", 1, true, ""},
        {"right marker case ignored", "name=1END", "name=", "end", 1, false, "1"},
        {"start skips the first pair", "[1][2]", "[", "]", 2, false, "2"},
        {"start past every left marker", "[1][2]", "[", "]", 5, false, ""},
        {"right marker found after the left one", "]x[y]", "[", "]", 1, false, "y"},
        {"same marker both sides", "|a|b|", "|", "|", 1, false, "a"},
        {"empty left marker", "abc", "", "c", 1, false, ""},
        {"empty right marker", "abc", "a", "", 1, false, ""},
        {"left marker at the very end", "abc", "c", "x", 1, false, ""},
        {"Chinese markers", "名字：张三；", "名字：", "；", 1, false, "张三"},
        {"empty source", "", "a", "b", 1, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textBetween(c.source, c.left, c.right, c.start, c.caseSensitive), c.expected);
    }
}

TEST(TextBetween, DefaultsToStartOneIgnoringCase) {
    EXPECT_EQ(textBetween("<B>x</b>", "<b>", "</B>"), "x");
}

TEST(ReplaceText, Cases) {
    struct Case {
        const char* name;
        const char* text;
        const char* find;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"no overlaps, left to right", "aaa", "aa", "b", "ba"},
        {"empty find", "abc", "", "x", "abc"},
        {"empty text", "", "a", "x", ""},
        {"find longer than text", "ab", "abc", "x", "ab"},
        {"no match", "abc", "d", "x", "abc"},
        {"every occurrence", "a,b,c", ",", ";;", "a;;b;;c"},
        {"empty replacement deletes", "a,b,c", ",", "", "abc"},
        {"match at the end", "xab", "ab", "c", "xc"},
        {"whole text", "ab", "ab", "", ""},
        {"replacement is not rescanned", "ab", "a", "aa", "aab"},
        {"case-sensitive", "aAa", "A", "x", "axa"},
        {"skips across a character boundary", kAhSpace, "\xA1\xA1", "x", "\xB0\xA1x"},
        {"ASCII-looking trail byte skipped",
         "\x81\x41"
         "A",
         "A", "b",
         "\x81\x41"
         "b"},
        {"Chinese", "张三张", "张", "李", "李三李"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replaceText(c.text, c.find, c.replacement), c.expected);
    }
}

TEST(SplitText, Cases) {
    struct Case {
        const char* name;
        const char* text;
        const char* delimiter;
        TextList expected;
    } cases[] = {
        {"empty text", "", ",", {}},
        {"empty delimiter", "a", "", {"a"}},
        {"text shorter than delimiter", "a", ",,", {"a"}},
        {"leading delimiter, trailing delimiter", ",a,", ",", {"", "a"}},
        {"lines", "a\r\n\r\nb\r\n", "\r\n", {"a", "", "b"}},
        {"two in a row", "a,,b", ",", {"a", "", "b"}},
        {"no delimiter", "abc", ",", {"abc"}},
        {"only the delimiter", ",", ",", {""}},
        {"two delimiters", ",,", ",", {"", ""}},
        {"last piece shorter than delimiter", "a\r\nb", "\r\n", {"a", "b"}},
        {"full-width space", "啊　啊", "　", {"啊", "啊"}},
        // "啊啊" is B0 A1 B0 A1: A1 B0 appears across the character boundary only.
        {"not across a character boundary", "啊啊", "\xA1\xB0", {"啊啊"}},
        {"ASCII-looking trail byte skipped", "\x81,x", ",", {"\x81,x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitText(c.text, c.delimiter), c.expected);
    }
}

TEST(TrimText, Cases) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    } cases[] = {
        {"tab stays", " \t a ", "\t a"},
        {"lone full-width space", "　", ""},
        {"both kinds on both sides", "　 a b　 　", "a b"},
        {"empty", "", ""},
        {"only spaces", "   ", ""},
        {"line breaks stay", "\r\na\n", "\r\na\n"},
        {"Chinese kept", " 张三 ", "张三"},
        {"real full-width space after a character", kAhSpace, "\xB0\xA1"},
        // B0 A1 A1: the last two bytes look like a full-width space but are the end of
        // one character and a stray byte.
        {"A1 A1 across a boundary is not a space", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trimText(c.text), c.expected);
    }
}

TEST(RemoveSpaces, Cases) {
    EXPECT_EQ(removeSpaces(" a　b c "), "abc");
    EXPECT_EQ(removeSpaces(""), "");
    EXPECT_EQ(removeSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(removeSpaces(kAhSpace), "\xB0\xA1");
    EXPECT_EQ(removeSpaces("张 三"), "张三");
}

TEST(ToLowerText, LowersAsciiOnly) {
    EXPECT_EQ(toLowerText("ABC def-XYZ"), "abc def-xyz");
    EXPECT_EQ(toLowerText("\x81\x41Z"), "\x81\x41z");
    EXPECT_EQ(toLowerText("ＡB"), "Ａb");
    EXPECT_EQ(toLowerText(""), "");
}

TEST(TextToInteger, Cases) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"", 0},
        {"443", 443},
        {"８０80x", 8080},
        {"  -12", -12},
        {"\t\n\v\f\r 42", 42},
        {"+7", 7},
        {"＋７", 7},
        {"－７", -7},
        {"+-5", 0},
        {"- 5", 0},
        {"-", 0},
        {"+", 0},
        {"abc", 0},
        {"1 2", 1},
        {"12ａ3", 12},
        {"１２／３", 12},
        {"007", 7},
        {"-0", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},
        {"-2147483649", INT_MIN},
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
        // The full-width space is not white space for the number.
        {"　5", 0},
        {"7\xA3", 7},
        {"\xA3", 0},
        {"张3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textToInteger(c.text), c.expected);
    }
}

TEST(SpacesText, Cases) {
    EXPECT_EQ(spacesText(3), "   ");
    EXPECT_EQ(spacesText(1), " ");
    EXPECT_EQ(spacesText(0), "");
    EXPECT_EQ(spacesText(-4), "");
}

TEST(CharText, TakesLowEightBits) {
    EXPECT_EQ(charText(0), "");
    EXPECT_EQ(charText(0x141), "A");
    EXPECT_EQ(charText(0x100), "");
    EXPECT_EQ(charText(-1), "\xFF");
    EXPECT_EQ(charText(' '), " ");
}

TEST(HexText, Cases) {
    struct Case {
        int n;
        const char* expected;
    } cases[] = {
        {10, "A"},
        {255, "FF"},
        {0, "0"},
        {16, "10"},
        {0x1234abcd, "1234ABCD"},
        {INT_MAX, "7FFFFFFF"},
        {-1, "FFFFFFFF"},
        {-16, "FFFFFFF0"},
        {INT_MIN, "80000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(hexText(c.n), c.expected);
    }
}

TEST(ByteStrings, TextConversions) {
    EXPECT_EQ(textToBytes(""), ByteString());
    EXPECT_EQ(textToBytes("张a"), (ByteString{0xD5, 0xC5, 0x61}));
    EXPECT_EQ(bytesToText({0x41, 0x00, 0x42}), "A");
    EXPECT_EQ(bytesToText({0x00, 0x41}), "");
    EXPECT_EQ(bytesToText({}), "");
    EXPECT_EQ(bytesToText({0xD5, 0xC5}), "张");
}

TEST(ByteStrings, Operations) {
    EXPECT_EQ(blankBytes(3), (ByteString{0, 0, 0}));
    EXPECT_EQ(blankBytes(0), ByteString());
    EXPECT_EQ(blankBytes(-2), ByteString());
    EXPECT_EQ(byteLength({1, 0, 2}), 3);
    EXPECT_EQ(byteLength({}), 0);

    const ByteString abc{'a', 'b', 'c'};
    EXPECT_EQ(leftBytes(abc, 2), (ByteString{'a', 'b'}));
    EXPECT_EQ(leftBytes(abc, 9), abc);
    EXPECT_EQ(leftBytes(abc, 0), ByteString());
    EXPECT_EQ(leftBytes(abc, -1), ByteString());
    EXPECT_EQ(leftBytes({}, 2), ByteString());

    const ByteString zero{0};
    EXPECT_EQ(concatBytes({&abc, nullptr, &zero, &abc}),
              (ByteString{'a', 'b', 'c', 0, 'a', 'b', 'c'}));
    EXPECT_EQ(concatBytes({}), ByteString());

    EXPECT_TRUE(bytesEqual(abc, ByteString{'a', 'b', 'c'}));
    EXPECT_TRUE(bytesEqual({}, {}));
    EXPECT_FALSE(bytesEqual(abc, ByteString{'a', 'b'}));
    EXPECT_FALSE(bytesEqual(abc, ByteString{'a', 'b', 'd'}));
    EXPECT_FALSE(bytesEqual(zero, {}));
}

}  // namespace
