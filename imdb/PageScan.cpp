// The title search and the page scanners. Each scanner walks the page with a PageCursor exactly as the character
// reading rules go; only the limits and the open cases (docs/DECISIONS.md, "Reading the database's pages") are ours.
#include "imdb/PageScan.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "imdb/PageCursor.h"
#include "imdb/SearchQuery.h"
#include "model/base/NativePath.h"
#include "model/base/Title.h"

namespace cl {
namespace {

// Longest character reference taken: '&', '#', digits and ';' within this many characters after the '&'.
constexpr std::size_t kReferenceMax = 12;
constexpr std::size_t kPlotPositionMin = 500;
constexpr std::size_t kOutlinePositionMin = 200;
constexpr std::size_t kCastLookAhead = 150;

enum class References { Kept, Decoded, DecodedDoubled };
enum class LineEnds { Kept, Dropped, LastDropped };  // LastDropped: only a line end right before the '<'

// After an '&' that a '#' follows: the reference's character, the cursor behind its ';'. Without a ';' close
// enough the '&' is an ordinary character and the cursor stays behind it.
bool DecodeReference(PageCursor& cur, char& decoded) {
    const std::size_t afterAmpersand = cur.Position();
    std::uint32_t number = 0;  // only its low eight bits count, so wrapping does no harm
    bool digits = true;
    cur.Get();  // the '#'
    for (std::size_t n = 2; n <= kReferenceMax; ++n) {
        const int c = cur.Get();
        if (c == kPageEnd) break;
        if (c == ';') {
            decoded = static_cast<char>(number & 0xFF);
            return true;
        }
        if (digits && c >= '0' && c <= '9') {
            number = number * 10 + static_cast<std::uint32_t>(c - '0');
        } else {
            digits = false;
        }
    }
    cur.Step(static_cast<std::ptrdiff_t>(afterAmpersand) - static_cast<std::ptrdiff_t>(cur.Position()));
    return false;
}

// Reads up to and including the next '<' (or the end) into a field of `limit` characters.
std::string ReadText(PageCursor& cur, std::size_t limit, References refs, LineEnds lineEnds) {
    FieldText field(limit);
    bool storedLineEndLast = false;  // the last character read was a line end, and the field took it
    const auto put = [&](char c) {
        storedLineEndLast = false;
        if (c == '\n' && lineEnds == LineEnds::Dropped) return;
        storedLineEndLast = field.Put(c) && c == '\n';
    };
    int c = cur.Get();
    for (; c != kPageEnd && c != '<'; c = cur.Get()) {
        if (c == '&' && refs != References::Kept) {
            if (cur.Get() != '#') {
                cur.Step(-1);
                put('&');
                continue;
            }
            cur.Step(-1);
            char decoded = '&';
            const bool isReference = DecodeReference(cur, decoded);
            put(decoded);
            if (isReference && decoded == '&' && refs == References::DecodedDoubled) put('&');
            continue;
        }
        put(static_cast<char>(c));
    }
    std::string& text = field.Text();
    // A page that ends without a '<' has no line end "right before the '<'": its last line end stays.
    if (lineEnds == LineEnds::LastDropped && c == '<' && storedLineEndLast) text.pop_back();
    return std::move(text);
}

// One line as a 256-byte line buffer reads it: up to and including the line end, at most 255 characters.
std::string ReadLine(PageCursor& cur) {
    FieldText line(kGenreLineMax);
    for (std::size_t read = 0; read < kGenreLineMax && !cur.AtEnd(); ++read) {
        const char c = static_cast<char>(cur.Get());
        line.Put(c);
        if (c == '\n') break;
    }
    return std::move(line.Text());
}

bool FindPlotMarker(PageCursor& cur, std::size_t positionMin) {
    while (cur.FindMarker("P", {"lot Outline", "lot Summary"}))
        if (cur.Position() > positionMin) return true;
    return false;
}

std::string JoinGenres(const std::vector<std::string>& names) {
    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if ((!name.empty() && name[0] == '(') || (name.size() > 1 && name[1] == 'm')) break;
        joined += name;
        if (i + 1 < names.size() && names[i + 1].rfind("(m", 0) != 0) joined += ", ";
    }
    if (joined.size() > kGenreTextMax) joined.resize(kGenreTextMax);
    return joined;
}

// In the narrow form the fetcher is given paths.
std::string InDataDirectory(std::string_view dataDirectory, std::string_view fileName) {
    return NativeFromPath(PathFromNative(dataDirectory) / std::string(fileName));
}

template <typename Scan>
std::string ScanSaved(const SavedPage& page, std::string_view sentinel, Scan scan) {
    return page.readable ? scan(std::string_view(page.text)) : std::string(sentinel);
}

}  // namespace

TitleSearchOutcome OutcomeFromNumber(int number) {
    return number >= 0 && number <= 2 ? static_cast<TitleSearchOutcome>(number) : TitleSearchOutcome::Unreadable;
}

