// Reads one AVI file (one CD of a movie) by walking its RIFF chunks and reports picture size, frame
// rate, codecs and audio values into the scratch, adding its running time and video bytes.
#pragma once

#include <cstdint>

#include "media/ByteSource.h"
#include "media/MediaRecord.h"
#include "model/base/Prompts.h"

namespace cl {

// The audio values of the last AVI that had an audio stream. A file without one shows these again,
// so the caller keeps one of these alive for as long as the program runs (all zero at start).
struct AviAudioState {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplingRate = 0;
    std::uint32_t bitRateKbit = 0;
};

// The working buffer each header chunk is read into; the part of a chunk beyond it is skipped.
inline constexpr std::size_t kAviHeaderBuffer = 256;

// Analyses the AVI in `in` as CD number cdIndex (zero-based). On failure the reason has been
// reported (caption "Error", no icon) and the scratch may be partly filled; the caller stores nothing.
bool AnalyseAvi(ByteSource& in, MediaScratch& scratch, int cdIndex, AviAudioState& audio, Prompts& reporter);

}  // namespace cl
