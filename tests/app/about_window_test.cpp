// The modal about window over the main window.
#include <windows.h>

#include <string>

#include "app/about_window.h"
#include "app/shell.h"
#include "lookup/lookup_service.h"
#include "tests/app/app_fixture.h"

namespace {

// What a timer saw while the about window's own loop was running.
struct AboutProbe {
    bool open = false;
    bool mainDisabled = false;
    Text credits;
    bool creditsDisabled = false;
    LONG creditsStyle = 0;
    Text okCaption, updateCaption;
    int width = 0, height = 0;
    LONG windowStyle = 0;
    HWND owner = nullptr;
    std::string openedFile;
};
AboutProbe probe;

void CALLBACK inspectAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    WtWindow& about = *app->aboutWindow;
    probe.open = about.handle() != nullptr && IsWindowVisible(about.handle());
    probe.mainDisabled = app->mainWindow->disabled();
    probe.credits = app->aboutText->content();
    probe.creditsDisabled = app->aboutText->disabled();
    probe.creditsStyle = app->aboutText->style();
    probe.okCaption = app->aboutOkButton->caption();
    probe.updateCaption = app->aboutUpdateButton->caption();
    probe.width = about.width();
    probe.height = about.height();
    probe.windowStyle = about.style();
    probe.owner = GetWindow(about.handle(), GW_OWNER);
    app->aboutUpdateButton->click();
    app->aboutOkButton->click();
}

using AboutWindowTest = AppFixture;

TEST_F(AboutWindowTest, OpensModalOverTheMainWindowAndClosesWithOk) {
    openApp();
    setShellOpenerForTesting([](const Text& file, const Text&) { probe.openedFile = file; });
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        probe = AboutProbe{};
        SetTimer(nullptr, 0, 100, inspectAndClose);
        app->aboutButton->click();  // returns once the window has been closed
        EXPECT_TRUE(probe.open);
        EXPECT_TRUE(probe.mainDisabled);
        EXPECT_EQ(probe.owner, app->mainWindow->handle());
        EXPECT_EQ(probe.width, 400);
        EXPECT_EQ(probe.height, 240);
        // A top-level window always gets a caption; the border style leaves out the system
        // menu, the sizing frame and the minimise and maximise boxes.
        EXPECT_EQ(
            probe.windowStyle & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
        EXPECT_TRUE(probe.windowStyle & WS_BORDER);
        EXPECT_TRUE(probe.creditsDisabled);
        EXPECT_EQ(probe.creditsStyle & 0x10C4, 0x1044);  // multi-line, wrapping, no h-scroll
        EXPECT_EQ(findText(probe.credits, "Moxavel 0730r\r\nAPI 来自 "), 1);
        EXPECT_NE(findText(probe.credits, hostOfBase()), -1);
        EXPECT_EQ(probe.okCaption, "好");
        EXPECT_EQ(probe.updateCaption, "检查更新");
        EXPECT_EQ(probe.openedFile.rfind("https://", 0), 0u);
        EXPECT_EQ(app->aboutWindow->handle(), nullptr);
        EXPECT_EQ(app->aboutOkButton->handle(), nullptr);
        EXPECT_FALSE(app->mainWindow->disabled());
        EXPECT_EQ(GetActiveWindow(), app->mainWindow->handle());
    }
    setShellOpenerForTesting(nullptr);
    EXPECT_FALSE(takeQuitMessage());
}

}  // namespace
