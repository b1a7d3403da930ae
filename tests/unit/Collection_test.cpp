// The whole collection: the order of the stores, the save-all and its failures, damaged files kept before anything
// writes over them, backup and restore. Each store's own file format is StoreFiles_test's.
#include "model/Collection.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TestDoubles.h"
#include "model/GimmeFile.h"
#include "model/ListOperations.h"
#include "model/base/Date.h"

namespace cl {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class CollectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("cl-collection-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
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

    // A small collection touching every store, with texts typed over several lines and past what the files take.
    static void Fill(Collection& c) {
        InsertMainMovie(c.main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
        InsertMainMovie(c.main, {"Matrix, The", "Action", "Absent", "Mike", "DivX"}, 2);
        InsertUpcomingMovie(c.upcoming, "Gladiator", "@", "Video Store");
        c.freeNumbers.Add(3);
        c.password = "secret";
        c.quarantine.Add("Bad Movie");
        AddGimmeTitleWithLocation(c.internalGimme, "Heat", "Jim");
        c.imdb.Put(ImdbKey("Alien"), {.number = "1234567890",
                                      .title = "Alien",
                                      .year = "19795",
                                      .plot = "one\r\ntwo",
                                      .actors = std::string(30000, 'a')});
        c.comments.Set("Alien", "A classic.\r\n" + std::string(600, 'c'));
        c.history.AddOrUpdate("Alien", "2003/1/5 and a lot more text", "12345");
        c.history.AddLoanLine("Alien", "2003/2/1: loaned to Mike.\n" + std::string(120, 'l'));
        MediaFields fields;
        fields.format = "MPEG-4\r\n";
        fields.codec = std::string(40, 'c');
        c.media.AddOrReplace("Alien", fields);
    }

    fs::path dir_;
};

TEST_F(CollectionTest, SaveAllWritesTheStoresInTheirOrderAndWhatItWroteLoadsBackToTheSameBytes) {
    Collection c;
    Fill(c);
    test::RecordingWriter first;
    EXPECT_TRUE(SaveAll(c, dir_, first).empty());
    EXPECT_EQ(first.order, (Strings{"CineLedger.dat", "Quarantine.dat", "Gimme.dat", "IMDb.dat", "Comments.dat",
                                    "History.dat", "Media.dat"}));
    for (const auto& [name, bytes] : first.files) Put(name, bytes);

    Collection loaded;
    for (const StoreLoad& load : LoadStores(loaded, dir_, "2026/1/1")) {
        EXPECT_TRUE(load.report.opened) << load.fileName;
        EXPECT_FALSE(load.report.damage) << load.fileName;
    }
    EXPECT_EQ(loaded.knownLocations.Values(), (Strings{"Default", "Mike"}));
    test::RecordingWriter again;
    EXPECT_TRUE(SaveAll(loaded, dir_, again).empty());
    EXPECT_EQ(again.files, first.files);
}

TEST_F(CollectionTest, AFailedWriteIsReportedAndTheOtherStoresAreStillWritten) {
    Collection c;
    Fill(c);
    test::RecordingWriter writer;
    writer.failing = {"CineLedger.dat", "IMDb.dat"};
    const auto failures = SaveAll(c, dir_, writer);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].fileName + ": " + failures[0].error, "CineLedger.dat: disk full");
    EXPECT_EQ(failures[1].fileName, "IMDb.dat");
    EXPECT_EQ(writer.files.size(), 5u);
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
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "a temporary was left";

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
    test::RecordingWriter failing;
    failing.failing = {"Comments.dat.damaged-" + today + "-2"};
    const auto failures = SaveAll(c, dir_, failing);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].fileName, "Comments.dat");
    EXPECT_EQ(failing.files.count("Comments.dat"), 0u);

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
    ASSERT_TRUE(RestoreFromBackup(c, dir_, "2026/1/1").loads[5].report.damage);
    ASSERT_TRUE(BackupAll(c, dir_, DefaultFileWriter()).empty());
    EXPECT_EQ(Get("History.bak"), Get("History.dat"));
    EXPECT_EQ(Get("History.bak.damaged-" + FormatFileNameDate(std::time(nullptr))), damaged);
}

