// The skin on screen: its bitmaps, window regions cut out by the mask colour, the seven skinned buttons with their
// three looks, hover timer and tooltips, and the painting of the window, the status fields and the logo.
#pragma once

#include <array>
#include <string>

#include "model/base/Handle_win.h"
#include "model/base/Win_win.h"
#include "skin/SkinLoad.h"
#include "skin/SkinScript.h"

namespace cl {

// The bitmaps of the skin in use, loaded as device-dependent bitmaps at their own size.
class SkinBitmaps : public SkinBitmapLoader {
  public:
    bool Load(SkinBitmap which, const std::string& path) override;
    void Free();

    HBITMAP Main() const { return main_.get(); }
    HBITMAP Button() const { return button_.get(); }
    HBITMAP Logo() const { return logo_.get(); }

  private:
    OwnedBitmap main_;
    OwnedBitmap button_;
    OwnedBitmap logo_;
};

// The region of the bitmap's pixels that do not have the mask colour, over the bitmap's width cut to a multiple of
// 4. Empty when the pixels cannot be fetched; the window then keeps no region and stays rectangular.
OwnedRegion RegionFromBitmap(HBITMAP bitmap, const SkinColor& mask);

// Copies `width` x `height` pixels of `bitmap` at (sourceX, sourceY) to `target` at (0, 0).
void BlitFromBitmap(HDC target, HBITMAP bitmap, int sourceX, int sourceY, int width, int height);

// The main window's background: the main bitmap, window width x window height from its top-left corner.
void PaintSkinBackground(HDC target, const SkinScript& skin, const SkinBitmaps& bitmaps);

// The system font (list box) and the fixed-pitch system font (status fields) at the pixel size they have at 100 %
// text scale. The skin is drawn pixel for pixel and keeps its size on a screen set to a larger scale, so texts that
// grew with the scale would no longer fit the boxes the skin draws for them. A font that cannot be made stays null,
// and the stock font is used instead.
struct SkinFonts {
    OwnedFont list;
    OwnedFont status;
};
SkinFonts CreateSkinFonts();

// A status field: the part of the main bitmap behind it, then its text in the field's colour and `font` (the
// fixed-pitch system font when null), moved by the text offset.
void DrawStatusField(const DRAWITEMSTRUCT& item, const SkinStatusField& field, const SkinBitmaps& bitmaps,
                     const std::string& text, HFONT font);

// The logo window: the top-left 310 x 200 pixels of the logo bitmap.
void DrawLogo(const DRAWITEMSTRUCT& item, const SkinBitmaps& bitmaps);

// The seven owner-drawn buttons. Each shows its Default look, Hover while the pointer is over its shape, Clicked
// while the left button is held on it, and sends its command to the main window on release.
class SkinButtons {
  public:
    SkinButtons() = default;
    SkinButtons(const SkinButtons&) = delete;
    SkinButtons& operator=(const SkinButtons&) = delete;
    ~SkinButtons();

    // Takes the button windows in skin order (Menu, Minimize, Close, View, Add, Find, Externals) and replaces their
    // window procedure; `mainWindow` receives the commands.
    void Attach(HWND mainWindow, const std::array<HWND, kSkinButtonCount>& buttons);

    // Copies each button's Default look out of the button bitmap and cuts the button's shape from it.
    void BuildLooks(const SkinScript& skin, const SkinBitmaps& bitmaps);

    // One tooltip per button, with a thread hook that relays mouse moves to the tooltip control.
    void AddTooltips(HWND tooltip);

    // Draws the owner-draw request of a button window; false when the control is not one of them.
    bool Draw(const DRAWITEMSTRUCT& item, const SkinScript& skin, const SkinBitmaps& bitmaps) const;

    ButtonLook Look(std::size_t index) const { return looks_[index]; }
    HWND Window(std::size_t index) const { return windows_[index]; }

  private:
    // One button's replaced window procedure: hover, press and release.
    class Button final : public Subclass {
      public:
        SkinButtons* owner = nullptr;

      private:
        LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    static void CALLBACK HoverTimer(HWND window, UINT message, UINT_PTR timer, DWORD time) noexcept;
    static LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    int IndexOf(HWND window) const;
    void SetLook(HWND window, ButtonLook look);
    LRESULT ButtonMessage(Button& button, UINT message, WPARAM wParam, LPARAM lParam);

    HWND mainWindow_ = nullptr;
    HWND tooltip_ = nullptr;
    OwnedHook hook_;
    std::array<Button, kSkinButtonCount> buttons_;
    std::array<HWND, kSkinButtonCount> windows_{};
    std::array<ButtonLook, kSkinButtonCount> looks_{};
    std::array<OwnedBitmap, kSkinButtonCount> defaultLooks_;
};

}  // namespace cl
