// No byte of a collection lost: damaged store files are reported at start-up and kept whole by the save, and a
// second start on the same folder hands over to the running copy instead of opening the files twice.
#include <gtest/gtest.h>

#include <ctime>

#include "model/base/Date.h"
#include "tests/e2e/ProgramTest.h"

namespace cl::e2e {
namespace {

using DataSafetyTest = ProgramTest;

TEST_F(DataSafetyTest, DamagedFilesAreReportedAtStartAndSavedOnlyAfterTheyWereKeptWhole) {
    const std::string comments = "Alien\r\nscary\r\n\r\nHeat\r\nlost if saved\r\n";
    const std::string history = "Alien\r\n2003/1/5\r\n0\r\n" + std::string(100, 'l') + "\r\nend\r\n";
    data.WriteFile("CineLedger.dat",
                   "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nend|nolockx\r\nend|\r\nend");
    data.WriteFile("Comments.dat", comments);
    data.WriteFile("History.dat", history);
    program = Program::Start(data);

    auto box = WaitForMessageBox(program.Id());
    ASSERT_TRUE(box.has_value()) << "no message about the damaged files";
    EXPECT_NE(box->text.find("\nComments.dat, line 3: "), std::string::npos) << box->text;
    EXPECT_NE(box->text.find("\nHistory.dat, line 4: loan line longer than 99 characters"), std::string::npos)
        << box->text;
    ASSERT_TRUE(AnswerMessageBox(*box, IDOK));
    main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    // Media.dat is written last; reading the others while the save replaces them could hold them open and make
    // the replace fail, so the test waits for Media.dat alone.
    data.RemoveFile("Media.dat");
    PostCommand(main, IDM_SAVE);
    box = WaitForMessageBox(program.Id());
    ASSERT_TRUE(box.has_value() && box->text == "Save Changes, mmm?");
    ASSERT_TRUE(AnswerMessageBox(*box, IDYES));
    const std::string kept = ".damaged-" + FormatFileNameDate(std::time(nullptr));
    ASSERT_TRUE(WaitUntil([&] { return data.Exists("Media.dat"); }));
    EXPECT_EQ(data.ReadFile("Comments.dat"), "Alien\r\nscary\r\n");
    EXPECT_EQ(data.ReadFile("Comments.dat" + kept), comments);
    EXPECT_EQ(data.ReadFile("History.dat" + kept), history);
    program.Kill();
}

TEST_F(DataSafetyTest, ASecondStartOnTheSameFolderBringsTheFirstForwardAndEndsWhileOtherFoldersRunSideBySide) {
    ASSERT_NE(StartMain(), nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }));

    Program second = Program::Start(data);
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) == FALSE && GetForegroundWindow() == main; }));
    EXPECT_TRUE(program.Running());

    TempDataDir elsewhere(std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-elsewhere");
    elsewhere.InstallSkins();
    Program other = Program::Start(elsewhere);
    EXPECT_NE(other.WaitForMainWindow(), nullptr);
    program.Kill();
}

}  // namespace
}  // namespace cl::e2e
