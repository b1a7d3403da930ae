// Printing a movie list: the list chosen by the view, the page arithmetic and the order and content of the sheets.
#include "ui/Printing.h"

#include <gtest/gtest.h>

#include "tests/unit/ShellFakes.h"

namespace cl::test {
namespace {

MovieRecord Movie(std::string_view title, std::string_view location = "Ann") {
    return {std::string(title), std::string("?"), {}, std::string(location), {}, 0};
}

TEST(PrintingTest, TheViewsMarkChoosesTheListAndItsTitle) {
    Collection c;
    for (MovieList* list : {&c.main, &c.upcoming, &c.internalGimme}) list->PushFront(Movie("Heat"));
    c.importedGimme.PushFront(Movie("Fargo", std::string(60, 'x')));
    const struct {
        View view;
        const MovieList* list;
        std::string title;
    } cases[] = {{View::Main(), &c.main, "Main Movie List"},
                 {View::OfCategory("Drama"), &c.main, "Main Movie List"},  // no list marked
                 {View::Upcoming(), &c.upcoming, "Upcoming Movie List"},
                 {View::InternalGimme(), &c.internalGimme, "Gimme List"},
                 {View::ImportedGimme(), &c.importedGimme, ("Gimme Import-> " + std::string(60, 'x')).substr(0, 49)}};
    FakeListBox box;
    FakeShellUi ui;
    MainList shown(box, ui, c);
    RecordingPrompts prompts;
    for (const auto& [view, list, title] : cases) {
        shown.Show(view);
        const auto choice = ChooseListToPrint(shown, c, prompts);
        EXPECT_TRUE(choice && choice->list == list && choice->title == title) << title;
    }
    shown.ShowKeepingMark(View::Main());  // a refill under the imported list's mark: the caption on screen
    EXPECT_EQ(ChooseListToPrint(shown, c, prompts).value().title, "Main Movie List");
    c.importedGimme.Clear();
    EXPECT_FALSE(ChooseListToPrint(shown, c, prompts));
    EXPECT_EQ(prompts.messages,
              (std::vector<Box>{{"There Are No Movies To Print In This List.", "", MessageIcon::None, false}}));
}

TEST(PrintingTest, LayoutFollowsThePrintersMetrics) {
    const PrinterMetrics a4{99, 2479, 3508};  // A4 at 300 dpi with the initial font: 31 lines a page
    const struct {
        PrinterMetrics metrics;
        std::size_t movies;
        int linesPerPage, moviesPerPage, pages;
    } cases[] = {
        {a4, 27, 31, 27, 1},            // L - 4 movies fill one page
        {a4, 28, 31, 27, 2},            // one more than a page holds
        {a4, 217, 31, 27, 9},           // two estimates would say 8 and leave the last movie out
        {{99, 2479, 400}, 3, 3, 1, 3},  // no room below the heading: still one movie a page
        {{0, 100, 100}, 200, 90, 86, 3},
    };
    for (const auto& [metrics, movies, linesPerPage, moviesPerPage, pages] : cases) {
        const PrintLayout l = LayOutPrint(metrics, movies);
        EXPECT_EQ(std::tuple(l.linesPerPage, l.moviesPerPage, l.pageCount),
                  std::tuple(linesPerPage, moviesPerPage, pages));
    }
    const PrintLayout l = LayOutPrint(a4, 1);
    EXPECT_EQ(std::pair(l.leftMargin, l.topMargin), std::pair(123, 175));  // 5 % of each side, truncated
}

TEST(PrintingTest, SheetsNumberAcrossPagesAndRepeatPerCopy) {
    MovieList list;
    for (const char* title : {"Alien", "Heat", "Ronin"}) list.InsertOrdered(Movie(title));
    const PrintLayout layout{
        .lineHeight = 10, .linesPerPage = 6, .moviesPerPage = 2, .pageCount = 2, .topMargin = 5, .leftMargin = 3};
    const PrintJob single(list, "Main Movie List", PrintDate(5, 1, 2003), layout, 0, true);
    const std::vector<PrintLine> first{
        {3, 5, "CineLedger: Main Movie List"}, {3, 15, "5/1/2003"}, {3, 45, "1. Alien"}, {3, 55, "2. Heat"}};
    EXPECT_EQ(single.Sheet(0), first);
    EXPECT_EQ(single.Sheet(1), (std::vector<PrintLine>{first[0], first[1], {3, 45, "3. Ronin"}}));

    for (const auto& [collate, pages] : {std::pair{true, std::vector{0, 1, 0, 1}}, {false, {0, 0, 1, 1}}}) {
        const PrintJob job(list, "Main Movie List", "5/1/2003", layout, 2, collate);
        ASSERT_EQ(job.SheetCount(), 4);
        for (int sheet = 0; sheet < 4; ++sheet)
            EXPECT_EQ(job.Sheet(sheet), single.Sheet(pages[sheet])) << "collate " << collate << ", sheet " << sheet;
    }
}

}  // namespace
}  // namespace cl::test
