// The whole collection: loading every store, the save-all with failures, backup and restore.
#include "model/Collection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "model/GimmeFile.h"
#include "model/ListOperations.h"
#include "model/base/Date.h"

namespace cl {
namespace {

namespace fs = std::filesystem;

class CollectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("cl-collection-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(dir_ / name, bytes)) << name;
        return bytes;
    }

    // A small collection touching every store.
    void Fill(Collection& c) {
        InsertMainMovie(c.main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
        InsertMainMovie(c.main, {"Matrix, The", "Action", "Absent", "Mike", "DivX"}, 2);
        InsertUpcomingMovie(c.upcoming, "Gladiator", "@", "Video Store");
        c.freeNumbers.Add(3);
        c.password = "secret";
        c.quarantine.Add("Bad Movie");
        AddGimmeTitleWithLocation(c.internalGimme, "Heat", "Jim");
        c.imdb.Put(ImdbKey("Alien"), {.number = "1", .title = "Alien", .year = "1979", .director = "Ridley Scott",
                                      .genre = "Horror", .tagline = "NOTAGLINE", .plot = "A plot.",
                                      .language = "English", .runtime = "117 min",
                                      .actors = "Sigourney Weaver, Tom Skerritt"});
        c.comments.Set("Alien", "A classic.");
        c.history.AddOrUpdate("Alien", "2003/1/5", "2");
        c.history.AddLoanLine("Alien", "2003/2/1: loaned to Mike.");
        MediaFields fields;
        fields.format = "MPEG-4";
        fields.cds = "1";
        c.media.AddOrReplace("Alien", fields);
    }

    fs::path dir_;
};

// Records every write and fails the ones named, the way a full disk or a locked file would.
class FailingWriter : public FileWriter {
public:
    explicit FailingWriter(std::set<std::string> failing) : failing_(std::move(failing)) {}
    bool Write(const fs::path& target, std::string_view bytes, std::string& error) override {
        order.push_back(target.filename().string());
        if (failing_.count(target.filename().string())) {
            error = "disk full";
            return false;
        }
        return real_.Write(target, bytes, error);
    }
    std::vector<std::string> order;

private:
    std::set<std::string> failing_;
    AtomicFileWriter real_;
};

TEST_F(CollectionTest, SaveAllWritesEveryStoreInItsFixedOrderAndLoadsBackTheSame) {
    Collection c;
    Fill(c);
    FailingWriter writer({});
    EXPECT_TRUE(SaveAll(c, dir_, writer).empty());
    EXPECT_EQ(writer.order, (std::vector<std::string>{"CineLedger.dat", "Quarantine.dat", "Gimme.dat", "IMDb.dat",
                                                      "Comments.dat", "History.dat", "Media.dat"}));
    EXPECT_EQ(Get("CineLedger.dat"),
              "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nMatrix, The|Mike|Action|Absent|DivX|2\r\n"
              "end|secret\r\nGladiator|@|Video Store\r\nend|\r\n3\r\nend");
    EXPECT_EQ(Get("Gimme.dat"), "Heat\r\nend");

    Collection loaded;
    for (const StoreLoad& load : LoadStores(loaded, dir_, "2026/1/1")) {
        EXPECT_TRUE(load.report.opened) << load.fileName;
        EXPECT_FALSE(load.report.damage) << load.fileName;
    }
    EXPECT_EQ(loaded.main.Count(), 2u);
    EXPECT_EQ(loaded.password, "secret");
    EXPECT_EQ(loaded.imdb.Count(), 1u);
    EXPECT_EQ(loaded.history.LoanLines("Alien"), std::vector<std::string>{"2003/2/1: loaned to Mike."});

    // Saving what was loaded gives the same bytes again: nothing drifts across a load/save cycle.
    const std::string before = Get("History.dat") + Get("IMDb.dat") + Get("Media.dat") + Get("Comments.dat");
    EXPECT_TRUE(SaveAll(loaded, dir_, DefaultFileWriter()).empty());
    EXPECT_EQ(Get("History.dat") + Get("IMDb.dat") + Get("Media.dat") + Get("Comments.dat"), before);
}

TEST_F(CollectionTest, AFailedWriteLeavesThatStoresPreviousFileWholeAndSavesTheOthers) {
    Collection old;
    Fill(old);
    ASSERT_TRUE(SaveAll(old, dir_, DefaultFileWriter()).empty());
    const std::string oldMain = Get("CineLedger.dat");
    const std::string oldImdb = Get("IMDb.dat");

    Collection changed;
    Fill(changed);
    InsertMainMovie(changed.main, {"Heat", "Crime", "Present", "Default", "DVD"}, 4);
    changed.imdb.Remove(ImdbKey("Alien"));
    changed.comments.Set("Alien", "Changed.");
    FailingWriter writer({"CineLedger.dat", "IMDb.dat"});
    const auto failures = SaveAll(changed, dir_, writer);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].fileName, "CineLedger.dat");
    EXPECT_EQ(failures[1].fileName, "IMDb.dat");
    EXPECT_EQ(Get("CineLedger.dat"), oldMain);
    EXPECT_EQ(Get("IMDb.dat"), oldImdb);
    EXPECT_EQ(Get("Comments.dat"), "Alien\r\nChanged.\r\n");
    EXPECT_EQ(writer.order.size(), 7u);
}

