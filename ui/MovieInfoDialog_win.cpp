// The Movie Info dialog (125): four tabbed pages over the current movie, the database retrieval and the file
// information retrieval started from them. The pages are modeless children that one procedure serves; the
// retrievals run their slow halves on worker threads and are applied here, on the user-interface thread, when the
// worker's message arrives (ui/Retrieval, ui/FileInfoRetrieval decide what changes and what is shown).
#include <windows.h>
// The common controls header needs windows.h before it.
#include <commctrl.h>

#include <array>
#include <memory>

#include "imdb/CoverPicture_win.h"
#include "imdb/Covers.h"
#include "res/MovieInfoDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/MovieInfo.h"
#include "ui/ReadOnlyGuard_win.h"
#include "ui/Retrieval_win.h"

namespace cl {
namespace {

constexpr COLORREF Colour(Rgb c) {
    return RGB(c.red, c.green, c.blue);
}

// The page templates in creation order, which is also the order of their tabs.
constexpr std::array<int, 4> kPageTemplates = {IDD_INFO_ENTRY, IDD_INFO_IMDB, IDD_INFO_HISTORY, IDD_INFO_MEDIA};
enum Page { kEntryPage, kImdbPage, kHistoryPage, kMediaPage };

// The nine database edits in the order the Internal update reads them, with their limits.
struct ImdbEdit {
    int id;
    std::size_t limit;
    std::string ImdbPageValues::*value;
};
constexpr std::array<ImdbEdit, 9> kImdbEdits = {{{IDC_IMDB_TITLE, kImdbTitleEditMax, &ImdbPageValues::title},
                                                 {IDC_IMDB_DIRECTOR, kImdbDirectorEditMax, &ImdbPageValues::director},
                                                 {IDC_IMDB_TAGLINE, kImdbTaglineEditMax, &ImdbPageValues::tagline},
                                                 {IDC_IMDB_PLOT, kImdbPlotEditMax, &ImdbPageValues::plot},
                                                 {IDC_IMDB_GENRE, kImdbGenreEditMax, &ImdbPageValues::genre},
                                                 {IDC_IMDB_ACTORS, kImdbActorsEditMax, &ImdbPageValues::actors},
                                                 {IDC_IMDB_LANGUAGE, kImdbLanguageEditMax, &ImdbPageValues::language},
                                                 {IDC_IMDB_RUNTIME, kImdbRuntimeEditMax, &ImdbPageValues::runtime},
                                                 {IDC_IMDB_YEAR, kImdbYearEditMax, &ImdbPageValues::year}}};

// Page 232's values in the order MediaPageValuesOf gives them.
constexpr std::array<int, kMediaPageValueCount> kMediaValues = {
    IDC_MEDIA_FORMAT,      IDC_MEDIA_WIDTH,      IDC_MEDIA_HEIGHT, IDC_MEDIA_LENGTH,
    IDC_MEDIA_BIT_RATE,    IDC_MEDIA_FRAME_RATE, IDC_MEDIA_CODEC,  IDC_MEDIA_AUDIO_BIT_RATE,
    IDC_MEDIA_AUDIO_CODEC, IDC_MEDIA_CHANNELS,   IDC_MEDIA_SAMPLES};

// A value left absent keeps its control's text.
void SetText(HWND window, int id, const std::optional<std::string>& text) {
    if (text) SetDlgItemTextA(window, id, text->c_str());
}

bool IsImdbEdit(int id) {
    for (const ImdbEdit& edit : kImdbEdits)
        if (edit.id == id) return true;
    return false;
}

class MovieInfoDialog final : public RetrievalHost {
  public:
    MovieInfoDialog(HINSTANCE instance, Workbench& w, MainList& list)
        : instance_(instance), w_(w), list_(list), retrieval_(instance, w, *this, prompts_) {}

