#include "tests/app/app_fixture.h"

#include <fstream>
#include <sstream>

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool takeQuitMessage() {
    MSG msg;
    bool found = false;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) found = true;
    return found;
}

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        pumpMessages();
    }
}

void setRegistryInstallPath(const std::string* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tencent\\LOL", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot open the registry key";
        return;
    }
    if (value == nullptr) {
        RegDeleteValueA(key, "InstallPath");
    } else {
        RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>(value->size() + 1));
    }
    RegCloseKey(key);
}

std::string windowsPathOf(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

PROCESS_INFORMATION startProgram(const std::string& directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + windowsPathOf(MOXAVEL_EXE_PATH) + "\"";
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               directory.c_str(), &startup, &process))
        << "cannot start " << MOXAVEL_EXE_PATH;
    return process;
}

HWND waitForMainWindow(DWORD processId) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        HWND window = FindWindowA("WTWindow", "[0730] Qeltra Moxavel");
        DWORD owner = 0;
        if (window != nullptr) GetWindowThreadProcessId(window, &owner);
        if (window != nullptr && owner == processId) return window;
        Sleep(50);
    }
    return nullptr;
}

long waitForExit(PROCESS_INFORMATION& process, DWORD timeoutMs) {
    long result = -1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        result = static_cast<long>(exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

void AppFixture::SetUp() {
    char buffer[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buffer);
    previousDirectory = buffer;
    GetTempPathA(MAX_PATH, buffer);
    char unique[MAX_PATH];
    GetTempFileNameA(buffer, "mox", 0, unique);
    DeleteFileA(unique);
    CreateDirectoryA(unique, nullptr);
    directory = unique;
    SetCurrentDirectoryA(directory.c_str());
    setRegistryInstallPath(nullptr);
}

void AppFixture::TearDown() {
    if (app != nullptr) closeApp();
    setRegistryInstallPath(nullptr);
    SetCurrentDirectoryA(previousDirectory.c_str());
    std::string command = "cmd /c rmdir /s /q \"" + directory + "\"";
    WinExec(command.c_str(), SW_HIDE);
}

void AppFixture::writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(directory + "\\" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string AppFixture::readFile(const std::string& name) const {
    std::ifstream in(directory + "\\" + name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool AppFixture::fileExists(const std::string& name) const {
    return GetFileAttributesA((directory + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void AppFixture::openApp() {
    createGlobalObjects();
    ASSERT_TRUE(openMainWindow());
    pumpMessages();
}

void AppFixture::closeApp() {
    if (app->mainWindow->handle() != nullptr) {
        SendMessageA(app->mainWindow->handle(), WM_CLOSE, 0, 0);
    }
    pumpMessages();
    EXPECT_TRUE(takeQuitMessage()) << "closing the main window must end the message loop";
    releaseGlobalObjects();
}
