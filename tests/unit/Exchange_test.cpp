// Movie list and Gimme exchange files, the import's comparison, the Movie List Exchange and Externals logic, and
// the Gimme commands of the main window.
#include <gtest/gtest.h>

#include <fstream>

#include "exchange/GimmeExchangeFile.h"
#include "exchange/MovieExchangeFile.h"
#include "model/GimmeFile.h"
#include "res/ExchangeDialogIds.h"
#include "res/ListDialogIds.h"
#include "res/ResourceIds.h"
#include "tests/unit/ShellFakes.h"
#include "ui/ListCommands.h"
#include "ui/ListExchange.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;
const std::string kHead = "CineLedger v3.15\r\nAnn*\r\n";

std::string Block(const std::string& title, const std::string& value = "N/A") {
    std::string b = title + "\r\nDVD\r\n";
    for (int i = 0; i < 12; ++i) b += value + "\r\n";
    return b;
}

Lines Titles(const ImportList& list) {
    Lines titles;
    for (const ExchangeRecord& r : list) titles.push_back(*r.fields.title);
    return titles;
}

class ExchangeTest : public ::testing::Test, public ShellFixture {
  protected:
    std::string Put(const std::string& bytes) {
        const std::string path = (dir / ("in" + std::to_string(++files))).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::size_t Import(const std::string& bytes) {
        return ImportMovieList(Put(bytes), c, W().state.importList, Prompts());
    }
    ImportList& Offered() { return W().state.importList; }
    int files = 0;
};

TEST_F(ExchangeTest, ExportWritesEveryMovieInBlockOrderWithNotAvailableWithoutMedia) {
    Add("Alien");
    Add("Emmanuelle", "Erotic");
    c.media.AddOrReplace("Alien", kAlienMedia);
    EXPECT_EQ(SerializeMainListExchange(c.main, c.media, "Ann*"),
              kHead +
                  "Alien\r\nDVD\r\nMPEG-4\r\n1\r\n640\r\n272\r\n117 min.\r\n900 kbit/s\r\n25.000 fps\r\nXviD\r\n"
                  "128 kbit/s\r\n2\r\nMP3\r\n48000 Hz\r\n" +
                  Block("Emmanuelle") + "end");
    EXPECT_EQ(SerializeMainListExchange(MovieList{}, c.media, "Ann*"), kHead + "end");
}

TEST_F(ExchangeTest, DamagedFilesStopCleanlyKeepingTheWholeBlocksBefore) {
    const std::string two = Block("Heat") + Block("Alien");
    const struct {
        const char* name;
        std::string bytes;
        ExchangeStop stop;
        std::size_t records;
        std::size_t damageLine;  // 0: none
    } cases[] = {
        {"whole", kHead + two + "end", ExchangeStop::End, 2, 0},
        {"LF line ends", "CineLedger v3.15\nAnn*\nHeat\n" + std::string(13, '\n') + "end", ExchangeStop::End, 1, 0},
        {"no end", kHead + two, ExchangeStop::Cut, 2, 31},
        {"cut in a block", kHead + two.substr(0, two.size() - 9), ExchangeStop::Cut, 1, 29},
        {"overlong title", kHead + Block(std::string(110, 'x')) + "end", ExchangeStop::Overlong, 0, 3},
        {"overlong value", kHead + Block("Heat") + Block("Alien", std::string(50, '9')), ExchangeStop::Overlong, 1, 19},
        {"bar in a title", kHead + Block("Heat") + Block("A|B") + "end", ExchangeStop::BadByte, 1, 17},
        {"NUL in a title", kHead + Block(std::string("A\0B", 3)) + "end", ExchangeStop::BadByte, 0, 3},
        {"bar in the source", "CineLedger v3.15\r\nA|n*\r\nend", ExchangeStop::NoSource, 0, 2},
        {"no star", "CineLedger v3.15\r\nAnn\r\n" + two, ExchangeStop::NoSource, 0, 2},
        {"overlong source", "CineLedger v3.15\r\n" + std::string(31, 'a') + "*\r\nend", ExchangeStop::NoSource, 0, 2},
        {"other version", "CineLedger v3.14\r\nAnn*\r\nend", ExchangeStop::WrongVersion, 0, 1},
        {"empty", "", ExchangeStop::WrongVersion, 0, 1},
        {"garbage", std::string("\x00\xff\x1a\r\n\x80", 6), ExchangeStop::WrongVersion, 0, 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TextReader reader(k.bytes);
        const MovieExchange read = ReadMovieExchange(reader);
        EXPECT_EQ(read.stop, k.stop);
        EXPECT_EQ(read.records.size(), k.records);
        EXPECT_EQ(read.damage ? read.damage->line : 0, k.damageLine);
    }
}

TEST_F(ExchangeTest, ImportOffersOnlyUnknownTitlesFormattedInPlaceAndInArrivalOrder) {
    c.settings.formatConversion = 1;
    Add("Matrix, The");
    c.quarantine.Add("Alien");
    const std::string longest = "The " + std::string(105, 'x');  // formatted it would not fit the stores
    EXPECT_EQ(Import(kHead + Block("the matrix") + Block("ALIEN") + Block("Heat") + Block("the thing") + Block("Heat") +
                     Block(longest) + "end"),
              4u);
    EXPECT_EQ(Titles(Offered()), (Lines{"Heat", "Thing, The", "Heat", longest}));
    EXPECT_EQ(Offered().begin()->source, "Ann");
    EXPECT_TRUE(Prompts().messages.empty());

    // Saved and read back: the same records.
    TextReader again(SerializeImportList(Offered()));
    const MovieExchange read = ReadMovieExchange(again);
    ASSERT_EQ(read.records.size(), 4u);
    EXPECT_EQ(read.source, "Ann");
    for (std::size_t i = 0; i < kBlockLines; ++i)
        EXPECT_EQ(BlockLine(read.records[1], i), BlockLine(*++Offered().begin(), i));
    std::string error;
    EXPECT_TRUE(SaveImportList(dir / "none.txt", ImportList{}, writer, error));
    EXPECT_TRUE(writer.files.empty()) << "an empty list writes nothing";
}

TEST_F(ExchangeTest, ImportShowsItsMessages) {
    Add("Heat");
    const struct {
        std::string bytes;
        Box message;
    } cases[] = {
        {"CineLedger v2\r\nAnn*\r\nend", {std::string(kIncompatibleVersionMessage), "", MessageIcon::Stop}},
        {"CineLedger v3.15\r\nAnn\r\nend", {std::string(kCorruptSourceMessage), "", MessageIcon::Stop}},
        {kHead + Block("heat") + "end",
         {std::string(kNoNewMoviesMessage), "Tracking Results", MessageIcon::Information}},
    };
    for (const auto& k : cases) {
        Prompts().messages.clear();
        EXPECT_EQ(Import(k.bytes), 0u);
        EXPECT_EQ(Prompts().messages, std::vector<Box>{k.message});
    }
    Prompts().messages.clear();
    Import(kHead + Block("heat"));
    EXPECT_TRUE(Prompts().messages.empty()) << "a file cut short has no summary";
}

TEST_F(ExchangeTest, AddToUpcomingAddsReplacesOrLeavesAlone) {
    const struct {
        const char* title;
        bool answer;
        UpcomingAddResult result;
        const char* location;  // of the upcoming "Heat" afterwards
    } cases[] = {
        {"Heat", false, UpcomingAddResult::NotAdded, "Shop"},
        {"Heat", true, UpcomingAddResult::Replaced, "Ann"},
        {"Alien", false, UpcomingAddResult::Added, "Shop"},
        {"Rope", false, UpcomingAddResult::NotAdded, "Shop"},  // not offered
    };
    for (const auto& k : cases) {
        c.upcoming.Clear();
        c.knownUpcomingLocations.Clear();
        AddUpcoming("HEAT");
        ImportList offered;
        offered.Append({.fields = {.title = "Heat"}, .source = "Ann"});
        offered.Append({.fields = {.title = "Alien"}, .source = "Ann"});
        Prompts().answers = {k.answer};
        EXPECT_EQ(AddToUpcoming(offered, k.title, c.upcoming, c.knownUpcomingLocations, Prompts()), k.result);
        EXPECT_EQ(c.upcoming.Find("Heat")->location, k.location);
        EXPECT_EQ(c.knownUpcomingLocations.Count(), k.result == UpcomingAddResult::NotAdded ? 0u : 1u);
    }
    EXPECT_EQ(Prompts().questions.front(), (Box{"Movie \"Heat\" Already Exists; Replace?", "Confirmation"}));
    EXPECT_EQ(c.upcoming.Find("Alien"), nullptr);
}

TEST_F(ExchangeTest, PopupEnablesItemsBySelectionCount) {
    const auto enabled = [](int selected) {
        std::set<int> ids;
        for (const MenuItemState& s : ExchangePopupStates(selected)) ids.insert(s.enabled ? s.id : -s.id);
        return ids;
    };
    EXPECT_EQ(enabled(0),
              (std::set<int>{-IDM_EXCHANGE_ADD_TO_UPCOMING, -IDM_EXCHANGE_QUARANTINE, -IDM_EXCHANGE_SEARCH_IMDB,
                             -IDM_EXCHANGE_INFO, IDM_EXCHANGE_REMOVE, IDM_EXCHANGE_SAVE}));
    EXPECT_EQ(enabled(1).count(IDM_EXCHANGE_INFO) + enabled(1).count(IDM_EXCHANGE_ADD_ALL), 2u);
    EXPECT_EQ(enabled(2).count(-IDM_EXCHANGE_INFO) + enabled(2).count(-IDM_EXCHANGE_SEARCH_IMDB) +
                  enabled(2).count(IDM_EXCHANGE_QUARANTINE_ALL),
              3u);
}

TEST_F(ExchangeTest, ExchangeDialogHandlesLinesFromTheLastAndTheFirstRecordOfATitle) {
    for (const char* source : {"Ann", "Bob"})
        for (const char* title : {"Heat", "Alien"}) Offered().Append({.fields = {.title = title}, .source = source});
    FakeListBox exchangeBox;
    RecordingPrompts dialogPrompts;
    ExchangeDialog dialog(W(), exchangeBox, dialogPrompts, writer);
    dialog.Open();
    EXPECT_EQ(exchangeBox.lines, (Lines{"Alien", "Alien", "Heat", "Heat"}));
    List().Show(View::Upcoming());

    exchangeBox.selected = {2};
    dialog.Execute(IDM_EXCHANGE_ADD_TO_UPCOMING);
    EXPECT_EQ(c.upcoming.Find("Heat")->location, "Ann");
    EXPECT_EQ(box.lines, Lines{"Heat"}) << "the main list shows the Upcoming Movie List";
    EXPECT_EQ(ui.status.count, "Number of Movies: 1");
    exchangeBox.selected = {0, 2};
    dialog.Execute(IDM_EXCHANGE_QUARANTINE);
    EXPECT_EQ(Titles(Offered()), (Lines{"Alien"}));
    EXPECT_EQ(Offered().begin()->source, "Bob");
    EXPECT_EQ(c.quarantine.Count(), 2u);

    dialog.Execute(IDM_EXCHANGE_INFO);
    EXPECT_EQ(dialogs.importInfos, Lines{"Alien"});
    EXPECT_FALSE(W().state.currentMedia.fields.title) << "the scratch is cleared after the dialog";
    dialogs.chosenFile = (dir / "saved.txt").string();
    dialog.Execute(IDM_EXCHANGE_SAVE);
    std::string empties;  // the medium and the twelve details the record does not have
    for (int i = 0; i < 13; ++i) empties += "\r\n";
    EXPECT_EQ(writer.files["saved.txt"], "CineLedger v3.15\r\nBob*\r\nAlien\r\n" + empties + "end");
    dialogPrompts.answers = {true};
    dialog.Execute(IDM_EXCHANGE_ADD_ALL);
    EXPECT_EQ(dialogPrompts.questions.back(), (Box{"Add All Movies To the Upcoming Movie List?", "Confirmation"}));
    EXPECT_EQ(exchangeBox.LineCount(), 0);
    EXPECT_EQ(box.lines, (Lines{"Alien", "Heat"}));
    EXPECT_EQ(Offered().Count(), 0u);
}

TEST_F(ExchangeTest, ExternalsChecksTheSourceExportsAndLeadsTheImportToTheExchangeDialog) {
    struct Ui : ExternalsUi {
        std::string SourceText() override { return source; }
        bool GimmeListChosen() override { return gimme; }
        void Hide() override { ++hides; }
        std::string source;
        bool gimme = false;
        int hides = 0;
    } externals;
    EXPECT_EQ(ExternalsExport(W(), externals, Prompts(), writer), ExternalsOutcome::KeepOpen);
    EXPECT_EQ(Prompts().messages, (std::vector<Box>{{"You Must Supply a Source.", "Field Error", MessageIcon::Stop}}));
    c.settings.formatConversion = 1;
    externals.source = "the gang";
    externals.gimme = true;
    AddGimmeTitleWithLocation(c.internalGimme, "Rope", "G");
    dialogs.chosenFile = (dir / "g.txt").string();
    EXPECT_EQ(ExternalsExport(W(), externals, Prompts(), writer), ExternalsOutcome::End);
    EXPECT_EQ(writer.files["g.txt"], "Gang, The*\r\nRope\r\nend");

    dialogs.chosenFile = Put(kHead + Block("Heat") + "end");
    dialogs.onExchange = [this] { EXPECT_EQ(Offered().Count(), 1u); };
    EXPECT_EQ(ExternalsImport(W(), externals, Prompts()), ExternalsOutcome::End);
    dialogs.chosenFile.reset();
    EXPECT_EQ(ExternalsImport(W(), externals, Prompts()), ExternalsOutcome::End);
    EXPECT_EQ(dialogs.opened, std::vector<int>{208});
    EXPECT_EQ(externals.hides, 1);
}

TEST_F(ExchangeTest, GimmeFilesRoundTripWithMarkersAndRefuseDamage) {
    Add("Heat");
    MovieList wanted;
    for (const char* title : {"Rope", "heat", "Rope"}) AddGimmeTitleWithLocation(wanted, title, "G");
    EXPECT_EQ(SerializeGimmeExchange(wanted, "Ann*"), "Ann*\r\nheat\r\nRope\r\nend");
    dialogs.chosenFile = Put("Ann*\r\nRope\r\nheat\r\nROPE\r\nend");
    shell.Execute(IDM_IMPORT_GIMME);
    std::vector<std::pair<std::string, std::string>> got;
    for (const MovieRecord& r : c.importedGimme) got.emplace_back(r.title, *r.category + *r.location);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::string>>{{"heat", "GAnn"}, {"Rope", "?Ann"}}));
    EXPECT_EQ(ui.status.caption, "Gimme Import-> Ann");
    dialogs.chosenFile = (dir / "out.txt").string();
    shell.Execute(IDM_SAVE_IMPORTED_GIMME);
    EXPECT_EQ(writer.files["out.txt"], "Ann*\r\nheat\r\nRope\r\nend");

