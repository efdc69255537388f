// Base class of every toolkit control: binds one Win32 window, dispatches its messages
// to event callbacks and routes a parent's child notifications to the child's object.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/text.h"
#include "toolkit/wt_callback.h"

class WtControl {
  public:
    WtControl() = default;
    virtual ~WtControl();
    WtControl(const WtControl&) = delete;
    WtControl& operator=(const WtControl&) = delete;

    // Dispatcher behind the shared window procedure.
    virtual LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Behind a toolkit window class's own window procedure.
    virtual LRESULT handleClassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Child notifications, routed here by the parent's dispatcher.
    virtual LRESULT onCommand(HWND parentHwnd, HWND childHwnd, int notifyCode, int id);
    virtual LRESULT onNotify(HWND parentHwnd, HWND fromHwnd, int code, UINT_PTR idFrom,
                             LPARAM header);
    virtual LRESULT onControlColor(HWND childHwnd, HDC hdc);
    virtual LRESULT onSetCursor(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT onEraseBackground(HWND hwnd, HDC hdc);
    virtual LRESULT onScroll(int requestCode, int position, HWND scrollBar);
    virtual bool trackMouseEnter(HWND hwnd, int x, int y);
    virtual LRESULT onDrawItem(WPARAM wParam, LPARAM drawItem);
    virtual bool onMouseLeaveMessage(HWND hwnd);
    virtual void onLeftDownHook(HWND hwnd, LPARAM lParam);
    virtual void destroyCleanup(HWND hwnd);
    virtual void unbindWindow(HWND handle);
    virtual HWND createControlWindow(HWND parent, DWORD exStyle, const char* className,
                                     const char* title, DWORD style, int x, int y, int width,
                                     int height, HMENU menuOrId, void* createParam);
    // Paints the window background; only windows have one.
    virtual void paintBackground(HDC hdc, const RECT& rect);

    // Operations the program uses.
    void close();
    RECT clientRect() const;
    virtual void update();
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    bool setLeft(int x, bool repaint = true);
    bool setTop(int y, bool repaint = true);
    bool setWidth(int width, bool repaint = true);
    bool setHeight(int height, bool repaint = true);
    bool disabled() const;
    bool setDisabled(bool value);
    bool setText(const Text& text);
    void setFont(HFONT font);

    // Further common operations, one system call each.
    void detachWindow();
    HWND attachDialogItem(HWND parent, int id, bool defaultFont = true);
    HWND attachWindow(HWND handle);
    HWND handle() const { return hwnd_; }
    Text className() const;
    int controlId() const;
    bool exists() const;
    HWND setFocus();
    bool hasFocus() const;
    RECT windowRect() const;
    void suspendRedraw();
    void resumeRedraw();
    bool invalidate(bool erase = true);
    bool invalidateRect(const RECT& rect);
    bool validate();
    // Any of the four may be left out (kKeep) and keeps its current value.
    static constexpr int kKeep = INT32_MIN;
    bool move(int x = kKeep, int y = kKeep, int width = kKeep, int height = kKeep,
              bool repaint = true);
    bool setZOrder(int position = 1);
    LRESULT sendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool postMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND setParent(HWND handle);
    HWND parent() const;
    bool visible() const;
    bool setVisible(bool value);
    LONG style() const;
    LONG addStyle(LONG bits);
    LONG removeStyle(LONG bits);
    LONG exStyle() const;
    LONG addExStyle(LONG bits);
    LONG removeExStyle(LONG bits);
    Text text() const;
    int messageBox(const Text& text, UINT type, const Text& title = "信息：");
    bool setProperty(const Text& name, HANDLE value);
    HANDLE property(const Text& name) const;
    HANDLE removeProperty(const Text& name);
    HCURSOR cursor() const { return cursor_; }
    HCURSOR setCursor(HCURSOR cursor);
    HFONT font() const;
    int setRegion(HRGN region);
    int setRegionFromBitmap(HBITMAP bitmap, COLORREF transparentColour = 0xFFFFFF,
                            bool redraw = true);
    int setRoundedRegion(int corner, bool redraw = true);
    void acceptFiles(bool value);
    HICON classIcon(bool large = false) const;
    HICON setClassIcon(HICON icon, bool large = false);
    HCURSOR classCursor() const;
    HCURSOR setClassCursor(HCURSOR cursor);
    void setHandle(HWND handle) { hwnd_ = handle; }

    void setOnLeftDown(WtCallback callback) { onLeftDown_ = std::move(callback); }
    void setOnLeftUp(WtCallback callback) { onLeftUp_ = std::move(callback); }
    void setOnLeftDoubleClick(WtCallback callback) { onLeftDoubleClick_ = std::move(callback); }
    void setOnRightDown(WtCallback callback) { onRightDown_ = std::move(callback); }
    void setOnRightUp(WtCallback callback) { onRightUp_ = std::move(callback); }
    void setOnMouseMove(WtCallback callback) { onMouseMove_ = std::move(callback); }
    void setOnFocusGained(WtCallback callback) { onFocusGained_ = std::move(callback); }
    void setOnFocusLost(WtCallback callback) { onFocusLost_ = std::move(callback); }
    void setOnKeyDown(WtCallback callback) { onKeyDown_ = std::move(callback); }
    void setOnKeyUp(WtCallback callback) { onKeyUp_ = std::move(callback); }
    void setOnMouseWheel(WtCallback callback) { onMouseWheel_ = std::move(callback); }
    void setOnChar(WtCallback callback) { onChar_ = std::move(callback); }
    void setOnFilesDropped(WtCallback callback) { onFilesDropped_ = std::move(callback); }
    void setOnMouseEnter(WtCallback callback) { onMouseEnter_ = std::move(callback); }
    void setOnMouseLeave(WtCallback callback) { onMouseLeave_ = std::move(callback); }
    void setOnPaint(WtCallback callback) { onPaint_ = std::move(callback); }

    // Ctrl 1, Shift 2, Alt 4, read at the moment an event is raised.
    static int keyModifiers();

  protected:
    void bindWindow(HWND handle);
    // The window rectangle in the parent's client coordinates (screen for top level).
    RECT placement() const;

    HWND hwnd_ = nullptr;
    WNDPROC savedProc_ = nullptr;
    HCURSOR cursor_ = nullptr;
    WtCallback onLeftDown_;
    WtCallback onLeftUp_;
    WtCallback onLeftDoubleClick_;
    WtCallback onRightDown_;
    WtCallback onRightUp_;
    WtCallback onMouseMove_;
    WtCallback onFocusGained_;
    WtCallback onFocusLost_;
    WtCallback onKeyDown_;
    WtCallback onKeyUp_;
    WtCallback onChar_;
    WtCallback onMouseWheel_;
    WtCallback onFilesDropped_;
    int mouseInside_ = 0;
    WtCallback onMouseEnter_;
    WtCallback onMouseLeave_;
    WtCallback onPaint_;
    HFONT font_ = nullptr;
};

// The window procedure every bound window is subclassed with.
LRESULT CALLBACK controlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
