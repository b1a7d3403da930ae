// Starting the program: it finds its data beside itself, and a skin that cannot be loaded ends it with the message
// that says why.
#include <gtest/gtest.h>

#include "tests/e2e/ProgramTest.h"

namespace cl::e2e {
namespace {

using StartupTest = ProgramTest;

TEST_F(StartupTest, FindsItsDataBesideItselfWhateverTheCurrentDirectory) {
    // The harness starts the copy from the test's own current directory; the list must still come from here.
    data.WriteFile("CineLedger.dat", "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nend|nolockx\r\nend|\r\nend");
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (std::vector<std::string>{"Alien"}));
    program.Kill();
}

struct Message {
    const char* text;
    const char* caption;
};

struct SkinFailure {
    const char* name;
    std::function<void(const TempDataDir&)> damage;
    std::vector<Message> messages;
};

void PrintTo(const SkinFailure& failure, std::ostream* out) { *out << failure.name; }

class SkinFailureTest : public ProgramTest, public testing::WithParamInterface<SkinFailure> {};

TEST_P(SkinFailureTest, ShowsItsMessagesAndEnds) {
    GetParam().damage(data);
    program = Program::Start(data);
    for (const Message& expected : GetParam().messages) {
        auto box = WaitForMessageBox(program.Id());
        ASSERT_TRUE(box.has_value()) << "expected \"" << expected.text << "\"";
        EXPECT_EQ(box->text, expected.text);
        EXPECT_EQ(box->caption, expected.caption);
        EXPECT_EQ(FindTopLevelWindow(program.Id(), "CineLedger"), nullptr) << "the window is never shown";
        ASSERT_TRUE(AnswerMessageBox(*box, IDOK));
    }
    auto code = program.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_EQ(*code, 0u);
}

// A message box without a caption of its own is titled "Error" by the system.
INSTANTIATE_TEST_SUITE_P(
    Skins, SkinFailureTest,
    testing::Values(
        SkinFailure{"NoIniFile", [](const TempDataDir& d) { d.RemoveFile("CineLedger.ini"); },
                    {{"Could Not Load File \"CineLedger.ini\"", "Skin Script Error"}}},
        SkinFailure{"IniNamesAMissingSkin", [](const TempDataDir& d) { d.WriteFile("CineLedger.ini", "Nowhere"); },
                    {{"Could Not Load Skin Script.", "Skin Script Error"}}},
        SkinFailure{"ScriptWithASyntaxError",
                    [](const TempDataDir& d) {
                        d.WriteFile("Skins/Midnight/Midnight.lsk", "<CineLedgerSkin><Attributes><Nmae>");
                    },
                    {{"Error at: <Name>", "Script Syntax Error"}, {"Could Not Load Skin Script.", "Skin Script Error"}}},
        SkinFailure{"MainBitmapMissing", [](const TempDataDir& d) { d.RemoveFile("Skins/Midnight/Main.bmp"); },
                    {{"Could Not Load Main Bitmap.", "Error"}, {"Could Not Load Skin Bitmaps.", "Skin Script Error"}}},
        SkinFailure{"LogoBitmapMissing", [](const TempDataDir& d) { d.RemoveFile("Skins/Midnight/Logo.bmp"); },
                    {{"Could Not Load Logo Bitmap.", "Error"}, {"Could Not Load Skin Bitmaps.", "Skin Script Error"}}}),
    [](const testing::TestParamInfo<SkinFailure>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace cl::e2e
