// The Movie Info dialog's two retrievals on Windows: the database look-up (with its wait window 205 and the Title
// Search dialog 204) and the file information of the Divx/VCD page (open-file dialog per CD, wait window 233).
// Their slow halves run on worker threads that touch only their job; each posts one message to the window that
// waits for it, and what the job found is applied here on the user-interface thread (ui/Retrieval,
// ui/FileInfoRetrieval decide what that means).
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "model/base/Win_win.h"
#include "ui/FileInfoRetrieval.h"
#include "ui/Retrieval.h"

namespace cl {

// The Movie Info dialog as the retrievals see it.
class RetrievalHost : public ImdbPageView {
  public:
    virtual HWND Dialog() const = 0;
    virtual HWND ImdbPage() const = 0;
    virtual HWND MediaPage() const = 0;
    // The cover picture held for the IMDb page goes (its file is about to be set aside).
    virtual void ReleaseCover() = 0;
    virtual void ShowMedia(const MediaPageValues& values) = 0;
    // While a retrieval runs, the Update buttons are disabled; when it ends, a close put off meanwhile goes on.
    virtual void RetrievalRunning(bool running) = 0;
};

// One retrieval at a time, of either kind, for one Movie Info dialog.
class Retrieval {
  public:
    Retrieval(HINSTANCE instance, Workbench& w, RetrievalHost& host, Prompts& dialogPrompts)
        : instance_(instance), w_(w), host_(host), dialogPrompts_(dialogPrompts) {}
    Retrieval(const Retrieval&) = delete;
    Retrieval& operator=(const Retrieval&) = delete;

    // Update on the IMDb page with the source IMDb.
    void StartDatabase(bool titleEditFilled);
    // Update on the Divx/VCD page with the Number of CD's as typed.
    void StartFileInfo(std::string_view typedCount);
    // The workers' messages to the Movie Info dialog; false for any other message.
    bool HandleMessage(UINT message, WPARAM wParam);

    bool Running() const { return running_; }
    // A database retrieval runs: its worker may be moving or writing the movie's cover file.
    bool CoverBusy() const { return running_ && files_ == nullptr; }
    // The dialog is closing: a database worker stops at its next step and stores nothing; a file analysis that
    // runs completes and, for the last CD, is stored, but no further CD is asked for.
    void Cancel();

  private:
    void Finished();
    void NextCd();
    void DatabaseDone(bool failed);
    void CdDone(bool failed);
    // Takes a CD's result: true when the next CD is wanted, otherwise the run has ended.
    bool NextCdWanted(bool failed);

    HINSTANCE instance_;
    Workbench& w_;
    RetrievalHost& host_;
    Prompts& dialogPrompts_;
    bool running_ = false;
    bool cancelled_ = false;
    std::shared_ptr<RetrievalJob> job_;
    std::shared_ptr<FileInfoRetrieval> files_;
    OwnedWindow wait_;
};

}  // namespace cl
