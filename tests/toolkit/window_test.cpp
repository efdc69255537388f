// The top-level window class against real windows: loading, events, centring, the modal
// loop and the quit request when the main window goes away.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/windows_test_support.h"
#include "toolkit/toolkit_state.h"
#include "toolkit/wt_window.h"

namespace {

class WindowTest : public testing::Test {
  protected:
    void TearDown() override {
        if (window.handle()) DestroyWindow(window.handle());
        mainWindowHandle = nullptr;
        pumpMessages();
        takeQuitMessage();
        nextControlId = kFirstControlIdBase;
    }
    WtWindow window;
};

TEST_F(WindowTest, LoadingRaisesCreatedThenResizedThenShows) {
    std::vector<std::string> events;
    HWND createdWith = nullptr;
    WtCallback::Arg resizedWidth = 0, resizedHeight = 0;
    window.setOnResized([&](WtCallback::Arg w, WtCallback::Arg h) {
        events.push_back(IsWindowVisible(window.handle()) ? "resized visible" : "resized");
        resizedWidth = w, resizedHeight = h;
    });
    WtWindowOptions options;
    options.title = "Initializing..";
    options.width = 730;
    options.height = 470;
    options.onCreated = [&](WtCallback::Arg hwnd) {
        createdWith = reinterpret_cast<HWND>(hwnd);
        events.push_back(IsWindowVisible(createdWith) ? "created visible" : "created");
    };
    ASSERT_TRUE(window.loadWindow(options));

    // Showing may resize again; what matters is what came before the window was shown.
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], "created");
    EXPECT_EQ(events[1], "resized");
    EXPECT_EQ(createdWith, window.handle());
    EXPECT_TRUE(IsWindowVisible(window.handle()));
    RECT client = window.clientRect();
    EXPECT_EQ(resizedWidth, client.right);
    EXPECT_EQ(resizedHeight, client.bottom);
    EXPECT_EQ(window.width(), 730);
    EXPECT_EQ(window.height(), 470);
    EXPECT_EQ(window.text(), "Initializing..");
    EXPECT_EQ(window.className(), "WTWindow");
    LONG style = window.style();
    EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS),
              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    EXPECT_EQ(window.backgroundColour(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(WindowTest, LoadingABoundWindowAgainCreatesNothing) {
    ASSERT_TRUE(window.loadWindow({}));
    HWND first = window.handle();
    int created = 0;
    WtWindowOptions options;
    options.onCreated = [&] { ++created; };
    EXPECT_FALSE(window.loadWindow(options));
    EXPECT_EQ(window.handle(), first);
    EXPECT_EQ(created, 0);
}

TEST_F(WindowTest, CentringPlacesTheWindowInTheMiddleOfTheScreenAndShowsIt) {
    WtWindowOptions options;
    options.width = 730;
    options.height = 470;
    options.visible = false;
    ASSERT_TRUE(window.loadWindow(options));
    EXPECT_FALSE(IsWindowVisible(window.handle()));
    window.setWindowState(3);
    EXPECT_TRUE(IsWindowVisible(window.handle()));
    int expectedX = (GetSystemMetrics(SM_CXSCREEN) - 730) / 2;
    int expectedY = (GetSystemMetrics(SM_CYSCREEN) - 470) / 2;
    EXPECT_EQ(window.left(), expectedX);
    EXPECT_EQ(window.top(), expectedY);
    if (GetSystemMetrics(SM_CXSCREEN) == 1920 && GetSystemMetrics(SM_CYSCREEN) == 1080) {
        EXPECT_EQ(window.left(), 595);
        EXPECT_EQ(window.top(), 305);
    }
}

TEST_F(WindowTest, DestroyingTheMainWindowRequestsQuitAndResetsControlIds) {
    ASSERT_TRUE(window.loadWindow({}));
    mainWindowHandle = window.handle();
    nextControlId = 508;
    int destroyed = 0;
    window.setOnDestroyed([&] { ++destroyed; });
    DestroyWindow(window.handle());
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(mainWindowHandle, nullptr);
    EXPECT_EQ(nextControlId, kFirstControlIdBase);
    EXPECT_TRUE(takeQuitMessage());
}

TEST_F(WindowTest, DestroyingAnyOtherWindowRequestsNoQuit) {
    WtWindow main;
    ASSERT_TRUE(main.loadWindow({}));
    mainWindowHandle = main.handle();
    ASSERT_TRUE(window.loadWindow({}));
    DestroyWindow(window.handle());
    EXPECT_FALSE(takeQuitMessage());
    EXPECT_EQ(mainWindowHandle, main.handle());
    DestroyWindow(main.handle());
}

TEST_F(WindowTest, AClosingHandlerThatReturnsNonzeroKeepsTheWindowOpen) {
    ASSERT_TRUE(window.loadWindow({}));
    int asked = 0;
    window.setOnClosing([&] {
        ++asked;
        return 1;
    });
    window.close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindow(window.handle()));
    window.setOnClosing([&] {
        ++asked;
        return 0;
    });
    HWND hwnd = window.handle();
    window.close();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(window.handle(), nullptr);
}

// Runs while a modal window's own loop is pumping.
struct ModalProbe {
    static ModalProbe* current;
    HWND owner = nullptr;
    HWND modal = nullptr;
    bool ownerEnabledWhileOpen = true;
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        current->ownerEnabledWhileOpen = IsWindowEnabled(current->owner) != FALSE;
        SendMessageA(current->modal, WM_CLOSE, 0, 0);
    }
};
ModalProbe* ModalProbe::current = nullptr;

