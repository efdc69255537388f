// Drives a running moxavel.exe from outside, as a user would, for the demo, the
// whole-program benchmarks and the hardening sweep. Commands run in the order given:
//   start EXE ROWS       start EXE in the current directory; time until its main window is
//                        visible and its player list holds ROWS rows (must come first)
//   init                 click "初始化"
//   refresh              click "刷新状态" and wait for the pass to end; prints its time
//   refresh-start        click "刷新状态" and return at once
//   wait-idle MS         wait up to MS for the pass to end; prints the time since refresh-start
//   stop                 click "强制停止"; prints how long until the caption reads "刷新状态"
//   stop-after MS        refresh-start, MS later stop
//   double-click ROW     double-click a row of the player list
//   spectate             click "观战" (it must be armed)
//   set-path TEXT        type TEXT into the game-path box
//   ui-latency           while a pass runs, time how long the window takes to answer
//   idle-latency MS      the same for MS milliseconds with no pass running
//   answers              the window answers a message within 5 s
//   resources            the program's GDI, USER and kernel handles, working set and peak
//   dump-rows FILE       every row's cells 1 to 6, tab-separated, one row a line (GBK)
//   lock FILE            open FILE with no sharing and hold it until the driver ends
//   sleep MS             wait
//   soak N MAXSTOP ROW LAUNCHED
//                        N cycles of init, refresh stopped after a random 0..MAXSTOP ms,
//                        refresh to the end, double-click ROW, spectate and wait for the
//                        stand-in client to write LAUNCHED
//   close                close the main window
//   wait-exit MS         wait up to MS for the program to end; prints its exit code
// Exit code 0 when every command did what it should.
// <windows.h> comes first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kInitButtonId = 501;
constexpr int kGamePathEditId = 502;
constexpr int kRefreshButtonId = 503;
constexpr int kSpectateButtonId = 505;
constexpr int kPlayerListId = 506;
constexpr int kLastColumn = 6;
constexpr char kIdleCaption[] = "刷新状态";
constexpr char kRunningCaption[] = "强制停止";

double nowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string windowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct Target {
    HWND window = nullptr;
    HWND init = nullptr;
    HWND refresh = nullptr;
    HWND spectate = nullptr;
    HWND list = nullptr;
    DWORD processId = 0;
    HANDLE process = nullptr;  // opened or created by the driver, closed at its end
};

Target target;
double passStart = 0;
std::vector<HANDLE> heldFiles;

HWND findMainWindowOf(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "WTWindow", "[0730] Qeltra Moxavel"))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (processId == 0 || owner == processId) return window;
    }
    return nullptr;
}

bool bindTarget(HWND window) {
    target.window = window;
    target.init = GetDlgItem(window, kInitButtonId);
    target.refresh = GetDlgItem(window, kRefreshButtonId);
    target.spectate = GetDlgItem(window, kSpectateButtonId);
    target.list = GetDlgItem(window, kPlayerListId);
    if (target.processId == 0) GetWindowThreadProcessId(window, &target.processId);
    if (target.process == nullptr) {
        target.process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                         PROCESS_VM_READ | PROCESS_VM_WRITE | SYNCHRONIZE,
                                     FALSE, target.processId);
    }
    return target.init && target.refresh && target.spectate && target.list && target.process;
}

bool attach() {
    for (int attempt = 0; attempt < 600; ++attempt) {
        if (HWND window = findMainWindowOf(0)) return bindTarget(window);
        Sleep(50);
    }
    return false;
}

int rowCount() {
    return static_cast<int>(SendMessageA(target.list, LVM_GETITEMCOUNT, 0, 0));
}

