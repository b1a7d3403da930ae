// Printing on a real printer, a CUPS-PDF queue, whose PDF's text pdftotext reads back. tests/print/run_print_tests.sh
// sets the printer up and runs these tests, naming the folder of the PDFs in CL_PRINT_PDF_DIR; ctest leaves them out.
#include <gtest/gtest.h>
#include <process.h>

#include <cstdlib>
#include <sstream>

#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {
using namespace std::chrono_literals;

constexpr int kCopiesBox = 1154;  // the print dialog's "Number of copies" and "Collate"
constexpr int kCollateBox = 1041;

class PrintingTest : public ProgramTest {
  protected:
    void SetUp() override {
        if (std::getenv("CL_PRINT_PDF_DIR") == nullptr)
            GTEST_SKIP() << "no printer set up: tests/print/run_print_tests.sh runs these tests";
        ProgramTest::SetUp();
        UseSample("seventy");
        ASSERT_TRUE(StartOn(IDM_MAIN_LIST, "Main Movie List"));
    }

    // Print Movie List with the print dialog answered.
    void Print(const char* copies, bool collate) {
        data.WriteFile("stamp", "");  // the PDF of this job is the one newer than this
        HWND dialog = PostCommand(main, IDM_PRINT) ? WaitForDialogWithControl(program.Id(), kCopiesBox) : nullptr;
        EXPECT_TRUE(dialog != nullptr && SetControlText(dialog, kCopiesBox, copies) &&
                    SetCheck(dialog, kCollateBox, collate) && PressButton(dialog, IDOK));
    }

    // The text of what the printer made of the job, once its PDF is there and CUPS has no job left.
    std::string PrintedText(const std::string& png = "") {
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; })) << "the main window stays disabled";
        const std::string dir = data.Path().string(), shot = png.empty() ? png : (ScreenshotFolder() / png).string();
        data.RemoveFile("printed.txt");
        // Wine starts a Unix program without waiting for it: the script's output file appears once it is done.
        _spawnl(_P_NOWAIT, "Z:\\bin\\sh", "sh", CL_E2E_DATA_DIR "/../../print/printed_text.sh",
                std::getenv("CL_PRINT_PDF_DIR"), dir.c_str(), shot.c_str(), nullptr);
        WaitUntil([&] { return data.Exists("printed.txt"); }, std::chrono::seconds(90));
        return File("printed.txt");
    }
};

TEST_F(PrintingTest, CopiesComeOutCollatedOrPageByPage) {
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    const std::string heading = "CineLedger: Main Movie List\n" + std::to_string(now.wDay) + "/" +
                                std::to_string(now.wMonth) + "/" + std::to_string(now.wYear) + "\n";
    std::string movies;
    for (int i = 1; i <= 70; ++i)
        movies += std::to_string(i) + (i < 10 ? ". Film 0" : ". Film ") + std::to_string(i) + "\n";

    for (const auto& [collate, order] : {std::pair{true, std::vector{0, 1, 2, 0, 1, 2}}, {false, {0, 0, 1, 1, 2, 2}}}) {
        SCOPED_TRACE(collate ? "collated" : "uncollated");
        Print("2", collate);
        const std::string text = PrintedText(collate ? "printed-page.png" : "");
        std::vector<std::string> pages;  // pdftotext ends each page with a form feed
        std::istringstream stream(text);
        for (std::string page; std::getline(stream, page, '\f') && page != "\n";) pages.push_back(page);
        ASSERT_EQ(pages.size(), order.size()) << text;
        std::string printed;
        for (std::size_t sheet = 0; sheet < pages.size(); ++sheet) {
            EXPECT_TRUE(pages[sheet].starts_with(heading)) << pages[sheet];
            // Every copy of a page repeats the first copy's; the first copies together hold the document.
            const std::size_t first = static_cast<std::size_t>(order[sheet]) * (collate ? 1 : 2);
            EXPECT_EQ(pages[sheet], pages[first]) << "sheet " << sheet;
            if (sheet == first) printed += pages[sheet].substr(std::min(heading.size(), pages[sheet].size()));
        }
        EXPECT_EQ(printed, movies) << "one copy numbers every movie once, across its pages";
    }
}

TEST_F(PrintingTest, CancelStopsTheJobAndGivesTheMainWindowBack) {
    Print("999", true);  // 2997 pages, about 30 ms each under Wine: Cancel comes long before the end
    HWND cancel = WaitForDialog(program.Id(), "CineLedger - Printing...", 20s);
    ASSERT_NE(cancel, nullptr) << "no cancel window";
    EXPECT_EQ(Screenshot(cancel, "printing"), "");
    EXPECT_FALSE(IsWindowEnabled(main)) << "the job ended before Cancel";
    ASSERT_TRUE(PressButton(cancel, IDCANCEL));
    EXPECT_TRUE(WaitForWindowGone(cancel, 20s) && IsWindowEnabled(main));
    // Print Movie List is ignored while a job runs: its print dialog shows that the job has ended.
    HWND dialog = PostCommand(main, IDM_PRINT) ? WaitForDialogWithControl(program.Id(), kCopiesBox, 20s) : nullptr;
    EXPECT_TRUE(dialog != nullptr && PressButton(dialog, IDCANCEL)) << "the job goes on";
}

}  // namespace
}  // namespace cl::e2e
