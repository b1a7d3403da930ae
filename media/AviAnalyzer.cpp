// The AVI analyser: a straight walk over the RIFF header chunks, the audio stream list and the
// index, with every size taken from the file checked against the file before it is used.
#include "media/AviAnalyzer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "media/AnalysisText.h"
#include "media/CodecTables.h"

namespace cl {

namespace {

using HeaderBuffer = std::array<std::uint8_t, kAviHeaderBuffer>;

// The index is summed in slices of this many bytes, so memory does not grow with its claimed size.
constexpr std::size_t kIndexSlice = 64 * 1024;
constexpr std::size_t kIndexEntry = 16;

bool TagIs(const std::uint8_t* p, std::string_view tag) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (std::tolower(p[i]) != std::tolower(static_cast<unsigned char>(tag[i]))) return false;
    }
    return true;
}

// Reads a header chunk of `size` bytes: the first 256 into the buffer, the rest skipped. Fields
// beyond a short chunk read as zero.
bool ReadHeader(ByteSource& in, std::uint32_t size, HeaderBuffer& buf) {
    buf.fill(0);
    const std::size_t keep = std::min<std::size_t>(size, buf.size());
    if (!in.ReadExact(buf.data(), keep)) return false;
    return size == keep || in.Skip(static_cast<std::int64_t>(size - keep));
}

class AviRun {
  public:
    AviRun(ByteSource& in, MediaScratch& scratch, int cdIndex, AviAudioState& audio, Prompts& reporter)
        : in_(in), scratch_(scratch), cdIndex_(cdIndex), audio_(audio), reporter_(reporter) {}

    bool Run();

  private:
    bool Fail(std::string_view message) {
        Note(message);
        return false;
    }
    void Note(std::string_view message) { reporter_.ShowMessage(message, kErrorCaption, MessageIcon::None); }

    bool FindAudio();
    bool SearchData();
    bool SumIndex(std::uint32_t size);
    void FillTexts();

    ByteSource& in_;
    MediaScratch& scratch_;
    int cdIndex_;
    AviAudioState& audio_;
    Prompts& reporter_;

    HeaderBuffer buf_{};
    std::uint32_t streams_ = 0;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t scale_ = 0;
    std::uint32_t rate_ = 0;
    std::uint32_t frames_ = 0;
    std::uint32_t fourcc_ = 0;
    std::optional<std::uint64_t> audioListEnd_;
};

bool AviRun::Run() {
    std::uint8_t head[32];
    if (!in_.ReadExact(head, sizeof head)) return Fail("Error Reading File.");
    if (TagIs(head, "RIFF") && !TagIs(head + 8, "AVI ")) return Fail("This Is Not A Valid Avi.");
    scratch_.fields.format = "MPEG-4";
    if (!TagIs(head + 12, "LIST") || !TagIs(head + 24, "avih")) return Fail("Error Reading Main AVI Header: 2.");
    if (!ReadHeader(in_, Le32(head + 28), buf_)) return Fail("Error Reading Main AVI Header");
    streams_ = Le32(buf_.data() + 24);
    width_ = Le32(buf_.data() + 32);
    height_ = Le32(buf_.data() + 36);

    // The stream list and format tags are not checked: a header read whole is taken as the one expected.
    std::uint8_t list[20];
    if (!in_.ReadExact(list, sizeof list)) return Fail("Error Reading Video List.");
    if (!ReadHeader(in_, Le32(list + 16), buf_)) return Fail("Error Reading Video Stream Header.");
    scale_ = Le32(buf_.data() + 20);
    rate_ = Le32(buf_.data() + 24);
    frames_ = Le32(buf_.data() + 32);

    std::uint8_t chunk[8];
    if (!in_.ReadExact(chunk, sizeof chunk)) return Fail("Error Reading Video Stream Format.");
    if (!ReadHeader(in_, Le32(chunk + 4), buf_)) return Fail("Error Reading Video Stream Format: 2.");
    fourcc_ = Le32(buf_.data() + 16);

    if (streams_ >= 2 && !FindAudio()) return false;
    if (!SearchData()) return false;

    // A rate below the scale (or a scale of 0) has no whole frame per second to divide by; such a
    // file adds no running time rather than a made-up one.
    const std::uint32_t fps = scale_ == 0 ? 0 : rate_ / scale_;
    if (fps != 0) scratch_.totalSeconds += frames_ / fps;
    if (FillsTextFields(scratch_, cdIndex_)) FillTexts();
    return true;
}

