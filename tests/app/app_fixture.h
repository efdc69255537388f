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

// A build-tree path as Windows programs under Wine see it: the Unix root is drive Z:.
std::string windowsPathOf(std::string buildPath);
// Starts the real moxavel.exe in directory; the caller closes the handles.
PROCESS_INFORMATION startProgram(const std::string& directory);
// The main window of that process, once it is there; null after a few seconds without.
HWND waitForMainWindow(DWORD processId);
// Waits for the process to end; its exit code, or -1 when it is still running.
long waitForExit(PROCESS_INFORMATION& process, DWORD timeoutMs);

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
