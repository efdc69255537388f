#include "toolkit/wt_window.h"

#include <shellapi.h>

#include <cstring>

#include "toolkit/toolkit_state.h"

namespace {

// The notification-area record as the shell of Windows XP and later knows it.
constexpr DWORD kTrayDataSize = 488;
int hotKeyCounter = 0;

WtCallback::Arg argOf(HWND hwnd) {
    return reinterpret_cast<WtCallback::Arg>(hwnd);
}

int trayCode(LPARAM lParam) {
    switch (lParam) {
        case WM_MOUSEMOVE:
            return 7;
        case WM_LBUTTONDOWN:
            return 1;
        case WM_LBUTTONDBLCLK:
            return 4;
        case WM_RBUTTONDOWN:
            return 2;
        case WM_RBUTTONDBLCLK:
            return 5;
        case WM_MBUTTONDOWN:
            return 3;
        case WM_MBUTTONDBLCLK:
            return 6;
        case 0x402:
            return 8;  // balloon shown
        case 0x404:
            return 9;  // balloon timed out
        case 0x405:
            return 10;  // balloon clicked
        default:
            return 0;
    }
}

void copyText(char* target, size_t size, const Text& text) {
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

}  // namespace

LRESULT CALLBACK classWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (WtControl* control = controlOf(hwnd)) {
        return control->handleClassMessage(hwnd, msg, wParam, lParam);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

WtWindow::~WtWindow() {
    if (hwnd_ != nullptr) unbindWindow(hwnd_);
}

bool WtWindow::registerWindowClass(const Text& className) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = classWindowProc;
    wc.hInstance = instanceHandle;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = "";
    wc.lpszClassName = className.c_str();
    return RegisterClassExA(&wc) != 0;
}

bool WtWindow::loadWindow(const WtWindowOptions& options) {
    // Registering again fails harmlessly once the class exists.
    registerWindowClass(options.className);
    if (options.onCreated) onCreated_ = options.onCreated;

    HWND owner = options.owner;
    if (owner == nullptr && !options.inTaskbar) {
        // An owned window gets no taskbar button; this owner is never destroyed.
        owner = CreateWindowExA(0, options.className.c_str(), "", 0, 0, 0, 250, 110, nullptr,
                                nullptr, instanceHandle, nullptr);
    }
    HWND hwnd = createWindow(owner, options.title, options.style, options.exStyle, options.x,
                             options.y, options.width, options.height, options.className);
    if (hwnd == nullptr) return false;

    SendMessageA(hwnd, kCreatedMessage, 0, 0);
    if (options.visible) {
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
    }
    if (options.modal) {
        bool ownerExists = IsWindow(owner) != FALSE;
        if (ownerExists) EnableWindow(owner, FALSE);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (!TranslateAcceleratorA(hwnd, options.accelerators, &msg) &&
                !IsDialogMessageA(hwnd, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (!IsWindow(hwnd)) break;
        }
        if (ownerExists && IsWindow(owner)) {
            EnableWindow(owner, TRUE);
            SetActiveWindow(owner);
        }
    }
    return true;
}

HWND WtWindow::createWindow(HWND parent, const Text& title, DWORD style, DWORD exStyle, int x,
                            int y, int width, int height, const Text& className) {
    setBackgroundColour(GetSysColor(COLOR_BTNFACE), false);
    HWND hwnd = createControlWindow(parent, exStyle, className.c_str(), title.c_str(), style, x, y,
                                    width, height, nullptr, nullptr);
    if (hwnd != nullptr && parent != nullptr) {
        LRESULT small = SendMessageA(parent, WM_GETICON, ICON_SMALL, 0);
        LRESULT big = SendMessageA(parent, WM_GETICON, ICON_BIG, 0);
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, small);
        SendMessageA(hwnd, WM_SETICON, ICON_BIG, big);
    }
    return hwnd;
}

LRESULT WtWindow::handleClassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCreatedMessage) {
        if (onCreated_) onCreated_(argOf(hwnd));
        RECT client = {};
        GetClientRect(hwnd, &client);
        SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_CLOSE) {
        if (onClosing_ && onClosing_() != 0) return 1;
        DestroyWindow(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (handleWindowEvent(hwnd, msg, wParam, lParam)) return 1;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool WtWindow::handleWindowEvent(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_DESTROY:
            onDestroyed_();
            return false;
        case WM_MOVE:
            onMoved_(static_cast<int>(lParam & 0xFFFF), static_cast<std::int32_t>(lParam) >> 16);
            return false;
        case WM_SIZE:
            onResized_(static_cast<int>(lParam & 0xFFFF),
                       static_cast<int>((static_cast<DWORD>(lParam) >> 16) & 0xFFFF));
            return false;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != 0) {
                if (activatedOnce_ == 0) {
                    activatedOnce_ = 1;
                    onFirstActivated_();
                }
                onActivated_();
            } else {
                onDeactivated_();
            }
            return false;
        case WM_SHOWWINDOW:
            if (wParam != 0) {
                onShown_();
            } else {
                onHidden_();
            }
            return false;
        case kTrayMessage:
            onTrayEvent_(trayCode(lParam));
            return false;
        case WM_NCACTIVATE:
            return wParam == 0 && keepActiveLook_ == 1;
        case WM_COMMAND:
            if (lParam == 0 && (HIWORD(wParam) == 0 || HIWORD(wParam) == 1)) {
                onMenuCommand_(LOWORD(wParam));
            }
            return false;
        case WM_HOTKEY:
            onHotKey_(static_cast<WtCallback::Arg>(wParam), LOWORD(lParam),
                      static_cast<DWORD>(lParam) >> 16);
            return false;
        default:
            break;
    }
    if (taskbarCreatedMsg_ != 0 && msg == taskbarCreatedMsg_ && trayData_ != nullptr) {
        // Explorer restarted and forgot the icon.
        Shell_NotifyIconA(NIM_DELETE, trayData_);
        trayData_->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        Shell_NotifyIconA(NIM_ADD, trayData_);
    }
    return false;
}

