// The moxavel-lookupd program itself, started as scripts and the program's tests start it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "answer_markers.h"
#include "test_client.h"

extern char** environ;

namespace {

using namespace lookupd_test;

struct Child {
    pid_t pid = -1;
    int out = -1;
    int err = -1;
};

Child spawn(const std::vector<std::string>& args) {
    std::vector<std::string> all = {LOOKUPD_EXECUTABLE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    Child child;
    if (posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        child.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    child.out = out[0];
    child.err = err[0];
    return child;
}

// Reads until the text contains stop (an empty stop: to the end of the stream) or the
// stream ends; each wait is bounded.
std::string readUntil(int fd, const std::string& stop) {
    std::string text;
    char buffer[4096];
    for (int reads = 0; reads < 1000 && (stop.empty() || text.find(stop) == std::string::npos);
         ++reads) {
        pollfd entry{fd, POLLIN, 0};
        if (::poll(&entry, 1, 20000) <= 0) break;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

int waitForExit(Child& child) {
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    ::close(child.out);
    ::close(child.err);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(Executable, ServesTheDemoDataAndStopsCleanlyOnSigterm) {
    Child child = spawn({"--data", LOOKUPD_DEMO_DATA, "--listen", "127.0.0.1:0", "--tokens",
                         "d1,k2,p3", "--fault", "nobody:error:down for a moment", "--quiet"});
    ASSERT_GT(child.pid, 0);
    const std::string line = readUntil(child.out, "\n");
    const std::string prefix = "listening on 127.0.0.1:";
    ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
    const auto port = static_cast<std::uint16_t>(std::stoi(line.substr(prefix.size())));

    const RawAnswer page = roundTrip(port, getRequest("/profile/china-ionia-1/~/", port));
    EXPECT_EQ(cut(page.body, R"(name="PBK" value=")", R"(">)"), "p3");
    const std::string poll =
        "/lookup/xmpp/poll?diamondprox=d1&REQUIRED_QUICKFIND_API_KEY=k2&PBK=p3"
        "&regionProxy=china-ionia-1&summoner=";
    // 寂寞的风 plays in the demo's first game.
    const RawAnswer game =
        roundTrip(port, getRequest(poll + "%E5%AF%82%E5%AF%9E%E7%9A%84%E9%A3%8E", port));
    EXPECT_EQ(playerPieces(game.body).size(), 10u);
    EXPECT_EQ(roundTrip(port, getRequest(poll + "nobody", port)).body,
              R"({"success":false,"error":"down for a moment"})");

    ASSERT_EQ(::kill(child.pid, SIGTERM), 0);
    EXPECT_EQ(waitForExit(child), 0);
}

TEST(Executable, LogsRequestsUnlessQuiet) {
    Child child = spawn({"--data", LOOKUPD_DEMO_DATA, "--listen=127.0.0.1:0"});
    ASSERT_GT(child.pid, 0);
    const std::string line = readUntil(child.out, "\n");
    ASSERT_EQ(line.rfind("listening on 127.0.0.1:", 0), 0u) << line;
    const auto port = static_cast<std::uint16_t>(std::stoi(line.substr(23)));
    roundTrip(port, getRequest("/test/empty", port));
    const std::string log = readUntil(child.err, "GET /test/empty 200 0 B ");
    EXPECT_NE(log.find("GET /test/empty 200 0 B "), std::string::npos) << log;
    ASSERT_EQ(::kill(child.pid, SIGINT), 0);
    EXPECT_EQ(waitForExit(child), 0);
}

TEST(Executable, RefusesBadStartsWithAMessage) {
    struct Row {
        std::vector<std::string> args;
        const char* message;
    };
    const Row rows[] = {
        {{"--data", LOOKUPD_DEMO_DATA, "--listen", "0.0.0.0:0"}, "127.0.0.0/8"},
        {{"--data", "/nonexistent/data.json"}, "/nonexistent/data.json: cannot open"},
        {{"--listen", "127.0.0.1:0"}, "--data FILE is required"},
        {{"--data", LOOKUPD_DEMO_DATA, "--fault", "x:bogus"}, "unknown kind \"bogus\""},
    };
    for (const Row& row : rows) {
        Child child = spawn(row.args);
        ASSERT_GT(child.pid, 0);
        const std::string err = readUntil(child.err, "");
        EXPECT_EQ(waitForExit(child), 2) << row.message;
        EXPECT_NE(err.find(row.message), std::string::npos) << err;
    }
}

}  // namespace
