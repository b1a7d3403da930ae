// The database retrieval: the worker halves that read the pages, and the halves that take their results.
#include "ui/Retrieval.h"

#include <system_error>

#include "imdb/Connection.h"
#include "imdb/Covers.h"
#include "model/base/NativePath.h"
#include "model/base/ScopeExit.h"
#include "ui/TitleCorrection.h"

namespace cl {
namespace {

bool Cancelled(RetrievalJob& job) {
    if (!job.cancel.load(std::memory_order_acquire)) return false;
    job.outcome = RetrievalOutcome::Cancelled;
    return true;
}

void RemoveFile(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

// Downloads the cover into the movie's cover file. A cover still there (the dialog showed no record, so set nothing
// aside) goes aside first, so that the download never writes over a picture a cancel must bring back; when the
// download wrote nothing it returns at once. So the file exists afterwards exactly when this job wrote it.
void FetchNewCover(RetrievalJob& job, PageFetcher& fetcher) {
    const std::filesystem::path cover = CoverPath(job.dataDirectory, job.movieNumber);
    std::error_code ignored;
    const bool setAside = std::filesystem::exists(cover, ignored);
    if (setAside) SetCoverAside(job.dataDirectory, job.movieNumber);
    FetchCover(fetcher, job.hosts, job.dataDirectory, job.movieNumber);
    job.coverFetched = std::filesystem::exists(cover, ignored);
    if (setAside && !job.coverFetched) RestoreCover(job.dataDirectory, job.movieNumber);
}

// The fields of a title page, the title and year already set. The scans themselves have no order anyone could
// see; what matters is that no summary is fetched for a page without a director and no cover for one without a
// cast, which both halves share.
void ReadTitlePage(RetrievalJob& job, PageFetcher& fetcher) {
    const SavedPage page = ReadSavedPage(job.dataDirectory, kFirstPageFile);
    CurrentImdbInfo& info = job.info;
    info.director = ScanDirector(page);
    if (*info.director == kNoDirector) {
        job.outcome = RetrievalOutcome::GaveUp;
        return;
    }
    info.tagline = ScanTagline(page);
    if (Cancelled(job)) return;
    info.plot = ScanPlot(page, fetcher, job.hosts, job.dataDirectory);
    info.genre = ScanGenre(page);
    info.actors = ScanCast(page);
    if (*info.actors == kNoActors) {
        job.outcome = RetrievalOutcome::GaveUp;
        return;
    }
    info.language = ScanLanguages(page);
    info.runtime = ScanRuntime(page);
    if (*info.plot == kNoLink) info.plot = ScanOutline(page);
    if (Cancelled(job)) return;
    FetchNewCover(job, fetcher);
    job.outcome = RetrievalOutcome::Found;  // a cancel that comes now is seen by the apply half
}

void StartWork(RetrievalJob& job, std::string_view pageTitle) {
    // Until a step says otherwise, a worker that stops (an exception) reads as a page it could not read.
    job.outcome = RetrievalOutcome::Unreadable;
    job.info = CurrentImdbInfo{};
    job.info.number = std::to_string(job.movieNumber);
    TitleYear split = SplitTitleYear(pageTitle);
    job.info.title = std::move(split.name);
    job.info.year = std::move(split.year);
}

Prompts& Ownerless(RetrievalContext& ctx) {
    return ctx.bench.desktop.OwnerlessPrompts();
}

// The start of every apply half: pairs with the worker's release of `finished`, so that everything the worker
// wrote into the job is seen here, then shows what the worker would have told the user, unless the user closed
// the dialog meanwhile: a cancelled job's messages would speak of a look-up that is gone. True for a cancelled job.
bool TakeResult(RetrievalContext& ctx, RetrievalJob& job) {
    job.finished.load(std::memory_order_acquire);
    if (job.cancel.load(std::memory_order_acquire) || job.outcome == RetrievalOutcome::Cancelled) return true;
    job.prompts.ReplayTo(Ownerless(ctx));
    return false;
}

// Puts the set-aside cover back under the movie's number; a cover this job wrote goes first, so that a movie that
// had none has none again. A cover file the job did not write is the movie's own and stays.
std::filesystem::path BringBackCover(const RetrievalJob& job) {
    if (job.coverFetched) RemoveFile(CoverPath(job.dataDirectory, job.movieNumber));
    return RestoreCover(job.dataDirectory, job.movieNumber);
}

RetrievalStep CleanUpCancelled(RetrievalContext& ctx, const RetrievalJob& job) {
    ImdbStore::ClearCurrent(ctx.bench.state.currentImdb);
    BringBackCover(job);
    RemoveSavedPages(job.dataDirectory);
    return RetrievalStep::Closed;
}

void GiveUp(RetrievalContext& ctx, const RetrievalJob& job, Prompts& prompts) {
    ImdbStore::ClearCurrent(ctx.bench.state.currentImdb);
    ctx.page.ShowCover(BringBackCover(job));
    prompts.ShowMessage(kNoValidInformationMessage, kSystemCaption, MessageIcon::Stop);
    RemoveSavedPages(job.dataDirectory);
}

void ShowFound(RetrievalContext& ctx, const RetrievalJob& job) {
    ctx.bench.state.currentImdb = job.info;
    ctx.page.ShowValues(ShownImdbValues(job.info));
    ctx.page.ShowCover(CoverPath(job.dataDirectory, job.movieNumber));
}

// Stores the record under the movie's key and, when the option is on, gives the movie the database's title. False
// when that title belongs to another movie already. A title too long for the store's key keeps no record: the user
// is told, and the movie keeps its title too, so that a look-up is either kept whole or changes nothing (a shorter
// title and another look-up keep it).
bool StoreFound(RetrievalContext& ctx, const RetrievalJob& job, Prompts& prompts) {
    Collection& c = ctx.bench.collection;
    if (!c.imdb.Put(ImdbKey(job.movieTitle), job.info)) {
        prompts.ShowMessage(kTitleTooLongToStoreMessage, kSystemCaption, MessageIcon::Stop);
        return true;
    }
    if (c.settings.titleCorrection == 0) return true;
    return CorrectTitle(c, ctx.bench.list, ctx.bench.state.currentMovie, job.info.title.value_or(""), prompts) !=
           CorrectionOutcome::Duplicate;
}

// Update, and OK in dialog 204: a title shown means its cover is set aside and the scratch emptied.
void ClearShownRecord(RetrievalContext& ctx, bool titleEditFilled) {
    if (!titleEditFilled) return;
    SetCoverAside(ctx.bench.dataDirectory, ctx.bench.state.currentMovie.number);
    ImdbStore::ClearCurrent(ctx.bench.state.currentImdb);
}

}  // namespace

void RemoveSavedPages(std::string_view dataDirectory) {
    const std::filesystem::path dir = PathFromNative(dataDirectory);
    RemoveFile(dir / std::string(kFirstPageFile));
    RemoveFile(dir / std::string(kSummaryFile));
}

void RunTitleRetrieval(RetrievalJob& job, PageFetcher& fetcher) {
    const auto finish = FlagOnExit(job.finished);
    StartWork(job, {});
    if (Cancelled(job)) return;
    switch (SearchTitles(fetcher, job.hosts, job.dataDirectory, job.movieTitle, job.results)) {
        case TitleSearchOutcome::TitlePage:
            break;
        case TitleSearchOutcome::ResultList:
            job.outcome = RetrievalOutcome::ResultList;
            return;
        case TitleSearchOutcome::NoMatch:
            job.outcome = RetrievalOutcome::NoMatch;
            return;
        case TitleSearchOutcome::Unreadable:
            return;
    }
    if (Cancelled(job)) return;
    StartWork(job, ScanTitle(ReadSavedPage(job.dataDirectory, kFirstPageFile)));
    ReadTitlePage(job, fetcher);
}

void RunChosenTitle(RetrievalJob& job, PageFetcher& fetcher) {
    const auto finish = FlagOnExit(job.finished);
    StartWork(job, job.chosenText);
    if (Cancelled(job)) return;
    const std::string page = NativeFromPath(PathFromNative(job.dataDirectory) / std::string(kFirstPageFile));
    fetcher.FetchUrlToFile(page, job.hosts.site + "/" + job.chosenLink, FetchMode::Text);
    if (Cancelled(job)) return;
    ReadTitlePage(job, fetcher);
}

std::shared_ptr<RetrievalJob> StartRetrieval(RetrievalContext& ctx, bool titleEditFilled) {
    ProgramState& state = ctx.bench.state;
    ClearShownRecord(ctx, titleEditFilled);
    if (!EnsureInternetConnection(ctx.bench.desktop, ctx.dialogPrompts, kConnectQuestion)) {
        // Nothing will look the movie up: its cover belongs where it was.
        ctx.page.ShowCover(RestoreCover(ctx.bench.dataDirectory, state.currentMovie.number));
        return nullptr;
    }
    auto job = std::make_shared<RetrievalJob>();
    job->movieTitle = state.currentMovie.title.value_or("");
    job->movieNumber = state.currentMovie.number;
    job->dataDirectory = ctx.bench.dataDirectory;
    job->hosts = state.hosts;
    return job;
}

RetrievalStep ApplyTitleRetrieval(RetrievalContext& ctx, RetrievalJob& job) {
    if (TakeResult(ctx, job)) return CleanUpCancelled(ctx, job);
    switch (job.outcome) {
        case RetrievalOutcome::Found:
            ShowFound(ctx, job);
            RemoveSavedPages(job.dataDirectory);
            RemoveFile(CoverAsidePath(job.dataDirectory));
            StoreFound(ctx, job, Ownerless(ctx));
            return RetrievalStep::Done;
        case RetrievalOutcome::ResultList:
            return RetrievalStep::ShowResults;
        case RetrievalOutcome::GaveUp:
            GiveUp(ctx, job, Ownerless(ctx));
            return RetrievalStep::Done;
        case RetrievalOutcome::Cancelled:  // taken above
        case RetrievalOutcome::NoMatch:
        case RetrievalOutcome::Unreadable:
            break;
    }
    Ownerless(ctx).ShowMessage(
        job.outcome == RetrievalOutcome::NoMatch ? kNoTitlesMatchedMessage : kUnableToRetrieveMessage, kSystemCaption,
        MessageIcon::Stop);
    RemoveSavedPages(job.dataDirectory);
    ctx.page.ShowCover(BringBackCover(job));
    return RetrievalStep::Done;
}

bool OpenTitleSearch(RetrievalContext& ctx, RetrievalJob& search) {
    if (!search.results.Empty()) return true;
    ctx.dialogPrompts.ShowMessage(kNoTitlesMatchedMessage, kSystemCaption, MessageIcon::Stop);
    ctx.page.ShowCover(BringBackCover(search));
    RemoveSavedPages(search.dataDirectory);
    return false;
}

std::shared_ptr<RetrievalJob> ChooseTitle(RetrievalContext& ctx, const RetrievalJob& search,
                                          std::optional<std::string_view> selectedText, bool titleEditFilled) {
    if (!selectedText) {
        ctx.dialogPrompts.ShowMessage(kSelectATitleMessage, kSystemCaption, MessageIcon::Exclamation);
        return nullptr;
    }
    // Looked up before anything is set aside, so that a refused choice leaves the cover and the shown record alone.
    std::string link = search.results.LinkOf(*selectedText);
    if (link == kNoTitle) return nullptr;
    ClearShownRecord(ctx, titleEditFilled);
    auto job = std::make_shared<RetrievalJob>();
    job->movieTitle = search.movieTitle;
    job->movieNumber = search.movieNumber;
    job->dataDirectory = search.dataDirectory;
    job->hosts = search.hosts;
    job->chosenText = std::string(*selectedText);
    job->chosenLink = std::move(link);
    return job;
}

RetrievalStep ApplyChosenTitle(RetrievalContext& ctx, RetrievalJob& search, RetrievalJob& job) {
    if (TakeResult(ctx, job)) return CleanUpCancelled(ctx, job);
    if (job.outcome != RetrievalOutcome::Found) {
        GiveUp(ctx, job, ctx.dialogPrompts);
        return RetrievalStep::ChooseAgain;
    }
    RemoveFile(CoverAsidePath(job.dataDirectory));
    ShowFound(ctx, job);
    if (StoreFound(ctx, job, ctx.dialogPrompts)) {
        // A title refused as a duplicate stops the flow before this clean-up; closing the dialog removes the pages.
        search.results.Clear();
        RemoveSavedPages(job.dataDirectory);
    }
    return RetrievalStep::Done;
}

void CancelTitleSearch(RetrievalContext& ctx, RetrievalJob& search) {
    search.results.Clear();
    ctx.page.ShowCover(BringBackCover(search));
    RemoveSavedPages(search.dataDirectory);
}

}  // namespace cl
