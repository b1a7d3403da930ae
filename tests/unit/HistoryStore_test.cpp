// The history: date of entry, views and loan lines per exact title, each text kept as the file can carry it.
#include "model/HistoryStore.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

using Strings = std::vector<std::string>;

TEST(HistoryStore, AnUpdateReplacesDateAndViewsAndKeepsTheLoanLines) {
    HistoryStore s;
    s.AddOrUpdate("Alien", "2003/1/5", "0");
    s.AddOrUpdate("Heat", "2003/1/6", "0");
    EXPECT_TRUE(s.AddLoanLine("Alien", "2003/2/1: loaned to Mike."));
    EXPECT_FALSE(s.AddLoanLine("Brazil", "no record, no loan line"));
    EXPECT_FALSE(s.AddLoanLine("Alien", "end"));  // it would close the record in the file
    EXPECT_TRUE(s.AddLoanLine("Alien", "End"));
    EXPECT_TRUE(s.AddLoanLine("Alien", "two\nlines" + std::string(120, 'l')));
    EXPECT_TRUE(s.AddOrUpdate("Alien", "2004/3/3 and a lot more text", "12345"));
    EXPECT_EQ(SerializeHistory(s),
              "Alien\r\n2004/3/3 and a lot \r\n1234\r\n2003/2/1: loaned to Mike.\r\nEnd\r\ntwo lines" +
                  std::string(90, 'l') + "\r\nend\r\nHeat\r\n2003/1/6\r\n0\r\nend\r\n");

    std::optional<std::string> date, views;
    EXPECT_FALSE(s.LoadIntoCurrent("alien", date, views));
    EXPECT_FALSE(date || views);
    EXPECT_TRUE(s.LoadIntoCurrent("Alien", date, views));
    EXPECT_EQ(date, "2004/3/3 and a lot ");
    EXPECT_EQ(views, "1234");
}

TEST(HistoryStore, ARenamedOrRemovedRecordTakesItsLoanLinesAlong) {
    HistoryStore s;
    s.AddRecord("Alien", "2003/1/5", "2", {"loaned to Mike.", "returned."});
    s.AddRecord("Heat", "2003/1/6", "0", {"loaned to Ann."});
    EXPECT_TRUE(s.Rename("Alien", "Aliens"));
    EXPECT_EQ(s.LoanLines("Aliens"), (Strings{"loaned to Mike.", "returned."}));
    EXPECT_TRUE(s.LoanLines("Alien").empty());
    // Onto a taken title the first record answers, and the History page lists the loan lines of both.
    EXPECT_TRUE(s.Rename("Heat", "Aliens"));
    ASSERT_NE(s.Find("Aliens"), nullptr);
    EXPECT_EQ(s.Find("Aliens")->date, "2003/1/5");
    EXPECT_EQ(s.LoanLines("Aliens"), (Strings{"loaned to Mike.", "returned.", "loaned to Ann."}));
    EXPECT_TRUE(s.Remove("Aliens"));
    EXPECT_EQ(s.LoanLines("Aliens"), Strings{"loaned to Ann."});
}

}  // namespace
}  // namespace cl
