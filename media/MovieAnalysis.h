// One movie's file-information retrieval without its dialogs: choosing the analyser for each CD by
// the file's ending, and combining the CDs into the movie's length and video bit rate.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "media/AviAnalyzer.h"
#include "media/MediaRecord.h"
#include "media/MpegAnalyzer.h"
#include "model/base/Prompts.h"

namespace cl {

// What the analysers remember between calls; one per program run, owned by whoever runs retrievals.
struct AnalyserState {
    AviAudioState avi;
    MpegAudioState mpeg;
    std::uint64_t bytesRead = 0;  // read from files by all analyses so far (for cost measurements)
};

enum class MediaKind { None, Avi, Mpeg };

// By the end of the file name, without regard to case: "avi"/"divx" or "mpg"/"mpeg"; else None.
MediaKind KindForFile(std::string_view fileName);

enum class CdOutcome {
    Analysed,
    Skipped,  // the name has none of the four endings: nothing read, nothing added
    Failed,   // the analyser's message has been reported; the retrieval stores nothing
};

// Analyses one CD (zero-based index) into the scratch, whose number-of-CDs text is already set.
CdOutcome AnalyseCd(const std::filesystem::path& file, MediaScratch& scratch, int cdIndex, AnalyserState& state,
                    Prompts& reporter);

// Forms the length and video bit rate texts once every CD has been analysed:
// - "MPEG-4" (AVI): "%i min." of the total seconds; "%i kbit/s" of bytes per second × 8 ÷ 1000. A total
//   of 0 seconds (less than one, or a frame rate below 1) gives "N/A" for both instead of dividing by 0.
// - "MPEG-1"/"MPEG-2": "%i min.", or "N/A" for a running time of 0; the bit rate stays the first CD's.
// - no format (no CD, or only files with other endings before an MPEG second CD): treated like MPEG,
//   so the length is "N/A" when nothing was timed; every other field stays absent.
void CombineCds(MediaScratch& scratch);

// The whole retrieval for the given CD files in order: clears the scratch, sets the number of CDs,
// analyses each and combines them. False after an analyser failure, or for more than nine files
// (the count is one digit), which is reported like the dialog's wrong count.
bool AnalyseMovie(const std::vector<std::filesystem::path>& files, MediaScratch& scratch, AnalyserState& state,
                  Prompts& reporter);

}  // namespace cl