TEST_F(CollectionTest, AtomicWriterLeavesNoTemporaryAndKeepsTheOldFileWhenTheMoveFails) {
    AtomicFileWriter writer;
    std::string error;
    // A directory cannot be replaced by a file: the move fails after the temporary was written.
    fs::create_directories(dir_ / "CineLedger.dat" / "inside");
    EXPECT_FALSE(writer.Write(dir_ / "CineLedger.dat", "new", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(dir_ / "CineLedger.dat"));
    // A missing directory: the temporary cannot even be created.
    EXPECT_FALSE(writer.Write(dir_ / "missing" / "Gimme.dat", "new", error));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++entries;
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";

    Put("Gimme.dat", "old");
    ASSERT_TRUE(writer.Write(dir_ / "Gimme.dat", "Heat\r\nend", error)) << error;
    EXPECT_EQ(Get("Gimme.dat"), "Heat\r\nend");
}

// A file not read to its end holds more than the collection does: nothing may write over it before it is kept.
TEST_F(CollectionTest, ADamagedFileIsKeptWholeBeforeTheFirstSaveWritesOverItAndNeverCopiedOverItsBackup) {
    const std::string today = FormatFileNameDate(std::time(nullptr));
    const std::string damaged = "Alien\r\nfine\r\n\r\nHeat\r\nafter the empty line\r\n";
    Put("Comments.dat", damaged);
    Put("Comments.bak", "good backup");
    Put("Comments.dat.damaged-" + today, "an earlier kept copy");
    Put("History.dat.4.tmp", "left by a killed save");
    Put("Notes.4.tmp", "not a store's");
    Collection c;
    ASSERT_TRUE(LoadStores(c, dir_, "2026/1/1")[4].report.damage);
    EXPECT_EQ(c.damagedFiles, std::set<std::string>{"Comments.dat"});

    ASSERT_TRUE(BackupAll(c, dir_, DefaultFileWriter()).empty());
    EXPECT_EQ(Get("Comments.bak"), "good backup");

    // No kept copy, no save of that store.
    FailingWriter failing({"Comments.dat.damaged-" + today + "-2"});
    const auto failures = SaveAll(c, dir_, failing);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].fileName, "Comments.dat");
    EXPECT_EQ(Get("Comments.dat"), damaged);

    ASSERT_TRUE(SaveAll(c, dir_, DefaultFileWriter()).empty());
    EXPECT_EQ(Get("Comments.dat.damaged-" + today + "-2"), damaged);
    EXPECT_EQ(Get("Comments.dat.damaged-" + today), "an earlier kept copy");
    EXPECT_EQ(Get("Comments.dat"), "Alien\r\nfine\r\n");
    EXPECT_FALSE(fs::exists(dir_ / "History.dat.4.tmp"));
    EXPECT_TRUE(fs::exists(dir_ / "Notes.4.tmp"));
    ASSERT_TRUE(SaveAll(c, dir_, DefaultFileWriter()).empty());
    EXPECT_FALSE(fs::exists(dir_ / ("Comments.dat.damaged-" + today + "-3"))) << "kept once, not at every save";
}

