#include "lookupd/command_line.h"

#include <gtest/gtest.h>

namespace lookupd {
namespace {

TEST(ListenAddress, AcceptsOnlyLoopbackAddresses) {
    struct Row {
        const char* text;
        bool ok;
        const char* host;
        std::uint16_t port;
    };
    const Row rows[] = {
        {"127.0.0.1:8730", true, "127.0.0.1", 8730},
        {"127.0.0.1:0", true, "127.0.0.1", 0},
        {"127.1.2.3:65535", true, "127.1.2.3", 65535},
        {"127.0.0.1:65536", false, "", 0},
        {"127.0.0.1:", false, "", 0},
        {"127.0.0.1:80a", false, "", 0},
        {"127.0.0.1:-1", false, "", 0},
        {"127.0.0.1", false, "", 0},
        {"0.0.0.0:8730", false, "", 0},
        {"192.168.1.2:8730", false, "", 0},
        {"128.0.0.1:8730", false, "", 0},
        {"localhost:8730", false, "", 0},
        {"[::1]:8730", false, "", 0},
        {":8730", false, "", 0},
    };
    for (const Row& row : rows) {
        std::string host = "unchanged";
        std::uint16_t port = 1;
        std::string error;
        EXPECT_EQ(parseListenAddress(row.text, host, port, error), row.ok) << row.text;
        if (row.ok) {
            EXPECT_EQ(host, row.host) << row.text;
            EXPECT_EQ(port, row.port) << row.text;
        } else {
            EXPECT_EQ(host, "unchanged") << row.text;
            EXPECT_NE(error.find(row.text), std::string::npos) << error;
        }
    }
}

TEST(CommandLine, ReadsEveryOption) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(
        parseCommandLine({"--data", "d.json", "--listen=127.0.0.2:0", "--tokens", "d1,k1,p1",
                          "--fault", "张三:delay:20", "--fault=*:error:a:b", "--quiet"},
                         line, error))
        << error;
    EXPECT_EQ(line.dataFile, "d.json");
    EXPECT_EQ(line.host, "127.0.0.2");
    EXPECT_EQ(line.port, 0);
    ASSERT_TRUE(line.tokens);
    EXPECT_EQ(line.tokens->diamondprox, "d1");
    EXPECT_EQ(line.tokens->apiKey, "k1");
    EXPECT_EQ(line.tokens->pbk, "p1");
    ASSERT_EQ(line.faults.size(), 2u);
    EXPECT_EQ(line.faults[0].target, "张三");
    EXPECT_EQ(line.faults[0].fault.ms, 20);
    EXPECT_EQ(line.faults[1].fault.text, "a:b");
    EXPECT_TRUE(line.quiet);
}

TEST(CommandLine, DefaultsToPort8730AndRandomTokens) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--data", "d.json"}, line, error)) << error;
    EXPECT_EQ(line.host, "127.0.0.1");
    EXPECT_EQ(line.port, 8730);
    EXPECT_FALSE(line.tokens);
    EXPECT_TRUE(line.faults.empty());
    EXPECT_FALSE(line.quiet);
}

TEST(CommandLine, RefusesBadArguments) {
    struct Row {
        std::vector<std::string> args;
        const char* message;
    };
    const Row rows[] = {
        {{}, "--data FILE is required"},
        {{"--listen", "127.0.0.1:0"}, "--data FILE is required"},
        {{"--data"}, "--data needs a value"},
        {{"--data", "d", "--listen", "10.0.0.1:80"}, "127.0.0.0/8"},
        {{"--data", "d", "--tokens", "a,b"}, "expected three tokens"},
        {{"--data", "d", "--tokens", "a,b,c,d"}, "expected three tokens"},
        {{"--data", "d", "--tokens", "a,,c"}, "must be non-empty"},
        {{"--data", "d", "--tokens", "a\">,b,c"}, "only letters, digits"},
        {{"--data", "d", "--fault", "a:slow"}, "unknown kind"},
        {{"--data", "d", "--verbose"}, "unknown option \"--verbose\""},
        {{"--data", "d", "--quiet=yes"}, "--quiet takes no value"},
    };
    for (const Row& row : rows) {
        CommandLine line;
        std::string error;
        EXPECT_FALSE(parseCommandLine(row.args, line, error)) << row.message;
        EXPECT_NE(error.find(row.message), std::string::npos) << error;
    }
}

TEST(Tokens, RandomTokensAreUsableAndDifferEachTime) {
    const Tokens first = randomTokens();
    const Tokens second = randomTokens();
    for (const std::string* token : {&first.diamondprox, &first.apiKey, &first.pbk}) {
        EXPECT_TRUE(isTokenText(*token)) << *token;
    }
    EXPECT_NE(first.apiKey, second.apiKey);
}

}  // namespace
}  // namespace lookupd
