// The list exchange by file, from outside: the Externals dialog (113) exports one collection's lists, another
// collection imports them, the Movie List Exchange dialog (208) and its popup move the offered movies, Movie Import
// Info (234) shows one, and an imported Gimme list is viewed, saved, refused a second time and closed.
#include <gtest/gtest.h>

#include "res/ExchangeDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

class ExchangeTest : public ProgramTest {
  protected:
    // Ends the running copy and starts one on the other collection, in the same data directory.
    void StartReceiver() {
        program.Kill();
        for (const char* store : kStores) data.RemoveFile(store);
        UseSample("receiver");
        ASSERT_NE(StartMain(), nullptr);
    }
    // Externals -> Import Movie -> the file chosen; returns the Externals dialog.
    HWND Import(const std::filesystem::path& file) const {
        HWND externals = OpenDialog(IDC_EXTERNALS_BUTTON, "Externals...");
        return PressButton(externals, IDC_EXTERNALS_IMPORT) && AnswerFileDialog(program.Id(), file) ? externals
                                                                                                    : nullptr;
    }
    HWND ExchangeList() const { return Control(WaitForDialog(program.Id(), "Movie List Exchange..."), 1144); }
    // A popup command on the line, which is selected alone first.
    bool Run(HWND box, int line, int command) const {
        return ClickLine(box, line) && RunListCommand(box, line, program.Id(), command);
    }

    TempDataDir files{"exchange-files"};  // the exchange files, apart from either collection
};

// An exchange file: every movie's medium "DVD" and its other details "N/A", unless given.
std::string Offer(std::string_view source, std::initializer_list<std::string_view> blocks) {
    std::string text = "CineLedger v3.15\r\n" + std::string(source) + "*\r\n";
    for (std::string_view block : blocks) text += std::string(block) + "\r\n";
    return text + "end";
}
std::string Block(std::string_view title) {
    std::string block = std::string(title) + "\r\nDVD";
    for (int i = 0; i < 12; ++i) block += "\r\nN/A";
    return block;
}

TEST_F(ExchangeTest, AnExportedMainListOffersTheOtherCollectionOnlyItsNewMovies) {
    UseSample("collection");
    ASSERT_NE(StartMain(), nullptr);
    HWND externals = OpenDialog(IDC_EXTERNALS_BUTTON, "Externals...");
    ASSERT_NE(externals, nullptr);
    EXPECT_TRUE(IsChecked(externals, IDC_EXTERNALS_MAIN_LIST));
    ASSERT_TRUE(PressButton(externals, IDC_EXTERNALS_EXPORT));
    ASSERT_TRUE(Answer("You Must Supply a Source.", "Field Error", IDOK, externals));
    ASSERT_TRUE(Type(externals, {{IDC_EXTERNALS_SOURCE, "jim"}}));
    EXPECT_EQ(Screenshot(externals, "Externals"), "");
    ASSERT_TRUE(PressButton(externals, IDC_EXTERNALS_EXPORT));
    ASSERT_TRUE(AnswerFileDialog(program.Id(), files / "fromJim"));
    ASSERT_TRUE(WaitForWindowGone(externals));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == list; }));
    const std::string exported = ReadBytes(files / "fromJim.txt").value_or("");
    EXPECT_TRUE(exported.starts_with("CineLedger v3.15\r\nJim*\r\nAlien\r\nDVD\r\nN/A\r\n")) << exported;

    // The receiver owns Alien and has quarantined Ronin.
    StartReceiver();
    ASSERT_TRUE(ShowView(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    externals = Import(files / "fromJim.txt");
    HWND box = ExchangeList();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(externals));
    EXPECT_EQ(ListBoxItems(box), (Lines{"Emmanuelle", "Heat"}));
    EXPECT_EQ(ListBoxSelection(box), std::vector<int>{0});
    ASSERT_TRUE(SendKey(box, VK_DOWN));
    EXPECT_EQ(ListBoxSelection(box), std::vector<int>{1}) << "the arrow moves a single selection";
    EXPECT_EQ(Screenshot(GetParent(box), "MovieListExchange"), "");
    HWND popup = OpenContextMenu(box, 0, program.Id());
    EXPECT_EQ(Screenshot(popup, "MovieListExchange-Popup"), "");
    ASSERT_TRUE(CloseMenu(popup));

    // Added to the Upcoming list shown behind; the rest quarantined.
    ASSERT_TRUE(Run(box, 1, IDM_EXCHANGE_ADD_TO_UPCOMING));
    EXPECT_TRUE(WaitUntil([&] { return Listed() == Lines{"Heat", "Memento"}; }));
    ASSERT_TRUE(Run(box, 0, IDM_EXCHANGE_QUARANTINE_ALL));
    ASSERT_TRUE(Answer("Add All Movies To Quarantine?", "Confirmation", IDYES));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(box).empty(); }));
    PostCommand(GetParent(box), IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(externals));
    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("CineLedger.dat", "end|nolockx\r\nHeat|*|Jim\r\nMemento|@|Jim\r\n"));
    EXPECT_EQ(File("Quarantine.dat"), "Emmanuelle\r\nRonin\r\nend");
}

