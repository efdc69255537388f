#include "lookup/cookies.h"

#include <gtest/gtest.h>

namespace {

struct MergeCase {
    const char* what;
    Text jar;
    Text newCookies;
    Text mergedJar;
    Text newCookiesAfter;
};

TEST(MergeCookies, MergesAsTheJarFormatRequires) {
    const MergeCase cases[] = {
        {"both empty", "", "", "", ""},
        {"server replaces an old cookie and comes first", "a=1; b=2", "b=3", "b=3; a=1", "b=3"},
        {"deleted cookie vanishes with the old one", "a=1; c=3", "a=deleted", "c=3", "a=deleted"},
        {"deleted cookie the jar never had", "a=1", "b=deleted", "a=1", "b=deleted"},
        {"duplicates from the server stay", "", "a=1; a=2", "a=1; a=2", "a=1;a=2"},
        {"only the first old cookie of a name stays", "a=1; a=2", "", "a=1", ""},
        {"spaces inside values go", "x=hello world", "", "x=helloworld", ""},
        {"full-width spaces go too",
         "x=a\xA1\xA1"
         "b",
         "", "x=ab", ""},
        {"fresh jar from two cookies", "", "a=1; b=2", "a=1; b=2", "a=1;b=2"},
        {"item without equals sign is a cookie", "flag; a=1", "a=2", "a=2; flag", "a=2"},
        {"empty item kept once", "a=1;;b=2", "", "a=1; ; b=2", ""},
        {"deleted test is case-sensitive", "a=DELETED", "", "a=DELETED", ""},
        {"deleted test looks only at the end", "a=x=deletedy", "", "a=x=deletedy", ""},
        {"names are case-sensitive", "A=1", "a=2", "a=2; A=1", "a=2"},
        {"old cookies keep their order", "c=3; a=1; b=2", "a=9", "a=9; c=3; b=2", "a=9"},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.what);
        Text jar = c.jar;
        Text newCookies = c.newCookies;
        Text returned = mergeCookies(jar, newCookies);
        EXPECT_EQ(jar, c.mergedJar);
        EXPECT_EQ(returned, c.mergedJar);
        EXPECT_EQ(newCookies, c.newCookiesAfter);
    }
}

TEST(CookieName, IsTheTrimmedTextBeforeTheFirstEqualsSign) {
    const std::pair<Text, Text> cases[] = {
        {"a=1", "a"}, {" a =1", "a"}, {"flag", "flag"}, {" flag ", "flag"},
        {"=v", ""},   {"a=b=c", "a"}, {"", ""},
    };
    for (const auto& [item, name] : cases) EXPECT_EQ(cookieName(item), name) << item;
}

}  // namespace