// The older layout predates the history: each of its movies gets a record dated today, which the history file,
// read after it, completes.
TEST_F(CollectionTest, AnOlderMainListGivesEachMovieAHistoryRecordDatedToday) {
    const std::string rows = "Alien|Default|Horror|Present|1\r\nHeat|Jim|Crime|Absent|2\r\nend|pw\r\nend|\r\nend";
    Put("History.dat", "Heat\r\n2003/1/5\r\n4\r\n2003/2/1: loaned to Jim.\r\nend\r\n");
    Put("CineLedger.dat", rows);
    Collection older;
    LoadStores(older, dir_, "2026/12/5");
    EXPECT_EQ(SerializeHistory(older.history),
              "Alien\r\n2026/12/5\r\n0\r\nend\r\nHeat\r\n2003/1/5\r\n4\r\n2003/2/1: loaned to Jim.\r\nend\r\n");
    EXPECT_EQ(older.main.Find("Alien")->medium, "Unknown");
    EXPECT_EQ(older.knownMedia.Values(), Strings{"Unknown"});

    Put("CineLedger.dat", "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nend|pw\r\nend|\r\nend");
    Collection current;
    LoadStores(current, dir_, "2026/12/5");
    EXPECT_EQ(current.history.Count(), 1u);
}

TEST_F(CollectionTest, SettingsAtStartBackUpWhenAskedAndOpenTheLockForRatedX) {
    Collection c;
    LoadSettingsAtStart(c, dir_, DefaultFileWriter());
    EXPECT_EQ(c.settings, DefaultSettings());
    EXPECT_FALSE(c.eroticVisible);

    Put("CineLedger.dat", "CineLedger v3.15\r\nend|nolockx\r\nend|\r\nend");
    Put("Gimme.bak", "stale");
    for (const bool backup : {false, true}) {
        Put("Settings.dat", backup ? "1\r\n1\r\n0\r\n1\r\n0\r\n0" : "0\r\n1\r\n0\r\n0\r\n0\r\n0");
        Collection d;
        LoadSettingsAtStart(d, dir_, DefaultFileWriter());
        EXPECT_EQ(d.eroticVisible, backup);
        EXPECT_EQ(fs::exists(dir_ / "CineLedger.bak"), backup);
    }
    EXPECT_EQ(Get("CineLedger.bak"), Get("CineLedger.dat"));
    EXPECT_EQ(Get("Gimme.bak"), "stale") << "a store without a file keeps its old backup";
}

TEST_F(CollectionTest, RestoreReadsTheBackupEmptiesStoresWithoutOneAndKeepsWhatLivesOnlyInMemory) {
    Collection c;
    Fill(c);
    EXPECT_EQ(RestoreFromBackup(c, dir_, "2026/1/1").outcome, RestoreOutcome::NoBackup);
    EXPECT_EQ(c.main.Count(), 2u);
    EXPECT_EQ(c.comments.Count(), 1u);

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

    ASSERT_EQ(RestoreFromBackup(c, dir_, "2026/1/1").outcome, RestoreOutcome::Restored);
    EXPECT_FALSE(c.main.Contains("Heat"));
    EXPECT_EQ(c.main.Count(), 2u);
    EXPECT_EQ(c.password, "secret");
    EXPECT_EQ(c.comments.Count() + c.media.Count(), 0u);
    EXPECT_EQ(c.imdb.Count() + c.internalGimme.Count() + c.quarantine.Count() + c.history.Count(), 4u);
    EXPECT_EQ(c.knownUpcomingLocations.Values(), (Strings{"Only In Memory", "Video Store"}));
    EXPECT_EQ(c.knownCategories.Values(), (Strings{"Horror", "Action"}));
    EXPECT_EQ(c.importedGimme.Count(), 1u);
    // The ".dat" files still hold the last save until the next one.
    EXPECT_NE(Get("CineLedger.dat").find("end|secret"), std::string::npos);
}

}  // namespace
}  // namespace cl
