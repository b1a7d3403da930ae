// Reads one MPEG-1 or MPEG-2 program stream (one CD of a movie) by searching raw bytes for start
// codes: picture size, frame rate and bit rate, the first audio frame, MPEG-1 or -2, and the running
// time from the last group-of-pictures time code.
#pragma once

#include <cstdint>

#include "media/ByteSource.h"
#include "media/MediaRecord.h"
#include "model/base/Prompts.h"

namespace cl {

enum class MpegAudioVersion : std::uint8_t { None, Mpeg1, Mpeg2, Mpeg25 };

// The audio values of the last MPEG audio frame header seen. Reserved codes in a later header leave
// these in place, so the caller keeps one alive for as long as the program runs (zero at start).
struct MpegAudioState {
    MpegAudioVersion version = MpegAudioVersion::None;
    int layer = 0;
    std::uint32_t bitRateKbit = 0;
    int channels = 0;
    std::uint32_t samplingRate = 0;
};

// The sequence header must start before this offset.
inline constexpr std::uint64_t kSequenceSearchLimit = 32768;
// The audio and pack header searches look at this much of the start of the file.
inline constexpr std::size_t kMpegHeadBytes = 128 * 1024;
// The running time comes from blocks of this size read backwards from the end of the file.
inline constexpr std::size_t kGopBlock = 16384;

// Analyses the MPEG stream in `in` as CD number cdIndex (zero-based). The only failure is a missing
// sequence header, reported as "Unable To Parse MPEG File" (stop icon, caption "Error").
bool AnalyseMpeg(ByteSource& in, MediaScratch& scratch, int cdIndex, MpegAudioState& audio, Prompts& reporter);

// The frames per second of a sequence header's frame-rate code (0 for the unused codes).
double MpegFrameRate(unsigned code);

}  // namespace cl
