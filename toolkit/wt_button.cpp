#include "toolkit/wt_button.h"

#include "toolkit/toolkit_state.h"

WtButton::~WtButton() {
    if (hwnd_ != nullptr) unbindWindow(hwnd_);
}

LRESULT WtButton::onCommand(HWND, HWND, int notifyCode, int) {
    if (notifyCode == BN_CLICKED && onClick_) onClick_();
    return 0;
}

void WtButton::releaseImages() {
    imageBitmap_.reset();
    imageIcon_.reset();
    onClick_ = nullptr;
}

bool WtButton::createButton(HWND parent, const Text& text, int x, int y, int width, int height,
                            const WtButtonOptions& options) {
    const int next = ++nextControlId;
    const int id = options.id.value_or(next);
    return createChildWindow(parent, options.exStyle, "Button", text,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | options.style, x, y, width,
                             height, id) != nullptr;
}

Text WtButton::setCaption(const Text& text) {
    setText(text);
    return Text();
}

void WtButton::click() {
    sendMessage(BM_CLICK);
}

bool WtButton::setImage(HANDLE image, bool isIcon) {
    bool replaced = false;
    if (isIcon) {
        HICON icon = static_cast<HICON>(image);
        replaced = imageIcon_ != nullptr;
        // Setting the image the button already shows must not destroy it.
        if (imageIcon_.get() != icon) imageIcon_.reset(icon);
        addStyle(BS_ICON);
    } else {
        HBITMAP bitmap = static_cast<HBITMAP>(image);
        replaced = imageBitmap_ != nullptr;
        if (imageBitmap_.get() != bitmap) imageBitmap_.reset(bitmap);
        addStyle(BS_BITMAP);
    }
    sendMessage(BM_SETIMAGE, isIcon ? IMAGE_ICON : IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    return replaced;
}

HANDLE WtButton::image(int kind) const {
    return reinterpret_cast<HANDLE>(sendMessage(BM_GETIMAGE, static_cast<WPARAM>(kind)));
}
