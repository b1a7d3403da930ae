// Runs the analysers over a movie's CDs and combines their totals.
#include "media/MovieAnalysis.h"

#include <cctype>
#include <memory>
#include <string>

#include "media/AnalysisText.h"
#include "media/ByteSource.h"
#include "model/base/NativePath.h"

namespace cl {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    const std::string_view tail = text.substr(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i]) return false;
    }
    return true;
}

}  // namespace

MediaKind KindForFile(std::string_view fileName) {
    if (EndsWithNoCase(fileName, "avi") || EndsWithNoCase(fileName, "divx")) return MediaKind::Avi;
    if (EndsWithNoCase(fileName, "mpg") || EndsWithNoCase(fileName, "mpeg")) return MediaKind::Mpeg;
    return MediaKind::None;
}

CdOutcome AnalyseCd(const std::filesystem::path& file, MediaScratch& scratch, int cdIndex, AnalyserState& state,
                    Prompts& reporter) {
    const MediaKind kind = KindForFile(NativeFromPath(file));
    if (kind == MediaKind::None) return CdOutcome::Skipped;
    const std::unique_ptr<ByteFile> in = ByteFile::Open(file);
    if (kind == MediaKind::Avi) {
        if (!in) {
            reporter.ShowMessage("Error Opening File.", kErrorCaption, MessageIcon::None);
            return CdOutcome::Failed;
        }
        const bool ok = AnalyseAvi(*in, scratch, cdIndex, state.avi, reporter);
        state.bytesRead += in->BytesRead();
        return ok ? CdOutcome::Analysed : CdOutcome::Failed;
    }
    // The MPEG analyser has a single message; a file it cannot open is one it cannot parse.
    if (!in) {
        reporter.ShowMessage("Unable To Parse MPEG File", kErrorCaption, MessageIcon::Stop);
        return CdOutcome::Failed;
    }
    const bool ok = AnalyseMpeg(*in, scratch, cdIndex, state.mpeg, reporter);
    state.bytesRead += in->BytesRead();
    return ok ? CdOutcome::Analysed : CdOutcome::Failed;
}

void CombineCds(MediaScratch& scratch) {
    MediaFields& f = scratch.fields;
    const std::uint64_t seconds = scratch.totalSeconds;
    const std::string minutes = std::to_string(seconds / 60) + " min.";
    if (f.format == "MPEG-4") {
        if (seconds == 0) {
            f.length = "N/A";
            f.videoBitRate = "N/A";
            return;
        }
        f.length = minutes;
        // ((bytes ÷ seconds) × 8) ÷ 1000 rounded down at each step equals (bytes ÷ seconds) ÷ 125,
        // which cannot overflow.
        f.videoBitRate = KbitText(scratch.videoBytes / seconds / 125);
        return;
    }
    f.length = seconds == 0 ? std::string("N/A") : minutes;
}

bool AnalyseMovie(const std::vector<std::filesystem::path>& files, MediaScratch& scratch, AnalyserState& state,
                  Prompts& reporter) {
    scratch.Clear();
    if (files.size() > 9) {
        reporter.ShowMessage("Please Enter a Valid Number of CD's.", kErrorCaption, MessageIcon::Stop);
        return false;
    }
    scratch.fields.cds = std::to_string(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (AnalyseCd(files[i], scratch, static_cast<int>(i), state, reporter) == CdOutcome::Failed) return false;
    }
    CombineCds(scratch);
    return true;
}

}  // namespace cl
