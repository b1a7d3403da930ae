// The AVI analyser over crafted RIFF files: values and texts, every message, and hostile sizes.
#include "media/AviAnalyzer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>

#include "media/ByteSource.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

using test::Bytes;
using test::RecordingReporter;

struct IndexEntry {
    std::string id;
    std::uint32_t length;
};

struct AviSpec {
    std::uint32_t streams = 2;
    std::uint32_t width = 320;
    std::uint32_t height = 240;
    std::uint32_t scale = 1;
    std::uint32_t rate = 25;
    std::uint32_t frames = 250;
    std::string fourcc = "XVID";
    std::uint32_t videoFormatSize = 40;
    bool audioList = true;
    std::uint16_t formatTag = 0x55;
    std::uint16_t channels = 2;
    std::uint32_t samplingRate = 44100;
    std::uint32_t avgBytes = 16000;
    std::uint32_t junkBeforeAudio = 0;  // size of a JUNK chunk between video format and audio list
    std::uint32_t junkBeforeMovi = 0;
    std::uint32_t moviPayload = 1000;
    bool index = true;
    std::vector<IndexEntry> entries = {{"00dc", 300}, {"01wb", 100}, {"00db", 200}, {"00DC", 5}};
};

// Offsets of the parts of a built file, for truncation cases.
using Marks = std::map<std::string, std::size_t>;

std::vector<std::uint8_t> BuildAvi(const AviSpec& s, Marks* marks = nullptr) {
    Marks m;
    Bytes b;
    b.Tag("RIFF").Le32(0).Tag("AVI ");
    b.Tag("LIST").Le32(0).Tag("hdrl");
    b.Tag("avih").Le32(56);
    m["avih"] = b.Size();
    b.Zeros(24).Le32(s.streams).Zeros(4).Le32(s.width).Le32(s.height).Zeros(16);
    m["videoList"] = b.Size();
    b.Tag("LIST").Le32(4 + 8 + 56 + 8 + s.videoFormatSize).Tag("strl").Tag("strh").Le32(56);
    m["strh"] = b.Size();
    b.Tag("vids").Tag(s.fourcc).Zeros(12).Le32(s.scale).Le32(s.rate).Zeros(4).Le32(s.frames).Zeros(20);
    m["strf"] = b.Size();
    b.Tag("strf").Le32(s.videoFormatSize);
    m["strfData"] = b.Size();
    const std::size_t formatStart = b.Size();
    b.Le32(s.videoFormatSize).Le32(s.width).Le32(s.height).Le16(1).Le16(24).Tag(s.fourcc);
    b.ZerosTo(formatStart + s.videoFormatSize);
    if (s.junkBeforeAudio) b.Tag("JUNK").Le32(s.junkBeforeAudio).Zeros(s.junkBeforeAudio);
    if (s.streams >= 2 && s.audioList) {
        m["audioList"] = b.Size();
        b.Tag("LIST").Le32(4 + 8 + 56 + 8 + 18).Tag("strl").Tag("strh").Le32(56).Tag("auds").Zeros(52);
        m["audioStrf"] = b.Size();
        b.Tag("strf").Le32(18);
        m["audioStrfData"] = b.Size();
        b.Le16(s.formatTag).Le16(s.channels).Le32(s.samplingRate).Le32(s.avgBytes).Le16(4).Le16(16).Le16(0);
    }
    if (s.junkBeforeMovi) b.Tag("JUNK").Le32(s.junkBeforeMovi).Zeros(s.junkBeforeMovi);
    m["movi"] = b.Size();
    b.Tag("LIST").Le32(4 + s.moviPayload).Tag("movi").Zeros(s.moviPayload);
    if (s.index) {
        m["idx1"] = b.Size();
        b.Tag("idx1").Le32(static_cast<std::uint32_t>(16 * s.entries.size()));
        for (const IndexEntry& e : s.entries) b.Tag(e.id).Le32(0x10).Le32(4).Le32(e.length);
    }
    b.PutLe32(4, static_cast<std::uint32_t>(b.Size() - 8));
    if (marks) *marks = m;
    return b.data;
}

