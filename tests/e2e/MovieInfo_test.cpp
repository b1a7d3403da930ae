// The Movie Info dialog and its retrievals, driven as a user would against the fixture site (tests/imdb/site.py,
// whose search names say what each look-up comes to) and, for the file details, videos made with ffmpeg.
#include <winsock2.h>
// Winsock's header first: the others would bring its older one.
#include <gtest/gtest.h>

#include "res/EditDialogIds.h"
#include "res/ListDialogIds.h"
#include "res/MovieInfoDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

// Starts a Linux command line beside this process. Wine neither waits for a Linux process nor gives its exit code:
// callers wait for what it makes.
void RunLinux(const std::string& line) {
    std::string command = "/bin/sh -c \"(" + line + ") >/dev/null 2>&1 </dev/null\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return;
    OwnedHandle process(started.hProcess), thread(started.hThread);
}

// A connection that sends nothing: the fixture site serves one request at a time, so it answers no other until
// this ends, and a retrieval started meanwhile is sure to be running.
class HeldSite {
  public:
    explicit HeldSite(int port) {
        WSADATA wsa;
        if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return;
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in site = {};
        site.sin_family = AF_INET;
        site.sin_port = htons(static_cast<u_short>(port));
        site.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        held_ = connect(socket_, reinterpret_cast<sockaddr*>(&site), sizeof site) == 0;
    }
    ~HeldSite() {
        closesocket(socket_);
        WSACleanup();
    }
    bool Held() const { return held_; }

  private:
    SOCKET socket_ = INVALID_SOCKET;
    bool held_ = false;
};

// One fixture site for the whole suite: the program finds it through the four host variables it inherits.
class MovieInfoTest : public ProgramTest {
  protected:
    static void SetUpTestSuite() {
        site_ = std::make_unique<TempDataDir>("site");
        RunLinux("python3 " CL_E2E_COVERS_DIR "/../site.py --idle 20 --max 300 --port-file " CL_E2E_WORK_DIR "/" +
                 site_->Path().filename().string() + "/port");
        if (!WaitUntil([] { return site_->ReadFile("port").value_or("").ends_with("\n"); })) return;
        SetHosts();
    }
    static int Port() { return std::stoi(site_->ReadFile("port").value_or("0")); }
    static void SetHosts() {
        const std::string port = std::to_string(Port());
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
        for (const char* movie : {"2", "3", "4", "6", "8", "9"})
            data.WriteFile(std::string("Covers\\") + movie + ".jpg", OldCover());
    }

    static std::string Cover(const char* name) { return ReadBytes(WinePath(CL_E2E_COVERS_DIR) / name).value(); }
    static std::string OldCover() { return Cover("alien.jpg"); }

