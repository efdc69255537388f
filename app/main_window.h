// The main window: four buttons and the game-path edit box along the top, the player
// list below them, the two team lists at the bottom.
#pragma once

#include <windows.h>

#include "support/text.h"

// The main window's created event: builds and binds every control.
void buildMainWindow(HWND hwnd);
// The resized event: keeps right and bottom margins as they were built.
void layoutMainWindow(int width, int height);
// The destroyed event.
void quitApplication();

HFONT makeFont(const Text& face, int height, bool italic = false, bool bold = false,
               bool strikeOut = false, bool underline = false, int escapement = 0);
HICON loadAppIcon(int id);

inline constexpr int kAppIconId = 129;
inline constexpr char kMainWindowTitle[] = "[0730] Qeltra Moxavel";