TEST_F(WindowTest, AModalWindowDisablesItsOwnerUntilItIsGone) {
    ASSERT_TRUE(window.loadWindow({}));
    for (int opening = 1; opening <= 2; ++opening) {
        ModalProbe probe;
        ModalProbe::current = &probe;
        probe.owner = window.handle();
        WtWindow dialog;
        WtWindowOptions options;
        options.owner = window.handle();
        options.modal = true;
        options.style = WS_BORDER;
        options.width = 400;
        options.height = 240;
        options.onCreated = [&](WtCallback::Arg hwnd) {
            probe.modal = reinterpret_cast<HWND>(hwnd);
            SetTimer(nullptr, 0, 50, &ModalProbe::onTimer);
        };
        EXPECT_TRUE(dialog.loadWindow(options)) << "opening " << opening;
        EXPECT_FALSE(probe.ownerEnabledWhileOpen) << "opening " << opening;
        EXPECT_FALSE(IsWindow(probe.modal));
        EXPECT_EQ(dialog.handle(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(window.handle()));
        EXPECT_EQ(GetActiveWindow(), window.handle());
    }
    EXPECT_FALSE(takeQuitMessage()) << "the about-style window must not end the program";
}

TEST_F(WindowTest, WindowEventsReachTheirCallbacks) {
    ASSERT_TRUE(window.loadWindow({}));
    WtCallback::Arg movedX = -1, movedY = -1;
    int shown = 0, hidden = 0, menuId = 0;
    window.setOnMoved([&](WtCallback::Arg x, WtCallback::Arg y) { movedX = x, movedY = y; });
    window.setOnShown([&] { ++shown; });
    window.setOnHidden([&] { ++hidden; });
    window.setOnMenuCommand([&](WtCallback::Arg id) { menuId = static_cast<int>(id); });
    SendMessageA(window.handle(), WM_MOVE, 0, MAKELPARAM(12, -3));
    SendMessageA(window.handle(), WM_SHOWWINDOW, FALSE, 0);
    SendMessageA(window.handle(), WM_SHOWWINDOW, TRUE, 0);
    SendMessageA(window.handle(), WM_COMMAND, MAKEWPARAM(40001, 0), 0);
    EXPECT_EQ(movedX, 12);
    EXPECT_EQ(movedY, -3);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(menuId, 40001);
}

TEST_F(WindowTest, KeepActiveLookRefusesTheInactiveTitleBar) {
    ASSERT_TRUE(window.loadWindow({}));
    window.setKeepActiveLook(true);
    EXPECT_EQ(SendMessageA(window.handle(), WM_NCACTIVATE, FALSE, 0), 1);
}

}  // namespace
