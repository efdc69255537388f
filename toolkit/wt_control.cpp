#include "toolkit/wt_control.h"

#include <shellapi.h>

#include <vector>

#include "toolkit/toolkit_state.h"

HINSTANCE instanceHandle = nullptr;
HandleMap* controlByHandle = nullptr;
std::int32_t nextControlId = kFirstControlIdBase;
HWND mainWindowHandle = nullptr;

WtControl* controlOf(HWND handle) {
    if (controlByHandle == nullptr || handle == nullptr) return nullptr;
    return static_cast<WtControl*>(controlByHandle->find(reinterpret_cast<HandleMap::Key>(handle)));
}

LRESULT CALLBACK controlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (WtControl* control = controlOf(hwnd)) {
        return control->handleMessage(hwnd, msg, wParam, lParam);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

namespace {

int mouseX(LPARAM lParam) {
    return static_cast<int>(lParam & 0xFFFF);
}
int mouseY(LPARAM lParam) {
    return static_cast<std::int32_t>(lParam) >> 16;
}
WtCallback::Arg argOf(const void* pointer) {
    return reinterpret_cast<WtCallback::Arg>(pointer);
}

Text droppedPaths(HDROP drop) {
    Text paths;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 1; i <= count; ++i) {
        char buffer[260] = {};
        DragQueryFileA(drop, i - 1, buffer, sizeof buffer);
        if (i > 1) paths += "\r\n";
        paths += buffer;
    }
    return paths;
}

}  // namespace

WtControl::~WtControl() {
    if (hwnd_ != nullptr) WtControl::unbindWindow(hwnd_);
}

int WtControl::keyModifiers() {
    int modifiers = 0;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000) modifiers |= 1;
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000) modifiers |= 2;
    if (GetAsyncKeyState(VK_MENU) & 0x8000) modifiers |= 4;
    return modifiers;
}

