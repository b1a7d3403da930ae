// The file-information retrieval of the Movie Info dialog's Divx/VCD page, as a small state machine: the user
// names the number of CDs, picks each CD's file in turn, a worker thread analyses that one file, and after the
// last CD the values are combined, shown and kept in the media store under the title the retrieval began with.
//
// The Windows side (user-interface thread unless said):
//   auto run = FileInfoRetrieval::Begin(edit 1197's text, title, state.currentMedia, ownerless prompts);
//   while (run->WantsFile()): open-file dialog (owner the page; cancelled: stop, nothing stored)
//       -> worker thread: run->AnalyseFile(path); post WM_APP + n     (wait window 233 meanwhile)
//       -> on that message: switch (run->CdDone(ownerless prompts)) {
//            Ask: message box run->Question(), kCdQuestionCaption, OK/Cancel (Cancel: stop)  Failed: stop
//            Finish: values = run->Finish(collection.media); show them; state.currentMedia = run->Scratch() }
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "media/MediaRecord.h"
#include "media/MediaStore.h"
#include "media/MovieAnalysis.h"
#include "model/base/DeferredPrompts.h"
#include "model/base/Prompts.h"
#include "ui/MovieInfo.h"

namespace cl {

inline constexpr std::string_view kCdQuestionCaption = "Info Retrieval";
// The open-file dialog's filter.
inline constexpr std::string_view kMediaFilterName = "Avi/Divx/(S)VCD";
inline constexpr std::string_view kMediaFilterPattern = "*.avi;*.divx;*.mpg;*.mpeg";

class FileInfoRetrieval {
  public:
    // Update on the Divx/VCD page: the shown media details are cleared, then the count is checked. Nothing after
    // an invalid count ("Please Enter a Valid Number of CD's.", `ownerless`, caption "Error", stop icon; the
    // caller gives the page the focus). Otherwise the retrieval for `title`, shared with the worker thread.
    static std::shared_ptr<FileInfoRetrieval> Begin(std::string_view typedCount, std::string title, MediaScratch& shown,
                                                    Prompts& ownerless);

    // Whether the next step is choosing a CD's file (false once every CD has been analysed: Finish is next).
    bool WantsFile() const { return nextCd_ < cdCount_; }
    int CdCount() const { return cdCount_; }
    const std::string& Title() const { return title_; }

    // Worker thread: analyses the chosen file as the next CD. `finished` is set last.
    void AnalyseFile(const std::filesystem::path& file);
    std::atomic<bool> finished{false};

    enum class Next {
        Ask,     // ask Question() before the next CD's file is chosen; Cancel stops, nothing stored
        Finish,  // the last CD is done: Finish
        Failed,  // the analyser failed (its message has been shown): nothing stored
    };
    // User-interface thread, after the worker's message: the worker's messages (`ownerless`), then what is next.
    Next CdDone(Prompts& ownerless);

    // "Please Enter CD #%i" for the CD to come (counted from 1).
    std::string Question() const;

    // Combines the CDs and keeps fields 2 to 13 in the media store under the title; the page's values.
    MediaPageValues Finish(MediaStore& store);
    const MediaScratch& Scratch() const { return scratch_; }

    FileInfoRetrieval(std::string title, int cdCount);

  private:
    std::string title_;
    int cdCount_ = 0;
    int nextCd_ = 0;
    CdOutcome lastOutcome_ = CdOutcome::Failed;  // until an analysis answers
    MediaScratch scratch_;
    AnalyserState analysers_;
    DeferredPrompts prompts_;
};

}  // namespace cl