    void Run(HWND owner) { RunModal(instance_, IDD_MOVIE_INFO, owner, *this); }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                dialog_ = dialog;
                prompts_.SetOwner(dialog);
                Open();
                SetFocus(tabs_);  // not a text box: no caret where nothing can be typed
                return FALSE;
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                if (header->idFrom == IDC_INFO_TABS && header->code == TCN_SELCHANGE) ChangeTab();
                return TRUE;
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == IDCANCEL) Close();
                return TRUE;
            default:
                return retrieval_.HandleMessage(message, wParam) ? TRUE : FALSE;
        }
    }

    // The one procedure of the four pages.
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        if (message == WM_INITDIALOG) SetWindowLongPtrA(page, DWLP_USER, lParam);
        auto* self = reinterpret_cast<MovieInfoDialog*>(GetWindowLongPtrA(page, DWLP_USER));
        if (self == nullptr) return FALSE;
        return Guarded([&] { return self->HandlePage(page, message, wParam, lParam); }, INT_PTR{FALSE});
    }

    // ---- RetrievalHost: what the retrievals show on the pages ----

    HWND Dialog() const override { return dialog_; }
    HWND ImdbPage() const override { return pages_[kImdbPage]; }
    HWND MediaPage() const override { return pages_[kMediaPage]; }

    void ShowValues(const ImdbPageValues& values) override {
        HWND page = pages_[kImdbPage];
        InvalidateRect(tabs_, nullptr, TRUE);
        SendMessageA(page, WM_SETREDRAW, FALSE, 0);
        SetImdbEdits(values);
        SendMessageA(page, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(page, nullptr, TRUE);
    }

    void ShowCover(const std::filesystem::path& coverFile) override {
        cover_.reset();
        LoadCoverPicture(coverFile, cover_);
        InvalidateRect(pages_[kImdbPage], nullptr, TRUE);
    }

    void ReleaseCover() override { cover_.reset(); }

    void ShowMedia(const MediaPageValues& values) override { SetMediaValues(values); }

    void RetrievalRunning(bool running) override {
        EnableWindow(GetDlgItem(pages_[kImdbPage], IDC_IMDB_UPDATE), running ? FALSE : TRUE);
        EnableWindow(GetDlgItem(pages_[kMediaPage], IDC_MEDIA_UPDATE), running ? FALSE : TRUE);
        if (!running && closing_) PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);  // the close put off
    }

  private:
    // ---- The dialog ----

    void Open() {
        tabs_ = GetDlgItem(dialog_, IDC_INFO_TABS);
        for (std::size_t i = 0; i < pages_.size(); ++i)
            pages_[i] = CreateDialogParamA(instance_, MAKEINTRESOURCEA(kPageTemplates[i]), dialog_, &PageProc,
                                           reinterpret_cast<LPARAM>(this));
        const HistoryPage history = HistoryPageFor(w_.collection.history, w_.state.currentMovie);
        HWND historyPage = pages_[kHistoryPage];
        for (const std::string& line : history.loanLines)
            SendDlgItemMessageA(historyPage, IDC_HISTORY_LOANS, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(line.c_str()));
        SetDlgItemTextA(historyPage, IDC_HISTORY_DATE, history.dateOfEntry.c_str());
        SetDlgItemTextA(historyPage, IDC_HISTORY_VIEWS, history.views.c_str());
        if (const std::optional<cl::MediaPage> media = MediaPageFor(w_.state.currentMedia)) {
            SetMediaValues(media->values);
            SetDlgItemTextA(pages_[kMediaPage], IDC_MEDIA_CDS, media->cdCount.c_str());
        }
        for (std::size_t i = 0; i < kMovieInfoTabNames.size(); ++i) {
            std::string name(kMovieInfoTabNames[i]);
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = name.data();
            SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        RECT opened = {};
        GetWindowRect(dialog_, &opened);
        openingWidth_ = opened.right - opened.left;
        ShowPage(MovieInfoTab::Entry, LayoutOf(MovieInfoTab::Entry, openingWidth_));
        FillEntryPage();
        if (OpensOnImdbTab(w_.state.autoRetrieve, list_.CurrentView())) {
            SendMessageA(tabs_, TCM_SETCURSEL, kImdbPage, 0);
            ShowPage(MovieInfoTab::Imdb, LayoutOf(MovieInfoTab::Imdb, openingWidth_));
            SendMessageA(pages_[kImdbPage], WM_COMMAND, IDC_IMDB_UPDATE, 0);
        }
    }

    // Lays the dialog out for a tab, shows its page and hides the others.
    void ShowPage(MovieInfoTab tab, const TabLayout& layout) {
        const int shown = static_cast<int>(tab);
        SetWindowPos(dialog_, nullptr, 0, 0, layout.dialog.width, layout.dialog.height, SWP_NOMOVE | SWP_NOZORDER);
        SetWindowPos(tabs_, nullptr, kTabControlLeft, kTabControlTop, layout.tabControl.width, layout.tabControl.height,
                     SWP_NOZORDER);
        for (std::size_t i = 0; i < pages_.size(); ++i)
            if (static_cast<int>(i) != shown) ShowWindow(pages_[i], SW_HIDE);
        HWND page = pages_[shown];
        SetWindowPos(page, HWND_TOP, kPageLeft, kPageTop, layout.page.width, layout.page.height, SWP_SHOWWINDOW);
        currentTab_ = shown;
        if (tab == MovieInfoTab::Imdb) FillImdbPage();
        if (layout.pageTakesFocus) SetFocus(page);
    }

    void ChangeTab() {
        const auto tab = static_cast<MovieInfoTab>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
        const std::optional<TabLayout> layout = cl::ChangeTab(tab, list_.CurrentView(), openingWidth_, prompts_);
        if (!layout) {
            SendMessageA(tabs_, TCM_SETCURSEL, kEntryPage, 0);
            return;
        }
        ShowPage(tab, *layout);
        if (tab == MovieInfoTab::Entry) FillEntryPage();
    }

    void FillEntryPage() {
        HWND page = pages_[kEntryPage];
        const EntryPage entry = EntryPageFor(w_.state.currentMovie, list_.CurrentView());
        for (int label : {IDC_ENTRY_CATEGORY_LABEL, IDC_ENTRY_STATUS_LABEL, IDC_ENTRY_NUMBER_LABEL})
            EnableWindow(GetDlgItem(page, label), entry.labelsEnabled ? TRUE : FALSE);
        SetDlgItemTextA(page, IDC_ENTRY_MOVIE, entry.movie.c_str());
        SetDlgItemTextA(page, IDC_ENTRY_LOCATION, entry.location.c_str());
        SetText(page, IDC_ENTRY_CATEGORY, entry.category);
        SetText(page, IDC_ENTRY_STATUS, entry.status);
        SetText(page, IDC_ENTRY_MEDIUM, entry.medium);
        SetText(page, IDC_ENTRY_NUMBER, entry.number);
        SetText(page, IDC_ENTRY_COMMENTS, entry.comments);
    }

    void FillImdbPage() {
        const CurrentMovie& movie = w_.state.currentMovie;
        const std::optional<ImdbPageValues> values =
            ImdbPageFor(w_.collection.imdb, movie.title.value_or(""), w_.state.currentImdb);
        if (values) SetImdbEdits(*values);
        // The cover file is not opened while a worker may be moving or writing it: its result shows the cover.
        if (!cover_ && !retrieval_.CoverBusy()) LoadCover();
    }

    void SetImdbEdits(const ImdbPageValues& values) {
        for (const ImdbEdit& edit : kImdbEdits)
            SetDlgItemTextA(pages_[kImdbPage], edit.id, (values.*edit.value).c_str());
    }

    void LoadCover() { LoadCoverPicture(CoverPath(w_.dataDirectory, w_.state.currentMovie.number), cover_); }

    void SetMediaValues(const MediaPageValues& values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            SetDlgItemTextA(pages_[kMediaPage], kMediaValues[i], values[i].c_str());
    }

    // Escape or the close box. While a retrieval runs the dialog only asks it to stop, takes no more input, and
    // closes once the worker has finished (the date is checked then, as for any close).
    void Close() {
        if (retrieval_.Running()) {
            closing_ = true;
            retrieval_.Cancel();
            EnableWindow(dialog_, FALSE);
            return;
        }
        if (closing_) {  // the close put off: a date message must show over a dialog that takes input again
            closing_ = false;
            EnableWindow(dialog_, TRUE);
            SetActiveWindow(dialog_);
        }
        HWND history = pages_[kHistoryPage];
        if (!CloseMovieInfo(w_.collection, w_.state, list_.CurrentView(),
                            ControlText(history, IDC_HISTORY_DATE, kDateOfEntryReadMax),
                            ControlText(history, IDC_HISTORY_VIEWS, kViewsEditMax), w_.dataDirectory, prompts_))
            return;
        for (HWND& page : pages_) {
            DestroyWindow(page);
            page = nullptr;
        }
        cover_.reset();
        EndDialog(dialog_, IDCANCEL);
    }

    // ---- The pages ----

    INT_PTR HandlePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                CreatePage(page);
                return FALSE;
            case WM_DESTROY:
                if (--pageCount_ == 0) brush_.reset();
                internalMode_ = false;
                return FALSE;
            case WM_PAINT:
                if (page != pages_[kImdbPage]) return FALSE;
                PaintImdbPage(page);
                return TRUE;
            case WM_CTLCOLORDLG:
                return reinterpret_cast<INT_PTR>(brush_.get());
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORBTN:
                return ControlColour(reinterpret_cast<HDC>(wParam), GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
            case WM_COMMAND:
                PageCommand(page, LOWORD(wParam));
                return TRUE;
            default:
                return FALSE;
        }
    }

    // Pages are created in template order: the first makes the brush, each sets its guards and limits.
    void CreatePage(HWND page) {
        switch (pageCount_++) {
            case kEntryPage:
                brush_.reset(CreateSolidBrush(Colour(kPageColour)));
                guards_[0].Attach(GetDlgItem(page, IDC_ENTRY_COMMENTS));
                break;
            case kImdbPage:
                for (std::size_t i = 0; i < kImdbEdits.size(); ++i) {
                    HWND edit = GetDlgItem(page, kImdbEdits[i].id);
                    guards_[i + 1].Attach(edit);
                    SendMessageA(edit, EM_LIMITTEXT, kImdbEdits[i].limit, 0);
                }
                CheckRadioButton(page, IDC_IMDB_SOURCE_IMDB, IDC_IMDB_SOURCE_INTERNAL, IDC_IMDB_SOURCE_IMDB);
                break;
            case kHistoryPage:
                SendDlgItemMessageA(page, IDC_HISTORY_DATE, EM_LIMITTEXT, kDateOfEntryEditMax, 0);
                SendDlgItemMessageA(page, IDC_HISTORY_VIEWS, EM_LIMITTEXT, kViewsEditMax, 0);
                break;
            default:
                SendDlgItemMessageA(page, IDC_MEDIA_CDS, EM_LIMITTEXT, kCdCountEditMax, 0);
                break;
        }
    }

    void PaintImdbPage(HWND page) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(page, &paint);
        RECT client = {};
        GetClientRect(page, &client);
        PaintCover(cover_.get(), dc, client.right, GetDlgItem(page, IDC_IMDB_COVER_FRAME), currentTab_);
        EndPaint(page, &paint);
    }

    INT_PTR ControlColour(HDC dc, int id) {
        SetTextColor(dc, Colour(internalMode_ && IsImdbEdit(id) ? kEditableTextColour : kReadOnlyTextColour));
        SetBkColor(dc, Colour(kPageColour));
        return reinterpret_cast<INT_PTR>(brush_.get());
    }

    void PageCommand(HWND page, int id) {
        switch (id) {
            case IDC_IMDB_UPDATE:
                if (internalMode_)
                    StoreTypedImdb(page);
                else
                    retrieval_.StartDatabase(!ControlText(page, IDC_IMDB_TITLE, kImdbTitleEditMax).empty());
                break;
            case IDC_IMDB_SOURCE_IMDB:
                SetInternalMode(page, false);
                break;
            case IDC_IMDB_SOURCE_INTERNAL:
                SetInternalMode(page, true);
                break;
            case IDC_MEDIA_UPDATE:
                retrieval_.StartFileInfo(ControlText(page, IDC_MEDIA_CDS, kCdCountEditMax));
                break;
            default:
                break;
        }
    }

    void SetInternalMode(HWND page, bool internal) {
        internalMode_ = internal;
        for (const ImdbEdit& edit : kImdbEdits)
            SendDlgItemMessageA(page, edit.id, EM_SETREADONLY, internal ? FALSE : TRUE, 0);
        InvalidateRect(page, nullptr, TRUE);
    }

    // Internal Update: what was typed is stored under the movie's key, and the page goes back to the IMDb source. A
    // title too long for a key stores nothing: the user is told, and the typed values and Internal mode stay.
    void StoreTypedImdb(HWND page) {
        ImdbPageValues typed;
        for (const ImdbEdit& edit : kImdbEdits) typed.*edit.value = ControlText(page, edit.id, kInternalEditReadMax);
        if (!StoreInternalEdits(w_.collection.imdb, w_.state.currentMovie, w_.state.currentImdb, typed)) {
            prompts_.ShowMessage(kTitleTooLongToStoreMessage, kSystemCaption, MessageIcon::Stop);
            return;
        }
        CheckRadioButton(page, IDC_IMDB_SOURCE_IMDB, IDC_IMDB_SOURCE_INTERNAL, IDC_IMDB_SOURCE_IMDB);
        SetInternalMode(page, false);
    }

    HINSTANCE instance_;
    Workbench& w_;
    MainList& list_;
    HWND dialog_ = nullptr;
    HWND tabs_ = nullptr;
    std::array<HWND, 4> pages_{};
    int openingWidth_ = 0;  // of the window rectangle, before the first layout
    int currentTab_ = kEntryPage;
    int pageCount_ = 0;
    bool internalMode_ = false;
    bool closing_ = false;
    OwnedBrush brush_;
    CoverPicture cover_;
    std::array<ReadOnlyGuard, 10> guards_{ReadOnlyGuard(&internalMode_), ReadOnlyGuard(&internalMode_),
                                          ReadOnlyGuard(&internalMode_), ReadOnlyGuard(&internalMode_),
                                          ReadOnlyGuard(&internalMode_), ReadOnlyGuard(&internalMode_),
                                          ReadOnlyGuard(&internalMode_), ReadOnlyGuard(&internalMode_),
                                          ReadOnlyGuard(&internalMode_), ReadOnlyGuard(&internalMode_)};
    WindowPrompts prompts_;
    Retrieval retrieval_;
};

}  // namespace

void RunMovieInfoDialog(HINSTANCE instance, HWND owner, Workbench& w, MainList& list) {
    MovieInfoDialog(instance, w, list).Run(owner);
}

}  // namespace cl
