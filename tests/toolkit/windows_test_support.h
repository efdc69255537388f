// Helpers for toolkit tests that drive real windows.
#pragma once

#include <windows.h>

// Dispatches every message already queued for this thread.
inline void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// True when a WM_QUIT is waiting in this thread's queue; removes it.
inline bool takeQuitMessage() {
    MSG msg;
    bool found = false;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) found = true;
    return found;
}
