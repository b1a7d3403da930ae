// The comment store and "Comments.dat": keyed by exact title, one record per title, exact bytes, damage.
#include "model/CommentStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace cl {
namespace {

std::vector<std::string> Titles(const CommentStore& s) {
    std::vector<std::string> out;
    for (const CommentRecord& r : s) out.push_back(r.title);
    return out;
}

LoadReport Read(const std::string& bytes, CommentStore& s) {
    TextReader reader(bytes);
    return ReadComments(reader, s);
}

class RecordingWriter : public FileWriter {
  public:
    bool Write(const std::filesystem::path& target, std::string_view bytes, std::string&) override {
        path = target;
        written = bytes;
        return true;
    }
    std::filesystem::path path;
    std::string written;
};

TEST(CommentStore, SettingATitleTwiceKeepsOneRecordWithTheSecondComment) {
    CommentStore s;
    EXPECT_TRUE(s.Set("Alien", "first"));
    EXPECT_TRUE(s.Set("Heat", "long"));
    EXPECT_TRUE(s.Set("Alien", "second"));
    EXPECT_EQ(s.Count(), 2u);
    EXPECT_EQ(s.CommentFor("Alien"), "second");
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Alien", "Heat"}));
    EXPECT_EQ(SerializeComments(s), "Alien\r\nsecond\r\nHeat\r\nlong\r\n");
}

TEST(CommentStore, TitlesAreComparedCaseSensitively) {
    CommentStore s;
    s.Set("Alien", "upper");
    s.Set("alien", "lower");
    EXPECT_EQ(s.Count(), 2u);
    EXPECT_EQ(s.CommentFor("Alien"), "upper");
    EXPECT_EQ(s.CommentFor("alien"), "lower");
    EXPECT_EQ(s.CommentFor("ALIEN"), std::nullopt);
}

TEST(CommentStore, RemoveTakesOnlyTheTitlesRecordAndMissingIsNothing) {
    CommentStore s;
    s.Set("Alien", "a");
    s.Set("Heat", "h");
    EXPECT_FALSE(s.Remove("Brazil"));
    EXPECT_TRUE(s.Remove("Alien"));
    EXPECT_EQ(Titles(s), std::vector<std::string>{"Heat"});
    s.Set("Alien", "again");
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Heat", "Alien"}));
}

TEST(CommentStore, LoadIntoCurrentCopiesOrLeavesTheFieldAlone) {
    CommentStore s;
    s.Set("Alien", "scary");
    std::optional<std::string> comments = "old";
    EXPECT_FALSE(s.LoadIntoCurrent("Heat", comments));
    EXPECT_EQ(comments, "old");
    EXPECT_TRUE(s.LoadIntoCurrent("Alien", comments));
    EXPECT_EQ(comments, "scary");
}

TEST(CommentStore, RenameMovesTheCommentAndKeepsItsPlace) {
    CommentStore s;
    s.Set("Alien", "a");
    s.Set("Heat", "h");
    EXPECT_TRUE(s.Rename("Alien", "Aliens"));
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Aliens", "Heat"}));
    EXPECT_EQ(s.CommentFor("Aliens"), "a");
    EXPECT_EQ(s.CommentFor("Alien"), std::nullopt);
    EXPECT_FALSE(s.Rename("Brazil", "Brazil 2"));
}

TEST(CommentStore, RenameOntoATakenTitleRemovesNothingAndASaveWritesBoth) {
    CommentStore s;
    s.Set("Alien", "a");
    s.Set("Heat", "h");
    EXPECT_TRUE(s.Rename("Heat", "Alien"));
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Alien", "Alien"}));
    EXPECT_EQ(s.CommentFor("Alien"), "a");
    EXPECT_EQ(SerializeComments(s), "Alien\r\na\r\nAlien\r\nh\r\n");
}

TEST(CommentStore, LineBreaksInATypedCommentBecomeBlanksSoTheFileStaysWhole) {
    CommentStore s;
    s.Set("Alien", "line one\r\nline two\nthree\rfour");
    EXPECT_EQ(s.CommentFor("Alien"), "line one line two three four");
    CommentStore back;
    EXPECT_FALSE(Read(SerializeComments(s), back).damage.has_value());
    EXPECT_EQ(back.Count(), 1u);
}

TEST(CommentStore, TitlesTheFileCannotCarryAreRefused) {
    CommentStore s;
    EXPECT_FALSE(s.Set("", "empty title would end the file"));
    EXPECT_FALSE(s.Set("Two\nLines", "x"));
    EXPECT_FALSE(s.Set(std::string(110, 't'), "x"));
    EXPECT_TRUE(s.Set(std::string(109, 't'), "x"));
    EXPECT_FALSE(s.Rename(std::string(109, 't'), ""));
    EXPECT_EQ(s.Count(), 1u);
}

TEST(CommentStore, OverlongCommentIsCutAtTheReaderLimit) {
    CommentStore s;
    s.Set("Alien", std::string(600, 'c'));
    EXPECT_EQ(s.CommentFor("Alien")->size(), kCommentMax);
}

TEST(CommentStore, FreeAllEmptiesTheStore) {
    CommentStore s;
    s.Set("Alien", "a");
    s.FreeAll();
    EXPECT_EQ(s.Count(), 0u);
    EXPECT_EQ(SerializeComments(s), "");
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> titles;
    bool damaged;
};

class CommentReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CommentReadTable, KeepsWholeRecordsAndReportsDamage) {
    const ReadCase& c = GetParam();
    CommentStore s;
    LoadReport report = Read(c.bytes, s);
    EXPECT_TRUE(report.opened);
    EXPECT_EQ(Titles(s), c.titles);
    EXPECT_EQ(report.records, c.titles.size());
    EXPECT_EQ(report.damage.has_value(), c.damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommentReadTable,
    ::testing::Values(
        ReadCase{"EmptyFileIsAnEmptyStore", "", {}, false},
        ReadCase{"RecordsEndWithTheFile", "Alien\r\na\r\nHeat\r\nh\r\n", {"Alien", "Heat"}, false},
        ReadCase{"EmptyTitleLineWithTextAfterItIsDamage", "Alien\r\na\r\n\r\nHeat\r\nh\r\n", {"Alien"}, true},
        ReadCase{"EmptyLineAtTheEndStopsThere", "Alien\r\na\r\n\r\n \r\n", {"Alien"}, false},
        ReadCase{"EmptyCommentLineIsAnEmptyComment", "Alien\r\n\r\nHeat\r\nh\r\n", {"Alien", "Heat"}, false},
        ReadCase{"LoneLineFeedsAreLineEnds", "Alien\na\nHeat\nh\n", {"Alien", "Heat"}, false},
        ReadCase{"TitleOnTheLastLineGetsAnEmptyComment", "Alien\r\na\r\nHeat", {"Alien", "Heat"}, false},
        ReadCase{"LastLineWithoutLineEndIsALine", "Alien\r\na\r\nHeat\r\nhal", {"Alien", "Heat"}, false},
        ReadCase{"TitleOf109IsTaken", std::string(109, 't') + "\r\nc\r\n", {std::string(109, 't')}, false},
        ReadCase{"TitleOver109StopsReading",
                 "Alien\r\na\r\n" + std::string(110, 't') + "\r\nc\r\nHeat\r\nh\r\n",
                 {"Alien"},
                 true},
        ReadCase{"CommentOf509IsTaken", "Alien\r\n" + std::string(509, 'c') + "\r\n", {"Alien"}, false},
        ReadCase{"CommentOver509StopsWithoutThatRecord",
                 "Alien\r\na\r\nHeat\r\n" + std::string(510, 'c') + "\r\nUp\r\nu\r\n",
                 {"Alien"},
                 true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CommentFile, DuplicateInTheFileTakesTheLaterCommentInTheFirstPlace) {
    CommentStore s;
    LoadReport report = Read("Alien\r\na\r\nHeat\r\nh\r\nAlien\r\nb\r\n", s);
    EXPECT_EQ(report.records, 3u);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(s.CommentFor("Alien"), "b");
    EXPECT_EQ(SerializeComments(s), "Alien\r\nb\r\nHeat\r\nh\r\n");
}

TEST(CommentFile, DamageNamesTheLineAndTheLimit) {
    CommentStore s;
    LoadReport report = Read("Alien\r\na\r\nHeat\r\n" + std::string(510, 'c') + "\r\n", s);
    ASSERT_TRUE(report.damage.has_value());
    EXPECT_EQ(report.damage->line, 4u);
    EXPECT_EQ(report.damage->what, "comment longer than 509 characters");
}

TEST(CommentFile, SaveWritesTheExactBytesThroughTheWriterAndLoadReadsThemBack) {
    CommentStore s;
    s.Set("Alien", "scary");
    s.Set("Heat", "");
    RecordingWriter writer;
    std::string error;
    ASSERT_TRUE(SaveCommentsFile(writer, "Comments.dat", s, error));
    EXPECT_EQ(writer.path, "Comments.dat");
    EXPECT_EQ(writer.written, "Alien\r\nscary\r\nHeat\r\n\r\n");

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "cl_comments_test.dat";
    ASSERT_TRUE(AtomicFileWriter().Write(file, writer.written, error)) << error;
    CommentStore back;
    LoadReport report = LoadCommentsFile(file, back);
    std::filesystem::remove(file);
    EXPECT_TRUE(report.opened);
    EXPECT_EQ(report.records, 2u);
    EXPECT_EQ(SerializeComments(back), writer.written);
}

TEST(CommentFile, MissingFileIsAnEmptyStoreWithoutDamage) {
    CommentStore s;
    LoadReport report = LoadCommentsFile(std::filesystem::temp_directory_path() / "cl_no_such_comments.dat", s);
    EXPECT_FALSE(report.opened);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(s.Count(), 0u);
}

}  // namespace
}  // namespace cl