bool AviRun::FindAudio() {
    // The search moves in steps of 20 bytes from the end of the video format, hopping over JUNK.
    std::uint8_t list[20];
    while (!in_.AtEnd()) {
        if (!in_.ReadExact(list, sizeof list)) return Fail("Error Reading Audio LIST");
        const std::uint32_t size = Le32(list + 4);
        if (TagIs(list, "JUNK")) {
            // A JUNK chunk reaching past the file ends the search as the end of the file would.
            if (!in_.Skip(static_cast<std::int64_t>(size) - 12)) return true;
            continue;
        }
        if (TagIs(list, "LIST") && TagIs(list + 12, "strh")) {
            audioListEnd_ = in_.Position() - sizeof list + 8 + size;
            std::uint8_t chunk[8];
            if (!in_.Skip(Le32(list + 16)) || !in_.ReadExact(chunk, sizeof chunk)) {
                return Fail("Error Reading Audio Stream Format.");
            }
            if (!ReadHeader(in_, Le32(chunk + 4), buf_)) return Fail("Error Reading Audio Stream Format: 2");
            audio_.formatTag = Le16(buf_.data());
            audio_.channels = Le16(buf_.data() + 2);
            audio_.samplingRate = Le32(buf_.data() + 4);
            audio_.bitRateKbit = static_cast<std::uint32_t>(std::uint64_t{Le32(buf_.data() + 8)} * 8 / 1000);
            return true;
        }
    }
    return true;
}

bool AviRun::SearchData() {
    // An audio list that claims to end past the file leaves nothing to find the data in.
    if (audioListEnd_ && !in_.Seek(*audioListEnd_)) return Fail("Error Reading \"movi\" LIST.");
    std::uint64_t moviSize = 0;
    std::uint8_t chunk[8];
    while (!in_.AtEnd()) {
        if (!in_.ReadExact(chunk, sizeof chunk)) return Fail("Error Reading \"movi\" LIST.");
        const std::uint32_t size = Le32(chunk + 4);
        if (TagIs(chunk, "JUNK")) {
            if (!in_.Skip(size)) {
                Note("Error Reading \"movi\" LIST: 2.");
                return true;
            }
        } else if (TagIs(chunk, "LIST")) {
            std::uint8_t type[4];
            if (!in_.ReadExact(type, sizeof type)) return Fail("Error Reading \"movi\" LIST: 3.");
            if (TagIs(type, "movi")) moviSize = size;
            if (!in_.Skip(static_cast<std::int64_t>(size) - 4)) {
                Note("Error Reading \"movi\" LIST: 4.");
                return true;
            }
        } else if (TagIs(chunk, "idx1")) {
            if (!SumIndex(size)) return false;
            // Without an audio stream the whole movi list counts as video.
            if (streams_ < 2) scratch_.videoBytes += moviSize;
            return true;
        }
    }
    return true;
}

bool AviRun::SumIndex(std::uint32_t size) {
    // Its size was read with its tag; an index whose entries end before that size (one that claims more
    // bytes than the file has left) cannot be read whole, which is found here without reading to the end.
    if (size > in_.Size() - in_.Position()) return Fail("Error Processing Index.");
    std::vector<std::uint8_t> slice(std::min<std::size_t>(size, kIndexSlice));
    std::uint64_t videoBytes = 0;
    std::uint32_t left = size;
    while (left > 0) {
        const std::size_t n = std::min<std::size_t>(left, slice.size());
        if (!in_.ReadExact(slice.data(), n)) return Fail("Error Processing Index.");
        // Slices are whole multiples of an entry, so only the index's own tail can be a partial entry.
        for (std::size_t e = 0; e + kIndexEntry <= n; e += kIndexEntry) {
            const std::uint8_t* entry = slice.data() + e;
            if (TagIs(entry, "00dc") || TagIs(entry, "00db")) videoBytes += Le32(entry + 12);
        }
        left -= static_cast<std::uint32_t>(n);
    }
    if (streams_ >= 2) scratch_.videoBytes += videoBytes;
    return true;
}

void AviRun::FillTexts() {
    MediaFields& f = scratch_.fields;
    const std::uint32_t fps = scale_ == 0 ? 0 : rate_ / scale_;
    f.format = "MPEG-4";
    f.width = IntText(width_);
    f.height = IntText(height_);
    f.frameRate = FpsText(fps);
    f.codec = CodecName(fourcc_);
    f.audioBitRate = KbitText(audio_.bitRateKbit);
    f.audioCodec = AudioFormatName(audio_.formatTag);
    f.channels = audio_.channels <= 5 ? std::to_string(audio_.channels) : std::string("5.1");
    f.samples = HzText(audio_.samplingRate);
}

}  // namespace

bool AnalyseAvi(ByteSource& in, MediaScratch& scratch, int cdIndex, AviAudioState& audio, Prompts& reporter) {
    return AviRun(in, scratch, cdIndex, audio, reporter).Run();
}

}  // namespace cl