TEST_F(CollectionTest, ADamagedBackupIsKeptBeforeTheNextBackupReplacesIt) {
    const std::string damaged = "Alien\r\n2003/1/5\r\n0\r\n" + std::string(100, 'l') + "\r\nend\r\n";
    Put("CineLedger.bak", "CineLedger v3.15\r\nend|nolockx\r\nend|\r\nend");
    Put("History.bak", damaged);
    Put("History.dat", "Alien\r\n2003/1/5\r\n0\r\nend\r\n");
    Collection c;
    const RestoreResult restored = RestoreFromBackup(c, dir_, "2026/1/1");
    ASSERT_TRUE(restored.loads[5].report.damage);
    ASSERT_TRUE(BackupAll(c, dir_, DefaultFileWriter()).empty());
    EXPECT_EQ(Get("History.bak"), Get("History.dat"));
    EXPECT_EQ(Get("History.bak.damaged-" + FormatFileNameDate(std::time(nullptr))), damaged);
}

TEST_F(CollectionTest, OlderMainListGivesEachMovieAHistoryRecordDatedToday) {
    Put("CineLedger.dat", "Alien|Default|Horror|Present|1\r\nHeat|Jim|Crime|Absent|2\r\nend|nolockx\r\nend|\r\nend");
    Collection c;
    const auto loads = LoadStores(c, dir_, "2026/12/5");
    EXPECT_FALSE(loads[0].report.damage);
    ASSERT_NE(c.history.Find("Heat"), nullptr);
    EXPECT_EQ(c.history.Find("Heat")->date, "2026/12/5");
    EXPECT_EQ(c.history.Find("Heat")->views, "0");
    EXPECT_EQ(c.main.Find("Alien")->medium, "Unknown");
}

// The stores are read on two threads; whatever the layout, the result must be that of reading them one by one in
// their order, the older layout's history records included.
TEST_F(CollectionTest, LoadingOnTwoThreadsGivesWhatReadingInOrderGives) {
    const std::string history = "Heat\r\n2003/1/5\r\n4\r\n2003/2/1: loaned to Jim.\r\nend\r\nRonin\r\n2004/3/3\r\n1\r\nend\r\n";
    for (const char* mainList :
         {"CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nHeat|Jim|Crime|Absent|DivX|2\r\nend|pw\r\nend|\r\nend",
          "Alien|Default|Horror|Present|1\r\nHeat|Jim|Crime|Absent|2\r\nend|pw\r\nend|\r\nend"}) {
        SCOPED_TRACE(mainList);
        Put("CineLedger.dat", mainList);
        Put("History.dat", history);
        Put("Comments.dat", "Heat\r\nBest shoot-out.\r\n");
        Put("Gimme.dat", "Vertigo\r\nend");
        Put("Quarantine.dat", "Bad Movie\r\nend");

        Collection together;
        const auto loads = LoadStores(together, dir_, "2026/12/5");
        ASSERT_EQ(loads.size(), std::size(kStoreOrder));
        for (std::size_t i = 0; i < loads.size(); ++i) {
            EXPECT_EQ(loads[i].store, kStoreOrder[i]);
            EXPECT_EQ(loads[i].fileName, StoreFileName(kStoreOrder[i]));
        }

        Collection inOrder;
        MainListStores targets{inOrder.main,       inOrder.upcoming,    inOrder.knownCategories,
                               inOrder.knownLocations, inOrder.knownUpcomingLocations, inOrder.knownMedia,
                               inOrder.freeNumbers, inOrder.password, inOrder.version};
        LoadMainListFile(dir_ / "CineLedger.dat", targets,
                         [&](const std::string& title) { inOrder.history.AddOrUpdate(title, "2026/12/5", "0"); });
        LoadQuarantineFile(dir_ / "Quarantine.dat", EndMarker::Exact, inOrder.quarantine);
        LoadGimmeFile(dir_ / "Gimme.dat", inOrder.internalGimme);
        LoadCommentsFile(dir_ / "Comments.dat", inOrder.comments);
        LoadHistoryFile(dir_ / "History.dat", inOrder.history);

        EXPECT_EQ(SerializeHistory(together.history), SerializeHistory(inOrder.history));
        EXPECT_EQ(SerializeMainList(together.main, together.upcoming, together.freeNumbers, together.password),
                  SerializeMainList(inOrder.main, inOrder.upcoming, inOrder.freeNumbers, inOrder.password));
        EXPECT_EQ(SerializeComments(together.comments), SerializeComments(inOrder.comments));
        EXPECT_EQ(SerializeGimme(together.internalGimme), SerializeGimme(inOrder.internalGimme));
        EXPECT_EQ(SerializeQuarantine(together.quarantine), SerializeQuarantine(inOrder.quarantine));
        EXPECT_EQ(together.knownLocations.Values(), inOrder.knownLocations.Values());
    }
}