struct Outcome {
    bool ok;
    MediaScratch scratch;
    RecordingReporter reporter;
};

Outcome Analyse(const std::vector<std::uint8_t>& bytes, AviAudioState& audio, const char* cds = "1", int cd = 0) {
    Outcome r{false, {}, {}};
    r.scratch.fields.cds = cds;
    MemorySource in(bytes);
    r.ok = AnalyseAvi(in, r.scratch, cd, audio, r.reporter);
    return r;
}

Outcome Analyse(const std::vector<std::uint8_t>& bytes) {
    AviAudioState audio;
    return Analyse(bytes, audio);
}

std::string Messages(const Outcome& r) {
    std::string all;
    for (const auto& m : r.reporter.messages) all += m.text + "|";
    return all;
}

TEST(AviAnalyzer, FillsEveryTextOfAFileWithAudio) {
    const Outcome r = Analyse(BuildAvi({}));
    ASSERT_TRUE(r.ok) << Messages(r);
    EXPECT_TRUE(r.reporter.messages.empty());
    const MediaFields& f = r.scratch.fields;
    EXPECT_EQ(f.format, "MPEG-4");
    EXPECT_EQ(f.width, "320");
    EXPECT_EQ(f.height, "240");
    EXPECT_EQ(f.frameRate, "25.000 fps");
    EXPECT_EQ(f.codec, "XVID");
    EXPECT_EQ(f.audioBitRate, "128 kbit/s");
    EXPECT_EQ(f.audioCodec, "MPEG Layer 3");
    EXPECT_EQ(f.channels, "2");
    EXPECT_EQ(f.samples, "44100 Hz");
    EXPECT_EQ(r.scratch.totalSeconds, 10u);
    // Only the video entries count, whatever the case of their ids; 01wb is audio.
    EXPECT_EQ(r.scratch.videoBytes, 505u);
    EXPECT_FALSE(f.length.has_value());  // the length is formed once all CDs are in
}

TEST(AviAnalyzer, VideoOnlyFileCountsTheWholeMoviList) {
    AviSpec s;
    s.streams = 1;
    const Outcome r = Analyse(BuildAvi(s));
    ASSERT_TRUE(r.ok) << Messages(r);
    EXPECT_EQ(r.scratch.videoBytes, 1004u);  // the list size: "movi" and the payload
}

TEST(AviAnalyzer, FileWithoutIndexAddsTimeButNoBytes) {
    AviSpec s;
    s.index = false;
    const Outcome r = Analyse(BuildAvi(s));
    ASSERT_TRUE(r.ok) << Messages(r);
    EXPECT_EQ(r.scratch.totalSeconds, 10u);
    EXPECT_EQ(r.scratch.videoBytes, 0u);
}

TEST(AviAnalyzer, JunkChunksAreHoppedOverBothBeforeTheAudioListAndBeforeTheData) {
    AviSpec s;
    s.junkBeforeAudio = 4120;
    s.junkBeforeMovi = 1016;
    const Outcome r = Analyse(BuildAvi(s));
    ASSERT_TRUE(r.ok) << Messages(r);
    EXPECT_EQ(r.scratch.fields.audioCodec, "MPEG Layer 3");
    EXPECT_EQ(r.scratch.videoBytes, 505u);
}

TEST(AviAnalyzer, AudioListOffTheTwentyByteStepsIsNotFound) {
    // A chunk of 4 bytes between the video format and the audio list puts the list off the
    // search's 20-byte steps; the search then runs on and hits the end of the file mid-step.
    Marks m;
    const auto full = BuildAvi({}, &m);
    std::vector<std::uint8_t> shifted(full.begin(), full.begin() + m["audioList"]);
    const std::uint8_t vprp[] = {'v', 'p', 'r', 'p', 4, 0, 0, 0, 0, 0, 0, 0};
    shifted.insert(shifted.end(), std::begin(vprp), std::end(vprp));
    shifted.insert(shifted.end(), full.begin() + m["audioList"], full.end());
    const Outcome r = Analyse(shifted);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Messages(r), "Error Reading Audio LIST|");
}