    // Opens the dialog on a line of the list shown, by each road the list offers.
    enum class Road { Enter, DoubleClick, Menu };
    HWND Open(std::string_view title, Road road = Road::Enter) {
        const Lines lines = Listed();
        const auto at = std::find(lines.begin(), lines.end(), title);
        const int line = static_cast<int>(at - lines.begin());
        if (at == lines.end() || !ClickLine(list, line)) return nullptr;
        const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        if (road == Road::Enter) PostKey(list, VK_RETURN);
        if (road == Road::DoubleClick)
            PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, line * height + height / 2));
        if (road == Road::Menu) RunListCommand(list, line, program.Id(), IDM_LIST_MOVIE_INFO);
        info = WaitForDialog(program.Id(), "Movie Info...");
        return info;
    }
    // The page of the dialog holding the control.
    HWND Page(int control) const {
        HWND page = nullptr;
        WaitUntil([&] {
            for (page = GetWindow(info, GW_CHILD); page != nullptr; page = GetWindow(page, GW_HWNDNEXT))
                if (ClassName(page) == "#32770" && GetDlgItem(page, control) != nullptr) return true;
            return false;
        });
        return page;
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

TEST_F(MovieInfoTest, DirectHitStoresTheRecordAndTheCover) {
    ASSERT_TRUE(Open("Heat"));
    ASSERT_EQ(ControlText(Page(IDC_ENTRY_MOVIE), IDC_ENTRY_NUMBER), "6");
    ToTab(0, 1);
    ASSERT_TRUE(LookUp("Heat"));
    HWND imdb = Page(IDC_IMDB_TITLE);
    EXPECT_EQ(ControlText(imdb, IDC_IMDB_YEAR), "1995");
    EXPECT_TRUE(ControlText(imdb, IDC_IMDB_PLOT).starts_with("Hunters and their")) << "the summary page's plot";
    EXPECT_EQ(Screenshot(info, "MovieInfo-IMDb"), "");
    EXPECT_TRUE(NoLeftovers());
    EXPECT_EQ(ReadBytes(data / "Covers\\6.jpg"), Cover("heat.jpg"));
    ASSERT_TRUE(Close());
    // Escape in the wait window: the dialog waits for the worker, then closes with every file in its place.
    ASSERT_TRUE(Open("Heat"));
    ToTab(0, 1);
    {
        const HeldSite held(Port());
        ASSERT_TRUE(held.Held());
        ASSERT_TRUE(PressButton(Page(IDC_IMDB_TITLE), IDC_IMDB_UPDATE));
        HWND wait = WaitForDialog(program.Id(), "");
        ASSERT_NE(wait, nullptr);
        PostKey(wait, VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(info); })) << "the close is put off";
    }
    ASSERT_TRUE(WaitForWindowGone(info));
    EXPECT_TRUE(NoLeftovers());
    EXPECT_EQ(ReadBytes(data / "Covers\\6.jpg"), Cover("heat.jpg"));
    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(
        FileHas("IMDb.dat", "CineLedger: Heat\r\n6\r\nHeat\r\n1995\r\nMichael Mann\r\nA Los Angeles crime saga."));
}

// Every failure brings the cover set aside back and leaves no page behind.
TEST_F(MovieInfoTest, ResultListChoiceAndEveryFailureKeepTheOldCover) {
    ASSERT_TRUE(Open("Alien"));
    ToTab(0, 1);
    ASSERT_TRUE(PressButton(Page(IDC_IMDB_TITLE), IDC_IMDB_UPDATE));
    HWND search = WaitForDialog(program.Id(), "Title Search...");
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(Screenshot(search, "TitleSearch"), "");
    ASSERT_TRUE(PressButton(search, IDC_TITLE_SEARCH_OK));
    EXPECT_TRUE(Answer("Please Select A Movie Or Press Cancel.", "Error", IDOK, search));
    ASSERT_TRUE(ClickLine(Control(search, IDC_TITLE_SEARCH_LIST), 0));  // "Alien (1979)": no director there
    ASSERT_TRUE(PressButton(search, IDC_TITLE_SEARCH_OK));
    EXPECT_TRUE(Answer("This Title Does Not Have Valid Information...", "Error", IDOK, search));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(search) != FALSE; })) << "the list stays for another choice";
    ASSERT_TRUE(PressButton(search, IDC_TITLE_SEARCH_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(search));
    ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
    EXPECT_EQ(ReadBytes(data / "Covers\\2.jpg"), OldCover());
    ASSERT_TRUE(Close());
    EXPECT_TRUE(NoLeftovers());

    const std::pair<const char*, const char*> failures[] = {
        {"Nothing Here", "Sorry, No Titles Matched Your Search."},
        {"Baraka", "This Title Does Not Have Valid Information..."},        // no director
        {"Microcosmos", "This Title Does Not Have Valid Information..."}};  // no cast
    for (const auto& [movie, message] : failures) {
        SCOPED_TRACE(movie);
        ASSERT_TRUE(Open(movie));
        ToTab(0, 1);
        ASSERT_TRUE(PressButton(Page(IDC_IMDB_TITLE), IDC_IMDB_UPDATE));
        EXPECT_TRUE(Answer(message, "Error"));
        ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
        ASSERT_TRUE(Close());
        EXPECT_TRUE(NoLeftovers());
    }
    for (const char* movie : {"2", "3", "8", "9"})
        EXPECT_EQ(ReadBytes(data / (std::string("Covers\\") + movie + ".jpg")), OldCover()) << movie;

    // A search host nobody listens on (the program reads the hosts when it starts): the fetch's own message, then
    // the page cannot be read.
    SetEnvironmentVariableA("CINELEDGER_TITLE_SEARCH_HOST", "http://127.0.0.1:1");
    const bool started = StartOn(IDM_MAIN_LIST, "Main Movie List");
    SetHosts();
    ASSERT_TRUE(started && Open("Broken"));
    ToTab(0, 1);
    ASSERT_TRUE(PressButton(Page(IDC_IMDB_TITLE), IDC_IMDB_UPDATE));
    const auto box = WaitForMessageBox(program.Id());
    ASSERT_TRUE(box && box->text.starts_with("Unable To Process Internet Request; Connect Error: ")) << box->text;
    AnswerMessageBox(*box, IDOK);
    EXPECT_TRUE(Answer("Unable To Retrieve Information.", "Error"));
    ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
    ASSERT_TRUE(Close());
    EXPECT_TRUE(NoLeftovers());
    EXPECT_EQ(ReadBytes(data / "Covers\\4.jpg"), OldCover());
}

