// The control base class against real windows: dispatch, consumed results, child
// routing and unbinding.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/toolkit/windows_test_support.h"
#include "toolkit/toolkit_state.h"
#include "toolkit/wt_control.h"

namespace {

// Messages that reached the window procedure in place before binding.
std::vector<UINT> seenBySavedProc;

LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    seenBySavedProc.push_back(msg);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* recorderClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = recordingProc;
        wc.hInstance = instanceHandle;
        wc.lpszClassName = "MoxavelRecorder";
        RegisterClassA(&wc);
        registered = true;
    }
    return "MoxavelRecorder";
}

bool savedProcSaw(UINT msg) {
    for (UINT seen : seenBySavedProc)
        if (seen == msg) return true;
    return false;
}

// A control whose child notifications are recorded.
class RecordingControl : public WtControl {
  public:
    ~RecordingControl() override {
        if (hwnd_) unbindWindow(hwnd_);
    }
    LRESULT onCommand(HWND parent, HWND child, int code, int id) override {
        commands.push_back({parent, child, code, id});
        return commandResult;
    }
    LRESULT onNotify(HWND, HWND, int code, UINT_PTR, LPARAM) override {
        notifyCodes.push_back(code);
        return 0;
    }
    LRESULT onControlColor(HWND, HDC) override { return colourResult; }
    void destroyCleanup(HWND) override { ++cleanups; }

    struct Command {
        HWND parent, child;
        int code, id;
    };
    std::vector<Command> commands;
    std::vector<int> notifyCodes;
    LRESULT commandResult = 0;
    LRESULT colourResult = 0;
    int cleanups = 0;
};

class ControlTest : public testing::Test {
  protected:
    void SetUp() override {
        seenBySavedProc.clear();
        ASSERT_NE(control.createControlWindow(nullptr, 0, recorderClass(), "t",
                                              WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                              nullptr),
                  nullptr);
        seenBySavedProc.clear();
    }
    void TearDown() override {
        if (control.handle()) DestroyWindow(control.handle());
    }
    LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        seenBySavedProc.clear();
        return SendMessageA(control.handle(), msg, wParam, lParam);
    }
    RecordingControl control;
};

TEST_F(ControlTest, BindingSubclassesTheWindowOnce) {
    HWND hwnd = control.handle();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), controlWindowProc);
    EXPECT_EQ(controlOf(hwnd), &control);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_CLIPSIBLINGS);
    // A second create on a bound control makes nothing.
    EXPECT_EQ(control.createControlWindow(nullptr, 0, recorderClass(), "u", 0, 0, 0, 10, 10,
                                          nullptr, nullptr),
              nullptr);
    EXPECT_EQ(control.handle(), hwnd);
}

TEST_F(ControlTest, NonzeroCallbackResultsKeepMessagesFromTheSavedProcedure) {
    struct Case {
        const char* name;
        UINT msg;
        void (WtControl::*set)(WtCallback);
        bool consumable;
    } cases[] = {
        {"left down", WM_LBUTTONDOWN, &WtControl::setOnLeftDown, true},
        {"left up", WM_LBUTTONUP, &WtControl::setOnLeftUp, true},
        {"left double", WM_LBUTTONDBLCLK, &WtControl::setOnLeftDoubleClick, true},
        {"right down", WM_RBUTTONDOWN, &WtControl::setOnRightDown, true},
        {"right up", WM_RBUTTONUP, &WtControl::setOnRightUp, true},
        {"mouse move", WM_MOUSEMOVE, &WtControl::setOnMouseMove, true},
        {"key down", WM_KEYDOWN, &WtControl::setOnKeyDown, true},
        {"key up", WM_KEYUP, &WtControl::setOnKeyUp, true},
        {"char", WM_CHAR, &WtControl::setOnChar, true},
        {"wheel", WM_MOUSEWHEEL, &WtControl::setOnMouseWheel, true},
        {"focus gained", WM_SETFOCUS, &WtControl::setOnFocusGained, false},
        {"focus lost", WM_KILLFOCUS, &WtControl::setOnFocusLost, false},
    };
    for (const Case& c : cases) {
        int raised = 0;
        (control.*c.set)([&raised] {
            ++raised;
            return 7;
        });
        LRESULT result = send(c.msg, 0, MAKELPARAM(3, 4));
        EXPECT_EQ(raised, 1) << c.name;
        EXPECT_EQ(savedProcSaw(c.msg), !c.consumable) << c.name;
        if (c.consumable) {
            EXPECT_EQ(result, 7) << c.name;
        }

        (control.*c.set)([] { return 0; });
        send(c.msg, 0, MAKELPARAM(3, 4));
        EXPECT_TRUE(savedProcSaw(c.msg)) << c.name << " with a zero result";
        (control.*c.set)(nullptr);
    }
}

