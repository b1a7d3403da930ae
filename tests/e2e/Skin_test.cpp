// The skin on screen: the window's size, layout and outline cut by the mask colour in both shipped skins, the
// buttons' three looks with the tooltip, and dragging the window by its body. The real pointer is moved: hover
// logic asks the system where the pointer is.
#include <gtest/gtest.h>

#include "skin/Bmp.h"
#include "skin/SkinScript.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

class Quiet : public Prompts {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool Ask(std::string_view, std::string_view, MessageIcon, bool) override { return false; }
};

class SkinTest : public ProgramTest {
  protected:
    // The installed skin as the program reads it, and one of its bitmaps.
    SkinScript InstalledSkin(const std::string& name) {
        SkinScript skin;
        Quiet quiet;
        EXPECT_TRUE(LoadSkinScriptFile(data.Path() / "Skins" / name / (name + ".lsk"), skin, quiet));
        return skin;
    }
    BgrImage Bitmap(const std::string& skin, const std::string& file) {
        BgrImage image;
        std::string error;
        EXPECT_TRUE(ReadBmpFile(data.Path() / "Skins" / skin / file, image, error)) << error;
        return image;
    }
    // The screen pixel at (x, y) of the main window, once the picture has settled.
    std::uint32_t ScreenPixel(int x, int y) const {
        auto capture = CaptureWindow(main);
        return capture ? capture->Rgb(x, y) : 0xFFFFFFFFu;
    }
};

bool IsMask(const BgrImage& image, int x, int y, const SkinColor& mask) {
    return image.Rgb(x, y) == (std::uint32_t{mask.Red()} << 16 | std::uint32_t{mask.Green()} << 8 | mask.Blue());
}

TEST_F(SkinTest, EachShippedSkinSizesLaysOutAndShapesTheWindow) {
    UseSample("collection");
    for (const std::string name : {"Midnight", "Paper"}) {
        SCOPED_TRACE(name);
        data.WriteFile("CineLedger.ini", name);
        const SkinScript skin = InstalledSkin(name);
        const BgrImage picture = Bitmap(name, skin.mainBitmap);
        ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
        RECT window = {}, box = {};
        GetWindowRect(main, &window);
        GetWindowRect(list, &box);
        EXPECT_EQ(window.right - window.left, skin.windowWidth);
        EXPECT_EQ(window.bottom - window.top, skin.windowHeight);
        EXPECT_EQ(GetWindowLongPtrA(main, GWL_STYLE) & WS_CAPTION, 0) << "no caption and no frame";
        EXPECT_EQ(box.left - window.left, skin.listBox.x);
        EXPECT_EQ(box.top - window.top, skin.listBox.y);

        // Masked pixels lie outside the window: the first rows, where the rounded corners are, and a middle one.
        int masked = 0;
        for (int y : {0, 1, 2, picture.height / 2}) {
            for (int x = 0; x < picture.width / 4 * 4; x += 3) {
                HWND hit = WindowFromPoint(POINT{window.left + x, window.top + y});
                const bool inWindow = hit != nullptr && GetAncestor(hit, GA_ROOT) == main;
                const bool isMask = IsMask(picture, x, y, skin.mask);
                masked += isMask ? 1 : 0;
                EXPECT_NE(inWindow, isMask) << "pixel " << x << "," << y;
            }
        }
        EXPECT_GT(masked, 0) << "the skin has a shaped outline";
        EXPECT_EQ(Screenshot(main, "Skin-" + name), "");
        program.Kill();
    }
}

