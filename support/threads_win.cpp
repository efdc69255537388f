#include "support/threads.h"

#include <windows.h>

namespace {

struct Launch {
    ThreadRoutine routine;
    void* argument;
    std::shared_ptr<StopToken> stop;
};

DWORD WINAPI threadEntry(LPVOID parameter) {
    Launch* launch = static_cast<Launch*>(parameter);
    launch->routine(launch->argument, *launch->stop);
    delete launch;
    return 0;
}

}  // namespace

bool startThread(ThreadRoutine routine, void* argument, ThreadHandle* handle) {
    auto stop = std::make_shared<StopToken>();
    Launch* launch = new Launch{routine, argument, stop};
    HANDLE thread = CreateThread(nullptr, 0, threadEntry, launch, 0, nullptr);
    if (thread == nullptr) {
        delete launch;
        if (handle != nullptr) *handle = ThreadHandle{};
        return false;
    }
    if (handle != nullptr) {
        *handle = ThreadHandle{thread, stop};
    } else {
        CloseHandle(thread);
    }
    return true;
}

bool forceStopThread(ThreadHandle& handle) {
    if (!handle.stop) return false;
    handle.stop->requestStop();
    return true;
}

bool closeThreadHandle(ThreadHandle& handle) {
    if (handle.native == nullptr) return false;
    bool closed = CloseHandle(static_cast<HANDLE>(handle.native)) != FALSE;
    handle.native = nullptr;
    return closed;
}
