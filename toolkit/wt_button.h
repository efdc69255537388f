// The toolkit's push button over the standard "Button" control.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/wt_text_control.h"

// What createButton takes besides its text and geometry. The defaults make a plain push
// button with the next free identifier; an id given here is used instead, though the
// identifier counter still advances.
struct WtButtonOptions {
    std::optional<int> id;
    DWORD style = 0;
    DWORD exStyle = 0;
};

class WtButton : public WtColourControl {
  public:
    ~WtButton() override;

    // BN_CLICKED raises the click event; the parent's own procedure still sees the command.
    LRESULT onCommand(HWND parentHwnd, HWND childHwnd, int notifyCode, int id) override;
    // Drops the click event with the images, so a button loses it with its window.
    void releaseImages() override;

    // A visible tab-stop push button: createButton(hwnd, "初始化", 8, 16, 88, 26).
    bool createButton(HWND parent, const Text& text = "按钮", int x = 0, int y = 0, int width = 80,
                      int height = 32, const WtButtonOptions& options = {});

    Text caption() const { return text(); }
    // Always the empty text.
    Text setCaption(const Text& text);

    // The button behaves as if clicked, so the click event is raised.
    void click();
    // Takes ownership of the image; true when it replaced one of the same kind.
    bool setImage(HANDLE image, bool isIcon = false);
    // kind: IMAGE_BITMAP or IMAGE_ICON.
    HANDLE image(int kind) const;

    void setOnClick(WtCallback callback) { onClick_ = std::move(callback); }

  private:
    WtCallback onClick_;
    OwnedBitmap imageBitmap_;
    OwnedIcon imageIcon_;
};