void TitleSearchResults::Add(std::string text, std::string link) {
    if (!index_.try_emplace(text, entries_.size()).second) return;  // the first link stays
    entries_.push_back({std::move(text), std::move(link)});
}

std::string TitleSearchResults::LinkOf(std::string_view text) const {
    const auto found = index_.find(std::string(text));
    return found == index_.end() ? std::string(kNoTitle) : entries_[found->second].link;
}

void TitleSearchResults::Clear() {
    entries_.clear();
    index_.clear();
}

std::string AsReadText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != '\r' || i + 1 >= bytes.size() || bytes[i + 1] != '\n') text += bytes[i];
    return text;
}

SavedPage ReadSavedPage(std::string_view dataDirectory, std::string_view fileName) {
    return ReadPageFile(PathFromNative(InDataDirectory(dataDirectory, fileName)));
}

SavedPage ReadPageFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::string bytes(kSavedPageLimit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return {true, AsReadText(bytes)};
}

TitleSearchOutcome ClassifyFirstPage(std::string_view page) {
    PageCursor cur(page);
    std::string title;
    do {
        if (!cur.FindMarker("tT", {"itle>", "ITLE>"})) return TitleSearchOutcome::TitlePage;
        cur.ReadUntil('<', kTitleTextMax, title);
    } while (!SameTitle(title, "IMDb title search"));
    return cur.FindMarker('T', "he following titles matched") ? TitleSearchOutcome::ResultList
                                                              : TitleSearchOutcome::NoMatch;
}

TitleSearchOutcome ClassifyFirstPage(const SavedPage& page) {
    return page.readable ? ClassifyFirstPage(std::string_view(page.text)) : TitleSearchOutcome::Unreadable;
}

void ScanResultList(std::string_view page, TitleSearchResults& results) {
    PageCursor cur(page);
    std::string link;
    while (cur.FindMarker('T', "itle?")) {
        cur.Step(-6);
        if (!cur.ReadUntil('"', kResultLinkMax, link)) return;
        cur.Step(1);
        std::string text = ReadText(cur, kTitleTextMax, References::DecodedDoubled, LineEnds::Kept);
        results.Add(std::move(text), link);
    }
}

TitleSearchOutcome SearchTitles(PageFetcher& fetcher, const DatabaseHosts& hosts, std::string_view dataDirectory,
                                std::string_view movieName, TitleSearchResults& results) {
    results.Clear();
    fetcher.FetchUrlToFile(InDataDirectory(dataDirectory, kFirstPageFile),
                           TitleSearchAddress(hosts.titleSearch, movieName), FetchMode::Text);
    const SavedPage page = ReadSavedPage(dataDirectory, kFirstPageFile);
    const TitleSearchOutcome outcome = ClassifyFirstPage(page);
    if (outcome == TitleSearchOutcome::ResultList) ScanResultList(page.text, results);
    return outcome;
}

TitleYear SplitTitleYear(std::string_view pageTitle) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i + 5 < pageTitle.size(); ++i) {
        if (pageTitle[i] != '(' || (pageTitle[i + 5] != ')' && pageTitle[i + 5] != '/')) continue;
        if (!digit(pageTitle[i + 1]) || !digit(pageTitle[i + 2]) || !digit(pageTitle[i + 3]) ||
            !digit(pageTitle[i + 4]))
            continue;
        return {std::string(pageTitle.substr(0, i == 0 ? 0 : i - 1)), std::string(pageTitle.substr(i + 1, 4))};
    }
    return {std::string(pageTitle), {}};
}

std::string ScanTitle(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker('t', "itle>")) return std::string(kNoTitle);
    return ReadText(cur, kTitleTextMax, References::DecodedDoubled, LineEnds::Kept);
}

std::string ScanDirector(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker('D', "irected") || !cur.SkipPast('"') || !cur.SkipPast('"')) return std::string(kNoDirector);
    cur.Step(1);
    return ReadText(cur, kDirectorTextMax, References::DecodedDoubled, LineEnds::Kept);
}

std::string ScanGenre(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker('G', "enre:")) return std::string(kNoGenre);
    ReadLine(cur);  // the rest of the marker's line
    const std::string line = ReadLine(cur);
    std::vector<std::string> names;
    for (std::size_t i = 0; i + 1 < line.size() && names.size() < kGenreNamesMax; ++i) {
        if (line[i] != '"' || line[i + 1] != '>') continue;
        const std::size_t from = i + 2;
        std::size_t to = line.find_first_of("<\n", from);
        if (to == std::string::npos) to = line.size();
        names.push_back(line.substr(from, std::min(to - from, kGenreNameMax)));
        i = to - 1;
    }
    return JoinGenres(names);
}

PlotScan ScanPlotMarker(std::string_view page) {
    PageCursor cur(page);
    if (!FindPlotMarker(cur, kPlotPositionMin)) return {};
    while (!cur.AtEnd()) {
        const int c = cur.Get();
        if (c == '<') {
            const std::string_view next = cur.Read(11);
            if (next.substr(0, 3) == "br>" || next == "a href=\"/Tr") return {PlotScan::Kind::NoLink, {}};
        } else if (c == '(' && cur.Read(5) == "more)") {
            cur.Step(-30);
            std::string link;
            if (!cur.SkipPast('"') || !cur.ReadUntil('"', kSummaryLinkMax, link)) return {};
            return {PlotScan::Kind::Link, std::move(link)};
        }
    }
    return {};
}

