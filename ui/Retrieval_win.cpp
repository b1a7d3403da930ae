// The retrievals' threads, wait windows and the Title Search dialog (204).
#include "ui/Retrieval_win.h"

#include <commdlg.h>

#include <thread>

#include "imdb/PageFetch_win.h"
#include "model/base/NativePath.h"
#include "model/base/ScopeExit.h"
#include "res/MovieInfoDialogIds.h"
#include "ui/Dialogs_win.h"

namespace cl {
namespace {

// The workers' messages: wParam is 1 when the worker stopped on an unexpected failure.
constexpr UINT kTitleRetrievalDone = WM_APP + 1;
constexpr UINT kChosenTitleDone = WM_APP + 2;
constexpr UINT kCdAnalysed = WM_APP + 3;

// Runs `work(*job)` on a thread of its own, then posts `message` to `notify`. The thread holds its own reference
// to the job, so the job outlives whichever of the two ends last; it touches nothing else. An exception ends the
// work, never the thread's entry. A thread that cannot be started is a work that failed before its first step: the
// message comes all the same, so every started run ends through its message.
template <typename Job, typename Work>
void StartWorker(const std::shared_ptr<Job>& job, HWND notify, UINT message, Work work) noexcept {
    try {
        std::thread([job, notify, message, work = std::move(work)]() noexcept {
            WPARAM failed = 0;
            try {
                work(*job);
            } catch (...) {
                failed = 1;
            }
            job->finished = true;
            PostMessageA(notify, message, failed, 0);
        }).detach();
    } catch (...) {
        job->finished = true;
        PostMessageA(notify, message, 1, 0);
    }
}

// A wait window's owner: the dialog whose Escape stops the work the window stands for.
void ForwardCancel(HWND wait) {
    PostMessageA(GetWindow(wait, GW_OWNER), WM_COMMAND, IDCANCEL, 0);
}

// The wait windows take the mouse while they stand, with the hourglass, and give it back with the arrow. Shown,
// a wait window is the active one, so it passes Escape (and a close) on to the dialog it stands over.
INT_PTR CALLBACK WaitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM) noexcept {
    return Guarded(
        [&]() -> INT_PTR {
            switch (message) {
                case WM_INITDIALOG:
                    return TRUE;
                case WM_KEYDOWN:
                    if (wParam == VK_ESCAPE) ForwardCancel(window);
                    return TRUE;
                case WM_COMMAND:
                    if (LOWORD(wParam) == IDCANCEL) ForwardCancel(window);
                    return TRUE;
                case WM_CLOSE:
                    ForwardCancel(window);
                    return TRUE;
                case WM_SETCURSOR:
                    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                    SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
                    return TRUE;
                case WM_DESTROY:
                    ReleaseCapture();
                    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
                    return FALSE;
                default:
                    return FALSE;
            }
        },
        INT_PTR{FALSE});
}

OwnedWindow ShowWaitWindow(HINSTANCE instance, int resource, HWND owner) {
    OwnedWindow wait(CreateDialogParamA(instance, MAKEINTRESOURCEA(resource), owner, &WaitWindowProc, 0));
    if (!wait) return wait;
    ShowWindow(wait.get(), SW_SHOW);
    UpdateWindow(wait.get());
    SetCapture(wait.get());
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    return wait;
}

std::optional<std::filesystem::path> ChooseMediaFile(HWND owner) {
    const std::string filter = std::string(kMediaFilterName) + '\0' + std::string(kMediaFilterPattern) + '\0';
    char path[MAX_PATH + 1] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path - 1;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return PathFromNative(path);
}

void FetchTitle(RetrievalJob& job) {
    WinInetFetcher fetcher(job.prompts);
    RunTitleRetrieval(job, fetcher);
}

void FetchChosenTitle(RetrievalJob& job) {
    WinInetFetcher fetcher(job.prompts);
    RunChosenTitle(job, fetcher);
}

// "Title Search..." over the search's results. OK hides it while the chosen title is read behind the wait window;
// a chosen title that gives up brings it back with its list.
class TitleSearchDialog {
  public:
    TitleSearchDialog(HINSTANCE instance, Workbench& w, RetrievalHost& host, RetrievalJob& search)
        : instance_(instance), w_(w), host_(host), search_(search) {}

