// Starting and closing the program: it opens its main window wherever it is copied, and it ends when closed.
#include <gtest/gtest.h>

#include "tests/e2e/Harness_win.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

// Each test runs its own copy of the program in a fresh data directory, kept when the test fails.
class ProgramTest : public testing::Test {
protected:
    void TearDown() override {
        if (HasFailure()) data.Keep();
    }

    std::string TestName() const { return testing::UnitTest::GetInstance()->current_test_info()->name(); }

    TempDataDir data{testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(ProgramTest, OpensItsMainWindowAndEndsOnClose) {
    Program program = Program::Start(data);
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr) << "no window of class CineLedger appeared";
    EXPECT_EQ(Caption(window), "CineLedger");
    EXPECT_TRUE(Dialogs(program.Id()).empty()) << "nothing asks anything at start-up";

    std::filesystem::path shot = ScreenshotFolder() / "MainWindow.png";
    EXPECT_EQ(SaveScreenshot(window, shot), "");
    EXPECT_TRUE(std::filesystem::exists(shot));

    ASSERT_TRUE(program.Close());
    std::optional<DWORD> code = program.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(*code, 0u);
}

TEST_F(ProgramTest, RunsFromADataDirectoryWithFixtureFiles) {
    // A data directory that already holds files must not stop the program from starting.
    data.WriteFile("Settings.dat", "");
    Program program = Program::Start(data);
    ASSERT_NE(program.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(data.Exists("CineLedger.exe"));
    EXPECT_TRUE(data.Exists("Settings.dat"));
    program.Kill();
    EXPECT_FALSE(program.Running());
}

}  // namespace
}  // namespace cl::e2e