TEST_F(MovieInfoTest, TitleCorrectionRenamesEverywhereUnlessTheTitleIsTaken) {
    ASSERT_TRUE(Open("1492"));
    ToTab(0, 1);
    ASSERT_TRUE(PressButton(Page(IDC_IMDB_TITLE), IDC_IMDB_UPDATE));
    EXPECT_TRUE(Answer("Remove \"1492: Conquest of Paradise\" From Upcoming List?", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{0}) << "the new title's line is selected";
    EXPECT_EQ(ListBoxItems(list).front(), "1492: Conquest of Paradise");
    ASSERT_TRUE(Close());

    ASSERT_TRUE(Open("Mann", Road::Menu));  // its chosen title, Heat, is another movie already
    ToTab(0, 1);
    ASSERT_TRUE(PressButton(Page(IDC_IMDB_TITLE), IDC_IMDB_UPDATE));
    HWND search = WaitForDialog(program.Id(), "Title Search...");
    HWND choices = Control(search, IDC_TITLE_SEARCH_LIST);
    const Lines offered = ListBoxItems(choices);
    const auto heat = std::find(offered.begin(), offered.end(), "Heat (1995)");
    ASSERT_NE(heat, offered.end());
    ASSERT_TRUE(ClickLine(choices, static_cast<int>(heat - offered.begin())));
    ASSERT_TRUE(PressButton(search, IDC_TITLE_SEARCH_OK));
    EXPECT_TRUE(Answer("Movie Already Exists; Unabled To Correct Title.", "Error"));
    ASSERT_TRUE(WaitForWindowGone(search));
    ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
    ASSERT_TRUE(Close());
    EXPECT_TRUE(NoLeftovers());
    ASSERT_TRUE(SaveAll());
    EXPECT_EQ(
        File("CineLedger.dat"),
        "CineLedger v3.15\r\n1492: Conquest of Paradise|Shelf|Adventure|Present|DVD|1\r\n"
        "Alien|Shelf|Horror|Present|DVD|2\r\nBaraka|Shelf|Documentary|Present|DVD|3\r\n"
        "Broken|Shelf|Drama|Present|DVD|4\r\nHeat|Shelf|Crime|Present|DivX|6\r\nMann|Shelf|Crime|Present|DVD|7\r\n"
        "Microcosmos|Shelf|Documentary|Present|DVD|8\r\nNothing Here|Shelf|Drama|Present|DVD|9\r\n"
        "end|nolockx\r\nend|\r\n5\r\nend");
    EXPECT_EQ(File("Comments.dat"), "1492: Conquest of Paradise\r\nSeen twice.\r\n");
    EXPECT_TRUE(FileHas("History.dat", "1492: Conquest of Paradise\r\n2003/1/5\r\n2\r\n2003/2/1: loaned to Mike.\r\n"));
    EXPECT_TRUE(FileHas("IMDb.dat", "CineLedger: 1492: Conquest of Paradise\r\n1\r\n1492: Conquest of Paradise\r\n"));
    EXPECT_TRUE(FileHas("IMDb.dat", "CineLedger: Mann\r\n7\r\nHeat\r\n1995\r\n"));
}

TEST_F(MovieInfoTest, AutoImdbLooksANewMovieUpWithTheOutlineAsPlot) {
    HWND add = OpenDialog(IDC_ADD_BUTTON, "Movie Addition/Editing...");
    ASSERT_TRUE(Type(add, {{IDC_ADDEDIT_TITLE, "Fargo"},
                           {IDC_ADDEDIT_CATEGORY, "Crime"},
                           {IDC_ADDEDIT_LOCATION, "Shelf"},
                           {IDC_ADDEDIT_MEDIUM, "DVD"}}));
    ASSERT_TRUE(PressButton(add, IDC_ADDEDIT_SAVE));
    info = WaitForDialog(program.Id(), "Movie Info...");
    ASSERT_NE(info, nullptr);
    HWND imdb = Page(IDC_IMDB_TITLE);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(imdb, IDC_IMDB_TITLE) == "Fargo" && Idle(); }));
    EXPECT_TRUE(IsWindowVisible(imdb));
    EXPECT_EQ(ControlText(imdb, IDC_IMDB_PLOT), "A car salesman in debt hires two criminals to kidnap his wife.")
        << "no \"(more)\" link: the outline";
    ASSERT_TRUE(Close());
    EXPECT_FALSE(data.Exists("Covers\\5.jpg")) << "the page names no cover";
    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("IMDb.dat", "CineLedger: Fargo\r\n5\r\nFargo\r\n1996\r\n"));
    EXPECT_TRUE(NoLeftovers());
}

