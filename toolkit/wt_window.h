// The toolkit's top-level window: class "WTWindow", created and shown by loadWindow,
// optionally modal with its own message loop.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "toolkit/wt_control.h"

// Arguments of loadWindow; every one has the default the toolkit documents.
struct WtWindowOptions {
    HWND owner = nullptr;
    Text title;
    WtCallback onCreated;
    bool modal = false;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = 380;
    int height = 250;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    bool visible = true;
    Text className = "WTWindow";
    HACCEL accelerators = nullptr;
    bool inTaskbar = true;
};

class WtWindow : public WtControl {
  public:
    // The toolkit's created message, sent inside loadWindow.
    static constexpr UINT kCreatedMessage = WM_USER + 2;
    static constexpr UINT kTrayMessage = 12313;

    WtWindow() = default;
    ~WtWindow() override;

    LRESULT handleClassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void onLeftDownHook(HWND hwnd, LPARAM lParam) override;
    void destroyCleanup(HWND hwnd) override;
    void paintBackground(HDC hdc, const RECT& rect) override;

    // Raises the window events; true when the message counts as handled.
    virtual bool handleWindowEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void clearLoadEvents();
    HWND createWindow(HWND parent, const Text& title, DWORD style, DWORD exStyle, int x, int y,
                      int width, int height, const Text& className);

    bool loadWindow(const WtWindowOptions& options);
    bool setWindowState(int state);
    int windowState() const;
    HICON setIcon(HICON icon, int type = ICON_SMALL);
    HICON icon(int type = ICON_SMALL) const;

    COLORREF backgroundColour() const { return backgroundColour_; }
    void setBackgroundColour(COLORREF colour, bool redraw = true);
    HBITMAP backgroundPicture() const { return backgroundPicture_; }
    HBRUSH setBackgroundPicture(HBITMAP bitmap, int mode, bool redraw = true);

    HMENU menu() const;
    bool setMenu(HMENU menu);
    bool redrawMenuBar();

    bool addTrayIcon(HICON icon, const Text& tip = "");
    bool setTrayTip(const Text& tip);
    bool setTrayIcon(HICON icon);
    bool showTrayBalloon(const Text& text, const Text& title = "", int iconKind = 1,
                         int timeout = 10000);
    bool removeTrayIcon();

    bool keepActiveLook() const { return keepActiveLook_ != 0; }
    void setKeepActiveLook(bool value) { keepActiveLook_ = value ? 1 : 0; }
    bool dragByClientArea() const { return dragByClientArea_ != 0; }
    void setDragByClientArea(bool value) { dragByClientArea_ = value ? 1 : 0; }

    int registerHotKey(UINT modifiers, UINT virtualKey);
    bool unregisterHotKey(int id);

    void setOnMenuCommand(WtCallback callback) { onMenuCommand_ = std::move(callback); }
    void setOnDestroyed(WtCallback callback) { onDestroyed_ = std::move(callback); }
    void setOnMoved(WtCallback callback) { onMoved_ = std::move(callback); }
    void setOnResized(WtCallback callback) { onResized_ = std::move(callback); }
    void setOnActivated(WtCallback callback) { onActivated_ = std::move(callback); }
    void setOnDeactivated(WtCallback callback) { onDeactivated_ = std::move(callback); }
    void setOnFirstActivated(WtCallback callback) { onFirstActivated_ = std::move(callback); }
    void setOnShown(WtCallback callback) { onShown_ = std::move(callback); }
    void setOnHidden(WtCallback callback) { onHidden_ = std::move(callback); }
    void setOnTrayEvent(WtCallback callback) { onTrayEvent_ = std::move(callback); }
    void setOnHotKey(WtCallback callback) { onHotKey_ = std::move(callback); }
    void setOnClosing(WtCallback callback) { onClosing_ = std::move(callback); }

  private:
    static bool registerWindowClass(const Text& className);
    void releaseTray();

    HBRUSH backgroundBrush_ = nullptr;
    COLORREF backgroundColour_ = 0;
    HBITMAP backgroundPicture_ = nullptr;
    int pictureMode_ = 0;
    NOTIFYICONDATAA* trayData_ = nullptr;
    HICON trayIcon_ = nullptr;
    UINT taskbarCreatedMsg_ = 0;
    WtCallback onDestroyed_;
    WtCallback onMoved_;
    WtCallback onResized_;
    WtCallback onActivated_;
    WtCallback onDeactivated_;
    WtCallback onFirstActivated_;
    WtCallback onShown_;
    WtCallback onHidden_;
    WtCallback onTrayEvent_;
    WtCallback onMenuCommand_;
    int keepActiveLook_ = 0;
    int dragByClientArea_ = 0;
    int activatedOnce_ = 0;
    WtCallback onHotKey_;
    WtCallback onCreated_;
    WtCallback onClosing_;
};

// The window procedure of the class "WTWindow".
LRESULT CALLBACK classWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
