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

// Dispatches messages as they arrive until done() holds; false if it never did. The bound
// only keeps a lost input event from hanging the run.
template <class Done>
bool pumpUntil(Done done) {
    for (int round = 0; round < 200; ++round) {
        pumpMessages();
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    pumpMessages();
    return done();
}

// A real left click at a screen point, through the system's input queue.
inline void clickAtScreen(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// The centre of a window, in screen coordinates.
inline POINT windowCentre(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