LRESULT WtControl::handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto consumed = [](LRESULT result) { return result != 0; };
    switch (msg) {
        case WM_NCDESTROY: {
            WNDPROC previous = savedProc_;
            unbindWindow(hwnd);
            return previous ? CallWindowProcA(previous, hwnd, msg, wParam, lParam)
                            : DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        case WM_LBUTTONDOWN: {
            onLeftDownHook(hwnd, lParam);
            LRESULT r = onLeftDown_(mouseX(lParam), mouseY(lParam), keyModifiers());
            if (consumed(r)) return r;
            break;
        }
        case WM_LBUTTONUP:
            if (LRESULT r = onLeftUp_(mouseX(lParam), mouseY(lParam), keyModifiers())) return r;
            break;
        case WM_LBUTTONDBLCLK:
            if (LRESULT r = onLeftDoubleClick_(mouseX(lParam), mouseY(lParam), keyModifiers()))
                return r;
            break;
        case WM_RBUTTONDOWN:
            if (LRESULT r = onRightDown_(mouseX(lParam), mouseY(lParam), keyModifiers())) return r;
            break;
        case WM_RBUTTONUP:
            if (LRESULT r = onRightUp_(mouseX(lParam), mouseY(lParam), keyModifiers())) return r;
            break;
        case WM_MOUSEMOVE:
            if (trackMouseEnter(hwnd, mouseX(lParam), mouseY(lParam))) return 1;
            if (LRESULT r = onMouseMove_(mouseX(lParam), mouseY(lParam), keyModifiers())) return r;
            break;
        case WM_SETFOCUS:
            onFocusGained_();
            break;
        case WM_KILLFOCUS:
            onFocusLost_();
            break;
        case WM_KEYDOWN:
            if (LRESULT r = onKeyDown_(static_cast<WtCallback::Arg>(wParam), keyModifiers()))
                return r;
            break;
        case WM_KEYUP:
            if (LRESULT r = onKeyUp_(static_cast<WtCallback::Arg>(wParam), keyModifiers()))
                return r;
            break;
        case WM_MOUSEWHEEL: {
            int delta = static_cast<std::int32_t>(wParam) >> 16;
            if (LRESULT r = onMouseWheel_(delta, keyModifiers())) return r;
            break;
        }
        case WM_CHAR:
            if (LRESULT r = onChar_(static_cast<WtCallback::Arg>(wParam))) return r;
            break;
        case WM_SETCURSOR:
            if (LRESULT r = onSetCursor(hwnd, msg, wParam, lParam)) return r;
            break;
        case WM_PAINT:
            if (onPaint_) {
                PAINTSTRUCT ps;
                HDC hdc = BeginPaint(hwnd, &ps);
                LRESULT r = onPaint_(argOf(hdc), ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right,
                                     ps.rcPaint.bottom);
                EndPaint(hwnd, &ps);
                if (r) return r;
            }
            break;
        case WM_ERASEBKGND:
            if (LRESULT r = onEraseBackground(hwnd, reinterpret_cast<HDC>(wParam))) return r;
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (WtControl* child = controlOf(reinterpret_cast<HWND>(lParam))) {
                if (LRESULT r = child->onScroll(LOWORD(wParam), HIWORD(wParam),
                                                reinterpret_cast<HWND>(lParam)))
                    return r;
            }
            break;
        case WM_COMMAND:
            if (WtControl* child = controlOf(reinterpret_cast<HWND>(lParam))) {
                if (LRESULT r = child->onCommand(hwnd, reinterpret_cast<HWND>(lParam),
                                                 HIWORD(wParam), LOWORD(wParam)))
                    return r;
            }
            break;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && static_cast<int>(header->code) != -520) {
                if (WtControl* child = controlOf(header->hwndFrom)) {
                    if (LRESULT r =
                            child->onNotify(hwnd, header->hwndFrom, static_cast<int>(header->code),
                                            header->idFrom, lParam))
                        return r;
                }
            }
            break;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            if (WtControl* child = controlOf(reinterpret_cast<HWND>(lParam))) {
                if (LRESULT r = child->onControlColor(reinterpret_cast<HWND>(lParam),
                                                      reinterpret_cast<HDC>(wParam)))
                    return r;
            }
            break;
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item != nullptr) {
                if (WtControl* child = controlOf(item->hwndItem)) {
                    if (LRESULT r = child->onDrawItem(wParam, lParam)) return r;
                }
            }
            break;
        }
        case WM_DROPFILES:
            if (onFilesDropped_) {
                HDROP drop = reinterpret_cast<HDROP>(wParam);
                Text paths = droppedPaths(drop);
                DragFinish(drop);
                onFilesDropped_(argOf(paths.c_str()));
            }
            break;
        case WM_MOUSELEAVE:
            if (onMouseLeaveMessage(hwnd)) return 1;
            break;
        default:
            break;
    }
    return CallWindowProcA(savedProc_, hwnd, msg, wParam, lParam);
}

LRESULT WtControl::handleClassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT WtControl::onCommand(HWND, HWND, int, int) {
    return 0;
}
LRESULT WtControl::onNotify(HWND, HWND, int, UINT_PTR, LPARAM) {
    return 0;
}
LRESULT WtControl::onControlColor(HWND, HDC) {
    return 0;
}

LRESULT WtControl::onSetCursor(HWND, UINT, WPARAM wParam, LPARAM lParam) {
    if (cursor_ != nullptr && LOWORD(lParam) == HTCLIENT &&
        reinterpret_cast<HWND>(wParam) == hwnd_) {
        return reinterpret_cast<LRESULT>(SetCursor(cursor_));
    }
    return 0;
}

LRESULT WtControl::onEraseBackground(HWND hwnd, HDC hdc) {
    RECT rect = {};
    GetClientRect(hwnd, &rect);
    paintBackground(hdc, rect);
    return 1;
}

void WtControl::paintBackground(HDC, const RECT&) {}

LRESULT WtControl::onScroll(int, int, HWND) {
    return 0;
}

bool WtControl::trackMouseEnter(HWND hwnd, int, int) {
    if (!onMouseEnter_ || mouseInside_ != 0) return false;
    mouseInside_ = 1;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd;
    TrackMouseEvent(&track);
    return onMouseEnter_() != 0;
}

LRESULT WtControl::onDrawItem(WPARAM, LPARAM) {
    return 1;
}