TEST_F(ControlTest, MousePositionsAndWheelDeltaKeepTheirSigns) {
    WtCallback::Arg x = 0, y = 0, delta = 0;
    control.setOnLeftDown([&](WtCallback::Arg a, WtCallback::Arg b) { x = a, y = b; });
    send(WM_LBUTTONDOWN, 0, MAKELPARAM(-5, -7));
    EXPECT_EQ(x, 65531);
    EXPECT_EQ(y, -7);
    control.setOnMouseWheel([&](WtCallback::Arg d) { delta = d; });
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(delta, -120);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(delta, 120);
}

TEST_F(ControlTest, MouseEnterIsRaisedOncePerVisit) {
    int entered = 0, left = 0, moved = 0;
    control.setOnMouseEnter([&] { ++entered; });
    control.setOnMouseLeave([&] { ++left; });
    control.setOnMouseMove([&] { ++moved; });
    send(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    send(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(moved, 2);  // the enter callback returned 0, so the move is raised too
    send(WM_MOUSELEAVE);
    EXPECT_EQ(left, 1);
    send(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(entered, 2);
}

TEST_F(ControlTest, APaintCallbackGetsTheUpdateRectangle) {
    ValidateRect(control.handle(), nullptr);  // forget the paint of the first showing
    RECT painted = {};
    control.setOnPaint([&](WtCallback::Arg hdc, WtCallback::Arg l, WtCallback::Arg t,
                           WtCallback::Arg r, WtCallback::Arg b) {
        EXPECT_NE(hdc, 0);
        painted = {static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r),
                   static_cast<LONG>(b)};
        return 1;
    });
    RECT dirty = {10, 20, 30, 40};
    InvalidateRect(control.handle(), &dirty, FALSE);
    seenBySavedProc.clear();
    UpdateWindow(control.handle());
    EXPECT_EQ(painted.left, 10);
    EXPECT_EQ(painted.bottom, 40);
    EXPECT_FALSE(savedProcSaw(WM_PAINT));
}

// Builds the shell's drop record for the given paths, as the shell hands it over.
HGLOBAL dropRecord(const std::vector<std::string>& paths) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& p : paths) size += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* record = static_cast<DROPFILES*>(GlobalLock(memory));
    record->pFiles = sizeof(DROPFILES);
    char* out = reinterpret_cast<char*>(record + 1);
    for (const std::string& p : paths) {
        std::memcpy(out, p.c_str(), p.size() + 1);
        out += p.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

TEST_F(ControlTest, DroppedFilesArriveAsOneTextJoinedByLineEnds) {
    std::string received;
    control.setOnFilesDropped([&](WtCallback::Arg text) {
        received = reinterpret_cast<const char*>(text);
        return 1;
    });
    send(WM_DROPFILES, reinterpret_cast<WPARAM>(dropRecord({"C:\\a.txt", "C:\\b", "D:\\c d"})));
    EXPECT_EQ(received, "C:\\a.txt\r\nC:\\b\r\nD:\\c d");
    EXPECT_TRUE(savedProcSaw(WM_DROPFILES));  // its result is never a reason to consume
}

TEST_F(ControlTest, ParentNotificationsReachTheChildsObject) {
    RecordingControl child;
    ASSERT_NE(child.createControlWindow(control.handle(), 0, recorderClass(), "", WS_CHILD, 0, 0,
                                        10, 10, reinterpret_cast<HMENU>(77), nullptr),
              nullptr);
    HWND childHwnd = child.handle();

    send(WM_COMMAND, MAKEWPARAM(77, 0x300), reinterpret_cast<LPARAM>(childHwnd));
    ASSERT_EQ(child.commands.size(), 1u);
    EXPECT_EQ(child.commands[0].parent, control.handle());
    EXPECT_EQ(child.commands[0].child, childHwnd);
    EXPECT_EQ(child.commands[0].code, 0x300);
    EXPECT_EQ(child.commands[0].id, 77);
    EXPECT_TRUE(savedProcSaw(WM_COMMAND));
    child.commandResult = 5;
    EXPECT_EQ(send(WM_COMMAND, MAKEWPARAM(77, 0), reinterpret_cast<LPARAM>(childHwnd)), 5);
    EXPECT_FALSE(savedProcSaw(WM_COMMAND));

    NMHDR header = {childHwnd, 77, static_cast<UINT>(-2)};
    send(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header));
    header.code = static_cast<UINT>(-520);  // tooltip text requests stay with the parent
    send(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(child.notifyCodes, std::vector<int>{-2});

    child.colourResult = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    HDC hdc = GetDC(childHwnd);
    EXPECT_EQ(
        send(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(childHwnd)),
        child.colourResult);
    ReleaseDC(childHwnd, hdc);

    // A window without a control is not routed anywhere.
    EXPECT_EQ(send(WM_COMMAND, 0, reinterpret_cast<LPARAM>(GetDesktopWindow())), 0);
    EXPECT_TRUE(savedProcSaw(WM_COMMAND));
}

TEST_F(ControlTest, DestroyingTheWindowUnbindsAndReleasesWhatTheControlOwns) {
    HWND hwnd = control.handle();
    HFONT font = CreateFontA(12, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, "Arial");
    control.setFont(font);
    control.setOnLeftDown([] { return 1; });
    LOGFONTA info;
    ASSERT_NE(GetObjectA(font, sizeof info, &info), 0);

    seenBySavedProc.clear();
    DestroyWindow(hwnd);
    EXPECT_EQ(control.handle(), nullptr);
    EXPECT_EQ(control.cleanups, 1);
    EXPECT_TRUE(savedProcSaw(WM_NCDESTROY));
    EXPECT_EQ(GetObjectA(font, sizeof info, &info), 0) << "the font was not deleted";
    EXPECT_EQ(controlOf(hwnd), nullptr);
}

TEST_F(ControlTest, GeometryAndStateOperationsWorkOnAChild) {
    RecordingControl child;
    child.createControlWindow(control.handle(), 0, recorderClass(), "abc", WS_CHILD | WS_VISIBLE, 5,
                              6, 40, 30, nullptr, nullptr);
    EXPECT_EQ(child.left(), 5);
    EXPECT_EQ(child.top(), 6);
    child.setLeft(15);
    child.setWidth(60);
    child.setHeight(35);
    child.setTop(9);
    EXPECT_EQ(child.left(), 15);
    EXPECT_EQ(child.top(), 9);
    EXPECT_EQ(child.width(), 60);
    EXPECT_EQ(child.height(), 35);
    EXPECT_FALSE(child.disabled());
    EXPECT_FALSE(child.setDisabled(true));  // was enabled before
    EXPECT_TRUE(child.disabled());
    EXPECT_TRUE(child.setDisabled(false));
    EXPECT_EQ(child.text(), "abc");
    child.setText("召唤师");
    EXPECT_EQ(child.text(), "召唤师");
}

TEST(UnboundControl, OperationsGiveEmptyResults) {
    RecordingControl control;
    EXPECT_EQ(control.text(), "");
    EXPECT_EQ(control.className(), "");
    EXPECT_FALSE(control.exists());
    EXPECT_FALSE(control.setText("x"));
    control.close();  // no window, nothing to send to
    EXPECT_EQ(control.handle(), nullptr);
}

}  // namespace