std::string ScanOutline(std::string_view page) {
    PageCursor cur(page);
    if (!FindPlotMarker(cur, kOutlinePositionMin)) return {};
    cur.Step(6);
    return ReadText(cur, kPlotTextMax, References::Decoded, LineEnds::LastDropped);
}

std::string ScanRuntime(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker('R', "untime")) return std::string(kNoRuntime);
    cur.Step(5);
    return ReadText(cur, kRuntimeTextMax, References::Kept, LineEnds::Dropped);
}

std::string ScanLanguages(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker('L', "anguages") || !cur.SkipPast('>')) return std::string(kNoLanguage);
    return ReadText(cur, kLanguagesTextMax, References::Kept, LineEnds::Kept);
}

std::string ScanTagline(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker('T', "agline:")) return std::string(kNoTagline);
    cur.Step(5);
    return ReadText(cur, kTaglineTextMax, References::Decoded, LineEnds::Dropped);
}

std::string ScanCast(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker("C", {"ast overview", "omplete cred", "redited cast", "ast</b></a> "}))
        return std::string(kNoActors);
    std::string joined;
    bool last = false;
    for (std::size_t names = 0; !last && names < kCastNamesMax && cur.SkipPast('%') && cur.SkipPast('>'); ++names) {
        const std::string name = ReadText(cur, kCastNameMax, References::DecodedDoubled, LineEnds::Kept);
        if (names > 0) joined += ", ";
        joined += name;
        if (cur.AtEnd()) break;
        // The last actor is the one a non-breaking blank follows within the next stretch of the page.
        for (std::size_t i = 0; i < kCastLookAhead; ++i)
            if (cur.Get() == '&' && cur.Read(4) == "nbsp") last = true;
        cur.Step(-static_cast<std::ptrdiff_t>(kCastLookAhead));
    }
    if (joined.size() > kCastTextMax) joined.resize(kCastTextMax);
    return joined;
}

std::string ScanSummaryPage(std::string_view page) {
    PageCursor cur(page);
    if (!cur.FindMarker('p', "lotpar")) return std::string(kNoSummary);
    cur.Step(2);
    return ReadText(cur, kPlotTextMax, References::Decoded, LineEnds::LastDropped);
}

std::string ScanTitle(const SavedPage& page) {
    return ScanSaved(page, kNoTitle, [](std::string_view p) { return ScanTitle(p); });
}
std::string ScanDirector(const SavedPage& page) {
    return ScanSaved(page, kNoDirector, [](std::string_view p) { return ScanDirector(p); });
}
std::string ScanGenre(const SavedPage& page) {
    return ScanSaved(page, kNoGenre, [](std::string_view p) { return ScanGenre(p); });
}
std::string ScanOutline(const SavedPage& page) {
    return ScanSaved(page, {}, [](std::string_view p) { return ScanOutline(p); });
}
std::string ScanRuntime(const SavedPage& page) {
    return ScanSaved(page, kNoRuntime, [](std::string_view p) { return ScanRuntime(p); });
}
std::string ScanLanguages(const SavedPage& page) {
    return ScanSaved(page, kNoLanguage, [](std::string_view p) { return ScanLanguages(p); });
}
std::string ScanTagline(const SavedPage& page) {
    return ScanSaved(page, kNoTagline, [](std::string_view p) { return ScanTagline(p); });
}
std::string ScanCast(const SavedPage& page) {
    return ScanSaved(page, kNoActors, [](std::string_view p) { return ScanCast(p); });
}

std::string FetchPlotSummary(PageFetcher& fetcher, const DatabaseHosts& hosts, std::string_view dataDirectory,
                             std::string_view link) {
    fetcher.FetchUrlToFile(InDataDirectory(dataDirectory, kSummaryFile), hosts.site + std::string(link),
                           FetchMode::Text);
    const SavedPage summary = ReadSavedPage(dataDirectory, kSummaryFile);
    return ScanSaved(summary, kNoSummary, [](std::string_view p) { return ScanSummaryPage(p); });
}

std::string ScanPlot(const SavedPage& page, PageFetcher& fetcher, const DatabaseHosts& hosts,
                     std::string_view dataDirectory) {
    if (!page.readable) return std::string(kNoSummary);
    const PlotScan plot = ScanPlotMarker(page.text);
    switch (plot.kind) {
        case PlotScan::Kind::NoLink:
            return std::string(kNoLink);
        case PlotScan::Kind::Link:
            return FetchPlotSummary(fetcher, hosts, dataDirectory, plot.link);
        case PlotScan::Kind::NoSummary:
            break;
    }
    return std::string(kNoSummary);
}

}  // namespace cl
