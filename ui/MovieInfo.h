// The Movie Info dialog without its windows: the four tabs and their layouts, which views may open which tab, what
// each page shows, the Date of Entry check on closing, the Internal update of the database record and the check of
// the Number of CD's. The dialog procedures (ui/MovieInfoDialog_win) read the controls, call these and render.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imdb/ImdbStore.h"
#include "media/MediaRecord.h"
#include "model/Collection.h"
#include "model/View.h"
#include "model/base/Prompts.h"
#include "ui/ProgramState.h"

namespace cl {

// No caption of its own: the system's message box then reads "Error".
inline constexpr std::string_view kSystemCaption = "";

inline constexpr std::string_view kMovieInfoCaption = "Movie Info...";
inline constexpr std::string_view kNoAccessMessage = "You Can Not Access This Function From This List.";
inline constexpr std::string_view kDateFormatMessage = "Date format must be entered as: YYYY/MM/DD.";
inline constexpr std::string_view kInvalidCdCountMessage = "Please Enter a Valid Number of CD's.";

enum class MovieInfoTab { Entry = 0, Imdb = 1, History = 2, Media = 3 };
inline constexpr std::array<std::string_view, 4> kMovieInfoTabNames = {"CineLedger", "IMDb", "History", "Divx/VCD"};

// Text limits of the pages' edits (characters).
inline constexpr std::size_t kImdbTitleEditMax = 299;
inline constexpr std::size_t kImdbDirectorEditMax = 79;
inline constexpr std::size_t kImdbTaglineEditMax = 999;
inline constexpr std::size_t kImdbPlotEditMax = 4999;
inline constexpr std::size_t kImdbGenreEditMax = 255;
inline constexpr std::size_t kImdbActorsEditMax = 29999;
inline constexpr std::size_t kImdbLanguageEditMax = 99;
inline constexpr std::size_t kImdbRuntimeEditMax = 99;
inline constexpr std::size_t kImdbYearEditMax = 4;
inline constexpr std::size_t kDateOfEntryEditMax = 10;
inline constexpr std::size_t kViewsEditMax = 4;
inline constexpr std::size_t kCdCountEditMax = 1;
// What closing reads of the Date of Entry (the check still sees a longer text as too long) and of the views.
inline constexpr std::size_t kDateOfEntryReadMax = 19;
// An Internal update reads each of the nine edits up to this many characters.
inline constexpr std::size_t kInternalEditReadMax = 4999;

struct Rgb {
    std::uint8_t red, green, blue;
};
inline constexpr Rgb kPageColour{170, 170, 213};      // the pages' background brush
inline constexpr Rgb kEditableTextColour{150, 0, 0};  // the nine database edits while Internal is chosen
inline constexpr Rgb kReadOnlyTextColour{0, 0, 0};    // every other value the pages show

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The tab control always stands at (10, 10) and the page shown at (15, 35) of the dialog.
inline constexpr int kTabControlLeft = 10, kTabControlTop = 10;
inline constexpr int kPageLeft = 15, kPageTop = 35;

struct TabLayout {
    PixelSize dialog;
    PixelSize tabControl;
    PixelSize page;
    bool pageTakesFocus = false;  // the Divx/VCD page, whose Number of CD's is what the user types next
    bool operator==(const TabLayout&) const = default;
};

// The layout of a tab. The IMDb tab is as wide as the dialog was when it opened (`openingWidth`, its window
// rectangle before the first resize). The dialog opens with the "CineLedger" tab's layout.
TabLayout LayoutOf(MovieInfoTab tab, int openingWidth);

// Tabs 1 to 3 are for the Main Movie List (whole or filtered) only.
bool TabAllowedIn(MovieInfoTab tab, const View& view);

// A change of tab: the layout to apply, or nothing when the view refuses the tab; kNoAccessMessage has then been
// shown (`dialogPrompts`: owner the dialog, system caption, stop icon) and the selection must go back to tab 0
// with the pages as they were.
std::optional<TabLayout> ChangeTab(MovieInfoTab tab, const View& view, int openingWidth, Prompts& dialogPrompts);

// Whether an Auto-IMDb opening goes straight to the IMDb tab and presses its Update button.
bool OpensOnImdbTab(bool autoRetrieve, const View& view);

// Page 101. A value left absent is not set (its control keeps its resource text).
struct EntryPage {
    std::string movie;
    std::string location;
    std::optional<std::string> category;
    std::optional<std::string> status;  // the presence
    std::optional<std::string> medium;
    std::optional<std::string> number;  // decimal
    std::optional<std::string> comments;
    bool labelsEnabled = true;  // the labels Category, Status and Number
};
EntryPage EntryPageFor(const CurrentMovie& movie, const View& view);

// Page 231, filled when the dialog opens.
struct HistoryPage {
    std::string dateOfEntry;
    std::string views;
    std::vector<std::string> loanLines;
};
HistoryPage HistoryPageFor(const HistoryStore& history, const CurrentMovie& movie);

// Page 232's value controls in the order they are written: Format 1210, Width 1195, Height 1196, Length 1198,
// video Bit Rate 1201, Frame Rate 1199, video Codec 1200, audio Bit Rate 1206, audio Codec 1205, Channels 1208,
// Samples 1209.
inline constexpr std::size_t kMediaPageValueCount = 11;
using MediaPageValues = std::array<std::string, kMediaPageValueCount>;
MediaPageValues MediaPageValuesOf(const MediaFields& fields);
// What the page shows when the dialog opens: the values and the Number of CD's, or nothing (controls untouched)
// when the movie has no media details.
struct MediaPage {
    MediaPageValues values;
    std::string cdCount;
};
std::optional<MediaPage> MediaPageFor(const MediaScratch& media);

// The nine database edits of page 203 (the order the Internal update reads them in).
struct ImdbPageValues {
    std::string title;
    std::string director;
    std::string tagline;
    std::string plot;
    std::string genre;
    std::string actors;
    std::string language;
    std::string runtime;
    std::string year;
    bool operator==(const ImdbPageValues&) const = default;
};

// What the page shows for the scratch: absent fields empty, and a field holding its own sentinel word ("NOTAGLINE",
// "NOSUMMARY", "NOGENRE", "NOLANGUAGE", "NORUNTIME") empty too.
ImdbPageValues ShownImdbValues(const CurrentImdbInfo& info);

// Filling the IMDb page on a tab change: when the scratch holds no title, the movie's record is loaded into it
// (LoadCurrent). The values to show, or nothing (edits untouched) when there is neither.
std::optional<ImdbPageValues> ImdbPageFor(const ImdbStore& store, std::string_view movieTitle,
                                          CurrentImdbInfo& current);

// Update with the source Internal: the scratch is cleared and takes the typed values (an emptied field stays
// empty, no sentinel word), and they are stored under the current movie's key with its number. False when the
// store refused the key (a title too long for one).
bool StoreInternalEdits(ImdbStore& store, const CurrentMovie& movie, CurrentImdbInfo& current,
                        const ImdbPageValues& typed);

// The Date of Entry as typed (at most kDateOfEntryReadMax characters are looked at): at most 10 characters, a '/'
// as the 5th and another as the 7th or 8th.
bool DateOfEntryValid(std::string_view typed);

// Closing (Escape or the close box). In a view of the Main Movie List the date is checked: an invalid one shows
// kDateFormatMessage (`dialogPrompts`, system caption, stop icon) and answers false, the dialog stays open and
// nothing changed. A valid date and the views (cut at 4) go to the history store under the current movie's title.
// Then the current movie, the database scratch and the media details are cleared, and the retrieval's leftover
// pages ("FirstPage.txt", "Summary.txt" of `dataDirectory`) removed; true: the dialog may end.
bool CloseMovieInfo(Collection& c, ProgramState& state, const View& view, std::string_view typedDate,
                    std::string_view typedViews, std::string_view dataDirectory, Prompts& dialogPrompts);

// The Number of CD's as the Update button of the Divx/VCD page reads it: its first character, '0' to '9'. Nothing
// for anything else, an empty field too (the caller shows kInvalidCdCountMessage).
std::optional<int> ParseCdCount(std::string_view typed);

}  // namespace cl
