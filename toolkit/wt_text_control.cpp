#include "toolkit/wt_text_control.h"

namespace {

// A window's device context, released on every path out.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (hdc_ != nullptr) ReleaseDC(hwnd_, hdc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return hdc_; }

  private:
    HWND hwnd_;
    HDC hdc_;
};

}  // namespace

WtColourControl::~WtColourControl() {
    if (hwnd_ != nullptr) unbindWindow(hwnd_);
}

LRESULT WtColourControl::onControlColor(HWND childHwnd, HDC hdc) {
    if (backgroundColour_ == kTransparent) {
        SetTextColor(hdc, textColour_);
        SetBkMode(hdc, TRANSPARENT);
        HWND parent = GetParent(childHwnd);
        RECT rect = {};
        GetWindowRect(childHwnd, &rect);
        POINT corner = {rect.left, rect.top};
        ScreenToClient(parent, &corner);
        WindowDc parentDc(parent);
        BitBlt(hdc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, parentDc.get(), corner.x,
               corner.y, SRCCOPY);
        return reinterpret_cast<LRESULT>(backgroundBrush());
    }
    if (solidBrush_) {
        SetTextColor(hdc, textColour_);
        SetBkColor(hdc, backgroundColour_);
        return reinterpret_cast<LRESULT>(solidBrush_.get());
    }
    return 0;
}

LRESULT WtColourControl::onEraseBackground(HWND, HDC) {
    return 0;
}

void WtColourControl::destroyCleanup(HWND) {
    releaseImages();
    solidBrush_.reset();
    textColour_ = 0;
    backgroundColour_ = 0;
}

HWND WtColourControl::createChildWindow(HWND parent, DWORD exStyle, const char* className,
                                        const Text& title, DWORD style, int x, int y, int width,
                                        int height, int id) {
    return createControlWindow(parent, exStyle, className, title.c_str(), style, x, y, width,
                               height, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr);
}

void WtColourControl::setTextColour(COLORREF colour, bool redraw) {
    textColour_ = colour;
    if (redraw) invalidate();
}

void WtColourControl::setBackgroundColour(COLORREF colour, bool redraw) {
    solidBrush_.reset();
    backgroundColour_ = colour;
    if (colour == kTransparent) {
        addExStyle(WS_EX_TRANSPARENT);
    } else {
        removeExStyle(WS_EX_TRANSPARENT);
        solidBrush_.reset(CreateSolidBrush(colour));
    }
    if (redraw) invalidate();
}

HBRUSH WtColourControl::backgroundBrush() const {
    if (backgroundColour_ == kTransparent) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return solidBrush_.get();
}

void WtColourControl::releaseImages() {}

bool WtColourControl::attachDialogItem(HWND parent, int id, bool defaultFont) {
    return WtControl::attachDialogItem(parent, id, defaultFont) != nullptr;
}

bool WtColourControl::attachWindow(HWND handle) {
    return WtControl::attachWindow(handle) != nullptr;
}
