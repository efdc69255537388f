// moxavel-lookupd: the local lookup service that the program, its tests and its demo use.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "lookupd/command_line.h"
#include "lookupd/data_file.h"
#include "lookupd/server.h"

namespace {

// Lock-free, so the signal handler may read it.
std::atomic<lookupd::LookupServer*> runningServer{nullptr};

extern "C" void onStopSignal(int) {
    if (lookupd::LookupServer* server = runningServer.load()) server->requestStop();
}

void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A client that leaves early must not end the service.
    std::signal(SIGPIPE, SIG_IGN);
}

void logToStderr(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lookupd;
    CommandLine line;
    std::string error;
    if (!parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), line, error)) {
        std::fprintf(stderr, "moxavel-lookupd: %s\n\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (line.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    ServiceData data;
    if (!loadServiceDataFile(line.dataFile, data, error)) {
        std::fprintf(stderr, "moxavel-lookupd: %s\n", error.c_str());
        return 2;
    }
    const Tokens tokens = line.tokens ? *line.tokens : randomTokens();

    ServerConfig config;
    config.host = line.host;
    config.port = line.port;
    if (!line.quiet) config.log = logToStderr;
    LookupServer server(Service(std::move(data), tokens, std::move(line.faults)), config);
    if (!server.listen(error)) {
        std::fprintf(stderr, "moxavel-lookupd: %s\n", error.c_str());
        return 1;
    }
    runningServer.store(&server);
    installStopHandlers();
    if (!line.quiet) {
        std::fprintf(stderr, "tokens %s,%s,%s\n", tokens.diamondprox.c_str(), tokens.apiKey.c_str(),
                     tokens.pbk.c_str());
    }
    // Scripts and tests wait for this line, so it goes out even with --quiet.
    std::printf("listening on %s:%u\n", server.host().c_str(),
                static_cast<unsigned>(server.port()));
    std::fflush(stdout);
    server.run();
    runningServer.store(nullptr);
    return 0;
}
