// Runs the real application in-process, in a scratch working directory of its own.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/application.h"

// Dispatches every message already queued for this thread, WM_QUIT aside.
void pumpMessages();
// True when a quit request was waiting; removes it.
bool takeQuitMessage();
// Pumps messages for about the given time.
void pumpFor(DWORD milliseconds);

void setRegistryInstallPath(const std::string* value);

class AppFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void writeFile(const std::string& name, const std::string& bytes);
    std::string readFile(const std::string& name) const;
    bool fileExists(const std::string& name) const;
    // Start-up as the program makes it, without its message loop.
    void openApp();
    // Closes the main window the way the user does and runs the exit routine.
    void closeApp();

    std::string directory;
    std::string previousDirectory;
};
