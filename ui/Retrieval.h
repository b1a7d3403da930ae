// Looking a movie up in the movie database from the Movie Info dialog, split in two halves. The worker halves run
// on a worker thread: they download and scan pages into files of the data directory and fill their own job object,
// and touch nothing else (no window, no collection, no program state). The apply halves run on the user-interface
// thread once the worker has said it is done: they show the messages, store the record, correct the title and
// keep the cover files right.
//
// The Windows side, for one Update press:
//   auto job = StartRetrieval(ctx, titleEdit non-empty);        // nothing: stop (the user declined to connect)
//   worker thread: WinInetFetcher f(job->prompts); RunTitleRetrieval(*job, f); PostMessage(dialog, WM_APP + n)
//   on that message: switch (ApplyTitleRetrieval(ctx, *job)) { ShowResults: run dialog 204 over job ... }
// Dialog 204: OpenTitleSearch at its opening, ChooseTitle on OK (a job for RunChosenTitle, whose message is taken
// by ApplyChosenTitle), CancelTitleSearch on Cancel.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "imdb/Hosts.h"
#include "imdb/ImdbStore.h"
#include "imdb/PageFetch.h"
#include "imdb/PageScan.h"
#include "model/base/DeferredPrompts.h"
#include "model/base/Prompts.h"
#include "ui/MovieInfo.h"
#include "ui/Workbench.h"

namespace cl {

inline constexpr std::string_view kNoTitlesMatchedMessage = "Sorry, No Titles Matched Your Search.";
inline constexpr std::string_view kUnableToRetrieveMessage = "Unable To Retrieve Information.";
inline constexpr std::string_view kNoValidInformationMessage = "This Title Does Not Have Valid Information...";
inline constexpr std::string_view kSelectATitleMessage = "Please Select A Movie Or Press Cancel.";
// The movie's title is too long for the key its record would be stored under.
inline constexpr std::string_view kTitleTooLongToStoreMessage = "Title Too Long; Unable To Store Its Information.";

enum class RetrievalOutcome {
    Found,       // a title page was read: `info` holds the record, the movie's cover file is the new cover (if any)
    ResultList,  // the search offered several titles: `results` lists them (the title half only)
    NoMatch,     // the search matched nothing (the title half only)
    Unreadable,  // the search page could not be read (the title half only)
    GaveUp,      // the title page names no director or no cast
    Cancelled,   // `cancel` was seen between two steps
};

// One retrieval, shared (std::shared_ptr) by the dialog that started it and its worker thread.
struct RetrievalJob {
    // Inputs, copied when the retrieval starts.
    std::string movieTitle;
    std::int32_t movieNumber = 0;
    std::string dataDirectory;  // ends in a path separator
    DatabaseHosts hosts;
    std::string chosenText;  // the chosen-title half: the line chosen in dialog 204
    std::string chosenLink;  // and the title page's path it leads to

    // Set by the user-interface thread to stop the worker at its next step.
    std::atomic<bool> cancel{false};

