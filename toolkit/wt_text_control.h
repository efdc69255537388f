// Shared layer of push buttons and edit boxes: text and background colours answered
// through the parent's colour request, or a transparent background that shows the
// parent's pixels.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "toolkit/wt_control.h"

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

class WtColourControl : public WtControl {
  public:
    // The background colour that means "show the parent through".
    static constexpr COLORREF kTransparent = 0xFFFFFFFF;

    ~WtColourControl() override;

    LRESULT onControlColor(HWND childHwnd, HDC hdc) override;
    // The control paints its own background.
    LRESULT onEraseBackground(HWND hwnd, HDC hdc) override;
    void destroyCleanup(HWND hwnd) override;

    // Plain creation with exactly these values; the handle or null.
    HWND createChildWindow(HWND parent, DWORD exStyle, const char* className, const Text& title,
                           DWORD style, int x, int y, int width, int height, int id);

    COLORREF textColour() const { return textColour_; }
    void setTextColour(COLORREF colour, bool redraw = true);
    COLORREF backgroundColour() const { return backgroundColour_; }
    // kTransparent adds WS_EX_TRANSPARENT; any other colour removes it and paints with a
    // solid brush of that colour.
    void setBackgroundColour(COLORREF colour, bool redraw = true);
    // The brush the colour request answers with; null while the system colours apply.
    HBRUSH backgroundBrush() const;

    virtual void releaseImages();

    bool attachDialogItem(HWND parent, int id, bool defaultFont = true);
    bool attachWindow(HWND handle);

  protected:
    COLORREF textColour_ = 0;
    COLORREF backgroundColour_ = 0;
    OwnedBrush solidBrush_;
};