bool WtControl::onMouseLeaveMessage(HWND) {
    mouseInside_ = 0;
    return onMouseLeave_ && onMouseLeave_() != 0;
}

void WtControl::onLeftDownHook(HWND, LPARAM) {}
void WtControl::destroyCleanup(HWND) {}

void WtControl::bindWindow(HWND handle) {
    if (controlByHandle != nullptr) {
        controlByHandle->bind(reinterpret_cast<HandleMap::Key>(handle), this);
    }
    // A window is never subclassed twice.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle, GWLP_WNDPROC)) == controlWindowProc) {
        return;
    }
    LONG_PTR previous =
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlWindowProc));
    hwnd_ = handle;
    savedProc_ = reinterpret_cast<WNDPROC>(previous);
}

void WtControl::unbindWindow(HWND handle) {
    if (handle == nullptr) return;
    destroyCleanup(handle);
    if (savedProc_ != nullptr) {
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc_));
    }
    if (cursor_ != nullptr) DestroyCursor(cursor_);
    if (font_ != nullptr) DeleteObject(font_);
    // A later window may get this handle value; it must not find this object.
    if (controlByHandle != nullptr && controlOf(handle) == this) {
        controlByHandle->unbind(reinterpret_cast<HandleMap::Key>(handle));
    }
    hwnd_ = nullptr;
    savedProc_ = nullptr;
    cursor_ = nullptr;
    font_ = nullptr;
    mouseInside_ = 0;
    for (WtCallback* callback :
         {&onLeftDown_, &onLeftUp_, &onLeftDoubleClick_, &onRightDown_, &onRightUp_, &onMouseMove_,
          &onFocusGained_, &onFocusLost_, &onKeyDown_, &onKeyUp_, &onChar_, &onMouseWheel_,
          &onFilesDropped_, &onMouseEnter_, &onMouseLeave_, &onPaint_}) {
        *callback = nullptr;
    }
}

HWND WtControl::createControlWindow(HWND parent, DWORD exStyle, const char* className,
                                    const char* title, DWORD style, int x, int y, int width,
                                    int height, HMENU menuOrId, void* createParam) {
    if (hwnd_ != nullptr) return nullptr;
    HWND handle = CreateWindowExA(exStyle, className, title, style | WS_CLIPSIBLINGS, x, y, width,
                                  height, parent, menuOrId, instanceHandle, createParam);
    if (handle == nullptr) return nullptr;
    bindWindow(handle);
    SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return handle;
}

void WtControl::close() {
    if (hwnd_ != nullptr) SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

RECT WtControl::clientRect() const {
    RECT rect = {};
    GetClientRect(hwnd_, &rect);
    return rect;
}

void WtControl::update() {
    UpdateWindow(hwnd_);
}

RECT WtControl::placement() const {
    RECT rect = {};
    GetWindowRect(hwnd_, &rect);
    if (HWND owner = GetParent(hwnd_)) {
        if (GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD) {
            MapWindowPoints(HWND_DESKTOP, owner, reinterpret_cast<POINT*>(&rect), 2);
        }
    }
    return rect;
}

int WtControl::left() const {
    return placement().left;
}
int WtControl::top() const {
    return placement().top;
}
int WtControl::width() const {
    RECT r = placement();
    return r.right - r.left;
}
int WtControl::height() const {
    RECT r = placement();
    return r.bottom - r.top;
}

bool WtControl::move(int x, int y, int width, int height, bool repaint) {
    RECT r = placement();
    if (x == kKeep) x = r.left;
    if (y == kKeep) y = r.top;
    if (width == kKeep) width = r.right - r.left;
    if (height == kKeep) height = r.bottom - r.top;
    return MoveWindow(hwnd_, x, y, width, height, repaint) != FALSE;
}

bool WtControl::setLeft(int x, bool repaint) {
    return move(x, kKeep, kKeep, kKeep, repaint);
}
bool WtControl::setTop(int y, bool repaint) {
    return move(kKeep, y, kKeep, kKeep, repaint);
}
bool WtControl::setWidth(int width, bool repaint) {
    return move(kKeep, kKeep, width, kKeep, repaint);
}
bool WtControl::setHeight(int height, bool repaint) {
    return move(kKeep, kKeep, kKeep, height, repaint);
}

bool WtControl::disabled() const {
    return IsWindowEnabled(hwnd_) == FALSE;
}
bool WtControl::setDisabled(bool value) {
    return EnableWindow(hwnd_, !value) != FALSE;
}
bool WtControl::setText(const Text& text) {
    return SetWindowTextA(hwnd_, text.c_str()) != FALSE;
}

void WtControl::setFont(HFONT font) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
    sendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WtControl::detachWindow() {
    unbindWindow(hwnd_);
}

HWND WtControl::attachDialogItem(HWND parent, int id, bool defaultFont) {
    if (hwnd_ != nullptr) return nullptr;
    HWND item = GetDlgItem(parent, id);
    if (item == nullptr) return nullptr;
    bindWindow(item);
    if (defaultFont) {
        SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     TRUE);
    }
    return hwnd_;
}