TEST_F(ExchangeTest, ThePopupSavesShowsRemovesAndMovesOfferedMovies) {
    const std::string brazil =
        "Brazil\r\nVHS\r\nMPEG-2\r\n1\r\n720\r\n576\r\n142 min.\r\n6000 kbit/s\r\n25.000 fps\r\n"
        "mpg2\r\n448 kbit/s\r\n5.1\r\nAC3\r\n48000 Hz";
    files.WriteFile("offer.txt",
                    Offer("Friend", {Block("Zulu"), brazil, Block("Memento"), Block("alien"), Block("Casablanca")}));
    StartReceiver();
    HWND externals = Import(files / "offer.txt");
    HWND box = ExchangeList();
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(ListBoxItems(box), (Lines{"Brazil", "Casablanca", "Memento", "Zulu"}));

    ASSERT_TRUE(Run(box, 0, IDM_EXCHANGE_SAVE));
    ASSERT_TRUE(AnswerFileDialog(program.Id(), files / "saved.txt"));
    const std::string saved = Offer("Friend", {Block("Zulu"), brazil, Block("Memento"), Block("Casablanca")});
    EXPECT_TRUE(WaitUntil([&] { return files.ReadFile("saved.txt") == saved; })) << "the file order, Alien left out";

    PostMessageA(box, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    HWND info = WaitForDialog(program.Id(), "Movie Import Info...");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(GetWindow(info, GW_OWNER), GetParent(box));
    for (auto [id, value] : {std::pair{IDC_IMPORT_NAME, "Brazil"},
                             {IDC_IMPORT_MEDIUM, "VHS"},
                             {IDC_IMPORT_VIDEO_BIT_RATE, "6000 kbit/s"},
                             {IDC_IMPORT_FRAME_RATE, "25.000 fps"},
                             {IDC_IMPORT_CHANNELS, "5.1"},
                             {IDC_IMPORT_AUDIO_CODEC, "AC3"}})
        EXPECT_EQ(ControlText(info, id), value);
    EXPECT_EQ(Screenshot(info, "MovieImportInfo"), "");
    ASSERT_TRUE(PressButton(info, IDOK));
    ASSERT_TRUE(WaitForWindowGone(info));

    ASSERT_TRUE(Run(box, 3, IDM_EXCHANGE_REMOVE));  // Zulu
    ASSERT_TRUE(Run(box, 2, IDM_EXCHANGE_ADD_TO_UPCOMING));
    ASSERT_TRUE(Answer("Movie \"Memento\" Already Exists; Replace?", "Confirmation", IDYES));
    ASSERT_TRUE(Run(box, 1, IDM_EXCHANGE_QUARANTINE));  // Casablanca
    ASSERT_TRUE(Run(box, 0, IDM_EXCHANGE_ADD_ALL));
    ASSERT_TRUE(Answer("Add All Movies To the Upcoming Movie List?", "Confirmation", IDYES));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(box).empty(); }));
    PostCommand(GetParent(box), IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(externals));
    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("CineLedger.dat", "end|nolockx\r\nBrazil|*|Friend\r\nMemento|*|Friend\r\nend|"));
    EXPECT_EQ(File("Quarantine.dat"), "Casablanca\r\nRonin\r\nend");
}

