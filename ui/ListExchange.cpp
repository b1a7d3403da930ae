// The Externals and Movie List Exchange dialogs' logic.
#include "ui/ListExchange.h"

#include <algorithm>

#include "exchange/GimmeExchangeFile.h"
#include "exchange/MovieExchangeFile.h"
#include "model/base/EntryFormat.h"
#include "model/base/NativePath.h"
#include "res/ExchangeDialogIds.h"
#include "ui/ListCommands.h"

namespace cl {
namespace {

void ReportWriteFailure(Prompts& prompts, std::string_view path, std::string_view error) {
    prompts.ShowMessage(ExchangeWriteFailureMessage(path, error), kErrorCaption, MessageIcon::Stop);
}

}  // namespace

// ---- Externals (113) ----

std::optional<std::string> SourceLine(std::string_view typed, bool formatConversion) {
    if (typed.empty()) return std::nullopt;
    std::string line(typed.substr(0, kSourceReadMax));
    FormatEntry(line, formatConversion);
    return line + std::string(kSourceMark);
}

std::optional<std::string> RequireSourceLine(std::string_view typed, const Collection& c, Prompts& prompts) {
    std::optional<std::string> line = SourceLine(typed, c.settings.formatConversion != 0);
    if (!line) prompts.ShowMessage("You Must Supply a Source.", "Field Error", MessageIcon::Stop);
    return line;
}

ExternalsOutcome ExternalsImport(Workbench& w, ExternalsUi& ui, Prompts& prompts) {
    const std::optional<std::string> path = w.dialogs.OpenFile();
    if (!path) return ExternalsOutcome::End;
    ImportMovieList(PathFromNative(*path), w.collection, w.state.importList, prompts);
    ui.Hide();
    if (w.state.importList.Count() != 0) w.dialogs.MovieListExchange();
    return ExternalsOutcome::End;
}

ExternalsOutcome ExternalsExport(Workbench& w, ExternalsUi& ui, Prompts& prompts, FileWriter& writer) {
    const Collection& c = w.collection;
    const std::optional<std::string> line = RequireSourceLine(ui.SourceText(), c, prompts);
    if (!line) return ExternalsOutcome::KeepOpen;
    const std::optional<std::string> path = w.dialogs.SaveFile();
    if (!path) return ExternalsOutcome::End;
    std::string error;
    const std::filesystem::path file = PathFromNative(*path);
    const bool written = ui.GimmeListChosen() ? WriteGimmeExchange(file, c.internalGimme, *line, writer, error)
                                              : ExportMainList(file, c.main, c.media, *line, writer, error);
    if (!written) ReportWriteFailure(prompts, *path, error);
    return ExternalsOutcome::End;
}

// ---- Movie List Exchange (208) ----

std::vector<MenuItemState> ExchangePopupStates(int selectedCount) {
    const bool one = selectedCount == 1;
    std::vector<MenuItemState> states = {
        {IDM_EXCHANGE_ADD_TO_UPCOMING, selectedCount >= 1},
        {IDM_EXCHANGE_QUARANTINE, selectedCount >= 1},
        {IDM_EXCHANGE_SEARCH_IMDB, one},
        {IDM_EXCHANGE_INFO, one},
        {IDM_EXCHANGE_REMOVE, true},
        {IDM_EXCHANGE_SAVE, true},
    };
    // With nothing selected the two "All" items keep whatever state they had.
    if (selectedCount >= 1) {
        states.push_back({IDM_EXCHANGE_ADD_ALL, true});
        states.push_back({IDM_EXCHANGE_QUARANTINE_ALL, true});
    }
    return states;
}

ExchangeDialog::ExchangeDialog(Workbench& workbench, ListBoxView& box, Prompts& prompts, FileWriter& writer)
    : w_(workbench), box_(box), prompts_(prompts), writer_(writer) {}

void ExchangeDialog::Open() {
    ListBoxFill fill;
    fill.titles.reserve(w_.state.importList.Count());
    for (const ExchangeRecord& record : w_.state.importList) {
        const std::string_view title = record.fields.title ? std::string_view(*record.fields.title) : "";
        fill.titles.push_back(title);
        fill.longestTitle = std::max(fill.longestTitle, title.size());
    }
    box_.Fill(fill);
    box_.SelectFirst();
}

void ExchangeDialog::Execute(int command) {
    switch (command) {
        case IDM_EXCHANGE_ADD_TO_UPCOMING:
            AddToUpcomingList(box_.SelectedLines());
            break;
        case IDM_EXCHANGE_ADD_ALL:
            if (prompts_.AskPlain("Add All Movies To the Upcoming Movie List?", kConfirmationCaption))
                AddToUpcomingList(AllLines());
            break;
        case IDM_EXCHANGE_QUARANTINE_ALL:
            if (prompts_.AskPlain("Add All Movies To Quarantine?", kConfirmationCaption)) Quarantine(AllLines());
            break;
        case IDM_EXCHANGE_QUARANTINE:
            Quarantine(box_.SelectedLines());
            break;
        case IDM_EXCHANGE_SEARCH_IMDB: {
            const int line = box_.CurrentLine();
            if (line >= 0) SearchImdbFor(w_, prompts_, box_.LineText(line));
            break;
        }
        case IDM_EXCHANGE_REMOVE:
            Walk(box_.SelectedLines(), [](const std::string&) {});
            break;
        case IDM_EXCHANGE_SAVE:
            SaveToFile();
            break;
        case IDM_EXCHANGE_INFO:
            Info();
            break;
        default:
            break;
    }
}

void ExchangeDialog::Info() {
    const int line = box_.CurrentLine();
    if (line < 0) return;
    const ExchangeRecord* record = w_.state.importList.Find(box_.LineText(line));
    if (record == nullptr) return;
    MediaScratch& scratch = w_.state.currentMedia;
    scratch.Clear();
    scratch.fields = record->fields;
    scratch.medium = record->medium;
    w_.dialogs.ImportInfo(scratch);
    scratch.Clear();
}

void ExchangeDialog::Close() {
    w_.state.importList.FreeAll();
}

template <class Handle>
void ExchangeDialog::Walk(const std::vector<int>& lines, Handle handle) {
    std::vector<int> sorted(lines);
    std::sort(sorted.begin(), sorted.end());
    RedrawPause pause(box_);
    // From the last line up, so that deleting a line leaves the indexes still to come where they were.
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
        const std::string title = box_.LineText(*it);
        handle(title);
        box_.DeleteLine(*it);
        w_.state.importList.Delete(title);
    }
}

