// The skin on screen: the window's outline cut by the mask colour, the buttons' three looks, the tooltip, the main
// menu popup, and both shipped skins.
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
    std::uint32_t ScreenPixel(HWND main, int x, int y) {
        std::string error;
        auto capture = CaptureWindow(main, error);
        EXPECT_TRUE(capture.has_value()) << error;
        return capture ? capture->Rgb(x, y) : 0xFFFFFFFFu;
    }
};

bool IsMask(const BgrImage& image, int x, int y, const SkinColor& mask) {
    return image.Rgb(x, y) == (std::uint32_t{mask.Red()} << 16 | std::uint32_t{mask.Green()} << 8 | mask.Blue());
}

TEST_F(SkinTest, MaskedPixelsLieOutsideTheWindow) {
    const SkinScript skin = InstalledSkin("Midnight");
    const BgrImage main = Bitmap("Midnight", skin.mainBitmap);
    HWND window = StartMain();
    ASSERT_NE(window, nullptr);
    RECT rect = {};
    GetWindowRect(window, &rect);

    int masked = 0;
    int kept = 0;
    // Walk the first rows, where the rounded corners are, and a middle row.
    for (int y : {0, 1, 2, main.height / 2}) {
        for (int x = 0; x < main.width / 4 * 4; x += 3) {
            POINT at = {rect.left + x, rect.top + y};
            HWND hit = WindowFromPoint(at);
            bool inWindow = hit != nullptr && GetAncestor(hit, GA_ROOT) == window;
            if (IsMask(main, x, y, skin.mask)) {
                EXPECT_FALSE(inWindow) << "masked pixel " << x << "," << y << " belongs to the window";
                ++masked;
            } else {
                EXPECT_TRUE(inWindow) << "pixel " << x << "," << y << " is not part of the window";
                ++kept;
            }
        }
    }
    EXPECT_GT(masked, 0) << "the skin has a shaped outline";
    EXPECT_GT(kept, 0);
}

TEST_F(SkinTest, ButtonsShowTheirDefaultHoverAndClickedLooks) {
    const SkinScript skin = InstalledSkin("Midnight");
    const BgrImage buttons = Bitmap("Midnight", skin.buttonBitmap);
    const SkinButton& view = skin.Button(SkinButtonId::View);
    const ButtonLookGeometry& normal = view.Look(ButtonLook::Default);
    const ButtonLookGeometry& hover = view.Look(ButtonLook::Hover);
    const ButtonLookGeometry& clicked = view.Look(ButtonLook::Clicked);

    // A point inside the button's shape where the three looks differ.
    auto pixel = [&](const ButtonLookGeometry& look, int x, int y) {
        return buttons.Rgb(look.sourceX + x, look.sourceY + y);
    };
    int px = -1, py = -1;
    for (int y = normal.height / 4; y < normal.height * 3 / 4 && px < 0; ++y) {
        for (int x = normal.width / 4; x < normal.width * 3 / 4; ++x) {
            std::uint32_t d = pixel(normal, x, y), h = pixel(hover, x, y), c = pixel(clicked, x, y);
            if (!IsMask(buttons, normal.sourceX + x, normal.sourceY + y, skin.mask) && d != h && d != c && h != c) {
                px = x;
                py = y;
                break;
            }
        }
    }
    ASSERT_GE(px, 0) << "the skin's looks of View Movies do not differ";

    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND button = ChildById(main, IDC_VIEW_BUTTON, "Button");
    ASSERT_NE(button, nullptr);
    const int wx = normal.destX + px;
    const int wy = normal.destY + py;
    RECT rect = {};
    GetWindowRect(main, &rect);
    SetCursorPos(rect.right + 40, rect.bottom + 40);
    EXPECT_EQ(ScreenPixel(main, wx, wy), pixel(normal, px, py)) << "Default look";

    SetCursorPos(rect.left + wx, rect.top + wy);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(main, wx, wy) == pixel(hover, px, py); })) << "Hover look";
    // The tooltip shows while the pointer rests on the button.
    HWND tip = WaitForTopLevelWindow(program.Id(), "tooltips_class32");
    ASSERT_NE(tip, nullptr) << "no tooltip";
    EXPECT_EQ(WindowText(tip), "View Movies");
    EXPECT_EQ(SaveScreenshot(main, ScreenshotFolder() / "Button-Hover.png"), "");

    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(px, py));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(main, wx, wy) == pixel(clicked, px, py); })) << "Clicked look";
    EXPECT_EQ(SaveScreenshot(main, ScreenshotFolder() / "Button-Clicked.png"), "");

    // The release sends the command and shows Hover again.
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(px, py));
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Main Movie List"; }));
    EXPECT_TRUE(WaitForWindowGone(tip)) << "the release hides the tooltip";
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(main, wx, wy) == pixel(hover, px, py); }));

    // Leaving the shape: the hover timer puts every button back to Default.
    SetCursorPos(rect.right + 40, rect.bottom + 40);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(main, wx, wy) == pixel(normal, px, py); })) << "back to Default";
}

