#include "lookup/lookup_service.h"

#include <gtest/gtest.h>

#include "lookup/session_tokens.h"

namespace {

// Points the program at a test service for one test and puts the built-in address back.
class LookupServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        builtIn_ = lookupBase();
        setLookupBaseForTesting("http://Svc.Test:9001");
    }
    void TearDown() override { setLookupBaseForTesting(builtIn_); }

  private:
    Text builtIn_;
};

TEST(LookupBase, IsAPlainHttpAddressWithoutTrailingSlash) {
    const Text& base = lookupBase();
    EXPECT_EQ(base.rfind("http://", 0), 0u) << base;
    ASSERT_GT(base.size(), 7u);
    EXPECT_NE(base.back(), '/') << base;
}

TEST_F(LookupServiceTest, AddressesStartWithTheBase) {
    EXPECT_EQ(profilePageAddress(), "http://Svc.Test:9001/profile/china-ionia-1/~/");
    EXPECT_EQ(buildPollPrefix("d1", "k1", "p1"),
              "http://Svc.Test:9001/lookup/xmpp/poll?diamondprox=d1&REQUIRED_QUICKFIND_API_KEY="
              "k1&PBK=p1&regionProxy=china-ionia-1&summoner=");
    EXPECT_EQ(hostOfBase(), "svc.test");
}

TEST_F(LookupServiceTest, SessionTokensComeFromTheHiddenFields) {
    const struct {
        const char* what;
        const char* page;
        const char* diamondprox;
        const char* apiKey;
        const char* pbk;
        bool ready;
    } cases[] = {
        {"all three",
         R"(<form><input type="hidden" name="diamondprox" value="d1">)"
         R"(<input type="hidden" name="REQUIRED_QUICKFIND_API_KEY" value="k1">)"
         R"(<input type="hidden" name="PBK" value="p1"></form>)",
         "d1", "k1", "p1", true},
        {"markers in capitals",
         R"(NAME="DIAMONDPROX" VALUE="d2">NAME="required_quickfind_api_key" VALUE="k2">)"
         R"(Name="pbk" Value="p2">)",
         "d2", "k2", "p2", true},
        {"value runs to the first closing quote and bracket",
         R"(name="diamondprox" value="d1">name="REQUIRED_QUICKFIND_API_KEY" value="k1">)"
         R"(name="PBK" value="p1" id="x">)",
         "d1", "k1", R"(p1" id="x)", true},
        {"field missing",
         R"(name="diamondprox" value="d1">name="REQUIRED_QUICKFIND_API_KEY" value="k1">)", "d1",
         "k1", "", false},
        {"value never closed", R"(name="diamondprox" value="d1"><p>name="PBK" value="p1)", "d1", "",
         "", false},
        {"empty value", R"(name="diamondprox" value="">)", "", "", "", false},
        {"nothing fetched", "", "", "", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LookupSession session = readSessionTokens(c.page);
        EXPECT_EQ(session.diamondprox, c.diamondprox);
        EXPECT_EQ(session.REQUIRED_QUICKFIND_API_KEY, c.apiKey);
        EXPECT_EQ(session.PBK, c.pbk);
        // Built whatever the tokens hold, so a failed run still replaces the old prefix.
        EXPECT_EQ(session.pollPrefix, Text("http://Svc.Test:9001/lookup/xmpp/poll?diamondprox=") +
                                          c.diamondprox +
                                          "&REQUIRED_QUICKFIND_API_KEY=" + c.apiKey +
                                          "&PBK=" + c.pbk + "&regionProxy=china-ionia-1&summoner=");
        EXPECT_EQ(sessionReady(session), c.ready);
    }
}

}  // namespace
