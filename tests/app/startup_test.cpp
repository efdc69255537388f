// Start-up and shutdown of the real program and of its objects.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/app/app_fixture.h"
#include "toolkit/toolkit_state.h"

namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, TheMainWindowIsBuiltBeforeLoadingReturns) {
    openApp();
    EXPECT_EQ(mainWindowHandle, app->mainWindow->handle());
    EXPECT_TRUE(IsWindowVisible(mainWindowHandle));
    EXPECT_EQ(app->mainWindow->text(), "[0730] Qeltra Moxavel");  // "Initializing.." is gone
    EXPECT_EQ(app->mainWindow->width(), 730);
    EXPECT_EQ(app->mainWindow->height(), 470);
    EXPECT_EQ(app->mainWindow->left(), (GetSystemMetrics(SM_CXSCREEN) - 730) / 2);
    EXPECT_EQ(app->mainWindow->top(), (GetSystemMetrics(SM_CYSCREEN) - 470) / 2);
    EXPECT_EQ(nextControlId, 508);
}

TEST_F(StartupTest, ClosingReleasesEveryObjectOnceInOrder) {
    openApp();
    closeApp();
    EXPECT_EQ(mainWindowHandle, nullptr);
    EXPECT_EQ(nextControlId, kFirstControlIdBase);
    const std::vector<std::string> expected = {
        "MainWindow",        "initButton",     "gamePathEdit", "refreshButton", "aboutButton",
        "spectateButton",    "playerList",     "teamList1",    "teamList2",     "layout",
        "LookupSession",     "gameRecords",    "AboutWindow",  "aboutText",     "aboutOkButton",
        "aboutUpdateButton", "controlByHandle"};
    std::vector<std::string> released(releasedObjects().begin(), releasedObjects().end());
    EXPECT_EQ(released, expected);
    releaseGlobalObjects();  // the runtime's exit calls it again
    EXPECT_EQ(releasedObjects().size(), expected.size());
    EXPECT_EQ(app, nullptr);
    EXPECT_EQ(controlByHandle, nullptr);
}

TEST_F(StartupTest, TheProgramShowsItsWindowCentredAndEndsWithExitCodeZeroWhenClosed) {
    writeFile("playerid.txt", "张三\r\n李四\r\n");
    PROCESS_INFORMATION process = startProgram(directory);
    ASSERT_NE(process.hProcess, nullptr);
    HWND window = waitForMainWindow(process.dwProcessId);
    ASSERT_NE(window, nullptr) << "no main window appeared";
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 730);
    EXPECT_EQ(rect.bottom - rect.top, 470);
    if (GetSystemMetrics(SM_CXSCREEN) == 1920 && GetSystemMetrics(SM_CYSCREEN) == 1080) {
        EXPECT_EQ(rect.left, 595);
        EXPECT_EQ(rect.top, 305);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForExit(process, 20000), 0);
}

}  // namespace