HWND WtControl::attachWindow(HWND handle) {
    if (hwnd_ != nullptr || !IsWindow(handle)) return nullptr;
    bindWindow(handle);
    return hwnd_;
}

Text WtControl::className() const {
    char buffer[255] = {};
    int length = GetClassNameA(hwnd_, buffer, sizeof buffer);
    return Text(buffer, length > 0 ? length : 0);
}

int WtControl::controlId() const {
    return GetWindowLongA(hwnd_, GWL_ID);
}
bool WtControl::exists() const {
    return IsWindow(hwnd_) != FALSE;
}
HWND WtControl::setFocus() {
    return SetFocus(hwnd_);
}
bool WtControl::hasFocus() const {
    return hwnd_ != nullptr && GetFocus() == hwnd_;
}

RECT WtControl::windowRect() const {
    RECT rect = {};
    GetWindowRect(hwnd_, &rect);
    HWND owner = GetParent(hwnd_);
    ScreenToClient(owner, reinterpret_cast<POINT*>(&rect.left));
    ScreenToClient(owner, reinterpret_cast<POINT*>(&rect.right));
    return rect;
}

void WtControl::suspendRedraw() {
    sendMessage(WM_SETREDRAW, 0, 0);
}
void WtControl::resumeRedraw() {
    sendMessage(WM_SETREDRAW, 1, 0);
}
bool WtControl::invalidate(bool erase) {
    return InvalidateRect(hwnd_, nullptr, erase) != FALSE;
}
bool WtControl::invalidateRect(const RECT& rect) {
    return InvalidateRect(hwnd_, &rect, TRUE) != FALSE;
}
bool WtControl::validate() {
    return ValidateRect(hwnd_, nullptr) != FALSE;
}

bool WtControl::setZOrder(int position) {
    HWND after = HWND_TOP;
    switch (position) {
        case 2:
            after = HWND_BOTTOM;
            break;
        case 3:
            after = HWND_TOPMOST;
            break;
        case 4:
            after = HWND_NOTOPMOST;
            break;
        default:
            break;
    }
    return SetWindowPos(hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

LRESULT WtControl::sendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(hwnd_, msg, wParam, lParam);
}

bool WtControl::postMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return PostMessageA(hwnd_, msg, wParam, lParam) != FALSE;
}

HWND WtControl::setParent(HWND handle) {
    return SetParent(hwnd_, handle);
}
HWND WtControl::parent() const {
    return GetParent(hwnd_);
}
bool WtControl::visible() const {
    return IsWindowVisible(hwnd_) != FALSE;
}
bool WtControl::setVisible(bool value) {
    return ShowWindow(hwnd_, value ? SW_SHOW : SW_HIDE) != FALSE;
}

namespace {
constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
static_assert(kFrameChanged == 0x37);

LONG changeLong(HWND hwnd, int index, LONG set, LONG clear) {
    LONG previous = GetWindowLongA(hwnd, index);
    SetWindowLongA(hwnd, index, (previous | set) & ~clear);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kFrameChanged);
    return previous;
}
}  // namespace