    void Run() { RunModal(instance_, IDD_TITLE_SEARCH, host_.Dialog(), *this); }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        RetrievalContext ctx{w_, prompts_, host_};
        switch (message) {
            case WM_INITDIALOG:
                dialog_ = dialog;
                prompts_.SetOwner(dialog);
                Open(ctx);
                return TRUE;
            case kChosenTitleDone:
                ChosenTitleRead(ctx, wParam != 0);
                return TRUE;
            case WM_COMMAND:
                if (chosen_) {  // a title is being read: the dialog is hidden and waits for it; Escape stops it
                    if (LOWORD(wParam) == IDCANCEL) chosen_->cancel = true;
                    return TRUE;
                }
                if (LOWORD(wParam) == IDC_TITLE_SEARCH_OK || LOWORD(wParam) == IDOK) Choose(ctx);
                if (LOWORD(wParam) == IDC_TITLE_SEARCH_CANCEL || LOWORD(wParam) == IDCANCEL) {
                    CancelTitleSearch(ctx, search_);
                    EndDialog(dialog_, IDCANCEL);
                }
                return TRUE;
            default:
                return FALSE;
        }
    }

  private:
    void Open(RetrievalContext& ctx) {
        HWND list = GetDlgItem(dialog_, IDC_TITLE_SEARCH_LIST);
        for (const TitleSearchResults::Entry& entry : search_.results.Entries())
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
        if (!OpenTitleSearch(ctx, search_)) {
            EndDialog(dialog_, IDCANCEL);
            return;
        }
        SendMessageA(list, LB_SETHORIZONTALEXTENT, 400, 0);
    }

    void Choose(RetrievalContext& ctx) {
        HWND list = GetDlgItem(dialog_, IDC_TITLE_SEARCH_LIST);
        const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
        std::optional<std::string> text;
        if (selected != LB_ERR) {
            const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, selected, 0);
            text.emplace(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
            SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text->data()));
        }
        const bool titleFilled = !ControlText(host_.ImdbPage(), IDC_IMDB_TITLE, 255).empty();
        std::shared_ptr<RetrievalJob> chosen =
            ChooseTitle(ctx, search_, text ? std::optional<std::string_view>(*text) : std::nullopt, titleFilled);
        if (!chosen) return;
        if (titleFilled) host_.ReleaseCover();
        chosen_ = std::move(chosen);
        StartWorker(chosen_, dialog_, kChosenTitleDone, &FetchChosenTitle);
        ShowWindow(dialog_, SW_HIDE);
        wait_ = ShowWaitWindow(instance_, IDD_DOWNLOAD_WAIT, dialog_);
    }

    // Whatever happens while the result is applied (an exception included), the hidden dialog either comes back
    // with its list or ends: it never stays hidden and modal.
    void ChosenTitleRead(RetrievalContext& ctx, bool failed) {
        const std::shared_ptr<RetrievalJob> job = std::move(chosen_);
        if (job == nullptr) return;
        RetrievalStep step = RetrievalStep::Done;
        const ScopeExit end([&] {
            if (step == RetrievalStep::ChooseAgain) {
                ShowWindow(dialog_, SW_SHOW);
                InvalidateRect(host_.ImdbPage(), nullptr, TRUE);
                return;
            }
            EndDialog(dialog_, IDOK);
            SetFocus(host_.Dialog());
        });
        wait_.reset();  // first: it holds the mouse, which the messages that follow need
        if (failed) ReportUnexpectedFailure();
        step = ApplyChosenTitle(ctx, search_, *job);
    }

    HINSTANCE instance_;
    Workbench& w_;
    RetrievalHost& host_;
    RetrievalJob& search_;
    HWND dialog_ = nullptr;
    WindowPrompts prompts_;
    std::shared_ptr<RetrievalJob> chosen_;
    OwnedWindow wait_;
};

}  // namespace