struct ChannelCase {
    std::uint16_t channels;
    const char* text;
};

class AviChannels : public testing::TestWithParam<ChannelCase> {};

TEST_P(AviChannels, FiveOrFewerAsNumberMoreAsSurround) {
    AviSpec s;
    s.channels = GetParam().channels;
    EXPECT_EQ(Analyse(BuildAvi(s)).scratch.fields.channels, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, AviChannels,
                         testing::Values(ChannelCase{0, "0"}, ChannelCase{1, "1"}, ChannelCase{2, "2"},
                                         ChannelCase{5, "5"}, ChannelCase{6, "5.1"}, ChannelCase{8, "5.1"}));

struct RateCase {
    const char* name;
    std::uint32_t scale, rate, frames;
    const char* fps;
    std::uint64_t seconds;
};

class AviFrameRate : public testing::TestWithParam<RateCase> {};

TEST_P(AviFrameRate, IntegerFramesPerSecondDriveTextAndTime) {
    const RateCase& c = GetParam();
    AviSpec s;
    s.scale = c.scale;
    s.rate = c.rate;
    s.frames = c.frames;
    const Outcome r = Analyse(BuildAvi(s));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scratch.fields.frameRate, c.fps);
    EXPECT_EQ(r.scratch.totalSeconds, c.seconds);
}

INSTANTIATE_TEST_SUITE_P(Table, AviFrameRate,
                         testing::Values(RateCase{"Pal", 1, 25, 2500, "25.000 fps", 100},
                                         RateCase{"NtscCountsAs29", 1001, 30000, 2997, "29.000 fps", 103},
                                         RateCase{"ScaledPal", 1000000, 25000000, 99, "25.000 fps", 3},
                                         RateCase{"RateBelowScaleAddsNoTime", 1000, 999, 5000, "0.000 fps", 0},
                                         RateCase{"ZeroScaleAddsNoTime", 0, 25, 5000, "0.000 fps", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AviAnalyzer, FileWithoutAudioShowsThePreviousFilesAudio) {
    AviAudioState audio;
    AviSpec ac3;
    ac3.formatTag = 0x2000;
    ac3.channels = 6;
    ac3.samplingRate = 48000;
    ac3.avgBytes = 48000;
    ASSERT_TRUE(Analyse(BuildAvi(ac3), audio).ok);
    AviSpec silent;
    silent.streams = 1;
    const Outcome r = Analyse(BuildAvi(silent), audio);
    EXPECT_EQ(r.scratch.fields.audioCodec, "Dolby AC3");
    EXPECT_EQ(r.scratch.fields.audioBitRate, "384 kbit/s");
    EXPECT_EQ(r.scratch.fields.channels, "5.1");
    EXPECT_EQ(r.scratch.fields.samples, "48000 Hz");
}

TEST(AviAnalyzer, FreshStateShowsZeroAudioForASilentFile) {
    AviSpec silent;
    silent.streams = 1;
    const Outcome r = Analyse(BuildAvi(silent));
    EXPECT_EQ(r.scratch.fields.audioCodec, "Unknown");
    EXPECT_EQ(r.scratch.fields.audioBitRate, "0 kbit/s");
    EXPECT_EQ(r.scratch.fields.channels, "0");
    EXPECT_EQ(r.scratch.fields.samples, "0 Hz");
}

TEST(AviAnalyzer, LaterCdOfSeveralOnlyAddsTimeAndBytes) {
    AviAudioState audio;
    const Outcome r = Analyse(BuildAvi({}), audio, "2", 1);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scratch.fields.format, "MPEG-4");  // every AVI sets the format
    EXPECT_FALSE(r.scratch.fields.width.has_value());
    EXPECT_FALSE(r.scratch.fields.codec.has_value());
    EXPECT_FALSE(r.scratch.fields.samples.has_value());
    EXPECT_EQ(r.scratch.totalSeconds, 10u);
    EXPECT_EQ(r.scratch.videoBytes, 505u);
}

TEST(AviAnalyzer, TagsAreComparedWithoutRegardToCase) {
    auto bytes = BuildAvi({});
    for (std::size_t i : {0, 1, 2, 3, 8, 9, 10, 12, 24}) bytes[i] = static_cast<std::uint8_t>(std::tolower(bytes[i]));
    const Outcome r = Analyse(bytes);
    EXPECT_TRUE(r.ok) << Messages(r);
}

TEST(AviAnalyzer, FormatChunkLargerThanTheWorkingBufferIsSkippedPastItsEnd) {
    AviSpec s;
    s.videoFormatSize = 40 + 1024;  // a bitmap header with a 256-colour palette
    const Outcome r = Analyse(BuildAvi(s));
    ASSERT_TRUE(r.ok) << Messages(r);
    EXPECT_EQ(r.scratch.fields.codec, "XVID");
    EXPECT_EQ(r.scratch.fields.audioCodec, "MPEG Layer 3");
    EXPECT_EQ(r.scratch.videoBytes, 505u);
}

struct FailCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> make;
    bool ok;
    const char* messages;
};