TEST_F(SkinTest, DraggingTheBodyMovesTheWindow) {
    const SkinScript skin = InstalledSkin("Midnight");
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    RECT before = {};
    GetWindowRect(main, &before);
    // A point of the window's own body: the gap between the list box and the status fields.
    const SkinStatusField& status = skin.Status(SkinStatusId::List);
    POINT grab = {before.left + skin.listBox.x + 40, before.top + (skin.listBox.y + skin.listBox.height + status.y) / 2};
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
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
    })) << "the press on the body did not start moving the window";
    for (int step = 1; step <= 5; ++step) {
        mouse(MOUSEEVENTF_MOVE, POINT{grab.x + step * 10, grab.y + step * 6});
    }
    mouse(MOUSEEVENTF_LEFTUP, POINT{grab.x + 50, grab.y + 30});
    EXPECT_TRUE(WaitUntil([&] {
        RECT after = {};
        GetWindowRect(main, &after);
        return after.left == before.left + 50 && after.top == before.top + 30;
    })) << "the window did not follow the pointer";
}

TEST_F(SkinTest, TheMenuButtonOpensTheMainMenu) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PostCommand(main, IDC_MENU_BUTTON));
    HWND menu = WaitForTopLevelWindow(program.Id(), "#32768");
    ASSERT_NE(menu, nullptr) << "no popup menu";
    // The menu opens at the menu button's top-left corner.
    RECT button = {}, popup = {};
    GetWindowRect(ChildById(main, IDC_MENU_BUTTON, "Button"), &button);
    GetWindowRect(menu, &popup);
    EXPECT_NEAR(popup.left, button.left, 2);
    EXPECT_EQ(ChildById(main, IDC_LOGO, "Static"), nullptr) << "the menu button closes the logo";

    // Escape closes the menu without a command.
    SetForegroundWindow(main);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    EXPECT_TRUE(WaitForWindowGone(menu));
}

TEST_F(SkinTest, BothShippedSkinsDrawTheWindow) {
    data.WriteFile("CineLedger.dat",
                   "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nBrazil|Default|Comedy|Present|DVD|2\r\n"
                   "Casablanca|Default|Drama|Present|DVD|3\r\nHeat|Mike|Crime|Absent|DVD|4\r\n"
                   "Matrix, The|Default|Action|Present|DivX|5\r\nVertigo|Default|Thriller|Present|DVD|6\r\n"
                   "end|nolockx\r\nend|\r\nend");
    for (const char* name : {"Midnight", "Paper"}) {
        SCOPED_TRACE(name);
        data.WriteFile("CineLedger.ini", name);
        const SkinScript skin = InstalledSkin(name);
        HWND main = StartMain();
        ASSERT_NE(main, nullptr);
        RECT rect = {};
        GetWindowRect(main, &rect);
        EXPECT_EQ(rect.right - rect.left, skin.windowWidth);
        EXPECT_EQ(rect.bottom - rect.top, skin.windowHeight);
        ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
        EXPECT_EQ(MovieCount(main), "Number of Movies: 6");
        RECT list = {};
        GetWindowRect(MovieList(main), &list);
        EXPECT_EQ(list.left - rect.left, skin.listBox.x);
        EXPECT_EQ(list.top - rect.top, skin.listBox.y);
        EXPECT_EQ(SaveScreenshot(main, ScreenshotFolder() / ("Skin-" + std::string(name) + ".png")), "");
        program.Kill();
    }
}

}  // namespace
}  // namespace cl::e2e