std::vector<int> ExchangeDialog::AllLines() {
    std::vector<int> lines(static_cast<std::size_t>(std::max(box_.LineCount(), 0)));
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = static_cast<int>(i);
    return lines;
}

void ExchangeDialog::AddToUpcomingList(const std::vector<int>& lines) {
    Collection& c = w_.collection;
    const bool upcomingShown = w_.list.CurrentView().kind == ViewKind::Upcoming;
    // The main list takes the added titles at the end, in one go: counting and selecting after each title would
    // make adding many titles to a long list quadratic.
    std::vector<std::string> added;
    Walk(lines, [&](const std::string& title) {
        const UpcomingAddResult result =
            AddToUpcoming(w_.state.importList, title, c.upcoming, c.knownUpcomingLocations, prompts_);
        if (result == UpcomingAddResult::Added && upcomingShown) added.push_back(title);
    });
    w_.list.AddLines(added);
}

void ExchangeDialog::Quarantine(const std::vector<int>& lines) {
    Walk(lines, [this](const std::string& title) { w_.collection.quarantine.Add(title); });
}

void ExchangeDialog::SaveToFile() {
    const std::optional<std::string> path = w_.dialogs.SaveFile();
    if (!path) return;
    std::string error;
    if (!SaveImportList(PathFromNative(*path), w_.state.importList, writer_, error))
        ReportWriteFailure(prompts_, *path, error);
}

}  // namespace cl
