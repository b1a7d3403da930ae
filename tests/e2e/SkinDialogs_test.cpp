// The Skins dialog, the About box and the documentation dialog, from outside: what they show, what Apply Skin
// changes, and the keys they ignore.
#include <gtest/gtest.h>
#include <windows.h>

#include "res/SkinDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

using SkinDialogTest = ProgramTest;

SIZE WindowSize(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

TEST_F(SkinDialogTest, SkinsPreviewsAppliesFallsBackAndIgnoresEscape) {
    UseSample("collection");
    std::filesystem::create_directories(data / "Skins/Bare");  // a folder without a script
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(Screenshot(main, "SkinShot-Midnight"), "");
    const SIZE midnight = WindowSize(main);
    HWND skins = OpenDialog(IDM_SKINS, "Skins...");
    ASSERT_NE(skins, nullptr);
    HWND box = Control(skins, IDC_SKINS_LIST);
    EXPECT_EQ(ListBoxItems(box), (Lines{"Bare", "Midnight", "Paper"}));
    EXPECT_FALSE(IsControlEnabled(skins, IDC_SKINS_INSERT));
    const auto preview = [&](int line) {
        SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        PostMessageA(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    };
    preview(2);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(skins, IDC_SKINS_AUTHOR) == "CineLedger Artwork"; }));
    EXPECT_EQ(ControlText(skins, IDC_SKINS_EMAIL), "skins@cineledger.example");
    // The screenshot fills the frame's width: the frame's middle row is no longer the dialog's face colour.
    RECT frame = {}, dialog = {};
    GetWindowRect(Control(skins, IDC_SKINS_PREVIEW), &frame);
    GetWindowRect(skins, &dialog);
    const auto shot = CaptureWindow(skins);
    ASSERT_TRUE(shot);
    const int row = (frame.top + frame.bottom) / 2 - dialog.top;
    int painted = 0;
    for (int x = frame.left + 4; x < frame.right - 4; ++x)
        painted += shot->Rgb(x - dialog.left, row) != (GetSysColor(COLOR_BTNFACE) & 0xFFFFFF) ? 1 : 0;
    EXPECT_GT(painted, (frame.right - frame.left) / 2);
    EXPECT_EQ(Screenshot(skins, "Skins"), "");

    preview(0);
    ASSERT_TRUE(Answer("Unable to Load Skin Script.", "Error", IDOK, skins));
    EXPECT_EQ(ControlText(skins, IDC_SKINS_AUTHOR), "");
    ASSERT_TRUE(PostKey(box, VK_ESCAPE));
    Sync(skins);
    EXPECT_TRUE(IsWindowVisible(skins)) << "Escape does not close the dialog";

    SendMessageA(box, LB_SETCURSEL, 2, 0);
    ASSERT_TRUE(PressButton(skins, IDC_SKINS_APPLY));
    EXPECT_TRUE(WaitUntil([&] { return File("CineLedger.ini") == "Paper"; }));
    Sync(main);
    EXPECT_NE(WindowSize(main).cx, midnight.cx) << "the window took Paper's size";
    EXPECT_EQ(Screenshot(main, "SkinShot-Paper"), "");

    // A skin that cannot be applied brings the one in use back.
    SendMessageA(box, LB_SETCURSEL, 0, 0);
    ASSERT_TRUE(PressButton(skins, IDC_SKINS_APPLY));
    ASSERT_TRUE(Answer("Unable To Load Skin Script.", "Error", IDOK, skins)) << "the dialog is the one blocked";
    Sync(main);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(File("CineLedger.ini"), "Paper");
    ASSERT_TRUE(PressButton(skins, IDC_SKINS_EXIT));
    EXPECT_TRUE(WaitForWindowGone(skins));
}

TEST_F(SkinDialogTest, AboutShowsTheSkinAndTheDocumentationIgnoresKeys) {
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    HWND about = OpenDialog(IDM_ABOUT, "CineLedger v3.15b (Build 1)");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_SKIN_NAME), "Midnight");
    EXPECT_EQ(ControlText(about, IDC_ABOUT_SKIN_ARTIST), "CineLedger Artwork");
    EXPECT_EQ(Screenshot(about, "About"), "");
    ASSERT_TRUE(PostKey(about, VK_ESCAPE));
    ASSERT_TRUE(WaitForWindowGone(about));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == list; }));

    HWND doc = OpenDialog(IDM_READ_HELP, "CineLedger Documentation...");
    ASSERT_NE(doc, nullptr);
    HWND text = Control(doc, IDC_DOC_TEXT);
    // The whole guide, as the program carries it.
    HMODULE exe = LoadLibraryExW(ProgramUnderTest().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC guide = FindResourceA(exe, "README", "TEXT");
    const std::string expected = guide ? std::string(static_cast<const char*>(LockResource(LoadResource(exe, guide))),
                                                     SizeofResource(exe, guide))
                                       : "";
    FreeLibrary(exe);
    EXPECT_EQ(ControlText(doc, IDC_DOC_TEXT), expected);
    if (expected.size() < 4000) {  // a guide too short to scroll: give the box enough lines
        std::wstring lines;
        for (int i = 0; i < 200; ++i) lines += L"A line of the guide\r\n";
        SendMessageW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lines.c_str()));
    }
    const std::string before = ControlText(doc, IDC_DOC_TEXT);
    for (WPARAM key : {VK_DOWN, VK_NEXT, VK_DELETE}) ASSERT_TRUE(SendKey(text, key));
    EXPECT_EQ(SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "keys do not move the text";
    EXPECT_EQ(SendMessageA(text, EM_GETSEL, 0, 0), 0);
    EXPECT_EQ(ControlText(doc, IDC_DOC_TEXT), before);
    SendMessageA(text, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the scroll bar scrolls";
    SendMessageA(text, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(Screenshot(doc, "Documentation"), "");
    PostMessageA(doc, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForWindowGone(doc));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == list; }));
}

}  // namespace
}  // namespace cl::e2e
