// Push buttons and edit boxes against real windows: creation defaults, identifiers,
// clicks, the colour layer, change events and release with the parent.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/toolkit/windows_test_support.h"
#include "toolkit/toolkit_state.h"
#include "toolkit/wt_button.h"
#include "toolkit/wt_edit.h"
#include "toolkit/wt_window.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// A memory device context with a bitmap to paint into, as the colour requests get one.
class MemoryDc {
  public:
    MemoryDc(int width, int height) {
        HDC screen = GetDC(nullptr);
        hdc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(hdc_, bitmap_);
    }
    ~MemoryDc() {
        SelectObject(hdc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(hdc_);
    }
    HDC get() const { return hdc_; }

  private:
    HDC hdc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

COLORREF brushColour(LRESULT brush) {
    LOGBRUSH info = {};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof info, &info);
    return info.lbColor;
}

class ControlsTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(loadParent(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN)); }
    void TearDown() override {
        if (parent.handle()) DestroyWindow(parent.handle());
        pumpMessages();
        nextControlId = kFirstControlIdBase;
    }

    bool loadParent(DWORD style) {
        WtWindowOptions options;
        options.title = "controls";
        options.x = 100;
        options.y = 100;
        options.width = 420;
        options.height = 300;
        options.style = style;
        if (!parent.loadWindow(options)) return false;
        SetForegroundWindow(parent.handle());
        pumpMessages();
        return true;
    }

    // Sends the parent a colour request as the child would when it paints.
    LRESULT colourRequest(UINT msg, HWND child, HDC hdc) {
        return SendMessageA(parent.handle(), msg, reinterpret_cast<WPARAM>(hdc),
                            reinterpret_cast<LPARAM>(child));
    }

    WtWindow parent;
    WtButton button;
    WtEdit edit;
};

