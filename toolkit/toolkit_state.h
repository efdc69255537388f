// Process-wide state of the window toolkit, owned by the user-interface thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/handle_map.h"

extern HINSTANCE instanceHandle;
// Created at start-up and released at exit; while it is null no window has a control.
extern HandleMap* controlByHandle;
// Child controls take ++nextControlId, so the first one after start-up gets 501.
extern std::int32_t nextControlId;
// The application's main window; its destruction ends the message loop.
extern HWND mainWindowHandle;

constexpr std::int32_t kFirstControlIdBase = 500;

class WtControl;
WtControl* controlOf(HWND handle);
