// The toolkit's edit box over the standard "Edit" control; white by default.
#pragma once

#include <windows.h>

#include "toolkit/wt_text_control.h"

// What createEdit takes besides its text and geometry. A style given here replaces
// ES_AUTOHSCROLL entirely: the credits box passes {ES_MULTILINE | ES_AUTOVSCROLL |
// ES_WANTRETURN} so its long lines wrap.
struct WtEditOptions {
    DWORD style = ES_AUTOHSCROLL;
    DWORD exStyle = WS_EX_CLIENTEDGE;
};

class WtEdit : public WtColourControl {
  public:
    static constexpr COLORREF kWhite = 0xFFFFFF;

    ~WtEdit() override;

    // EN_CHANGE raises the change event; the parent's own procedure still sees the command.
    LRESULT onCommand(HWND parentHwnd, HWND childHwnd, int notifyCode, int id) override;

    // A visible tab-stop edit box with the next free identifier and a white background:
    // createEdit(hwnd, path, 212, 19, 290, 20).
    bool createEdit(HWND parent, const Text& text = "", int x = 0, int y = 0, int width = 80,
                    int height = 20, const WtEditOptions& options = {});
    // Binds a dialog's edit box and gives it the white background as createEdit does.
    bool attachDialogItem(HWND parent, int id, bool defaultFont = true);

    Text content() const { return text(); }
    // Always the empty text.
    Text setContent(const Text& text);

    // end -1 reaches the end of the text.
    void setSelection(int start, int end = -1);
    void selection(int& start, int& end) const;
    // Adds the text at the end as one step that can be undone.
    void appendText(const Text& text);
    void replaceSelection(const Text& text);
    int textLimit() const;
    void setTextLimit(int count);
    // One single-byte character, or the empty text when none is set.
    Text passwordChar() const;
    // The ANSI message carries one byte: the first byte of the text, 0 (none) for empty text.
    void setPasswordChar(const Text& text);
    bool setReadOnly(bool value = true);
    RECT formattingRect() const;
    void setFormattingRect(const RECT& rect);

    void setOnChange(WtCallback callback) { onChange_ = std::move(callback); }

  private:
    WtCallback onChange_;
};
