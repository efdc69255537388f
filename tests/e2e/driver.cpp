// Drives a running moxavel.exe from outside, as a user would, for the demo and the
// whole-program benchmarks. Commands run in the order given:
//   init                 click "初始化"
//   refresh              click "刷新状态" and wait for the pass to end; prints its time
//   double-click ROW     double-click a row of the player list
//   ui-latency           while a pass runs, time how long the window takes to answer
//   about                open the about window (without waiting for it to close)
//   about-ok             press "好" in the about window
//   close                close the main window
// Exit code 0 when every command did what it should.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kInitButtonId = 501;
constexpr int kRefreshButtonId = 503;
constexpr int kAboutButtonId = 504;
constexpr int kPlayerListId = 506;

HWND findMainWindow() {
    for (int attempt = 0; attempt < 600; ++attempt) {
        if (HWND window = FindWindowA("WTWindow", "[0730] Qeltra Moxavel")) return window;
        Sleep(50);
    }
    return nullptr;
}

std::string windowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

double nowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool waitForIdle(HWND refresh, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (windowText(refresh) == "刷新状态") return true;
        Sleep(5);
    }
    return false;
}

// The row's rectangle, read through memory in the program's own process.
bool rowRect(HWND list, int row, RECT& rect) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, processId);
    if (process == nullptr) return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    RECT request = {LVIR_BOUNDS, 0, 0, 0};
    bool ok = remote != nullptr && WriteProcessMemory(process, remote, &request, sizeof request,
                                                      nullptr);
    ok = ok && SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote)) != 0;
    ok = ok && ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

bool doubleClick(HWND list, int row) {
    RECT rect = {};
    if (!rowRect(list, row, rect)) return false;
    LPARAM at = MAKELPARAM(60, (rect.top + rect.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    return true;
}

// Answers to WM_NULL while a pass runs: the window must stay responsive.
bool measureLatency(HWND window, HWND refresh) {
    SendMessageA(refresh, BM_CLICK, 0, 0);
    std::vector<double> samples;
    while (windowText(refresh) != "刷新状态") {
        double start = nowMs();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) {
            std::printf("ui-latency: the window did not answer within 10 s\n");
            return false;
        }
        samples.push_back(nowMs() - start);
        Sleep(2);
    }
    if (samples.empty()) return true;
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) { return samples[static_cast<size_t>(q * (samples.size() - 1))]; };
    std::printf("ui-latency: %zu samples, median %.3f ms, p99 %.3f ms, max %.3f ms\n",
                samples.size(), at(0.5), at(0.99), samples.back());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    HWND window = findMainWindow();
    if (window == nullptr) {
        std::printf("driver: no main window\n");
        return 1;
    }
    HWND init = GetDlgItem(window, kInitButtonId);
    HWND refresh = GetDlgItem(window, kRefreshButtonId);
    HWND list = GetDlgItem(window, kPlayerListId);
    for (int i = 1; i < argc; ++i) {
        std::string command = argv[i];
        if (command == "init") {
            SendMessageA(init, BM_CLICK, 0, 0);
            if (!IsWindowEnabled(refresh)) {
                std::printf("driver: initialising failed\n");
                return 1;
            }
        } else if (command == "refresh") {
            double start = nowMs();
            SendMessageA(refresh, BM_CLICK, 0, 0);
            if (!waitForIdle(refresh, 600000)) {
                std::printf("driver: the pass did not end\n");
                return 1;
            }
            std::printf("pass: %.1f ms\n", nowMs() - start);
        } else if (command == "double-click" && i + 1 < argc) {
            if (!doubleClick(list, std::atoi(argv[++i]))) {
                std::printf("driver: no such row\n");
                return 1;
            }
        } else if (command == "ui-latency") {
            if (!measureLatency(window, refresh)) return 1;
        } else if (command == "about") {
            // Posted: the window is modal, a sent click would wait until it closes.
            PostMessageA(GetDlgItem(window, kAboutButtonId), BM_CLICK, 0, 0);
            Sleep(500);
        } else if (command == "about-ok") {
            HWND about = FindWindowA("WTWindow", "");
            HWND ok = about ? FindWindowExA(about, nullptr, "Button", "好") : nullptr;
            if (ok == nullptr) {
                std::printf("driver: no about window\n");
                return 1;
            }
            PostMessageA(ok, BM_CLICK, 0, 0);
            Sleep(300);
        } else if (command == "close") {
            PostMessageA(window, WM_CLOSE, 0, 0);
        } else {
            std::printf("driver: unknown command %s\n", command.c_str());
            return 2;
        }
        std::fflush(stdout);
    }
    return 0;
}