TEST_F(MovieInfoTest, InternalEditDateCheckAndTheUpcomingRestriction) {
    ASSERT_TRUE(Open("1492"));
    EXPECT_EQ(Screenshot(info, "MovieInfo-CineLedger"), "");
    ToTab(0, 2);
    HWND history = Page(IDC_HISTORY_DATE);
    EXPECT_EQ(ListBoxItems(Control(history, IDC_HISTORY_LOANS)), Lines{"2003/2/1: loaned to Mike."});
    EXPECT_EQ(Screenshot(info, "MovieInfo-History"), "");
    ASSERT_TRUE(Type(history, {{IDC_HISTORY_DATE, "03/01/05"}, {IDC_HISTORY_VIEWS, "7"}}));
    PostMessageA(info, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Answer("Date format must be entered as: YYYY/MM/DD.", "Error", IDOK, info));
    ASSERT_TRUE(SetControlText(history, IDC_HISTORY_DATE, "2003/01/05"));
    ToTab(2, 1);
    HWND imdb = Page(IDC_IMDB_TITLE);
    ASSERT_TRUE(ClickRadio(imdb, IDC_IMDB_SOURCE_INTERNAL));
    ASSERT_TRUE(Type(imdb, {{IDC_IMDB_TITLE, "Fourteen Ninety-Two"}, {IDC_IMDB_DIRECTOR, "Ridley Scott"}}));
    EXPECT_EQ(Screenshot(info, "MovieInfo-IMDb-Internal"), "");
    ASSERT_TRUE(PressButton(imdb, IDC_IMDB_UPDATE));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(imdb, IDC_IMDB_SOURCE_IMDB); })) << "back to the IMDb source";
    ASSERT_TRUE(Close());

    ASSERT_TRUE(ShowView(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    ASSERT_TRUE(Open("1492: Conquest of Paradise", Road::DoubleClick));
    ToTab(0, 1);
    EXPECT_TRUE(Answer("You Can Not Access This Function From This List.", "Error", IDOK, info));
    EXPECT_TRUE(IsWindowVisible(Page(IDC_ENTRY_MOVIE)));
    EXPECT_FALSE(IsWindowVisible(Page(IDC_IMDB_TITLE)));
    ASSERT_TRUE(Close());
    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("History.dat", "1492\r\n2003/01/05\r\n7\r\n2003/2/1: loaned to Mike.\r\nend"));
    EXPECT_TRUE(FileHas("IMDb.dat", "CineLedger: 1492\r\n1\r\nFourteen Ninety-Two\r\n\r\nRidley Scott\r\n\r\n\r\n"));
}