bool startProgram(const std::string& exe, int rows) {
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    const double start = nowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &created)) {
        std::printf("driver: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        return false;
    }
    CloseHandle(created.hThread);
    target.process = created.hProcess;
    target.processId = created.dwProcessId;
    double visibleAt = -1;
    while (nowMs() - start < 60000) {
        // The window may exist a moment before its controls do.
        if (target.list == nullptr) {
            if (HWND window = findMainWindowOf(target.processId)) bindTarget(window);
        }
        if (target.list != nullptr) {
            if (visibleAt < 0 && IsWindowVisible(target.window)) visibleAt = nowMs() - start;
            if (visibleAt >= 0 && rowCount() == rows) {
                std::printf("start-up: window %.1f ms, list of %d rows %.1f ms\n", visibleAt, rows,
                            nowMs() - start);
                return bindTarget(target.window);
            }
        }
        if (WaitForSingleObject(target.process, 0) == WAIT_OBJECT_0) {
            std::printf("driver: the program ended during start-up\n");
            return false;
        }
        Sleep(1);
    }
    std::printf("driver: no main window with %d rows within 60 s\n", rows);
    return false;
}

bool waitForCaption(const char* caption, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (windowText(target.refresh) == caption) return true;
        Sleep(1);
    }
    return false;
}

// Memory in the program's own process, for messages whose arguments point at memory.
class RemoteBlock {
  public:
    explicit RemoteBlock(SIZE_T size)
        : at_(VirtualAllocEx(target.process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (at_ != nullptr) VirtualFreeEx(target.process, at_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    char* at() const { return static_cast<char*>(at_); }
    bool write(SIZE_T offset, const void* bytes, SIZE_T size) const {
        return at_ && WriteProcessMemory(target.process, at() + offset, bytes, size, nullptr);
    }
    bool read(SIZE_T offset, void* bytes, SIZE_T size) const {
        return at_ && ReadProcessMemory(target.process, at() + offset, bytes, size, nullptr);
    }

  private:
    void* at_;
};

bool rowRect(int row, RECT& rect) {
    RemoteBlock block(sizeof rect);
    RECT request = {LVIR_BOUNDS, 0, 0, 0};
    return block.write(0, &request, sizeof request) &&
           SendMessageA(target.list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(block.at())) &&
           block.read(0, &rect, sizeof rect);
}

bool cellText(const RemoteBlock& block, int row, int column, std::string& text) {
    constexpr int kTextMax = 1024;
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = block.at() + sizeof item;
    item.cchTextMax = kTextMax;
    char buffer[kTextMax] = {};
    if (!block.write(0, &item, sizeof item) || !block.write(sizeof item, buffer, 1)) return false;
    SendMessageA(target.list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.at()));
    if (!block.read(sizeof item, buffer, kTextMax)) return false;
    buffer[kTextMax - 1] = 0;
    text = buffer;
    return true;
}

bool dumpRows(const char* path) {
    RemoteBlock block(sizeof(LVITEMA) + 1024);
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    bool ok = true;
    const int rows = rowCount();
    for (int row = 0; row < rows && ok; ++row) {
        for (int column = 1; column <= kLastColumn && ok; ++column) {
            std::string text;
            ok = cellText(block, row, column, text);
            std::fprintf(out, "%s%s", text.c_str(), column == kLastColumn ? "\n" : "\t");
        }
    }
    std::fclose(out);
    return ok;
}

bool doubleClick(int row) {
    RECT rect = {};
    if (!rowRect(row, rect)) return false;
    LPARAM at = MAKELPARAM(60, (rect.top + rect.bottom) / 2);
    SendMessageA(target.list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(target.list, WM_LBUTTONUP, 0, at);
    SendMessageA(target.list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(target.list, WM_LBUTTONUP, 0, at);
    return true;
}

bool answersWithin(DWORD timeoutMs, double* took = nullptr) {
    const double start = nowMs();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(target.window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result)) {
        return false;
    }
    if (took != nullptr) *took = nowMs() - start;
    return true;
}

double percentile(std::vector<double> samples, double q) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<size_t>(q * static_cast<double>(samples.size() - 1))];
}

void printLatency(const char* what, const std::vector<double>& samples) {
    if (samples.empty()) {
        std::printf("%s: no samples\n", what);
        return;
    }
    std::printf("%s: %zu samples, median %.3f ms, p99 %.3f ms, max %.3f ms\n", what, samples.size(),
                percentile(samples, 0.5), percentile(samples, 0.99),
                *std::max_element(samples.begin(), samples.end()));
}

// Answers to WM_NULL while a pass runs: the window must stay responsive.
bool measureLatency() {
    SendMessageA(target.refresh, BM_CLICK, 0, 0);
    std::vector<double> samples;
    while (windowText(target.refresh) != kIdleCaption) {
        double took = 0;
        if (!answersWithin(10000, &took)) {
            std::printf("ui-latency: the window did not answer within 10 s\n");
            return false;
        }
        samples.push_back(took);
        Sleep(2);
    }
    printLatency("ui-latency", samples);
    return true;
}

bool measureIdleLatency(DWORD durationMs) {
    std::vector<double> samples;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < durationMs) {
        double took = 0;
        if (!answersWithin(10000, &took)) {
            std::printf("idle-latency: the window did not answer within 10 s\n");
            return false;
        }
        samples.push_back(took);
        Sleep(2);
    }
    printLatency("idle-latency", samples);
    return true;
}

