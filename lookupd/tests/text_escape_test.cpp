#include "lookupd/text_escape.h"

#include <gtest/gtest.h>

namespace lookupd {
namespace {

struct EscapeRow {
    const char* what;
    std::string input;
    const char* expected;
};

TEST(JsonEscape, WritesEachCharacterAsTheServiceDoes) {
    const EscapeRow rows[] = {
        {"plain ASCII", "Ahri 1520 ~!@#$%^&*()", "Ahri 1520 ~!@#$%^&*()"},
        {"empty", "", ""},
        {"quote", "a\"b", R"(a\"b)"},
        {"backslash", "a\\b", R"(a\\b)"},
        {"slash", "</td>", R"(<\/td>)"},
        {"short control forms", "\n\t\r\b\f", R"(\n\t\r\b\f)"},
        {"other control characters", std::string("\x01\x1f\0", 3), R"(\u0001\u001f\u0000)"},
        {"DEL stays", "\x7f", "\x7f"},
        {"two-byte UTF-8", "é", R"(\u00e9)"},
        {"CJK, lowercase hex", "张三", R"(\u5f20\u4e09)"},
        {"CJK mixed with ASCII", "Faker不会玩", R"(Faker\u4e0d\u4f1a\u73a9)"},
        {"beyond the BMP: surrogate pair", "😀", R"(\ud83d\ude00)"},
        {"last code point", "\xf4\x8f\xbf\xbf", R"(\udbff\udfff)"},
        {"lone continuation byte", "a\x80z", R"(a\ufffdz)"},
        {"truncated sequence", "a\xe5\xbc", R"(a\ufffd\ufffd)"},
        {"overlong slash", "\xc0\xaf", R"(\ufffd\ufffd)"},
        {"encoded surrogate", "\xed\xa0\x80", R"(\ufffd\ufffd\ufffd)"},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", R"(\ufffd\ufffd\ufffd\ufffd)"},
    };
    for (const EscapeRow& row : rows) {
        EXPECT_EQ(jsonEscape(row.input), row.expected) << row.what;
    }
}

TEST(HtmlEscape, ReplacesTheFiveMarkupCharacters) {
    const EscapeRow rows[] = {
        {"markup", "<a href=\"x\">'&'</a>",
         "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;"},
        {"already escaped text is escaped again", "&amp;", "&amp;amp;"},
        {"other text unchanged", "夜雨 听风_/\\", "夜雨 听风_/\\"},
    };
    for (const EscapeRow& row : rows) {
        EXPECT_EQ(htmlEscape(row.input), row.expected) << row.what;
    }
}

}  // namespace
}  // namespace lookupd
