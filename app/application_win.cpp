#include "app/application.h"

#include <cstdlib>
#include <new>

#include "app/main_window.h"
#include "app/refresh.h"
#include "toolkit/toolkit_state.h"

AppObjects* app = nullptr;
int RefreshState = 0;

namespace {

std::vector<const char*> releaseLog;

[[noreturn]] void outOfMemory() {
    MessageBoxA(nullptr, "内存不足", "error", MB_ICONERROR);
    std::exit(0);  // runs the exit routine
}

template <class T>
void release(std::unique_ptr<T>& object, const char* name) {
    object.reset();
    releaseLog.push_back(name);
}

void callAtlAxWinInit() {
    // Registers the ActiveX host window class; nothing here depends on it succeeding.
    if (HMODULE atl = LoadLibraryA("atl.dll")) {
        using Init = BOOL(WINAPI*)();
        if (auto init = reinterpret_cast<Init>(GetProcAddress(atl, "AtlAxWinInit"))) init();
    }
}

}  // namespace

void createGlobalObjects() {
    releaseLog.clear();
    app = new AppObjects;
    app->mainWindow = std::make_unique<WtWindow>();
    app->initButton = std::make_unique<WtButton>();
    app->gamePathEdit = std::make_unique<WtEdit>();
    app->refreshButton = std::make_unique<WtButton>();
    app->aboutButton = std::make_unique<WtButton>();
    app->spectateButton = std::make_unique<WtButton>();
    app->playerList = std::make_unique<WtListView>();
    app->teamList1 = std::make_unique<WtListView>();
    app->teamList2 = std::make_unique<WtListView>();
    app->layout = std::make_unique<LayoutState>();
    app->session = std::make_unique<LookupSession>();
    app->gameRecords = std::make_unique<std::vector<GameRecord>>();
    app->aboutWindow = std::make_unique<WtWindow>();
    app->aboutText = std::make_unique<WtEdit>();
    app->aboutOkButton = std::make_unique<WtButton>();
    app->aboutUpdateButton = std::make_unique<WtButton>();
    controlByHandle = new HandleMap;
}

void releaseGlobalObjects() {
    if (app == nullptr) return;
    stopRefreshForExit();
    release(app->mainWindow, "MainWindow");
    release(app->initButton, "initButton");
    release(app->gamePathEdit, "gamePathEdit");
    release(app->refreshButton, "refreshButton");
    release(app->aboutButton, "aboutButton");
    release(app->spectateButton, "spectateButton");
    release(app->playerList, "playerList");
    release(app->teamList1, "teamList1");
    release(app->teamList2, "teamList2");
    release(app->layout, "layout");
    release(app->session, "LookupSession");
    release(app->gameRecords, "gameRecords");
    release(app->aboutWindow, "AboutWindow");
    release(app->aboutText, "aboutText");
    release(app->aboutOkButton, "aboutOkButton");
    release(app->aboutUpdateButton, "aboutUpdateButton");
    delete controlByHandle;
    controlByHandle = nullptr;
    releaseLog.push_back("controlByHandle");
    delete app;
    app = nullptr;
}

const std::vector<const char*>& releasedObjects() {
    return releaseLog;
}

int runMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(nullptr, nullptr, &msg)) continue;
        if (IsDialogMessageA(nullptr, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

bool openMainWindow() {
    instanceHandle = GetModuleHandleA(nullptr);
    nextControlId = kFirstControlIdBase;
    callAtlAxWinInit();

    WtWindowOptions options;
    options.title = "Initializing..";
    options.onCreated = [](WtCallback::Arg hwnd) { buildMainWindow(reinterpret_cast<HWND>(hwnd)); };
    options.width = 730;
    options.height = 470;
    return app->mainWindow->loadWindow(options);
}

int startApplication() {
    std::set_new_handler(outOfMemory);
    createGlobalObjects();
    std::atexit(releaseGlobalObjects);
    // Without a main window there is nothing to show; the loop then waits for nothing,
    // so end at once instead.
    if (!openMainWindow()) return 0;
    return runMessageLoop();
}