template <class Query>
Query ntdllFunction(const char* name) {
    return reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

// Wine keeps each process's GDI handle table where Windows does: in the process's own
// memory, named by the PEB. Entries are 24 bytes; a used one has a non-zero type.
struct GdiTableCount {
    bool known = false;
    int objects = 0;  // stock objects left out
};

GdiTableCount countGdiTable() {
    GdiTableCount count;
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = ntdllFunction<Query>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic = {};
    if (query == nullptr ||
        query(target.process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return count;
    }
    constexpr SIZE_T kGdiTableInPeb = 0x94;  // 32-bit PEB
    DWORD table = 0;
    if (!ReadProcessMemory(target.process,
                           reinterpret_cast<char*>(basic.PebBaseAddress) + kGdiTableInPeb, &table,
                           sizeof table, nullptr) ||
        table == 0) {
        return count;
    }
    constexpr int kEntrySize = 24, kEntries = 0x10000, kChunk = 1024;
    std::vector<unsigned char> chunk(kEntrySize * kChunk);
    for (int first = 0; first < kEntries; first += kChunk) {
        if (!ReadProcessMemory(target.process,
                               reinterpret_cast<void*>(static_cast<ULONG_PTR>(table) +
                                                       static_cast<ULONG_PTR>(first) * kEntrySize),
                               chunk.data(), chunk.size(), nullptr)) {
            break;
        }
        count.known = true;
        for (int i = 0; i < kChunk; ++i) {
            const unsigned char* entry = &chunk[static_cast<size_t>(i) * kEntrySize];
            const bool used = entry[14] != 0;            // Type
            const bool stock = (entry[12] & 0x80) != 0;  // StockFlag
            if (used && !stock) ++count.objects;
        }
    }
    return count;
}

using QuerySystem = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);

// The system's tables, asked for with a buffer that grows until they fit.
std::vector<unsigned char> systemTable(SYSTEM_INFORMATION_CLASS table) {
    auto query = ntdllFunction<QuerySystem>("NtQuerySystemInformation");
    std::vector<unsigned char> buffer(1 << 16);
    while (query != nullptr && buffer.size() <= (1u << 26)) {
        ULONG needed = 0;
        NTSTATUS status = query(table, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) return buffer;
        if (status != static_cast<NTSTATUS>(0xC0000004L)) break;  // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    }
    return {};
}

struct ProcessEntry {
    bool known = false;
    ULONG threads = 0;
    ULONG handles = 0;
};

ProcessEntry processEntry() {
    ProcessEntry found;
    std::vector<unsigned char> table = systemTable(SystemProcessInformation);
    for (size_t at = 0; at + sizeof(SYSTEM_PROCESS_INFORMATION) <= table.size();) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&table[at]);
        if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == target.processId) {
            found.known = true;
            found.threads = entry->NumberOfThreads;
            found.handles = entry->HandleCount;
            return found;
        }
        if (entry->NextEntryOffset == 0) break;
        at += entry->NextEntryOffset;
    }
    return found;
}