void WtWindow::clearLoadEvents() {
    onCreated_ = nullptr;
    onClosing_ = nullptr;
}

void WtWindow::onLeftDownHook(HWND hwnd, LPARAM) {
    if (dragByClientArea_ == 1) SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void WtWindow::paintBackground(HDC hdc, const RECT& rect) {
    FillRect(hdc, &rect, backgroundBrush_);
    if (backgroundPicture_ == nullptr || pictureMode_ == 0) return;
    HDC memory = CreateCompatibleDC(hdc);
    HGDIOBJ previous = SelectObject(memory, backgroundPicture_);
    if (pictureMode_ == 1) {
        BitBlt(hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0,
               0, SRCCOPY);
    } else if (pictureMode_ == 2) {
        BITMAP info = {};
        GetObjectA(backgroundPicture_, sizeof info, &info);
        StretchBlt(hdc, rect.left, rect.top, rect.right, rect.bottom, memory, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void WtWindow::releaseTray() {
    if (trayData_ == nullptr) return;
    if (trayIcon_ != nullptr) DestroyIcon(trayIcon_);
    Shell_NotifyIconA(NIM_DELETE, trayData_);
    HeapFree(GetProcessHeap(), 0, trayData_);
    trayData_ = nullptr;
    trayIcon_ = nullptr;
}

void WtWindow::destroyCleanup(HWND hwnd) {
    clearLoadEvents();
    if (backgroundBrush_ != nullptr) DeleteObject(backgroundBrush_);
    if (backgroundPicture_ != nullptr) DeleteObject(backgroundPicture_);
    releaseTray();
    if (mainWindowHandle != nullptr && mainWindowHandle == hwnd) {
        mainWindowHandle = nullptr;
        nextControlId = kFirstControlIdBase;
        PostQuitMessage(0);
    }
    backgroundBrush_ = nullptr;
    backgroundColour_ = 0;
    backgroundPicture_ = nullptr;
    pictureMode_ = 0;
    taskbarCreatedMsg_ = 0;
    for (WtCallback* callback :
         {&onDestroyed_, &onMoved_, &onResized_, &onActivated_, &onDeactivated_, &onFirstActivated_,
          &onShown_, &onHidden_, &onTrayEvent_, &onMenuCommand_, &onHotKey_}) {
        *callback = nullptr;
    }
    keepActiveLook_ = 0;
    dragByClientArea_ = 0;
    activatedOnce_ = 0;
}

bool WtWindow::setWindowState(int state) {
    switch (state) {
        case 0:
            return ShowWindow(hwnd_, SW_SHOWNORMAL) != FALSE;
        case 1:
            return ShowWindow(hwnd_, SW_MINIMIZE) != FALSE;
        case 2:
            return ShowWindow(hwnd_, SW_SHOWMAXIMIZED) != FALSE;
        case 3: {
            RECT r = windowRect();
            int width = r.right - r.left;
            int height = r.bottom - r.top;
            int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
            int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
            constexpr UINT kCentreFlags = SWP_NOSIZE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW;
            static_assert(kCentreFlags == 0x241);
            return SetWindowPos(hwnd_, HWND_TOP, x, y, 0, 0, kCentreFlags) != FALSE;
        }
        default:
            return ShowWindow(hwnd_, SW_HIDE) != FALSE;
    }
}

int WtWindow::windowState() const {
    if (IsIconic(hwnd_)) return 1;
    if (IsZoomed(hwnd_)) return 2;
    return 0;
}

HICON WtWindow::setIcon(HICON icon, int type) {
    return reinterpret_cast<HICON>(
        SendMessageA(hwnd_, WM_SETICON, type, reinterpret_cast<LPARAM>(icon)));
}

HICON WtWindow::icon(int type) const {
    return reinterpret_cast<HICON>(SendMessageA(hwnd_, WM_GETICON, type, 0));
}

void WtWindow::setBackgroundColour(COLORREF colour, bool redraw) {
    if (backgroundBrush_ != nullptr) DeleteObject(backgroundBrush_);
    backgroundColour_ = colour;
    backgroundBrush_ = CreateSolidBrush(colour);
    if (redraw) invalidate(true);
}

HBRUSH WtWindow::setBackgroundPicture(HBITMAP bitmap, int mode, bool redraw) {
    if (backgroundPicture_ != nullptr) DeleteObject(backgroundPicture_);
    backgroundPicture_ = bitmap;
    pictureMode_ = mode;
    if (backgroundBrush_ != nullptr) DeleteObject(backgroundBrush_);
    backgroundBrush_ = mode != 0 ? CreateSolidBrush(backgroundColour_) : CreatePatternBrush(bitmap);
    if (redraw) invalidate(true);
    return backgroundBrush_;
}

HMENU WtWindow::menu() const {
    return GetMenu(hwnd_);
}
bool WtWindow::setMenu(HMENU menu) {
    return SetMenu(hwnd_, menu) != FALSE;
}
bool WtWindow::redrawMenuBar() {
    return DrawMenuBar(hwnd_) != FALSE;
}

bool WtWindow::addTrayIcon(HICON icon, const Text& tip) {
    if (taskbarCreatedMsg_ == 0) taskbarCreatedMsg_ = RegisterWindowMessageA("TaskbarCreated");
    if (trayData_ != nullptr) HeapFree(GetProcessHeap(), 0, trayData_);
    if (trayIcon_ != nullptr) DestroyIcon(trayIcon_);
    trayData_ = static_cast<NOTIFYICONDATAA*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(NOTIFYICONDATAA)));
    if (trayData_ == nullptr) return false;
    trayIcon_ = icon;
    trayData_->cbSize = kTrayDataSize;
    trayData_->hWnd = hwnd_;
    trayData_->uID = 1;
    trayData_->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayData_->uCallbackMessage = kTrayMessage;
    trayData_->hIcon = icon;
    copyText(trayData_->szTip, sizeof trayData_->szTip, tip);
    return Shell_NotifyIconA(NIM_ADD, trayData_) != FALSE;
}

bool WtWindow::setTrayTip(const Text& tip) {
    if (trayData_ == nullptr) return false;
    trayData_->uFlags = NIF_TIP;
    copyText(trayData_->szTip, sizeof trayData_->szTip, tip);
    return Shell_NotifyIconA(NIM_MODIFY, trayData_) != FALSE;
}

bool WtWindow::setTrayIcon(HICON icon) {
    if (trayData_ == nullptr) return false;
    if (trayIcon_ != nullptr) DestroyIcon(trayIcon_);
    trayIcon_ = icon;
    trayData_->uFlags = NIF_ICON;
    trayData_->hIcon = icon;
    return Shell_NotifyIconA(NIM_MODIFY, trayData_) != FALSE;
}

bool WtWindow::showTrayBalloon(const Text& text, const Text& title, int iconKind, int timeout) {
    if (trayData_ == nullptr) return false;
    trayData_->uFlags = NIF_INFO;
    copyText(trayData_->szInfo, sizeof trayData_->szInfo, text);
    copyText(trayData_->szInfoTitle, sizeof trayData_->szInfoTitle, title);
    trayData_->dwInfoFlags = static_cast<DWORD>(iconKind);
    trayData_->uTimeout = static_cast<UINT>(timeout);
    return Shell_NotifyIconA(NIM_MODIFY, trayData_) != FALSE;
}

bool WtWindow::removeTrayIcon() {
    if (trayData_ == nullptr) return false;
    if (trayIcon_ != nullptr) DestroyIcon(trayIcon_);
    trayIcon_ = nullptr;
    return Shell_NotifyIconA(NIM_DELETE, trayData_) != FALSE;
}

int WtWindow::registerHotKey(UINT modifiers, UINT virtualKey) {
    if (!RegisterHotKey(hwnd_, hotKeyCounter + 1, modifiers, virtualKey)) return 0;
    return ++hotKeyCounter;
}

bool WtWindow::unregisterHotKey(int id) {
    return UnregisterHotKey(hwnd_, id) != FALSE;
}
