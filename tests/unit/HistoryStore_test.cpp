// The history store and "History.dat": dates, views and loan lines per exact title, exact bytes, damage.
#include "model/HistoryStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace cl {
namespace {

std::vector<std::string> Titles(const HistoryStore& s) {
    std::vector<std::string> out;
    for (const HistoryRecord& r : s) out.push_back(r.title);
    return out;
}

LoadReport Read(const std::string& bytes, HistoryStore& s) {
    TextReader reader(bytes);
    return ReadHistory(reader, s);
}

const std::string kAlien =
    "Alien\r\n2003/1/5\r\n2\r\n2003/2/1: loaned to Mike.\r\n2003/2/9: returned to Mike.\r\nend\r\n";

TEST(HistoryStore, RecordWithoutLoanLinesIsWrittenAsFourLines) {
    HistoryStore s;
    EXPECT_TRUE(s.AddOrUpdate("Heat", "2003/1/5", "0"));
    EXPECT_EQ(SerializeHistory(s), "Heat\r\n2003/1/5\r\n0\r\nend\r\n");
}

TEST(HistoryStore, TheExampleRecordReadsAndWritesBackByteForByte) {
    HistoryStore s;
    LoadReport report = Read(kAlien, s);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(report.records, 1u);
    EXPECT_EQ(s.LoanLines("Alien"),
              (std::vector<std::string>{"2003/2/1: loaned to Mike.", "2003/2/9: returned to Mike."}));
    EXPECT_EQ(SerializeHistory(s), kAlien);
}

TEST(HistoryStore, AddOrUpdateReplacesDateAndViewsAndKeepsLoanLines) {
    HistoryStore s;
    s.AddOrUpdate("Alien", "2003/1/5", "0");
    s.AddOrUpdate("Heat", "2003/1/6", "0");
    s.AddLoanLine("Alien", "2003/2/1: loaned to Mike.");
    s.AddOrUpdate("Alien", "2004/3/3", "7");
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Alien", "Heat"}));
    std::optional<std::string> date, views;
    EXPECT_TRUE(s.LoadIntoCurrent("Alien", date, views));
    EXPECT_EQ(date, "2004/3/3");
    EXPECT_EQ(views, "7");
    EXPECT_EQ(s.LoanLines("Alien"), std::vector<std::string>{"2003/2/1: loaned to Mike."});
}

TEST(HistoryStore, LoanLineForAMissingTitleDoesNothing) {
    HistoryStore s;
    EXPECT_FALSE(s.AddLoanLine("Alien", "2003/2/1: loaned to Mike."));
    EXPECT_EQ(s.Count(), 0u);
    EXPECT_TRUE(s.LoanLines("Alien").empty());
}

TEST(HistoryStore, LoanLineThatWouldCloseTheRecordIsRefused) {
    HistoryStore s;
    s.AddOrUpdate("Alien", "2003/1/5", "0");
    EXPECT_FALSE(s.AddLoanLine("Alien", "end"));
    EXPECT_TRUE(s.AddLoanLine("Alien", "End"));
    EXPECT_TRUE(s.AddLoanLine("Alien", std::string(120, 'x')));
    EXPECT_EQ(s.LoanLines("Alien").back().size(), kLoanLineMax);
    HistoryStore back;
    EXPECT_FALSE(Read(SerializeHistory(s), back).damage.has_value());
    EXPECT_EQ(SerializeHistory(back), SerializeHistory(s));
}

TEST(HistoryStore, LoadIntoCurrentLeavesFieldsAloneForAnUnknownTitle) {
    HistoryStore s;
    s.AddOrUpdate("Alien", "2003/1/5", "2");
    std::optional<std::string> date = "d", views = "v";
    EXPECT_FALSE(s.LoadIntoCurrent("alien", date, views));
    EXPECT_EQ(date, "d");
    EXPECT_EQ(views, "v");
}

TEST(HistoryStore, RenameCarriesDateViewsAndLoanLines) {
    HistoryStore s;
    Read(kAlien, s);
    s.AddOrUpdate("Heat", "2003/1/6", "0");
    EXPECT_TRUE(s.Rename("Alien", "Aliens"));
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Aliens", "Heat"}));
    EXPECT_EQ(s.LoanLines("Aliens").size(), 2u);
    EXPECT_EQ(s.Find("Alien"), nullptr);
    EXPECT_FALSE(s.Rename("Alien", "Other"));
    // Onto a taken title nothing is removed: the first record answers, the History page lists both.
    s.AddLoanLine("Heat", "2003/3/1: loaned to Ann.");
    EXPECT_TRUE(s.Rename("Heat", "Aliens"));
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Aliens", "Aliens"}));
    EXPECT_EQ(s.Find("Aliens")->date, "2003/1/5");
    EXPECT_EQ(s.LoanLines("Aliens").size(), 3u);
}

TEST(HistoryStore, RemoveTakesTheRecordWithItsLoanLines) {
    HistoryStore s;
    Read(kAlien, s);
    EXPECT_TRUE(s.Remove("Alien"));
    EXPECT_FALSE(s.Remove("Alien"));
    s.AddOrUpdate("Alien", "2005/1/1", "0");
    EXPECT_TRUE(s.LoanLines("Alien").empty());
}

TEST(HistoryStore, TextsAreCutToWhatTheFileReaderTakes) {
    HistoryStore s;
    EXPECT_TRUE(s.AddOrUpdate("Alien", "2003/1/5 and a lot more text", "12345"));
    EXPECT_EQ(s.Find("Alien")->date.size(), kHistoryDateMax);
    EXPECT_EQ(s.Find("Alien")->views, "1234");
    EXPECT_FALSE(s.AddOrUpdate("", "2003/1/5", "0"));
    EXPECT_FALSE(s.AddOrUpdate(std::string(110, 't'), "2003/1/5", "0"));
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> titles;
    bool damaged;
};

class HistoryReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(HistoryReadTable, KeepsWholeRecordsAndReportsDamage) {
    const ReadCase& c = GetParam();
    HistoryStore s;
    LoadReport report = Read(c.bytes, s);
    EXPECT_EQ(Titles(s), c.titles);
    EXPECT_EQ(report.damage.has_value(), c.damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistoryReadTable,
    ::testing::Values(
        ReadCase{"EmptyFileIsAnEmptyStore", "", {}, false},
        ReadCase{"TwoRecords", kAlien + "Heat\r\n2003/1/6\r\n0\r\nend\r\n", {"Alien", "Heat"}, false},
        ReadCase{"EmptyTitleWithTextAfterItIsDamage", kAlien + "\r\nHeat\r\n2003/1/6\r\n0\r\nend\r\n", {"Alien"}, true},
        ReadCase{"EmptyTitleAtTheEndIsNot", kAlien + "\r\n", {"Alien"}, false},
        ReadCase{"EndWithoutLineEndClosesTheRecord", "Heat\r\n2003/1/6\r\n0\r\nend", {"Heat"}, false},
        ReadCase{"CapitalisedEndIsALoanLine", "Heat\r\n2003/1/6\r\n0\r\nEnd\r\nend\r\n", {"Heat"}, false},
        ReadCase{
            "CutLoanLineKeepsTheRecord", kAlien + "Heat\r\n2003/1/6\r\n0\r\n2003/2/1: lo", {"Alien", "Heat"}, false},
        ReadCase{"FileEndingAfterTitleKeepsTheRecord", kAlien + "Heat", {"Alien", "Heat"}, false},
        ReadCase{"TitleOver109StopsReading", std::string(110, 't') + "\r\n2003/1/6\r\n0\r\nend\r\n", {}, true},
        ReadCase{"DateOf19IsTaken", "Heat\r\n" + std::string(19, '1') + "\r\n0\r\nend\r\n", {"Heat"}, false},
        ReadCase{
            "DateOver19StopsReading", kAlien + "Heat\r\n" + std::string(20, '1') + "\r\n0\r\nend\r\n", {"Alien"}, true},
        ReadCase{"ViewsOver4StopsReading", kAlien + "Heat\r\n2003/1/6\r\n12345\r\nend\r\n", {"Alien"}, true},
        ReadCase{
            "LoanLineOf99IsTaken", "Heat\r\n2003/1/6\r\n0\r\n" + std::string(99, 'l') + "\r\nend\r\n", {"Heat"}, false},
        ReadCase{"LoanLineOver99StopsAfterItsRecord",
                 kAlien + "Heat\r\n2003/1/6\r\n0\r\n" + std::string(100, 'l') + "\r\nend\r\nUp\r\n",
                 {"Alien", "Heat"},
                 true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(HistoryFile, DuplicateTitleUpdatesDateAndViewsAndAddsItsLoanLines) {
    HistoryStore s;
    Read(kAlien + "Heat\r\n2003/1/6\r\n0\r\nend\r\nAlien\r\n2009/9/9\r\n5\r\n2009/9/10: loaned to Ann.\r\nend\r\n", s);
    EXPECT_EQ(Titles(s), (std::vector<std::string>{"Alien", "Heat"}));
    EXPECT_EQ(s.Find("Alien")->date, "2009/9/9");
    EXPECT_EQ(s.LoanLines("Alien").size(), 3u);
    EXPECT_EQ(s.LoanLines("Alien").back(), "2009/9/10: loaned to Ann.");
}

TEST(HistoryFile, ARecordKeepsTheLoanLinesReadBeforeTheFileEndsOrALoanLineRunsOver) {
    HistoryStore s;
    LoadReport report = Read(kAlien + "Heat\r\n2003/1/6\r\n0\r\nloan\r\n", s);
    EXPECT_EQ(report.records, 2u);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(s.LoanLines("Heat"), std::vector<std::string>{"loan"});

    HistoryStore t;
    report = Read("Heat\r\n2003/1/6\r\n0\r\nloan\r\n" + std::string(100, 'l') + "\r\nend\r\n", t);
    ASSERT_TRUE(report.damage.has_value());
    EXPECT_EQ(report.damage->line, 5u);
    EXPECT_EQ(t.LoanLines("Heat"), std::vector<std::string>{"loan"});
}

}  // namespace
}  // namespace cl