TEST_F(ControlsTest, ButtonWithOnlyAParentIsTheDefaultPushButton) {
    ASSERT_TRUE(button.createButton(parent.handle()));
    EXPECT_EQ(button.className(), "Button");
    EXPECT_EQ(button.caption(), "\xB0\xB4\xC5\xA5");  // "按钮" in GBK
    EXPECT_EQ(button.left(), 0);
    EXPECT_EQ(button.top(), 0);
    EXPECT_EQ(button.width(), 80);
    EXPECT_EQ(button.height(), 32);
    EXPECT_EQ(static_cast<DWORD>(button.style()), 0x50010000u | WS_CLIPSIBLINGS | BS_PUSHBUTTON);
    EXPECT_EQ(button.exStyle() & WS_EX_TRANSPARENT, 0);
    EXPECT_EQ(button.font(), GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(ControlsTest, ButtonTakesTextAndGeometryAsTheProgramPassesThem) {
    ASSERT_TRUE(button.createButton(parent.handle(), "初始化", 8, 16, 88, 26));
    EXPECT_EQ(button.caption(), "\xB3\xF5\xCA\xBC\xBB\xAF");
    EXPECT_EQ(button.left(), 8);
    EXPECT_EQ(button.top(), 16);
    EXPECT_EQ(button.width(), 88);
    EXPECT_EQ(button.height(), 26);
    EXPECT_FALSE(button.createButton(parent.handle())) << "an already bound button creates none";
}

TEST_F(ControlsTest, IdentifiersComeFromOneCounterThatAlwaysAdvances) {
    WtButton second, withId, afterId;
    ASSERT_TRUE(button.createButton(parent.handle()));
    ASSERT_TRUE(second.createButton(parent.handle()));
    EXPECT_EQ(second.controlId(), button.controlId() + 1);
    EXPECT_EQ(button.controlId(), GetDlgCtrlID(button.handle()));

    WtButtonOptions options;
    options.id = 700;
    ASSERT_TRUE(withId.createButton(parent.handle(), "x", 0, 40, 80, 32, options));
    EXPECT_EQ(withId.controlId(), 700);
    EXPECT_EQ(nextControlId, second.controlId() + 1);

    ASSERT_TRUE(edit.createEdit(parent.handle()));
    EXPECT_EQ(edit.controlId(), second.controlId() + 2);
    ASSERT_TRUE(afterId.createButton(parent.handle()));
    EXPECT_EQ(afterId.controlId(), second.controlId() + 3);
}

TEST_F(ControlsTest, ClickingRaisesTheClickEvent) {
    struct Case {
        const char* how;
        void (*click)(WtButton&);
    };
    const Case cases[] = {
        {"BM_CLICK", [](WtButton& b) { b.click(); }},
        {"mouse at the centre", [](WtButton& b) { clickAtScreen(windowCentre(b.handle())); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        WtButton target;
        ASSERT_TRUE(target.createButton(parent.handle(), "go", 20, 20, 100, 40));
        int clicks = 0;
        bool released = false;
        target.setOnClick([&] { ++clicks; });
        target.setOnLeftUp([&] { released = true; });
        c.click(target);
        ASSERT_TRUE(pumpUntil([&] { return released; }));
        EXPECT_EQ(clicks, 1);
        DestroyWindow(target.handle());
    }
}

TEST_F(ControlsTest, DisabledButtonRaisesNoClick) {
    ASSERT_TRUE(button.createButton(parent.handle(), "go", 20, 20, 100, 40));
    int clicks = 0;
    button.setOnClick([&] { ++clicks; });
    button.setDisabled(true);
    EXPECT_TRUE(button.disabled());
    // A disabled child gets no mouse input: the click lands on the parent.
    bool parentReleased = false;
    parent.setOnLeftUp([&] { parentReleased = true; });
    clickAtScreen(windowCentre(button.handle()));
    ASSERT_TRUE(pumpUntil([&] { return parentReleased; }));
    EXPECT_EQ(clicks, 0);

    button.setDisabled(false);
    button.click();
    EXPECT_EQ(clicks, 1) << "enabled again, it clicks";
}

TEST_F(ControlsTest, CaptionSetterReturnsEmptyTextAndTheGetterTheNewCaption) {
    ASSERT_TRUE(button.createButton(parent.handle(), "初始化"));
    EXPECT_EQ(button.setCaption("刷新状态"), "");
    EXPECT_EQ(button.caption(), "\xCB\xA2\xD0\xC2\xD7\xB4\xCC\xAC");
    EXPECT_EQ(button.setCaption(""), "");
    EXPECT_EQ(button.caption(), "");

    ASSERT_TRUE(edit.createEdit(parent.handle(), "F:\\Program Files\\英雄联盟", 0, 40, 290, 20));
    EXPECT_EQ(edit.setContent("E:\\LOL"), "");
    EXPECT_EQ(edit.content(), "E:\\LOL");

    WtButton unbound;
    EXPECT_EQ(unbound.caption(), "");
}

TEST_F(ControlsTest, EditStyleReplacesHorizontalScrollingOnlyWhenGiven) {
    struct Case {
        const char* name;
        bool styleGiven;
        DWORD style;
        bool scrolls;
    };
    const Case cases[] = {
        {"no style", false, 0, true},
        {"credits box style", true, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, false},
        {"plain single line", true, 0, false},
        {"style with ES_AUTOHSCROLL", true, ES_AUTOHSCROLL | ES_READONLY, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WtEdit box;
        WtEditOptions options;
        if (c.styleGiven) options.style = c.style;
        ASSERT_TRUE(box.createEdit(parent.handle(), "", 10, 10, 60, 20, options));
        const DWORD style = static_cast<DWORD>(box.style());
        EXPECT_EQ((style & ES_AUTOHSCROLL) != 0, c.scrolls);
        EXPECT_EQ(style & 0xFFFF, c.styleGiven ? c.style : ES_AUTOHSCROLL);
        EXPECT_NE(box.exStyle() & WS_EX_CLIENTEDGE, 0);
        EXPECT_EQ(box.width(), 60);
        EXPECT_EQ(box.height(), 20);
        DestroyWindow(box.handle());
    }
}

TEST_F(ControlsTest, SingleLineEditTakesTextPastItsEdgeOnlyWhenItScrolls) {
    const std::string typed(40, 'W');
    for (bool scrolls : {true, false}) {
        SCOPED_TRACE(scrolls ? "ES_AUTOHSCROLL" : "no ES_AUTOHSCROLL");
        WtEdit box;
        WtEditOptions options;
        if (!scrolls) options.style = 0;
        ASSERT_TRUE(box.createEdit(parent.handle(), "", 10, 10, 60, 20, options));
        for (char ch : typed) SendMessageA(box.handle(), WM_CHAR, static_cast<WPARAM>(ch), 0);
        if (scrolls) {
            EXPECT_EQ(box.content(), typed);
        } else {
            EXPECT_LT(box.content().size(), typed.size());
        }
        DestroyWindow(box.handle());
    }
}

TEST_F(ControlsTest, NewEditAnswersColourRequestsWithWhite) {
    ASSERT_TRUE(edit.createEdit(parent.handle(), "text", 10, 10, 100, 20));
    EXPECT_EQ(edit.backgroundColour(), WtEdit::kWhite);
    struct Case {
        const char* name;
        UINT msg;
        void (*prepare)(WtEdit&);
    };
    const Case cases[] = {
        {"editable", WM_CTLCOLOREDIT, [](WtEdit&) {}},
        {"read-only", WM_CTLCOLORSTATIC, [](WtEdit& e) { e.setReadOnly(true); }},
        {"disabled", WM_CTLCOLORSTATIC, [](WtEdit& e) { e.setDisabled(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare(edit);
        MemoryDc dc(8, 8);
        SetTextColor(dc.get(), kRed);
        SetBkColor(dc.get(), kGreen);
        LRESULT brush = colourRequest(c.msg, edit.handle(), dc.get());
        ASSERT_NE(brush, 0);
        EXPECT_EQ(brushColour(brush), 0xFFFFFFu);
        EXPECT_EQ(GetTextColor(dc.get()), 0u);
        EXPECT_EQ(GetBkColor(dc.get()), 0xFFFFFFu);
    }
}

TEST_F(ControlsTest, DisabledEditStillPaintsWhiteOnAColouredParent) {
    parent.setBackgroundColour(kRed);
    // Disabled, as the credits box is: the system alone would paint it grey.
    ASSERT_TRUE(edit.createEdit(parent.handle(), "", 10, 10, 120, 24));
    edit.setDisabled(true);
    UpdateWindow(parent.handle());
    UpdateWindow(edit.handle());
    HDC parentDc = GetDC(parent.handle());
    const COLORREF beside = GetPixel(parentDc, 200, 100);
    ReleaseDC(parent.handle(), parentDc);
    HDC editDc = GetDC(edit.handle());
    const COLORREF inside = GetPixel(editDc, 60, 10);
    ReleaseDC(edit.handle(), editDc);
    EXPECT_EQ(beside, kRed);
    EXPECT_EQ(inside, 0xFFFFFFu);
}

TEST_F(ControlsTest, NewButtonLeavesColourRequestsToTheSystem) {
    ASSERT_TRUE(button.createButton(parent.handle()));
    MemoryDc dc(8, 8);
    EXPECT_EQ(button.backgroundBrush(), nullptr);
    EXPECT_EQ(button.onControlColor(button.handle(), dc.get()), 0);
    const LRESULT system =
        DefWindowProcA(parent.handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.get()),
                       reinterpret_cast<LPARAM>(button.handle()));
    EXPECT_EQ(colourRequest(WM_CTLCOLORBTN, button.handle(), dc.get()), system);
}

TEST_F(ControlsTest, ColouredButtonAnswersWithItsBrushAndTextColour) {
    ASSERT_TRUE(button.createButton(parent.handle()));
    button.setTextColour(RGB(0, 0, 255));
    button.setBackgroundColour(kGreen);
    MemoryDc dc(8, 8);
    LRESULT brush = colourRequest(WM_CTLCOLORBTN, button.handle(), dc.get());
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), button.backgroundBrush());
    EXPECT_EQ(brushColour(brush), kGreen);
    EXPECT_EQ(GetTextColor(dc.get()), RGB(0, 0, 255));
    EXPECT_EQ(GetBkColor(dc.get()), kGreen);
}

TEST_F(ControlsTest, TransparentBackgroundTogglesTheExtendedStyle) {
    ASSERT_TRUE(button.createButton(parent.handle()));
    button.setBackgroundColour(WtColourControl::kTransparent);
    EXPECT_NE(button.exStyle() & WS_EX_TRANSPARENT, 0);
    MemoryDc dc(80, 32);
    EXPECT_EQ(colourRequest(WM_CTLCOLORBTN, button.handle(), dc.get()),
              reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetBkMode(dc.get()), TRANSPARENT);

    button.setBackgroundColour(kRed);
    EXPECT_EQ(button.exStyle() & WS_EX_TRANSPARENT, 0);
    EXPECT_EQ(brushColour(colourRequest(WM_CTLCOLORBTN, button.handle(), dc.get())), kRed);
}

TEST_F(ControlsTest, TransparentButtonCopiesTheParentPixelsBehindIt) {
    // Without clip-children the parent paints under the button, so its pixels are there.
    DestroyWindow(parent.handle());
    ASSERT_TRUE(loadParent(WS_OVERLAPPEDWINDOW));
    constexpr int kLeft = 30, kTop = 40, kSplit = 10;
    // Red left of a line 10 pixels into the button, green right of it.
    parent.setOnPaint([&](WtCallback::Arg hdc, int, int, int right, int bottom) {
        RECT left = {0, 0, kLeft + kSplit, bottom};
        RECT rest = {kLeft + kSplit, 0, right, bottom};
        HBRUSH red = CreateSolidBrush(kRed);
        HBRUSH green = CreateSolidBrush(kGreen);
        FillRect(reinterpret_cast<HDC>(hdc), &left, red);
        FillRect(reinterpret_cast<HDC>(hdc), &rest, green);
        DeleteObject(red);
        DeleteObject(green);
        return 1;
    });
    ASSERT_TRUE(button.createButton(parent.handle(), "see through", kLeft, kTop));
    button.setBackgroundColour(WtColourControl::kTransparent, false);
    RedrawWindow(parent.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    MemoryDc dc(80, 32);
    button.onControlColor(button.handle(), dc.get());
    EXPECT_EQ(GetPixel(dc.get(), kSplit - 5, 5), kRed);
    EXPECT_EQ(GetPixel(dc.get(), kSplit + 5, 5), kGreen);
    EXPECT_EQ(GetPixel(dc.get(), 70, 28), kGreen);
}

TEST_F(ControlsTest, EditRaisesChangeWhenItsTextChanges) {
    ASSERT_TRUE(edit.createEdit(parent.handle(), "", 10, 10, 200, 20));
    int changes = 0;
    edit.setOnChange([&] { ++changes; });
    struct Case {
        const char* how;
        void (*change)(WtEdit&);
        const char* content;
    };
    const Case cases[] = {
        {"setContent", [](WtEdit& e) { e.setContent("abc"); }, "abc"},
        {"typed character",
         [](WtEdit& e) {
             e.setSelection(-2);
             SendMessageA(e.handle(), WM_CHAR, 'd', 0);
         },
         "abcd"},
        {"appendText", [](WtEdit& e) { e.appendText("ef"); }, "abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        const int before = changes;
        c.change(edit);
        EXPECT_EQ(changes, before + 1);
        EXPECT_EQ(edit.content(), c.content);
    }
    const int before = changes;
    edit.setSelection(0, 2);
    EXPECT_EQ(changes, before) << "selecting changes no text";
    int start = -1, end = -1;
    edit.selection(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
}

TEST_F(ControlsTest, DestroyingTheParentUnbindsChildrenAndReleasesWhatTheyOwn) {
    ASSERT_TRUE(button.createButton(parent.handle()));
    ASSERT_TRUE(edit.createEdit(parent.handle(), "x", 0, 40));
    button.setBackgroundColour(kGreen);
    HFONT buttonFont = CreateFontA(12, 0, 0, 0, 800, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    HFONT editFont = CreateFontA(13, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    button.setFont(buttonFont);
    edit.setFont(editFont);
    HBRUSH buttonBrush = button.backgroundBrush();
    HBRUSH editBrush = edit.backgroundBrush();
    ASSERT_NE(GetObjectType(buttonBrush), 0u);
    ASSERT_NE(GetObjectType(editBrush), 0u);
    const HWND buttonHwnd = button.handle();

    DestroyWindow(parent.handle());
    EXPECT_EQ(button.handle(), nullptr);
    EXPECT_EQ(edit.handle(), nullptr);
    EXPECT_EQ(controlOf(buttonHwnd), nullptr);
    EXPECT_EQ(GetObjectType(buttonBrush), 0u);
    EXPECT_EQ(GetObjectType(editBrush), 0u);
    EXPECT_EQ(GetObjectType(buttonFont), 0u);
    EXPECT_EQ(GetObjectType(editFont), 0u);
    EXPECT_EQ(button.backgroundBrush(), nullptr);
    EXPECT_EQ(edit.backgroundColour(), 0u);
}

TEST_F(ControlsTest, ButtonObjectGoingAwayLeavesItsWindow) {
    HWND hwnd = nullptr;
    HBRUSH brush = nullptr;
    {
        WtButton shortLived;
        ASSERT_TRUE(shortLived.createButton(parent.handle()));
        shortLived.setBackgroundColour(kRed);
        hwnd = shortLived.handle();
        brush = shortLived.backgroundBrush();
    }
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(controlOf(hwnd), nullptr);
    EXPECT_NE(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(controlWindowProc));
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST_F(ControlsTest, ButtonOwnsItsImages) {
    ASSERT_TRUE(button.createButton(parent.handle()));
    HDC screen = GetDC(nullptr);
    HBITMAP first = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP second = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);

    EXPECT_FALSE(button.setImage(first));
    EXPECT_NE(button.style() & BS_BITMAP, 0);
    EXPECT_EQ(button.image(IMAGE_BITMAP), first);
    EXPECT_TRUE(button.setImage(second));
    EXPECT_EQ(GetObjectType(first), 0u) << "the replaced bitmap is released";
    EXPECT_TRUE(button.setImage(second));
    EXPECT_NE(GetObjectType(second), 0u) << "setting the same bitmap again keeps it";
    EXPECT_EQ(button.image(IMAGE_BITMAP), second);

    DestroyWindow(button.handle());
    EXPECT_EQ(GetObjectType(second), 0u);
}

}  // namespace
