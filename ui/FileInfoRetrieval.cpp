// The file-information retrieval's steps: the count check, one analysis per CD, the combination and the record.
#include "ui/FileInfoRetrieval.h"

#include <utility>

#include "model/base/ScopeExit.h"

namespace cl {

FileInfoRetrieval::FileInfoRetrieval(std::string title, int cdCount) : title_(std::move(title)), cdCount_(cdCount) {
    scratch_.fields.cds = std::to_string(cdCount);
}

std::shared_ptr<FileInfoRetrieval> FileInfoRetrieval::Begin(std::string_view typedCount, std::string title,
                                                            MediaScratch& shown, Prompts& ownerless) {
    shown.Clear();
    const std::optional<int> count = ParseCdCount(typedCount);
    if (!count) {
        ownerless.ShowMessage(kInvalidCdCountMessage, kSystemCaption, MessageIcon::Stop);
        return nullptr;
    }
    return std::make_shared<FileInfoRetrieval>(std::move(title), *count);
}

void FileInfoRetrieval::AnalyseFile(const std::filesystem::path& file) {
    // Until the analyser answers, a worker that stops (an exception) counts as a failed analysis.
    lastOutcome_ = CdOutcome::Failed;
    const auto finish = FlagOnExit(finished);
    lastOutcome_ = AnalyseCd(file, scratch_, nextCd_, analysers_, prompts_);
}

FileInfoRetrieval::Next FileInfoRetrieval::CdDone(Prompts& ownerless) {
    finished.exchange(false, std::memory_order_acq_rel);  // what the worker wrote is visible from here on
    prompts_.ReplayTo(ownerless);
    // Taken once: a round whose worker never ran (no thread could be started) counts as a failed analysis.
    if (std::exchange(lastOutcome_, CdOutcome::Failed) == CdOutcome::Failed) return Next::Failed;
    ++nextCd_;
    return WantsFile() ? Next::Ask : Next::Finish;
}

std::string FileInfoRetrieval::Question() const {
    return "Please Enter CD #" + std::to_string(nextCd_ + 1);
}

MediaPageValues FileInfoRetrieval::Finish(MediaStore& store) {
    CombineCds(scratch_);
    scratch_.fields.title = title_;
    store.AddOrReplace(title_, scratch_.fields);
    return MediaPageValuesOf(scratch_.fields);
}

}  // namespace cl
