// Printing a movie list: which list "Print Movie List" prints and under which title, the page layout in the
// printer's device units, and the job as the sheets it puts out, which the Windows side draws line by line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Collection.h"
#include "model/base/Prompts.h"
#include "ui/MainList.h"

namespace cl {

inline constexpr std::string_view kNothingToPrintMessage = "There Are No Movies To Print In This List.";
// Followed by the print dialog's error code (no printer installed, for one).
inline constexpr std::string_view kPrintDialogFailedMessage = "Unable to Open the Print Dialog: ";
inline constexpr std::string_view kPrintDocumentName = "CineLedger";
inline constexpr std::string_view kPrintHeading = "CineLedger: ";
// The imported Gimme list's caption goes into the heading cut to this many characters.
inline constexpr std::size_t kPrintTitleLimit = 49;
// The heading and the date take the first lines of a page; the movies start on this line.
inline constexpr int kFirstMovieLine = 4;

struct PrintChoice {
    const MovieList* list = nullptr;
    std::string title;
};

// The list whose "Movie List" item the main list's view marks, and its title; the Main Movie List when the view
// marks none (a category or presence view). The imported Gimme list goes under the caption the status field shows.
// Nothing, after "There Are No Movies To Print In This List." (no caption, OK only), when that list is empty.
std::optional<PrintChoice> ChooseListToPrint(const MainList& shown, const Collection& c, Prompts& prompts);

// What the printer's device context reports, in its device units.
struct PrinterMetrics {
    int lineHeight = 0;  // the font's height plus its external leading
    int horizontalResolution = 0;
    int verticalResolution = 0;
};

struct PrintLayout {
    int lineHeight = 1;
    int linesPerPage = 0;   // lines that fill 90 % of the page, the heading lines included
    int moviesPerPage = 1;  // the lines from kFirstMovieLine on, at least one
    int pageCount = 1;      // pages of one copy: as many as the movies fill
    int topMargin = 0;
    int leftMargin = 0;
};

PrintLayout LayOutPrint(const PrinterMetrics& metrics, std::size_t movieCount);

struct PrintLine {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const PrintLine&) const = default;
};

// The sheets of a job in the order they come out: collated, the whole document once per copy; otherwise each page
// `copies` times in a row. Every copy of a page carries the same movies, and every copy of the document numbers
// from 1 again.
class PrintJob {
  public:
    // `date` is the day the heading shows; `copies` below 1 counts as one.
    PrintJob(const MovieList& list, std::string_view title, std::string date, const PrintLayout& layout, int copies,
             bool collate);

    int SheetCount() const { return layout_.pageCount * copies_; }
    std::vector<PrintLine> Sheet(int index) const;

  private:
    // A copy: the messages run between pages may reach commands that change the list.
    std::vector<std::string> names_;
    std::string heading_;
    std::string date_;
    PrintLayout layout_;
    int copies_ = 1;
    bool collate_ = true;
};

// The heading's date: day, month and year, "%i/%i/%i".
std::string PrintDate(int day, int month, int year);

}  // namespace cl