std::vector<std::uint8_t> CutAt(const char* mark, std::ptrdiff_t extra, AviSpec s = {}) {
    Marks m;
    auto bytes = BuildAvi(s, &m);
    bytes.resize(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(m.at(mark)) + extra));
    return bytes;
}

std::vector<std::uint8_t> Patched(const char* mark, std::ptrdiff_t at, std::uint32_t value, AviSpec s = {}) {
    Marks m;
    Bytes b;
    b.data = BuildAvi(s, &m);
    b.PutLe32(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(m.at(mark)) + at), value);
    return b.data;
}

class AviMessages : public testing::TestWithParam<FailCase> {};

TEST_P(AviMessages, EachDamageGivesItsMessage) {
    const FailCase& c = GetParam();
    const Outcome r = Analyse(c.make());
    EXPECT_EQ(r.ok, c.ok);
    EXPECT_EQ(Messages(r), c.messages);
    for (const auto& m : r.reporter.messages) {
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.icon, MessageIcon::None);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, AviMessages,
    testing::Values(
        FailCase{"ShorterThanTheFirst32Bytes", [] { return CutAt("avih", -1); }, false, "Error Reading File.|"},
        FailCase{"RiffWaveSoundFile",
                 [] {
                     Bytes b;
                     b.Tag("RIFF").Le32(100).Tag("WAVE").Tag("fmt ").Le32(16).Zeros(100);
                     return b.data;
                 },
                 false, "This Is Not A Valid Avi.|"},
        FailCase{"TextFile",
                 [] {
                     const std::string t = "This is a text file, not a movie at all.\r\n";
                     return std::vector<std::uint8_t>(t.begin(), t.end());
                 },
                 false, "Error Reading Main AVI Header: 2.|"},
        FailCase{"MainHeaderCut", [] { return CutAt("avih", 30); }, false, "Error Reading Main AVI Header|"},
        FailCase{"MainHeaderSizeAbsurd", [] { return Patched("avih", -4, 0xFFFFFFF0); }, false,
                 "Error Reading Main AVI Header|"},
        FailCase{"VideoListCut", [] { return CutAt("videoList", 19); }, false, "Error Reading Video List.|"},
        FailCase{"VideoStreamHeaderCut", [] { return CutAt("strh", 55); }, false,
                 "Error Reading Video Stream Header.|"},
        FailCase{"VideoFormatHeaderCut", [] { return CutAt("strf", 7); }, false, "Error Reading Video Stream Format.|"},
        FailCase{"VideoFormatCut", [] { return CutAt("strfData", 39); }, false,
                 "Error Reading Video Stream Format: 2.|"},
        FailCase{"AudioListCut", [] { return CutAt("audioList", 19); }, false, "Error Reading Audio LIST|"},
        FailCase{"AudioFormatHeaderCut", [] { return CutAt("audioStrf", 7); }, false,
                 "Error Reading Audio Stream Format.|"},
        FailCase{"AudioStreamHeaderSizeAbsurd", [] { return Patched("audioList", 16, 0x7FFFFFFF); }, false,
                 "Error Reading Audio Stream Format.|"},
        FailCase{"AudioFormatCut", [] { return CutAt("audioStrfData", 17); }, false,
                 "Error Reading Audio Stream Format: 2|"},
        FailCase{"AudioListEndingPastTheFile", [] { return Patched("audioList", 4, 0xFFFFFF00); }, false,
                 "Error Reading \"movi\" LIST.|"},
        FailCase{"DataChunkHeaderCut", [] { return CutAt("movi", 6); }, false, "Error Reading \"movi\" LIST.|"},
        FailCase{"ListTypeCut", [] { return CutAt("movi", 10); }, false, "Error Reading \"movi\" LIST: 3.|"},
        FailCase{"IndexEntriesEndingBeforeItsSize", [] { return CutAt("idx1", 8 + 20); }, false,
                 "Error Processing Index.|"},
        // The two seek failures end the data search but not the analysis.
        FailCase{"JunkReachingPastTheEnd",
                 [] {
                     AviSpec s;
                     s.junkBeforeMovi = 8;
                     return Patched("movi", -12, 0x7FFFFFFF, s);
                 },
                 true, "Error Reading \"movi\" LIST: 2.|"},
        FailCase{"MoviListReachingPastTheEnd", [] { return CutAt("idx1", -10); }, true,
                 "Error Reading \"movi\" LIST: 4.|"}),
    [](const auto& info) { return std::string(info.param.name); });

