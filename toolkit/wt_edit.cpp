#include "toolkit/wt_edit.h"

#include "toolkit/toolkit_state.h"

WtEdit::~WtEdit() {
    if (hwnd_ != nullptr) unbindWindow(hwnd_);
}

LRESULT WtEdit::onCommand(HWND, HWND, int notifyCode, int) {
    if (notifyCode == EN_CHANGE && onChange_) onChange_();
    return 0;
}

bool WtEdit::createEdit(HWND parent, const Text& text, int x, int y, int width, int height,
                        const WtEditOptions& options) {
    const int id = ++nextControlId;
    if (createChildWindow(parent, options.exStyle, "Edit", text,
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | options.style, x, y, width, height,
                          id) == nullptr) {
        return false;
    }
    setBackgroundColour(kWhite, false);
    return true;
}

bool WtEdit::attachDialogItem(HWND parent, int id, bool defaultFont) {
    if (!WtColourControl::attachDialogItem(parent, id, defaultFont)) return false;
    setBackgroundColour(kWhite, false);
    return true;
}

Text WtEdit::setContent(const Text& text) {
    setText(text);
    return Text();
}

void WtEdit::setSelection(int start, int end) {
    sendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
}

void WtEdit::selection(int& start, int& end) const {
    const DWORD range = static_cast<DWORD>(sendMessage(EM_GETSEL));
    start = LOWORD(range);
    end = HIWORD(range);
}

void WtEdit::appendText(const Text& text) {
    // A start of -2 is past any text, so the caret lands after the last character.
    sendMessage(EM_SETSEL, static_cast<WPARAM>(-2), -1);
    replaceSelection(text);
}

void WtEdit::replaceSelection(const Text& text) {
    sendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

int WtEdit::textLimit() const {
    return static_cast<int>(sendMessage(EM_GETLIMITTEXT));
}
void WtEdit::setTextLimit(int count) {
    sendMessage(EM_LIMITTEXT, static_cast<WPARAM>(count));
}

Text WtEdit::passwordChar() const {
    const auto code = static_cast<unsigned char>(sendMessage(EM_GETPASSWORDCHAR));
    return code == 0 ? Text() : Text(1, static_cast<char>(code));
}

void WtEdit::setPasswordChar(const Text& text) {
    const WPARAM code = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
    sendMessage(EM_SETPASSWORDCHAR, code);
    invalidate();
}

bool WtEdit::setReadOnly(bool value) {
    return sendMessage(EM_SETREADONLY, value) != 0;
}

RECT WtEdit::formattingRect() const {
    RECT rect = {};
    sendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void WtEdit::setFormattingRect(const RECT& rect) {
    sendMessage(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
}
