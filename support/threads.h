// Worker threads that stop by agreement: a stop request is a flag the routine reads
// between its steps. Nothing is ever killed, so no lock or handle is left half-used.
#pragma once

#include <atomic>
#include <memory>

class StopToken {
  public:
    bool stopRequested() const { return stop_.load(std::memory_order_acquire); }
    void requestStop() { stop_.store(true, std::memory_order_release); }

  private:
    std::atomic<bool> stop_{false};
};

// The routine owns its argument; it should return soon after a stop is requested.
using ThreadRoutine = void (*)(void* argument, const StopToken& stop);

struct ThreadHandle {
    void* native = nullptr;  // 0: no thread
    std::shared_ptr<StopToken> stop;
};

// Starts routine on a new thread. Without a handle out-argument the thread runs detached.
bool startThread(ThreadRoutine routine, void* argument = nullptr, ThreadHandle* handle = nullptr);
// Asks the thread to stop and returns at once, without waiting for it.
bool forceStopThread(ThreadHandle& handle);
// Releases the handle; false when there was none.
bool closeThreadHandle(ThreadHandle& handle);
