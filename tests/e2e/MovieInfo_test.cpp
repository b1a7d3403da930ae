// The Movie Info dialog and its retrievals, driven as a user would against the fixture site (tests/imdb/site.py,
// whose search names say what each look-up comes to) and, for the file details, videos made with ffmpeg.
#include <gtest/gtest.h>

#include "res/MovieInfoDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

constexpr int kMovieInfoCommand = 40016;

// Runs a Linux command line beside this process; its exit code once it ended (-1 when it did not start), or 0 at
// once when `wait` is false.
int RunLinux(const std::string& line, bool wait = true) {
    std::string command = "/bin/sh -c \"exec " + line + " >/dev/null 2>&1 </dev/null\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return -1;
    OwnedHandle process(started.hProcess), thread(started.hThread);
    if (!wait) return 0;
    WaitForSingleObject(process.get(), 120000);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

// One fixture site for the whole suite: the program finds it through the four host variables it inherits.
class MovieInfoTest : public ProgramTest {
  protected:
    static void SetUpTestSuite() {
        site_ = std::make_unique<TempDataDir>("site");
        RunLinux("python3 " CL_E2E_COVERS_DIR "/../site.py --idle 120 --max 900 --port-file " CL_E2E_WORK_DIR "/" +
                     site_->Path().filename().string() + "/port",
                 false);
        if (!WaitUntil([] { return site_->ReadFile("port").value_or("").ends_with("\n"); })) return;
        const std::string port = std::to_string(std::stoi(*site_->ReadFile("port")));
        for (const char* host : {"TITLE_SEARCH", "SITE", "IMAGE"})
            SetEnvironmentVariableA(("CINELEDGER_" + std::string(host) + "_HOST").c_str(),
                                    ("http://127.0.0.1:" + port).c_str());
        SetEnvironmentVariableA("CINELEDGER_POSTER_HOST", ("http://localhost:" + port).c_str());
    }
    static void TearDownTestSuite() { site_.reset(); }

    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(site_->Exists("port")) << "the fixture site did not start";
        UseSample("lookup");
        ASSERT_TRUE(StartOn(IDM_MAIN_LIST, "Main Movie List"));
        for (const char* movie : {"3", "6"}) data.WriteFile(std::string("Covers\\") + movie + ".jpg", OldCover());
    }

    static std::string Cover(const char* name) { return ReadBytes(WinePath(CL_E2E_COVERS_DIR) / name).value(); }
    static std::string OldCover() { return Cover("alien.jpg"); }

    // Opens the dialog on a line of the list shown (Enter on the selected line).
    HWND Open(std::string_view title) {
        const Lines lines = Listed();
        const auto at = std::find(lines.begin(), lines.end(), title);
        if (at == lines.end() || !ClickLine(list, static_cast<int>(at - lines.begin()))) return nullptr;
        PostKey(list, VK_RETURN);
        info = WaitForDialog(program.Id(), "Movie Info...");
        return info;
    }
    // The page of the dialog holding the control.
    HWND Page(int control) const {
        for (HWND child = GetWindow(info, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if (ClassName(child) == "#32770" && GetDlgItem(child, control) != nullptr) return child;
        return nullptr;
    }
    // Moves along the tabs with the arrow keys, as the tab control's own keyboard handling does.
    void ToTab(int from, int to) const {
        HWND tabs = Control(info, IDC_INFO_TABS);
        for (; from != to; from += from < to ? 1 : -1) PostKey(tabs, from < to ? VK_RIGHT : VK_LEFT);
        Sync(info);
    }
    // Update with the source IMDb on the database page; true once the Title shows `expected`.
    bool LookUp(std::string_view expected) const {
        HWND page = Page(IDC_IMDB_TITLE);
        return PressButton(page, IDC_IMDB_UPDATE) &&
               WaitUntil([&] { return ControlText(page, IDC_IMDB_TITLE) == expected && Idle(); });
    }
    bool Idle() const { return IsControlEnabled(Page(IDC_IMDB_UPDATE), IDC_IMDB_UPDATE); }
    bool Close() const { return PostMessageA(info, WM_COMMAND, IDCANCEL, 0) && WaitForWindowGone(info); }
    testing::AssertionResult NoLeftovers() const {
        for (const char* file : {"FirstPage.txt", "Summary.txt", "Covers\\Temp.jpg"})
            if (data.Exists(file)) return testing::AssertionFailure() << file << " is left";
        return testing::AssertionSuccess();
    }

    static inline std::unique_ptr<TempDataDir> site_;
    HWND info = nullptr;
};

TEST_F(MovieInfoTest, DirectHitsStoreTheRecordAndCoverAndEveryTabShowsItsMovie) {
    ASSERT_TRUE(Open("Heat")) << testing::PrintToString(Listed());
    ASSERT_EQ(ControlText(Page(IDC_ENTRY_MOVIE), IDC_ENTRY_NUMBER), "6");
    EXPECT_EQ(Screenshot(info, "MovieInfo-Entry"), "");
    ToTab(0, 1);
    ASSERT_TRUE(LookUp("Heat"));
    HWND imdb = Page(IDC_IMDB_TITLE);
    EXPECT_EQ(ControlText(imdb, IDC_IMDB_YEAR), "1995");
    EXPECT_TRUE(ControlText(imdb, IDC_IMDB_PLOT).starts_with("Hunters and their")) << "the summary page's plot";
    EXPECT_EQ(Screenshot(info, "MovieInfo-IMDb"), "");
    EXPECT_TRUE(NoLeftovers());
    EXPECT_EQ(ReadBytes(data / "Covers\\6.jpg"), Cover("heat.jpg"));
    ToTab(1, 3);
    EXPECT_EQ(Screenshot(info, "MovieInfo-DivxVCD"), "");
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Open("Fargo"));  // no "(more)": the outline; the page names no cover
    ToTab(0, 1);
    ASSERT_TRUE(LookUp("Fargo"));
    EXPECT_FALSE(ControlText(Page(IDC_IMDB_TITLE), IDC_IMDB_PLOT).empty());
    ASSERT_TRUE(Close());
    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("IMDb.dat", "CineLedger: Heat\r\n6\r\nHeat\r\n1995\r\nMichael Mann\r\n"));
    EXPECT_TRUE(FileHas("IMDb.dat", "CineLedger: Fargo\r\n5\r\nFargo\r\n1996\r\n"));
    EXPECT_FALSE(data.Exists("Covers\\5.jpg"));
    EXPECT_TRUE(NoLeftovers());
}

}  // namespace
}  // namespace cl::e2e