TEST_F(CollectionTest, SettingsAtStartBackUpWhenAskedAndOpenTheLockForRatedX) {
    Collection c;
    LoadSettingsAtStart(c, dir_, DefaultFileWriter());
    EXPECT_EQ(c.settings, DefaultSettings());
    EXPECT_FALSE(c.eroticVisible);

    Put("Settings.dat", "1\r\n1\r\n0\r\n1\r\n0\r\n0");
    Put("CineLedger.dat", "CineLedger v3.15\r\nend|nolockx\r\nend|\r\nend");
    Put("Gimme.bak", "stale");
    Collection d;
    LoadSettingsAtStart(d, dir_, DefaultFileWriter());
    EXPECT_TRUE(d.eroticVisible);
    EXPECT_EQ(Get("CineLedger.bak"), Get("CineLedger.dat"));
    EXPECT_EQ(Get("Gimme.bak"), "stale") << "a store without a file keeps its old backup";
}

TEST_F(CollectionTest, RestoreWithoutAMainBackupChangesNothing) {
    Collection c;
    Fill(c);
    const auto result = RestoreFromBackup(c, dir_, "2026/1/1");
    EXPECT_EQ(result.outcome, RestoreOutcome::NoBackup);
    EXPECT_EQ(c.main.Count(), 2u);
    EXPECT_EQ(c.comments.Count(), 1u);
}

TEST_F(CollectionTest, RestoreReadsTheBackupEmptiesStoresWithoutOneAndKeepsWhatLivesOnlyInMemory) {
    Collection c;
    Fill(c);
    ASSERT_TRUE(SaveAll(c, dir_, DefaultFileWriter()).empty());
    ASSERT_TRUE(BackupAll(c, dir_, DefaultFileWriter()).empty());
    fs::remove(dir_ / "Comments.bak");
    fs::remove(dir_ / "Media.bak");

    // Changes after the backup, and things that never reach a backup.
    InsertMainMovie(c.main, {"Heat", "Crime", "Present", "Default", "DVD"}, 4);
    c.password = "changed";
    c.knownUpcomingLocations.Append("Only In Memory");
    c.knownCategories.Append("Stale Category");
    c.importedGimme.PushFront(MovieRecord{"Wanted", std::string("?"), {}, std::string("Ann"), {}, 0});

    const auto result = RestoreFromBackup(c, dir_, "2026/1/1");
    ASSERT_EQ(result.outcome, RestoreOutcome::Restored);
    EXPECT_EQ(c.main.Count(), 2u);
    EXPECT_FALSE(c.main.Contains("Heat"));
    EXPECT_EQ(c.password, "secret");
    EXPECT_EQ(c.comments.Count(), 0u);
    EXPECT_EQ(c.media.Count(), 0u);
    EXPECT_EQ(c.imdb.Count(), 1u);
    EXPECT_EQ(c.internalGimme.Count(), 1u);
    EXPECT_TRUE(c.knownUpcomingLocations.Contains("Only In Memory"));
    EXPECT_TRUE(c.knownUpcomingLocations.Contains("Video Store"));
    EXPECT_FALSE(c.knownCategories.Contains("Stale Category"));
    EXPECT_TRUE(c.knownCategories.Contains("Horror"));
    EXPECT_EQ(c.importedGimme.Count(), 1u);
    // The ".dat" files still hold the last save until the next one.
    EXPECT_NE(Get("CineLedger.dat").find("end|secret"), std::string::npos);
}

TEST_F(CollectionTest, QuarantineBackupEndsAtAnEndLineInAnyCase) {
    Put("CineLedger.bak", "CineLedger v3.15\r\nend|nolockx\r\nend|\r\nend");
    Put("Quarantine.bak", "Alpha\r\nEnd\r\nBeta\r\nend");
    Collection c;
    ASSERT_EQ(RestoreFromBackup(c, dir_, "2026/1/1").outcome, RestoreOutcome::Restored);
    EXPECT_EQ(c.quarantine.Count(), 1u);
}

}  // namespace
}  // namespace cl
