// The MPEG analyser: bounded start-code searches at the head of the file and backwards from its end.
#include "media/MpegAnalyzer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "media/AnalysisText.h"

namespace cl {

namespace {

constexpr std::uint32_t kSequenceHeader = 0x000001B3;
constexpr std::uint32_t kAudioPacket = 0x000001C0;
constexpr std::uint32_t kPackHeader = 0x000001BA;
constexpr std::uint32_t kGroupOfPictures = 0x000001B8;
constexpr std::size_t kSyncReach = 264;  // how far after an audio packet start a frame header may lie

using BitRateTable = std::array<std::uint16_t, 16>;
constexpr BitRateTable kMpeg1Layer1{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0};
constexpr BitRateTable kMpeg1Layer2{0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0};
constexpr BitRateTable kMpeg1Layer3{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr BitRateTable kMpeg2Layer1{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0};
constexpr BitRateTable kMpeg2Layer23{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};

constexpr std::array<std::uint32_t, 4> kRates1{44100, 48000, 32000, 0};
constexpr std::array<std::uint32_t, 4> kRates2{22050, 24000, 16000, 0};
constexpr std::array<std::uint32_t, 4> kRates25{11025, 12000, 8000, 0};

void FailMessage(Prompts& reporter, std::string_view message) {
    reporter.ShowMessage(message, kErrorCaption, MessageIcon::Stop);
}

// The position of the sequence header as the 16-byte windows at offsets 0, 4, 8, … find it: each
// window tests its first four positions, and the search gives up once a window has ended beyond
// 32768 bytes, or at the end of the file.
std::optional<std::size_t> FindSequenceHeader(const std::vector<std::uint8_t>& head, std::uint64_t fileSize) {
    for (std::size_t start = 0;; start += 4) {
        if (start + 16 > fileSize) return std::nullopt;
        for (std::size_t p = start; p < start + 4; ++p) {
            if (Be32(head.data() + p) == kSequenceHeader) return p;
        }
        if (start + 16 > kSequenceSearchLimit) return std::nullopt;
    }
}

void ReadSequenceHeader(const std::uint8_t* p, MediaFields& f) {
    const unsigned width = Be16(p + 4) >> 4;
    const unsigned height = Be16(p + 5) & 0xFFFu;
    const unsigned rateCode = Be16(p + 6) & 0xFu;
    const std::uint64_t kbit = std::uint64_t{Be32(p + 8) >> 14} * 400 / 1000;
    f.width = std::to_string(width);
    f.height = std::to_string(height);
    f.videoBitRate = KbitText(kbit);
    f.frameRate = FpsText(MpegFrameRate(rateCode));
}

// The first MPEG audio frame header after an audio packet start, if any; `size` excludes the
// zero padding that follows the data in `head`.
std::optional<std::size_t> FindAudioHeader(const std::vector<std::uint8_t>& head, std::size_t size) {
    if (size <= kSyncReach) return std::nullopt;
    for (std::size_t q = 0; q < size - kSyncReach; ++q) {
        if (Be32(head.data() + q) != kAudioPacket) continue;
        for (std::size_t h = q; h < q + kSyncReach; ++h) {
            const std::uint16_t v = Be16(head.data() + h);
            if (v != 0xFFFF && (v >> 4) == 0xFFF) return h;
        }
    }
    return std::nullopt;
}

void ReadAudioHeader(const std::uint8_t* h, MpegAudioState& audio) {
    switch ((h[1] >> 3) & 3) {
        case 3:
            audio.version = MpegAudioVersion::Mpeg1;
            break;
        case 2:
            audio.version = MpegAudioVersion::Mpeg2;
            break;
        case 0:
            audio.version = MpegAudioVersion::Mpeg25;
            break;
        default:
            break;  // reserved: the previous value stays
    }
    static constexpr std::array<int, 4> kLayers{0, 3, 2, 1};
    audio.layer = kLayers[(h[1] >> 1) & 3];

    const unsigned rateIndex = h[2] >> 4;
    const BitRateTable* table = nullptr;
    if (audio.version == MpegAudioVersion::Mpeg1) {
        if (audio.layer == 1) table = &kMpeg1Layer1;
        if (audio.layer == 2) table = &kMpeg1Layer2;
        if (audio.layer == 3) table = &kMpeg1Layer3;
    } else if (audio.version == MpegAudioVersion::Mpeg2) {
        if (audio.layer == 1) table = &kMpeg2Layer1;
        if (audio.layer == 2 || audio.layer == 3) table = &kMpeg2Layer23;
    }
    if (table) audio.bitRateKbit = (*table)[rateIndex];  // MPEG-2.5 and layer 0: no table, value stays

    const unsigned freqIndex = (h[2] >> 2) & 3;
    if (audio.version == MpegAudioVersion::Mpeg1) audio.samplingRate = kRates1[freqIndex];
    if (audio.version == MpegAudioVersion::Mpeg2) audio.samplingRate = kRates2[freqIndex];
    if (audio.version == MpegAudioVersion::Mpeg25) audio.samplingRate = kRates25[freqIndex];

    audio.channels = (h[3] >> 6) == 3 ? 1 : 2;
}

void WriteAudio(const MpegAudioState& audio, MediaFields& f) {
    f.audioBitRate = KbitText(audio.bitRateKbit);
    if (audio.version == MpegAudioVersion::Mpeg25) {
        f.audioCodec = "MPEG-2.5 Layer " + std::to_string(audio.layer);
    } else {
        int version = 0;  // only before any header was seen
        if (audio.version == MpegAudioVersion::Mpeg1) version = 1;
        if (audio.version == MpegAudioVersion::Mpeg2) version = 2;
        f.audioCodec = "MPEG-" + std::to_string(version) + " Layer " + std::to_string(audio.layer);
    }
    f.channels = std::to_string(audio.channels);
    f.samples = HzText(audio.samplingRate);
}

void WriteNoAudio(MediaFields& f) {
    f.audioCodec = "Unknown";
    f.channels = "0";
    f.samples = "0 Hz";
    f.audioBitRate = "0 kbit/s";
}

const char* StreamKind(const std::vector<std::uint8_t>& head, std::size_t size) {
    for (std::size_t r = 0; r + 4 <= size; ++r) {
        if (Be32(head.data() + r) == kPackHeader) return (head[r + 4] >> 6) == 1 ? "MPEG-2" : "MPEG-1";
    }
    return "MPEG-1";
}

// Seconds of the last group-of-pictures time code, searching 16 KiB blocks backwards from the end.
// Each block is scanned from position 16376 down to 1, so a code straddling two blocks is not seen.
std::optional<std::uint32_t> LastGopSeconds(ByteSource& in) {
    std::vector<std::uint8_t> block(kGopBlock);
    const std::uint64_t size = in.Size();
    for (std::uint64_t back = kGopBlock; back <= size; back += kGopBlock) {
        if (!in.Seek(size - back) || !in.ReadExact(block.data(), block.size())) return std::nullopt;
        for (std::size_t g = kGopBlock - 8; g >= 1; --g) {
            if (Be32(block.data() + g) != kGroupOfPictures) continue;
            const std::uint16_t a = Be16(block.data() + g + 4);
            const std::uint16_t b = Be16(block.data() + g + 5);
            const std::uint32_t hours = (a >> 10) & 0x1Fu;
            const std::uint32_t minutes = (a >> 4) & 0x3Fu;
            const std::uint32_t seconds = (b >> 5) & 0x3Fu;
            return hours * 3600 + minutes * 60 + seconds;
        }
    }
    return std::nullopt;
}

}  // namespace

double MpegFrameRate(unsigned code) {
    static constexpr std::array<double, 9> kRates{0, 23.976, 24, 25, 29.97, 30, 50, 59.94, 60};
    return code < kRates.size() ? kRates[code] : 0.0;
}

bool AnalyseMpeg(ByteSource& in, MediaScratch& scratch, int cdIndex, MpegAudioState& audio, Prompts& reporter) {
    if (FillsTextFields(scratch, cdIndex)) {
        // One read of the head serves the sequence header search (which never looks past 32772
        // bytes) and the audio and pack searches. Four zero bytes follow the data so that a frame
        // header found in the very last bytes reads zeros beyond the end instead of other memory.
        const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(in.Size(), kMpegHeadBytes));
        std::vector<std::uint8_t> head(size + 4, 0);
        if (!in.ReadExact(head.data(), size)) {
            FailMessage(reporter, "Unable To Parse MPEG File");
            return false;
        }
        const std::optional<std::size_t> seq = FindSequenceHeader(head, in.Size());
        if (!seq) {
            FailMessage(reporter, "Unable To Parse MPEG File");
            return false;
        }
        MediaFields& f = scratch.fields;
        ReadSequenceHeader(head.data() + *seq, f);
        if (const std::optional<std::size_t> h = FindAudioHeader(head, size)) {
            ReadAudioHeader(head.data() + *h, audio);
            WriteAudio(audio, f);
        } else {
            WriteNoAudio(f);
        }
        f.format = StreamKind(head, size);
        f.codec = f.format;
    }

    if (const std::optional<std::uint32_t> seconds = LastGopSeconds(in)) {
        scratch.totalSeconds += *seconds;
    } else {
        FailMessage(reporter, "Error Parsing GOP Headers.");
        scratch.totalSeconds = 0;
    }
    return true;
}

}  // namespace cl
