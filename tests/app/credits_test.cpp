#include "app/credits.h"

#include <gtest/gtest.h>

namespace {

TEST(Credits, NineLinesNamingTheLookupHost) {
    Text text = creditsText("lookup.example.test");
    // splitText drops a trailing empty piece, so count the separators too.
    int separators = 0;
    for (int at = findText(text, "\r\n"); at != -1; at = findText(text, "\r\n", at + 2))
        ++separators;
    EXPECT_EQ(separators, 8);
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");
    TextList parts = splitText(text, "\r\n");
    ASSERT_GE(parts.size(), 3u);
    EXPECT_EQ(parts[0], "Moxavel 0730r");
    EXPECT_EQ(parts[1], "API 来自 lookup.example.test");
    EXPECT_EQ(parts[2], std::string(41, '-'));
}

}  // namespace