TEST_F(MovieInfoTest, FileDetailsOfOneAndTwoCds) {
    const std::string folder = CL_E2E_WORK_DIR "/" + data.Path().filename().string();
    const std::string video =
        "ffmpeg -nostdin -y -f lavfi -i testsrc=size=160x120:rate=25:duration=2 -f lavfi -i "
        "sine=sample_rate=44100:duration=2 -vf setsar=0 -c:v mpeg4 -vtag XVID -c:a libmp3lame "
        "-b:a 96k -f avi " +
        folder;
    RunLinux(video + "/cd1 && " + video + "/cd2 && cd " + folder + " && mv cd1 cd1.avi && mv cd2 cd2.avi || touch " +
             folder + "/none");
    ASSERT_TRUE(WaitUntil([&] { return data.Exists("cd2.avi") || data.Exists("none"); }, std::chrono::seconds(60)));
    if (data.Exists("none")) GTEST_SKIP() << "no ffmpeg to make the videos with";
    ASSERT_TRUE(Open("Heat"));
    ToTab(0, 3);
    HWND media = Page(IDC_MEDIA_CDS);
    ASSERT_TRUE(SetControlText(media, IDC_MEDIA_CDS, "x"));
    ASSERT_TRUE(PressButton(media, IDC_MEDIA_UPDATE));
    EXPECT_TRUE(Answer("Please Enter a Valid Number of CD's.", "Error"));
    ASSERT_TRUE(SetControlText(media, IDC_MEDIA_CDS, "1"));
    ASSERT_TRUE(PressButton(media, IDC_MEDIA_UPDATE));
    ASSERT_TRUE(AnswerFileDialog(program.Id(), data / "cd1.avi"));
    const auto analysed = [&] { return ControlText(media, IDC_MEDIA_FORMAT) == "MPEG-4" && Idle(); };
    ASSERT_TRUE(WaitUntil(analysed));
    EXPECT_EQ(ControlText(media, IDC_MEDIA_FRAME_RATE), "25.000 fps");
    ASSERT_TRUE(SetControlText(media, IDC_MEDIA_CDS, "2"));
    ASSERT_TRUE(PressButton(media, IDC_MEDIA_UPDATE));
    ASSERT_TRUE(AnswerFileDialog(program.Id(), data / "cd1.avi"));
    EXPECT_TRUE(Answer("Please Enter CD #2", "Info Retrieval"));
    ASSERT_TRUE(AnswerFileDialog(program.Id(), data / "cd2.avi"));
    ASSERT_TRUE(WaitUntil(analysed));
    EXPECT_EQ(Screenshot(info, "MovieInfo-DivxVCD"), "");
    ASSERT_TRUE(Close());
    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("Media.dat", "Heat\r\nMPEG-4\r\n2\r\n160\r\n120\r\n0 min.\r\n25.000 fps\r\n"));
}

}  // namespace
}  // namespace cl::e2e