    // Outputs, for the user-interface thread once `finished` is set (the worker sets it last).
    // A worker that stopped (an exception) before its first step reads as a page it could not read, not as a
    // cancel: the user is told and the old cover comes back.
    RetrievalOutcome outcome = RetrievalOutcome::Unreadable;
    CurrentImdbInfo info;        // number, title, year and the fields read, sentinel words as they came
    TitleSearchResults results;  // the titles a result list offered
    bool coverFetched = false;   // the worker wrote the movie's cover file (a download that wrote nothing: false)
    DeferredPrompts prompts;     // what the fetcher and the steps would have told the user; give it to the fetcher
    std::atomic<bool> finished{false};
};

// Removes "FirstPage.txt" and "Summary.txt" of the data directory, as far as they exist.
void RemoveSavedPages(std::string_view dataDirectory);

// ---- Worker halves (any thread; they touch only the job and the data directory's files) ----

// The search for the movie's title and, when it finds a title page, the page's fields in this order: title and year,
// director (none: give up), tagline, plot (the summary page when the plot links one), genre, cast (none: give up),
// languages, runtime, the outline when the plot has no link, then the cover.
void RunTitleRetrieval(RetrievalJob& job, PageFetcher& fetcher);

// The title chosen in dialog 204: its text gives the title and year, its link the page fetched into
// "FirstPage.txt"; then director (none: give up), tagline, plot, cast (none: give up), genre, languages, runtime,
// the cover, and the outline when the plot has no link.
void RunChosenTitle(RetrievalJob& job, PageFetcher& fetcher);

// ---- User-interface halves ----

// The IMDb page of the open Movie Info dialog, where the flows show what they found.
class ImdbPageView {
  public:
    virtual ~ImdbPageView() = default;
    // Sets the nine edits (with the page's redrawing off while they change).
    virtual void ShowValues(const ImdbPageValues& values) = 0;
    // Loads the cover picture from the file (none when it is missing) and repaints the page.
    virtual void ShowCover(const std::filesystem::path& coverFile) = 0;
};

// What the flows work with on the user-interface thread. Messages "without an owner" go to
// bench.desktop.OwnerlessPrompts(); those with an owner to `dialogPrompts`, whose owner is the IMDb page for
// StartRetrieval (the connection question) and dialog 204 for the calls made while it runs. ApplyTitleRetrieval
// shows nothing with an owner.
struct RetrievalContext {
    Workbench& bench;
    Prompts& dialogPrompts;
    ImdbPageView& page;
};

// Update with the source IMDb. When the Title edit shows something, the movie's cover is set aside and the
// scratch cleared (the caller releases the picture it holds). Then the connection question (`dialogPrompts`, the
// IMDb page); a No puts the cover back and answers nothing. Otherwise the job to hand to a worker running
// RunTitleRetrieval.
std::shared_ptr<RetrievalJob> StartRetrieval(RetrievalContext& ctx, bool titleEditFilled);

// What the dialog does once a job's result has been applied.
enum class RetrievalStep {
    Done,         // the retrieval is over: the wait window goes, the Update buttons work again
    ShowResults,  // run dialog 204 (owner the Movie Info dialog) over the job's results
    ChooseAgain,  // (dialog 204) the chosen title gave up: show the dialog again with its list
    Closed,       // the job was cancelled and cleaned up: the closing dialog may end now
};

// Takes a finished RunTitleRetrieval on the user-interface thread: the worker's messages first (without an owner;
// a cancelled job's are dropped), then the outcome. Found: the scratch takes the record, the page shows it and the new
// cover, "FirstPage.txt", "Summary.txt" and "Covers\Temp.jpg" go, the record is stored and, with Title Correction on,
// the title corrected (messages without an owner; a title too long for a key stores nothing and is not corrected,
// after kTitleTooLongToStoreMessage). ResultList: ShowResults. NoMatch, Unreadable: their message (without
// an owner, stop icon), "FirstPage.txt" goes, the old cover comes back (and is shown). GaveUp: the scratch cleared, the
// old cover back, the message, both pages go. A cancelled job (whatever its outcome) stores nothing: the scratch is
// cleared, a cover it wrote goes, the old one comes back and the pages go; Closed.
RetrievalStep ApplyTitleRetrieval(RetrievalContext& ctx, RetrievalJob& job);

// Dialog 204 opening over the search's results: false when the list is empty, after "Sorry, No Titles Matched Your
// Search." (owner the dialog) and the old cover's return; the dialog then ends.
bool OpenTitleSearch(RetrievalContext& ctx, RetrievalJob& search);

// OK in dialog 204 with the selected line's text (nothing when no line is selected). No selection: "Please Select
// A Movie Or Press Cancel." (owner the dialog, exclamation icon), nothing. A text the results do not list: nothing.
// Otherwise, when the Title edit shows something, the cover is set aside and the scratch cleared (the caller
// releases the picture), and the answer is the job for a worker running RunChosenTitle; the dialog hides while it
// runs.
std::shared_ptr<RetrievalJob> ChooseTitle(RetrievalContext& ctx, const RetrievalJob& search,
                                          std::optional<std::string_view> selectedText, bool titleEditFilled);

// Takes a finished RunChosenTitle (`dialogPrompts` owned by dialog 204). Found: the scratch takes the record, the
// set-aside cover goes, the page shows the record and the new cover, the record is stored and, with Title
// Correction on, the title corrected, as ApplyTitleRetrieval does (messages owned by dialog 204); unless the new title
// was refused as a duplicate, the search's results are cleared and the pages go. Done: dialog 204 ends and the Movie
// Info dialog takes the focus. GaveUp: the scratch cleared, the old cover back, the message (owner dialog 204), the
// pages go; ChooseAgain. Cancelled: as ApplyTitleRetrieval; Closed.
RetrievalStep ApplyChosenTitle(RetrievalContext& ctx, RetrievalJob& search, RetrievalJob& job);

// Cancel in dialog 204: the results are cleared, the old cover comes back (and is shown), the pages go.
void CancelTitleSearch(RetrievalContext& ctx, RetrievalJob& search);

}  // namespace cl