void Retrieval::StartDatabase(bool titleEditFilled) {
    if (running_) return;
    WindowPrompts pagePrompts(host_.ImdbPage());
    RetrievalContext ctx{w_, pagePrompts, host_};
    if (titleEditFilled) host_.ReleaseCover();
    std::shared_ptr<RetrievalJob> job = StartRetrieval(ctx, titleEditFilled);
    if (!job) return;
    job_ = std::move(job);
    running_ = true;
    cancelled_ = false;
    host_.RetrievalRunning(true);
    StartWorker(job_, host_.Dialog(), kTitleRetrievalDone, &FetchTitle);
    wait_ = ShowWaitWindow(instance_, IDD_DOWNLOAD_WAIT, host_.Dialog());
}

void Retrieval::StartFileInfo(std::string_view typedCount) {
    if (running_) return;
    files_ = FileInfoRetrieval::Begin(typedCount, w_.state.currentMovie.title.value_or(""), w_.state.currentMedia,
                                      w_.desktop.OwnerlessPrompts());
    if (!files_) {
        SetFocus(host_.MediaPage());
        return;
    }
    running_ = true;
    cancelled_ = false;
    host_.RetrievalRunning(true);
    NextCd();
}

// Every road that starts no worker ends the run here, an exception's included.
void Retrieval::NextCd() {
    bool started = false;
    const ScopeExit end([&] {
        if (!started) Finished();
    });
    if (!files_->WantsFile()) {
        host_.ShowMedia(files_->Finish(w_.collection.media));
        w_.state.currentMedia = files_->Scratch();
        return;
    }
    const std::optional<std::filesystem::path> file = ChooseMediaFile(host_.MediaPage());
    if (!file) return;
    StartWorker(files_, host_.Dialog(), kCdAnalysed, [file = *file](FileInfoRetrieval& run) { run.AnalyseFile(file); });
    started = true;
    wait_ = ShowWaitWindow(instance_, IDD_FILE_INFO_WAIT, host_.MediaPage());
}

bool Retrieval::HandleMessage(UINT message, WPARAM wParam) {
    if (message == kTitleRetrievalDone) {
        DatabaseDone(wParam != 0);
        return true;
    }
    if (message == kCdAnalysed) {
        CdDone(wParam != 0);
        return true;
    }
    return false;
}

void Retrieval::DatabaseDone(bool failed) {
    const std::shared_ptr<RetrievalJob> job = std::move(job_);
    if (job == nullptr) return;
    const ScopeExit end([this] { Finished(); });
    wait_.reset();
    if (failed) ReportUnexpectedFailure();
    RetrievalContext ctx{w_, dialogPrompts_, host_};
    if (ApplyTitleRetrieval(ctx, *job) == RetrievalStep::ShowResults)
        TitleSearchDialog(instance_, w_, host_, *job).Run();
}

void Retrieval::CdDone(bool failed) {
    if (files_ == nullptr) return;
    if (NextCdWanted(failed)) NextCd();
}

bool Retrieval::NextCdWanted(bool failed) {
    bool wanted = false;
    const ScopeExit end([&] {
        if (!wanted) Finished();
    });
    wait_.reset();
    if (failed) ReportUnexpectedFailure();
    switch (files_->CdDone(w_.desktop.OwnerlessPrompts())) {
        case FileInfoRetrieval::Next::Ask:
            wanted = !cancelled_ && MessageBoxA(host_.Dialog(), files_->Question().c_str(),
                                                std::string(kCdQuestionCaption).c_str(), MB_OKCANCEL) == IDOK;
            break;
        case FileInfoRetrieval::Next::Finish:
            wanted = true;  // no file is wanted any more: NextCd finishes
            break;
        case FileInfoRetrieval::Next::Failed:
            break;
    }
    return wanted;
}

void Retrieval::Cancel() {
    cancelled_ = true;
    if (job_) job_->cancel = true;
}

void Retrieval::Finished() {
    files_.reset();
    running_ = false;
    // A run that ends without its wait window (an open-file dialog cancelled) may have left the hourglass.
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    host_.RetrievalRunning(false);
}

}  // namespace cl