// The program's entries in the system's handle table; -1 when it cannot be read.
int countSystemHandles() {
    std::vector<unsigned char> table = systemTable(SystemHandleInformation);
    if (table.size() < sizeof(ULONG)) return -1;
    const auto* info = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(table.data());
    const size_t fits = (table.size() - sizeof(ULONG)) / sizeof(SYSTEM_HANDLE_ENTRY);
    int count = 0;
    for (size_t i = 0; i < std::min<size_t>(info->Count, fits); ++i) {
        if (info->Handle[i].OwnerPid == target.processId) ++count;
    }
    return count;
}

struct WindowCount {
    DWORD processId;
    int windows;
};

BOOL CALLBACK countOwnWindow(HWND window, LPARAM parameter) {
    auto* count = reinterpret_cast<WindowCount*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->processId) ++count->windows;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM parameter) {
    auto* count = reinterpret_cast<WindowCount*>(parameter);
    countOwnWindow(window, parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->processId) EnumChildWindows(window, countOwnWindow, parameter);
    return TRUE;
}

// Every window of the program: top-level ones with their children, and message-only ones.
int countWindows() {
    WindowCount count = {target.processId, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&count));
    HWND window = nullptr;
    while ((window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))) {
        countOwnWindow(window, reinterpret_cast<LPARAM>(&count));
    }
    return count.windows;
}