TEST_F(ExchangeTest, AnImportThatOffersNothingSaysWhyAndEndsTheExternalsDialog) {
    const struct {
        std::string contents;
        const char* text;
        const char* caption;
    } cases[] = {
        {"CineLedger v3.14\r\nFriend*\r\nend", "Program Version Is Not Compatible With Imported Movie List.", "Error"},
        {"CineLedger v3.15\r\nFriend\r\nend", "Can Not Identify Source; File Is Corrupt.", "Error"},
        {Offer("Friend", {Block("Vertigo"), Block("Ronin")}), "There Are No New Movies To Add To Your Upcoming List.",
         "Tracking Results"},
    };
    StartReceiver();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        files.WriteFile("offer.txt", c.contents);
        HWND externals = Import(files / "offer.txt");
        ASSERT_NE(externals, nullptr);
        ASSERT_TRUE(Answer(c.text, c.caption, IDOK));
        ASSERT_TRUE(WaitForWindowGone(externals));
    }
}

TEST_F(ExchangeTest, AGimmeListIsImportedSavedRefusedASecondTimeAndClosed) {
    UseSample("collection");
    ASSERT_NE(StartMain(), nullptr);
    HWND externals = OpenDialog(IDC_EXTERNALS_BUTTON, "Externals...");
    ASSERT_TRUE(ClickRadio(externals, IDC_EXTERNALS_GIMME_LIST));
    ASSERT_TRUE(Type(externals, {{IDC_EXTERNALS_SOURCE, "mike"}}));
    ASSERT_TRUE(PressButton(externals, IDC_EXTERNALS_EXPORT));
    ASSERT_TRUE(AnswerFileDialog(program.Id(), files / "gimme.txt"));
    const std::string sent = "Mike*\r\nCasablanca\r\nVertigo\r\nend";
    EXPECT_TRUE(WaitUntil([&] { return files.ReadFile("gimme.txt") == sent; }));

    StartReceiver();
    ASSERT_TRUE(ShowView(IDC_VIEW_BUTTON, "Main Movie List"));  // as the menu button would, away from the logo
    ASSERT_TRUE(PostCommand(main, IDM_IMPORT_GIMME));
    ASSERT_TRUE(AnswerFileDialog(program.Id(), files / "gimme.txt"));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption() == "Gimme Import-> Mike"; }));
    EXPECT_EQ(Listed(), (Lines{"Casablanca", "Vertigo"}));
    EXPECT_EQ(Screenshot(main, "ImportedGimme"), "");
    ASSERT_TRUE(PostCommand(main, IDM_SAVE_IMPORTED_GIMME));
    HWND chooser = WaitForDialogWithControl(program.Id(), 1148);  // the file name box
    EXPECT_TRUE(WaitUntil([&] { return ControlText(chooser, 1148).ends_with("gimme.txt"); })) << "the last file";
    ASSERT_TRUE(AnswerFileDialog(program.Id(), files / "kept.txt"));
    EXPECT_TRUE(WaitUntil([&] { return files.ReadFile("kept.txt") == sent; }));
    ASSERT_TRUE(PostCommand(main, IDM_IMPORT_GIMME));
    ASSERT_TRUE(Answer("Only One Gimme List At a Time! To Open a New Gimme List Close Existing One First.", "Error"));
    EXPECT_TRUE(ShowView(IDM_CLOSE_IMPORTED_GIMME, "Main Movie List"));
}

}  // namespace
}  // namespace cl::e2e
