// The page scanners (being written).
#include "imdb/PageScan.h"

namespace cl {

TitleSearchOutcome OutcomeFromNumber(int number) {
    return number >= 0 && number <= 2 ? static_cast<TitleSearchOutcome>(number) : TitleSearchOutcome::Unreadable;
}
void TitleSearchResults::Add(std::string text, std::string link) {
    for (const Entry& e : entries_)
        if (e.text == text) return;
    entries_.push_back({std::move(text), std::move(link)});
}
std::string TitleSearchResults::LinkOf(std::string_view text) const {
    for (const Entry& e : entries_)
        if (e.text == text) return e.link;
    return std::string(kNoTitle);
}
SavedPage ReadSavedPage(std::string_view, std::string_view) {
    return {};
}
std::string AsReadText(std::string_view bytes) {
    return std::string(bytes);
}
TitleSearchOutcome ClassifyFirstPage(std::string_view) {
    return TitleSearchOutcome::Unreadable;
}
TitleSearchOutcome ClassifyFirstPage(const SavedPage&) {
    return TitleSearchOutcome::Unreadable;
}
void ScanResultList(std::string_view, TitleSearchResults&) {}
TitleSearchOutcome SearchTitles(PageFetcher&, const DatabaseHosts&, std::string_view, std::string_view,
                                TitleSearchResults& results) {
    results.Clear();
    return TitleSearchOutcome::Unreadable;
}
TitleYear SplitTitleYear(std::string_view pageTitle) {
    return {std::string(pageTitle), {}};
}
std::string ScanTitle(std::string_view) {
    return std::string(kNoTitle);
}
std::string ScanDirector(std::string_view) {
    return std::string(kNoDirector);
}
std::string ScanGenre(std::string_view) {
    return std::string(kNoGenre);
}
std::string ScanOutline(std::string_view) {
    return {};
}
std::string ScanRuntime(std::string_view) {
    return std::string(kNoRuntime);
}
std::string ScanLanguages(std::string_view) {
    return std::string(kNoLanguage);
}
std::string ScanTagline(std::string_view) {
    return std::string(kNoTagline);
}
std::string ScanCast(std::string_view) {
    return std::string(kNoActors);
}
std::string ScanTitle(const SavedPage&) {
    return std::string(kNoTitle);
}
std::string ScanDirector(const SavedPage&) {
    return std::string(kNoDirector);
}
std::string ScanGenre(const SavedPage&) {
    return std::string(kNoGenre);
}
std::string ScanOutline(const SavedPage&) {
    return {};
}
std::string ScanRuntime(const SavedPage&) {
    return std::string(kNoRuntime);
}
std::string ScanLanguages(const SavedPage&) {
    return std::string(kNoLanguage);
}
std::string ScanTagline(const SavedPage&) {
    return std::string(kNoTagline);
}
std::string ScanCast(const SavedPage&) {
    return std::string(kNoActors);
}
PlotScan ScanPlotMarker(std::string_view) {
    return {};
}
std::string ScanSummaryPage(std::string_view) {
    return std::string(kNoSummary);
}
std::string FetchPlotSummary(PageFetcher&, const DatabaseHosts&, std::string_view, std::string_view) {
    return std::string(kNoSummary);
}
std::string ScanPlot(const SavedPage&, PageFetcher&, const DatabaseHosts&, std::string_view) {
    return std::string(kNoSummary);
}

}  // namespace cl