// A source whose device fails after a number of bytes, as a disk error would.
class FailingSource final : public ByteSource {
  public:
    FailingSource(const std::vector<std::uint8_t>& bytes, std::uint64_t failFrom)
        : ByteSource(bytes.size()), bytes_(bytes), failFrom_(failFrom) {}

  protected:
    bool ReadAt(std::uint64_t pos, void* dst, std::size_t n) override {
        if (pos + n > failFrom_) return false;
        std::memcpy(dst, bytes_.data() + pos, n);
        return true;
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::uint64_t failFrom_;
};

TEST(AviAnalyzer, IndexThatCannotBeReadWholeIsAProcessingError) {
    Marks m;
    const auto bytes = BuildAvi({}, &m);
    FailingSource in(bytes, m["idx1"] + 8 + 20);
    MediaScratch scratch;
    scratch.fields.cds = "1";
    AviAudioState audio;
    RecordingReporter reporter;
    EXPECT_FALSE(AnalyseAvi(in, scratch, 0, audio, reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Error Processing Index.");
}

TEST(AviAnalyzer, IndexOfMillionsOfEntriesIsSummedQuicklyInBoundedSlices) {
    AviSpec s;
    s.entries.clear();
    s.entries.reserve(2'000'000);
    for (int i = 0; i < 1'000'000; ++i) {
        s.entries.push_back({"00dc", 1000});
        s.entries.push_back({"01wb", 7});
    }
    const auto bytes = BuildAvi(s);
    const auto start = std::chrono::steady_clock::now();
    const Outcome r = Analyse(bytes);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(r.ok) << Messages(r);
    EXPECT_EQ(r.scratch.videoBytes, 1'000'000'000u);
    EXPECT_LT(took, std::chrono::seconds(2));
}

TEST(AviAnalyzer, AbsurdStreamCountAndSizesEndWithoutReadingPastTheFile) {
    AviSpec s;
    s.streams = 0xFFFFFFFF;
    s.width = 0xFFFFFFFF;
    auto bytes = BuildAvi(s);
    MemorySource in(bytes);
    MediaScratch scratch;
    scratch.fields.cds = "1";
    AviAudioState audio;
    RecordingReporter reporter;
    ASSERT_TRUE(AnalyseAvi(in, scratch, 0, audio, reporter));
    EXPECT_EQ(scratch.fields.width, "-1");  // shown as the C format showed a 32-bit value
    EXPECT_LE(in.BytesRead(), bytes.size());
}

}  // namespace
}  // namespace cl