void printResources(const char* label) {
    const DWORD gdi = GetGuiResources(target.process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(target.process, GR_USEROBJECTS);
    DWORD handles = 0;
    const bool handlesKnown = GetProcessHandleCount(target.process, &handles) != FALSE;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    const bool memoryKnown = GetProcessMemoryInfo(target.process, &memory, sizeof memory) != FALSE;
    const GdiTableCount table = countGdiTable();
    const ProcessEntry entry = processEntry();
    std::printf(
        "resources%s%s: pid %lu, GetGuiResources gdi %lu user %lu, gdi-table %d%s, windows %d, "
        "GetProcessHandleCount %lu%s, process-table handles %lu threads %lu%s, "
        "handle-table %d, working-set %lu KiB%s, peak %lu KiB\n",
        *label ? " " : "", label, target.processId, gdi, user, table.objects,
        table.known ? "" : " (unreadable)", countWindows(), handles,
        handlesKnown ? "" : " (failed)", entry.handles, entry.threads,
        entry.known ? "" : " (not listed)", countSystemHandles(),
        static_cast<unsigned long>(memory.WorkingSetSize / 1024), memoryKnown ? "" : " (failed)",
        static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
}

bool clickRefreshToStart() {
    if (windowText(target.refresh) != kIdleCaption || !IsWindowEnabled(target.refresh)) {
        std::printf("driver: the refresh button is not ready to start (\"%s\")\n",
                    windowText(target.refresh).c_str());
        return false;
    }
    passStart = nowMs();
    SendMessageA(target.refresh, BM_CLICK, 0, 0);
    return true;
}

// The stop's time, or -1 when the pass had already ended (nothing clicked) or the caption
// did not come back within 10 s.
double stopPass(bool* ended) {
    *ended = false;
    if (windowText(target.refresh) != kRunningCaption) {
        *ended = true;
        return 0;
    }
    const double start = nowMs();
    SendMessageA(target.refresh, BM_CLICK, 0, 0);
    if (!waitForCaption(kIdleCaption, 10000)) return -1;
    const double took = nowMs() - start;
    // The pass may have ended just before the click, which then started a new one.
    if (windowText(target.refresh) == kRunningCaption) {
        SendMessageA(target.refresh, BM_CLICK, 0, 0);
        waitForCaption(kIdleCaption, 10000);
    }
    return took;
}

bool clickInit() {
    if (!IsWindowEnabled(target.init)) {
        std::printf("driver: \"初始化\" is disabled\n");
        return false;
    }
    SendMessageA(target.init, BM_CLICK, 0, 0);
    if (!IsWindowEnabled(target.refresh)) {
        std::printf("driver: initialising failed\n");
        return false;
    }
    return true;
}

bool clickSpectate() {
    if (!IsWindowEnabled(target.spectate)) {
        std::printf("driver: \"观战\" is not armed\n");
        return false;
    }
    SendMessageA(target.spectate, BM_CLICK, 0, 0);
    return true;
}

bool fileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool soak(int cycles, int maxStopMs, int row, const char* launched) {
    std::srand(static_cast<unsigned>(GetTickCount()));
    std::vector<double> stops, passes;
    int endedBeforeStop = 0, launches = 0, slowStops = 0;
    printResources("before");
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (!clickInit() || !clickRefreshToStart()) return false;
        Sleep(static_cast<DWORD>(std::rand() % (maxStopMs + 1)));
        bool ended = false;
        const double stop = stopPass(&ended);
        if (stop < 0) {
            std::printf("soak: cycle %d: the stop did not take effect within 10 s\n", cycle);
            return false;
        }
        if (ended) {
            ++endedBeforeStop;
        } else {
            stops.push_back(stop);
            if (stop > 250) ++slowStops;
        }
        if (!clickRefreshToStart()) return false;
        if (!waitForCaption(kIdleCaption, 120000)) {
            std::printf("soak: cycle %d: the pass did not end\n", cycle);
            return false;
        }
        passes.push_back(nowMs() - passStart);
        if (!doubleClick(row) || !clickSpectate()) {
            std::printf("soak: cycle %d: no game to spectate on row %d\n", cycle, row);
            return false;
        }
        DWORD waited = GetTickCount();
        while (!fileExists(launched) && GetTickCount() - waited < 20000) Sleep(20);
        if (fileExists(launched)) {
            ++launches;
            // The stand-in client may still hold it for a moment.
            for (int i = 0; i < 100 && !DeleteFileA(launched); ++i) Sleep(20);
        }
        if (cycle == 1) printResources("after-cycle-1");
        if (cycle % 10 == 0) {
            std::printf("soak: %d cycles\n", cycle);
            std::fflush(stdout);
        }
    }
    printResources("after");
    std::printf(
        "soak: %d cycles, %zu stops (median %.1f ms, p99 %.1f ms, max %.1f ms, %d over 250 ms), "
        "%d passes ended before their stop, passes median %.1f ms, %d/%d launches seen\n",
        cycles, stops.size(), percentile(stops, 0.5), percentile(stops, 0.99),
        stops.empty() ? 0.0 : *std::max_element(stops.begin(), stops.end()), slowStops,
        endedBeforeStop, percentile(passes, 0.5), launches, cycles);
    return launches == cycles;
}

bool waitExit(DWORD timeoutMs) {
    if (WaitForSingleObject(target.process, timeoutMs) != WAIT_OBJECT_0) {
        std::printf("driver: the program did not end within %lu ms\n", timeoutMs);
        return false;
    }
    DWORD code = 1;
    GetExitCodeProcess(target.process, &code);
    std::printf("exit code: %lu\n", code);
    return code == 0;
}

int runCommand(int argc, char** argv, int& i) {
    const std::string command = argv[i];
    auto needs = [&](int count) { return i + count < argc; };
    if (command == "init") return clickInit() ? 0 : 1;
    if (command == "refresh") {
        if (!clickRefreshToStart()) return 1;
        if (!waitForCaption(kIdleCaption, 600000)) {
            std::printf("driver: the pass did not end\n");
            return 1;
        }
        std::printf("pass: %.1f ms\n", nowMs() - passStart);
        return 0;
    }
    if (command == "refresh-start") return clickRefreshToStart() ? 0 : 1;
    if (command == "wait-idle" && needs(1)) {
        if (!waitForCaption(kIdleCaption, static_cast<DWORD>(std::atoi(argv[++i])))) {
            std::printf("driver: the pass did not end\n");
            return 1;
        }
        std::printf("pass: %.1f ms\n", nowMs() - passStart);
        return 0;
    }
    if (command == "stop" || (command == "stop-after" && needs(1))) {
        if (command == "stop-after") {
            if (!clickRefreshToStart()) return 1;
            Sleep(static_cast<DWORD>(std::atoi(argv[++i])));
        }
        bool ended = false;
        const double took = stopPass(&ended);
        if (ended) {
            std::printf("stop: the pass had already ended\n");
        } else if (took < 0) {
            std::printf("stop: the caption did not come back within 10 s\n");
            return 1;
        } else {
            std::printf("stop: %.1f ms\n", took);
        }
        return 0;
    }
    if (command == "double-click" && needs(1)) {
        if (doubleClick(std::atoi(argv[++i]))) return 0;
        std::printf("driver: no such row\n");
        return 1;
    }
    if (command == "spectate") return clickSpectate() ? 0 : 1;
    if (command == "set-path" && needs(1)) {
        // The system carries WM_SETTEXT's text over to the program's process.
        HWND edit = GetDlgItem(target.window, kGamePathEditId);
        const LPARAM text = reinterpret_cast<LPARAM>(argv[++i]);
        return edit && SendMessageA(edit, WM_SETTEXT, 0, text) ? 0 : 1;
    }
    if (command == "ui-latency") return measureLatency() ? 0 : 1;
    if (command == "idle-latency" && needs(1)) {
        return measureIdleLatency(static_cast<DWORD>(std::atoi(argv[++i]))) ? 0 : 1;
    }
    if (command == "answers") {
        double took = 0;
        if (!answersWithin(5000, &took)) {
            std::printf("answers: no answer within 5 s\n");
            return 1;
        }
        std::printf("answers: yes, %.1f ms\n", took);
        return 0;
    }
    if (command == "resources") {
        printResources("");
        return 0;
    }
    if (command == "dump-rows" && needs(1)) {
        if (dumpRows(argv[++i])) return 0;
        std::printf("driver: cannot read the rows\n");
        return 1;
    }
    if (command == "lock" && needs(1)) {
        const char* path = argv[++i];
        HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::printf("driver: cannot lock %s (error %lu)\n", path, GetLastError());
            return 1;
        }
        heldFiles.push_back(file);
        return 0;
    }
    if (command == "sleep" && needs(1)) {
        Sleep(static_cast<DWORD>(std::atoi(argv[++i])));
        return 0;
    }
    if (command == "soak" && needs(4)) {
        const int cycles = std::atoi(argv[i + 1]);
        const int maxStop = std::atoi(argv[i + 2]);
        const int row = std::atoi(argv[i + 3]);
        const char* launched = argv[i + 4];
        i += 4;
        return soak(cycles, maxStop, row, launched) ? 0 : 1;
    }
    if (command == "close") {
        PostMessageA(target.window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "wait-exit" && needs(1)) {
        return waitExit(static_cast<DWORD>(std::atoi(argv[++i]))) ? 0 : 1;
    }
    std::printf("driver: unknown command %s\n", command.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    if (argc > 3 && std::strcmp(argv[1], "start") == 0) {
        if (!startProgram(argv[2], std::atoi(argv[3]))) return 1;
        first = 4;
    } else if (!attach()) {
        std::printf("driver: no main window\n");
        return 1;
    }
    std::fflush(stdout);
    int result = 0;
    for (int i = first; i < argc && result == 0; ++i) {
        result = runCommand(argc, argv, i);
        std::fflush(stdout);
    }
    for (HANDLE file : heldFiles) CloseHandle(file);
    if (target.process != nullptr) CloseHandle(target.process);
    return result;
}
