// The modal about window: the credits and a way to the update page.
#pragma once

#include <windows.h>

// Opens the window and returns once it has been closed.
void showAboutWindow();
void buildAboutWindow(HWND hwnd);
void closeAboutWindow();
void openUpdatePage();