LONG WtControl::style() const {
    return GetWindowLongA(hwnd_, GWL_STYLE);
}
LONG WtControl::addStyle(LONG bits) {
    return changeLong(hwnd_, GWL_STYLE, bits, 0);
}
LONG WtControl::removeStyle(LONG bits) {
    return changeLong(hwnd_, GWL_STYLE, 0, bits);
}
LONG WtControl::exStyle() const {
    return GetWindowLongA(hwnd_, GWL_EXSTYLE);
}
LONG WtControl::addExStyle(LONG bits) {
    return changeLong(hwnd_, GWL_EXSTYLE, bits, 0);
}
LONG WtControl::removeExStyle(LONG bits) {
    return changeLong(hwnd_, GWL_EXSTYLE, 0, bits);
}

Text WtControl::text() const {
    int length = GetWindowTextLengthA(hwnd_);
    if (length <= 0) return Text();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return Text(buffer.data(), copied > 0 ? copied : 0);
}

int WtControl::messageBox(const Text& text, UINT type, const Text& title) {
    return MessageBoxA(hwnd_, text.c_str(), title.c_str(), type) - 1;
}

bool WtControl::setProperty(const Text& name, HANDLE value) {
    return SetPropA(hwnd_, name.c_str(), value) != FALSE;
}
HANDLE WtControl::property(const Text& name) const {
    return GetPropA(hwnd_, name.c_str());
}
HANDLE WtControl::removeProperty(const Text& name) {
    return RemovePropA(hwnd_, name.c_str());
}

HCURSOR WtControl::setCursor(HCURSOR cursor) {
    if (cursor_ != nullptr) DestroyCursor(cursor_);
    cursor_ = cursor;
    return SetCursor(cursor);
}

HFONT WtControl::font() const {
    return reinterpret_cast<HFONT>(sendMessage(WM_GETFONT));
}
int WtControl::setRegion(HRGN region) {
    return SetWindowRgn(hwnd_, region, TRUE);
}

int WtControl::setRegionFromBitmap(HBITMAP bitmap, COLORREF transparentColour, bool redraw) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return 0;
    const int w = info.bmWidth;
    const int h = info.bmHeight;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = w;
    header.bmiHeader.biHeight = -h;  // top-down rows
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, h, pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    // DIB pixels are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const DWORD key = (GetRValue(transparentColour) << 16) | (GetGValue(transparentColour) << 8) |
                      GetBValue(transparentColour);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w;) {
            while (col < w && (pixels[row * w + col] & 0xFFFFFF) == key) ++col;
            int start = col;
            while (col < w && (pixels[row * w + col] & 0xFFFFFF) != key) ++col;
            if (col > start) {
                HRGN run = CreateRectRgn(start, row, col, row + 1);
                CombineRgn(shape, shape, run, RGN_OR);
                DeleteObject(run);
            }
        }
    }
    DeleteObject(bitmap);
    return SetWindowRgn(hwnd_, shape, redraw);
}

int WtControl::setRoundedRegion(int corner, bool redraw) {
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    HRGN region =
        CreateRoundRectRgn(0, 0, r.right - r.left + 1, r.bottom - r.top + 1, corner, corner);
    return SetWindowRgn(hwnd_, region, redraw);
}

void WtControl::acceptFiles(bool value) {
    DragAcceptFiles(hwnd_, value);
}

HICON WtControl::classIcon(bool large) const {
    return reinterpret_cast<HICON>(GetClassLongPtrA(hwnd_, large ? GCLP_HICON : GCLP_HICONSM));
}
HICON WtControl::setClassIcon(HICON icon, bool large) {
    return reinterpret_cast<HICON>(SetClassLongPtrA(hwnd_, large ? GCLP_HICON : GCLP_HICONSM,
                                                    reinterpret_cast<LONG_PTR>(icon)));
}
HCURSOR WtControl::classCursor() const {
    return reinterpret_cast<HCURSOR>(GetClassLongPtrA(hwnd_, GCLP_HCURSOR));
}
HCURSOR WtControl::setClassCursor(HCURSOR cursor) {
    return reinterpret_cast<HCURSOR>(
        SetClassLongPtrA(hwnd_, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor)));
}