    const struct {
        std::string bytes;
        std::size_t kept;
        bool corruptSource;
    } failures[] = {
        {"Ann\r\nRope\r\nend", 0, true},
        {"\r\nRope\r\nend", 0, true},
        {std::string(32, 'a') + "*\r\nend", 0, true},
        {"Ann*\r\nRope\r\nHeat", 2, false},
        {"Ann*\r\nRope\r\n" + std::string(110, 'x') + "\r\nend", 1, false},
        {"Ann*\r\nRope\r\nA|B\r\nend", 1, false},
        {std::string("A\0n*\r\nend", 9), 0, true},
    };
    for (const auto& k : failures) {
        shell.Execute(IDM_CLOSE_IMPORTED_GIMME);
        Prompts().messages.clear();
        dialogs.chosenFile = Put(k.bytes);
        shell.Execute(IDM_IMPORT_GIMME);
        EXPECT_EQ(c.importedGimme.Count(), k.kept);
        Lines expected{std::string(kInvalidGimmeFileMessage)};
        if (k.corruptSource) expected.insert(expected.begin(), std::string(kCorruptSourceMessage));
        EXPECT_EQ(Prompts().MessageTexts(), expected);
    }
}

TEST_F(ExchangeTest, MovieInfoOnAnImportedTitleShowsTheUsersOwnRecord) {
    Add("Heat", "Crime", "Absent", "Mike", 7);
    AddGimmeTitleWithLocation(c.importedGimme, "HEAT", "Ann");
    List().Show(View::ImportedGimme());
    MainListCommands(W()).Execute(IDM_LIST_MOVIE_INFO);
    EXPECT_EQ(W().state.currentMovie.location, "Mike");
    EXPECT_EQ(W().state.currentMovie.number, 7);
}

}  // namespace
}  // namespace cl::test