TEST_F(SkinTest, ButtonsShowTheirDefaultHoverAndClickedLooksAndTheTooltip) {
    const SkinScript skin = InstalledSkin("Midnight");
    const BgrImage buttons = Bitmap("Midnight", skin.buttonBitmap);
    const SkinButton& view = skin.Button(SkinButtonId::View);
    const ButtonLookGeometry& normal = view.Look(ButtonLook::Default);
    const ButtonLookGeometry& hover = view.Look(ButtonLook::Hover);
    const ButtonLookGeometry& clicked = view.Look(ButtonLook::Clicked);
    auto pixel = [&](const ButtonLookGeometry& look, int x, int y) {
        return buttons.Rgb(look.sourceX + x, look.sourceY + y);
    };
    // A point inside the button's shape where the three looks differ.
    int px = -1, py = -1;
    for (int y = normal.height / 4; y < normal.height * 3 / 4 && px < 0; ++y) {
        for (int x = normal.width / 4; x < normal.width * 3 / 4 && px < 0; ++x) {
            const std::uint32_t d = pixel(normal, x, y), h = pixel(hover, x, y), c = pixel(clicked, x, y);
            if (!IsMask(buttons, normal.sourceX + x, normal.sourceY + y, skin.mask) && d != h && d != c && h != c)
                px = x, py = y;
        }
    }
    ASSERT_GE(px, 0) << "the skin's looks of View Movies do not differ";

    ASSERT_NE(StartMain(), nullptr);
    HWND button = Child(IDC_VIEW_BUTTON, "Button");
    ASSERT_NE(button, nullptr);
    const int wx = normal.destX + px, wy = normal.destY + py;
    RECT rect = {};
    GetWindowRect(main, &rect);
    SetCursorPos(rect.right + 40, rect.bottom + 40);
    EXPECT_EQ(ScreenPixel(wx, wy), pixel(normal, px, py)) << "Default look";

    SetCursorPos(rect.left + wx, rect.top + wy);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(wx, wy) == pixel(hover, px, py); })) << "Hover look";
    HWND tip = WaitForTopLevelWindow(program.Id(), "tooltips_class32");
    ASSERT_NE(tip, nullptr) << "no tooltip while the pointer rests on the button";
    EXPECT_EQ(WindowText(tip), "View Movies");
    EXPECT_EQ(Screenshot(main, "Button-Hover"), "");

    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(px, py));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(wx, wy) == pixel(clicked, px, py); })) << "Clicked look";
    // The release sends the command, hides the tooltip and shows Hover again.
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(px, py));
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption() == "Main Movie List"; }));
    EXPECT_TRUE(WaitForWindowGone(tip));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(wx, wy) == pixel(hover, px, py); }));
    // Leaving the shape: the hover timer puts the button back to Default.
    SetCursorPos(rect.right + 40, rect.bottom + 40);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(wx, wy) == pixel(normal, px, py); })) << "back to Default";
}

TEST_F(SkinTest, DraggingTheBodyMovesTheWindow) {
    const SkinScript skin = InstalledSkin("Midnight");
    ASSERT_NE(StartMain(), nullptr);
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    RECT before = {};
    GetWindowRect(main, &before);
    // A point of the window's own body: the gap between the list box and the status fields.
    const SkinStatusField& status = skin.Status(SkinStatusId::List);
    const POINT grab = {before.left + skin.listBox.x + 40,
                        before.top + (skin.listBox.y + skin.listBox.height + status.y) / 2};
    ASSERT_EQ(WindowFromPoint(grab), main) << "the grab point must be the window's own body";

    auto mouse = [](DWORD flags, POINT at) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof(input));
    };
    mouse(MOUSEEVENTF_MOVE, grab);
    mouse(MOUSEEVENTF_LEFTDOWN, grab);
    // The moves must reach the system's move loop, which starts when the program has handled the press: a release
    // seen before that would end the drag before it began.
    ASSERT_TRUE(WaitUntil([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) && (info.flags & GUI_INMOVESIZE);
    })) << "the press on the body did not start moving the window";
    for (int step = 1; step <= 5; ++step) mouse(MOUSEEVENTF_MOVE, POINT{grab.x + step * 10, grab.y + step * 6});
    mouse(MOUSEEVENTF_LEFTUP, POINT{grab.x + 50, grab.y + 30});
    EXPECT_TRUE(WaitUntil([&] {
        RECT after = {};
        GetWindowRect(main, &after);
        return after.left == before.left + 50 && after.top == before.top + 30;
    })) << "the window did not follow the pointer";
}

}  // namespace
}  // namespace cl::e2e
