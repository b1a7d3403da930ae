// The quarantine list and the Internal Gimme List, with their title-per-line files.
#include <gtest/gtest.h>

#include <vector>

#include "model/GimmeFile.h"
#include "model/QuarantineFile.h"

namespace cl {
namespace {

std::vector<std::string> Titles(const MovieList& list) {
    std::vector<std::string> out;
    for (const MovieRecord& r : list) out.push_back(r.title);
    return out;
}

LoadReport ReadQ(const std::string& bytes, EndMarker marker, QuarantineList& q) {
    TextReader reader(bytes);
    return ReadQuarantine(reader, marker, q);
}

LoadReport ReadG(const std::string& bytes, MovieList& g) {
    TextReader reader(bytes);
    return ReadGimme(reader, g);
}

// ---- Quarantine ----

TEST(Quarantine, LoadsInOrderDropsDuplicatesAndWritesBackTheSameBytes) {
    QuarantineList q;
    LoadReport report = ReadQ("Heat\r\nAlien\r\nalien\r\nend", EndMarker::Exact, q);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(report.records, 2u);
    EXPECT_EQ(Titles(q.Titles()), (std::vector<std::string>{"Alien", "Heat"}));
    EXPECT_EQ(SerializeQuarantine(q), "Alien\r\nHeat\r\nend");
}

struct EndCase {
    const char* name;
    EndMarker marker;
    std::string bytes;
    std::vector<std::string> titles;
    bool damaged;
};

class QuarantineEndTable : public ::testing::TestWithParam<EndCase> {};

TEST_P(QuarantineEndTable, EndLineRecognisedAsTheFileKindWants) {
    const EndCase& c = GetParam();
    QuarantineList q;
    LoadReport report = ReadQ(c.bytes, c.marker, q);
    EXPECT_EQ(Titles(q.Titles()), c.titles);
    EXPECT_EQ(report.damage.has_value(), c.damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuarantineEndTable,
    ::testing::Values(
        EndCase{"BackupEndsAtCapitalisedEndAndTextAfterItIsDamage",
                EndMarker::SameTitle,
                "Heat\r\nEnd\r\nAlien\r\nend",
                {"Heat"},
                true},
        EndCase{"BackupEndsAtUpperCaseEnd", EndMarker::SameTitle, "Heat\r\nEND", {"Heat"}, false},
        EndCase{"DataFileTakesCapitalisedEndAsATitle",
                EndMarker::Exact,
                "Heat\r\nEnd\r\nAlien\r\nend",
                {"Alien", "End", "Heat"},
                false},
        EndCase{"EndWithALineEndIsFine", EndMarker::Exact, "Heat\r\nend\r\n", {"Heat"}, false},
        EndCase{"NoEndLineIsFine", EndMarker::Exact, "Heat\r\nAlien\r\n", {"Alien", "Heat"}, false},
        EndCase{"LastLineWithoutLineEndIsATitle", EndMarker::Exact, "Heat\r\nAli", {"Ali", "Heat"}, false},
        EndCase{"TitleOver109StopsReading",
                EndMarker::Exact,
                "Heat\r\n" + std::string(110, 'x') + "\r\nA\r\nend",
                {"Heat"},
                true},
        EndCase{
            "TitleOf109IsTaken", EndMarker::Exact, std::string(109, 'x') + "\r\nend", {std::string(109, 'x')}, false},
        EndCase{"EmptyLineIsAnEmptyTitle", EndMarker::Exact, "\r\nend", {""}, false},
        EndCase{"EmptyFileIsFine", EndMarker::Exact, "", {}, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Quarantine, ContainsFormatsTheAskedTitleFirst) {
    QuarantineList q;
    q.Add("Matrix, The");
    std::string asked = "the matrix";
    EXPECT_TRUE(q.Contains(asked, true));
    EXPECT_EQ(asked, "Matrix, The");
    std::string unformatted = "the matrix";
    EXPECT_FALSE(q.Contains(unformatted, false));
    EXPECT_EQ(unformatted, "the matrix");
    std::string sameTitle = "MATRIX, THE";
    EXPECT_TRUE(q.Contains(sameTitle, false));
}

TEST(Quarantine, AddIgnoresEqualTitlesAndRemoveTakesTheFirstSameTitle) {
    QuarantineList q;
    EXPECT_TRUE(q.Add("Alien"));
    EXPECT_FALSE(q.Add("ALIEN"));
    EXPECT_TRUE(q.Add("Heat"));
    EXPECT_TRUE(q.Remove("alien"));
    EXPECT_FALSE(q.Remove("alien"));
    EXPECT_EQ(Titles(q.Titles()), std::vector<std::string>{"Heat"});
}

TEST(Quarantine, MissingFileIsAnEmptyList) {
    QuarantineList q;
    LoadReport report = LoadQuarantineFile("/nonexistent/Quarantine.dat", EndMarker::Exact, q);
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(q.Count(), 0u);
}

// ---- Internal Gimme List ----

TEST(Gimme, LoadPlacesTitlesInOrderWithGMarkersAndKeepsTheFirstOfEqualTitles) {
    MovieList g(ListKind::InternalGimme);
    LoadReport report = ReadG("alien\r\nHeat\r\nAlien\r\nend", g);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(Titles(g), (std::vector<std::string>{"alien", "Heat"}));
    EXPECT_EQ(g.Find("alien")->category, "G");
    EXPECT_EQ(g.Find("alien")->location, "G");
    EXPECT_EQ(SerializeGimme(g), "alien\r\nHeat\r\nend");
}

TEST(Gimme, AddingTitlesIsCaseSensitiveAndGoesToTheFront) {
    MovieList g(ListKind::InternalGimme);
    ReadG("alien\r\nend", g);
    std::vector<std::string> refused = AddGimmeTitles(g, {"Alien", "Heat", "alien", "Heat"});
    EXPECT_EQ(refused, (std::vector<std::string>{"alien", "Heat"}));
    EXPECT_EQ(Titles(g), (std::vector<std::string>{"Heat", "Alien", "alien"}));
    EXPECT_FALSE(g.FindExact("Heat")->category.has_value());
    EXPECT_FALSE(g.FindExact("Heat")->location.has_value());
    EXPECT_EQ(SerializeGimme(g), "Heat\r\nAlien\r\nalien\r\nend");
    EXPECT_EQ(GimmeDuplicateMessage("Heat"), "\"Heat\" Is Already On the Gimme List; Skipping to Next...");
}

TEST(Gimme, AddOneTitleWithALocation) {
    MovieList g(ListKind::InternalGimme);
    EXPECT_TRUE(AddGimmeTitleWithLocation(g, "Heat", "Video Store"));
    EXPECT_FALSE(AddGimmeTitleWithLocation(g, "Heat", "Elsewhere"));
    EXPECT_EQ(g.FindExact("Heat")->location, "Video Store");
    EXPECT_FALSE(g.FindExact("Heat")->category.has_value());
}

TEST(Gimme, RemoveNeedsTheExactTitle) {
    MovieList g(ListKind::InternalGimme);
    AddGimmeTitles(g, {"alien", "Alien"});
    EXPECT_FALSE(RemoveGimmeTitle(g, "ALIEN"));
    EXPECT_TRUE(RemoveGimmeTitle(g, "alien"));
    EXPECT_EQ(Titles(g), std::vector<std::string>{"Alien"});
}

TEST(Gimme, ClearedListSavesAsTheSingleEndLine) {
    MovieList g(ListKind::InternalGimme);
    AddGimmeTitles(g, {"Heat"});
    g.Clear();
    EXPECT_EQ(SerializeGimme(g), "end");
}

TEST(Gimme, DamagedFileKeepsTheTitlesBeforeIt) {
    MovieList g(ListKind::InternalGimme);
    LoadReport report = ReadG("Heat\r\n" + std::string(200, 'x') + "\r\nend", g);
    ASSERT_TRUE(report.damage.has_value());
    EXPECT_EQ(report.damage->line, 2u);
    EXPECT_EQ(Titles(g), std::vector<std::string>{"Heat"});
}

class RecordingWriter : public FileWriter {
  public:
    std::string bytes;
    bool Write(const std::filesystem::path&, std::string_view data, std::string&) override {
        bytes = data;
        return true;
    }
};

TEST(SideListFiles, SavesGoThroughTheWriter) {
    RecordingWriter writer;
    std::string error;
    QuarantineList q;
    q.Add("Heat");
    EXPECT_TRUE(SaveQuarantineFile(writer, "Quarantine.dat", q, error));
    EXPECT_EQ(writer.bytes, "Heat\r\nend");
    MovieList g(ListKind::InternalGimme);
    AddGimmeTitles(g, {"Alien"});
    EXPECT_TRUE(SaveGimmeFile(writer, "Gimme.dat", g, error));
    EXPECT_EQ(writer.bytes, "Alien\r\nend");
}

}  // namespace
}  // namespace cl
