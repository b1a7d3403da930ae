// Printing a movie list: the choice of list, the layout and the sheets of a job.
#include "ui/Printing.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace cl {
namespace {

long long DivideRoundingUp(long long a, long long b) {
    return (a + b - 1) / b;
}

}  // namespace

std::optional<PrintChoice> ChooseListToPrint(const MainList& shown, const Collection& c, Prompts& prompts) {
    PrintChoice choice{&c.main, std::string(kMainCaption)};
    switch (shown.CurrentMark()) {
        case ViewMark::Upcoming:
            choice = {&c.upcoming, std::string(kUpcomingCaption)};
            break;
        case ViewMark::InternalGimme:
            choice = {&c.internalGimme, std::string(kGimmeCaption)};
            break;
        case ViewMark::ImportedGimme:
            // What the status field shows, which after a refill that keeps the mark need not be the list's caption.
            choice = {&c.importedGimme, shown.Status().caption.substr(0, kPrintTitleLimit)};
            break;
        case ViewMark::Main:
        case ViewMark::None:
            break;
    }
    if (!choice.list->Empty()) return choice;
    prompts.ShowMessage(kNothingToPrintMessage, {}, MessageIcon::None);
    return std::nullopt;
}

PrintLayout LayOutPrint(const PrinterMetrics& metrics, std::size_t movieCount) {
    PrintLayout layout;
    // A printer that reports no font height still gets one line per device unit rather than a division by zero.
    layout.lineHeight = std::max(1, metrics.lineHeight);
    layout.linesPerPage = std::max(0, static_cast<int>(metrics.verticalResolution * 0.9 / layout.lineHeight));
    // A page too short for the heading lines still carries one movie, so that the job ends.
    layout.moviesPerPage = std::max(1, layout.linesPerPage - kFirstMovieLine);
    layout.topMargin = static_cast<int>(metrics.verticalResolution * 0.05);
    layout.leftMargin = static_cast<int>(metrics.horizontalResolution * 0.05);

    // As many pages as the movies fill. Counting the movies' pages first and then the movies with four heading
    // lines per page never gives more, and for some long lists one page less (217 movies at 31 lines a page: 8 of 9),
    // which would leave the last movies unprinted.
    const auto movies = static_cast<long long>(movieCount);
    const long long pages = std::max(1LL, DivideRoundingUp(movies, layout.moviesPerPage));
    layout.pageCount = static_cast<int>(pages);
    return layout;
}

PrintJob::PrintJob(const MovieList& list, std::string_view title, std::string date, const PrintLayout& layout,
                   int copies, bool collate)
    : heading_(std::string(kPrintHeading) + std::string(title)),
      date_(std::move(date)),
      layout_(layout),
      copies_(std::max(1, copies)),
      collate_(collate) {
    names_.reserve(list.Count());
    for (const MovieRecord& record : list) names_.push_back(record.title);
}

std::vector<PrintLine> PrintJob::Sheet(int index) const {
    const int page = collate_ ? index % layout_.pageCount : index / copies_;
    const int x = layout_.leftMargin;
    const auto y = [&](int line) { return layout_.topMargin + line * layout_.lineHeight; };
    std::vector<PrintLine> lines{{x, y(0), heading_}, {x, y(1), date_}};
    const std::size_t first = static_cast<std::size_t>(page) * static_cast<std::size_t>(layout_.moviesPerPage);
    const std::size_t end = std::min(names_.size(), first + static_cast<std::size_t>(layout_.moviesPerPage));
    for (std::size_t movie = first; movie < end; ++movie) {
        const int line = kFirstMovieLine + static_cast<int>(movie - first);
        lines.push_back({x, y(line), std::to_string(movie + 1) + ". " + names_[movie]});
    }
    return lines;
}

std::string PrintDate(int day, int month, int year) {
    char text[40];
    std::snprintf(text, sizeof text, "%i/%i/%i", day, month, year);
    return text;
}

}  // namespace cl
