// The AVI analyser over crafted RIFF files: values and texts, the names of codecs and audio formats, every message,
// and hostile sizes.
#include "media/AviAnalyzer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>
#include <optional>

#include "media/CodecTables.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

using test::Analysed;
using test::Bytes;

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
    std::uint16_t formatTag = 0x55;
    std::uint16_t channels = 2;
    std::uint32_t samplingRate = 44100;
    std::uint32_t avgBytes = 16000;
    std::uint32_t junkBeforeAudio = 0;  // size of a JUNK chunk between video format and audio list
    std::uint32_t junkBeforeMovi = 0;
    bool index = true;
    std::vector<IndexEntry> entries = {{"00dc", 300}, {"01wb", 100}, {"00db", 200}, {"00DC", 5}};
};

// Offsets of the parts of a built file, for damaging it there.
using Marks = std::map<std::string, std::size_t>;

std::vector<std::uint8_t> BuildAvi(const AviSpec& s, Marks* marks = nullptr) {
    Marks m{{"", 0}};
    Bytes b;
    b.Tag("RIFF").Le(0).Tag("AVI ").Tag("LIST").Le(0).Tag("hdrl").Tag("avih").Le(56);
    m["avih"] = b.Size();
    b.Zeros(24).Le(s.streams).Zeros(4).Le(s.width).Le(s.height).Zeros(16);
    m["videoList"] = b.Size();
    b.Tag("LIST").Le(4 + 8 + 56 + 8 + s.videoFormatSize).Tag("strl").Tag("strh").Le(56);
    m["strh"] = b.Size();
    b.Tag("vids").Tag(s.fourcc).Zeros(12).Le(s.scale).Le(s.rate).Zeros(4).Le(s.frames).Zeros(20);
    m["strf"] = b.Size();
    b.Tag("strf").Le(s.videoFormatSize);
    m["strfData"] = b.Size();
    b.Le(s.videoFormatSize).Le(s.width).Le(s.height).Le(1, 2).Le(24, 2).Tag(s.fourcc).Zeros(s.videoFormatSize - 20);
    if (s.junkBeforeAudio) b.Tag("JUNK").Le(s.junkBeforeAudio).Zeros(s.junkBeforeAudio);
    if (s.streams >= 2) {
        m["audioList"] = b.Size();
        b.Tag("LIST").Le(4 + 8 + 56 + 8 + 18).Tag("strl").Tag("strh").Le(56).Tag("auds").Zeros(52);
        m["audioStrf"] = b.Size();
        b.Tag("strf").Le(18);
        m["audioStrfData"] = b.Size();
        b.Le(s.formatTag, 2).Le(s.channels, 2).Le(s.samplingRate).Le(s.avgBytes).Le(4, 2).Le(16, 2).Le(0, 2);
    }
    if (s.junkBeforeMovi) b.Tag("JUNK").Le(s.junkBeforeMovi).Zeros(s.junkBeforeMovi);
    m["movi"] = b.Size();
    b.Tag("LIST").Le(4 + 1000).Tag("movi").Zeros(1000);
    if (s.index) {
        m["idx1"] = b.Size();
        b.Tag("idx1").Le(static_cast<std::uint32_t>(16 * s.entries.size()));
        for (const IndexEntry& e : s.entries) b.Tag(e.id).Le(0x10).Le(4).Le(e.length);
    }
    b.PutLe32(4, static_cast<std::uint32_t>(b.Size() - 8));
    if (marks) *marks = m;
    return b.data;
}

Analysed Analyse(const std::vector<std::uint8_t>& bytes, AviAudioState& audio, const char* cds = "1", int cd = 0) {
    Analysed r;
    r.scratch.fields.cds = cds;
    MemorySource in(bytes);
    r.ok = AnalyseAvi(in, r.scratch, cd, audio, r.prompts);
    return r;
}

Analysed Analyse(const std::vector<std::uint8_t>& bytes) {
    AviAudioState audio;
    return Analyse(bytes, audio);
}

TEST(AviAnalyzer, FillsEveryTextOfAFileWithAudio) {
    const Analysed r = Analyse(BuildAvi({}));
    ASSERT_TRUE(r.ok) << r.Messages();
    EXPECT_EQ(r.Messages(), "");
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
    EXPECT_EQ(r.scratch.videoBytes, 505u);  // video entries whatever the case of their ids; 01wb is audio
    EXPECT_FALSE(f.length.has_value());     // the length is formed once all CDs are in
}

std::vector<IndexEntry> ManyEntries(int pairs) {
    std::vector<IndexEntry> entries;
    for (int i = 0; i < pairs; ++i) entries.insert(entries.end(), {{"00dc", 3}, {"01wb", 7}});
    return entries;
}

struct LayoutCase {
    const char* name;
    AviSpec spec;
    bool lowerCaseTags;
    const char* fps;
    std::uint64_t seconds;
    std::uint64_t videoBytes;
};

class AviLayouts : public testing::TestWithParam<LayoutCase> {};

TEST_P(AviLayouts, GiveRunningTimeAndVideoBytes) {
    const LayoutCase& c = GetParam();
    auto bytes = BuildAvi(c.spec);
    if (c.lowerCaseTags) {
        for (std::size_t i : {0, 1, 2, 3, 8, 9, 10, 12, 24})
            bytes[i] = static_cast<std::uint8_t>(std::tolower(bytes[i]));
    }
    const Analysed r = Analyse(bytes);
    ASSERT_TRUE(r.ok) << r.Messages();
    EXPECT_EQ(r.scratch.fields.frameRate, c.fps);
    EXPECT_EQ(r.scratch.totalSeconds, c.seconds);
    EXPECT_EQ(r.scratch.videoBytes, c.videoBytes);
    EXPECT_EQ(r.scratch.fields.codec, "XVID");
}

INSTANTIATE_TEST_SUITE_P(
    Table, AviLayouts,
    testing::Values(
        LayoutCase{"VideoOnlyCountsTheMoviList", {.streams = 1}, false, "25.000 fps", 10, 1004},
        LayoutCase{"NoIndexAddsNoBytes", {.index = false}, false, "25.000 fps", 10, 0},
        LayoutCase{"IndexOfSeveralSlices", {.entries = ManyEntries(5000)}, false, "25.000 fps", 10, 15000},
        LayoutCase{"JunkIsHoppedOver", {.junkBeforeAudio = 4120, .junkBeforeMovi = 1016}, false, "25.000 fps", 10, 505},
        // A bitmap header with a 256-colour palette is larger than the working buffer.
        LayoutCase{"LargeFormatChunk", {.videoFormatSize = 40 + 1024}, false, "25.000 fps", 10, 505},
        LayoutCase{"TagsInLowerCase", {}, true, "25.000 fps", 10, 505},
        LayoutCase{"NtscCountsAs29", {.scale = 1001, .rate = 30000, .frames = 2997}, false, "29.000 fps", 103, 505},
        LayoutCase{"RateBelowScaleAddsNoTime", {.scale = 1000, .rate = 999}, false, "0.000 fps", 0, 505},
        LayoutCase{"ZeroScaleAddsNoTime", {.scale = 0}, false, "0.000 fps", 0, 505}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* fourcc;
    std::uint16_t formatTag;
    std::uint16_t channels;
    const char* codec;
    const char* audioCodec;
    const char* channelsText;
};

class AviNames : public testing::TestWithParam<NameCase> {};

// Spot checks of the name tables (exact FourCC, ends of the tag ranges) and of the channel text.
TEST_P(AviNames, CodecAudioFormatAndChannels) {
    const NameCase& c = GetParam();
    const Analysed r = Analyse(BuildAvi({.fourcc = c.fourcc, .formatTag = c.formatTag, .channels = c.channels}));
    EXPECT_EQ(r.scratch.fields.codec, c.codec);
    EXPECT_EQ(r.scratch.fields.audioCodec, c.audioCodec);
    EXPECT_EQ(r.scratch.fields.channels, c.channelsText);
}

INSTANTIATE_TEST_SUITE_P(Table, AviNames,
                         testing::Values(NameCase{"divx", 0x2000, 6, "DivX 4.x", "Dolby AC3", "5.1"},
                                         NameCase{"DiVX", 0x0001, 5, "Unknown", "Unknown", "5"},
                                         NameCase{"xvid", 0x0070, 0, "Unknown", "Voxware Inc.", "0"},
                                         NameCase{"rv20", 0x0079, 8, "RealVideo 8", "Voxware Inc.", "5.1"},
                                         NameCase{"RV20", 0x007A, 1, "Unknown", "Unknown", "1"},
                                         NameCase{"3IV2", 0x0135, 2, "3ivx", "Sipro Lab Telecom", "2"},
                                         NameCase{"DX50", 0x0136, 2, "DivX 5.x", "Unknown", "2"}));

TEST(AviAnalyzer, FileWithoutAudioShowsTheLastAudioSeen) {
    AviAudioState audio;
    const Analysed fresh = Analyse(BuildAvi({.streams = 1}), audio);
    EXPECT_EQ(fresh.scratch.fields.audioCodec, "Unknown");
    EXPECT_EQ(fresh.scratch.fields.audioBitRate, "0 kbit/s");
    EXPECT_EQ(fresh.scratch.fields.samples, "0 Hz");
    ASSERT_TRUE(
        Analyse(BuildAvi({.formatTag = 0x2000, .channels = 6, .samplingRate = 48000, .avgBytes = 48000}), audio).ok);
    const Analysed r = Analyse(BuildAvi({.streams = 1}), audio);
    EXPECT_EQ(r.scratch.fields.audioCodec, "Dolby AC3");
    EXPECT_EQ(r.scratch.fields.audioBitRate, "384 kbit/s");
    EXPECT_EQ(r.scratch.fields.channels, "5.1");
    EXPECT_EQ(r.scratch.fields.samples, "48000 Hz");
}

TEST(AviAnalyzer, LaterCdOfSeveralOnlyAddsTimeAndBytes) {
    AviAudioState audio;
    const Analysed r = Analyse(BuildAvi({}), audio, "2", 1);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scratch.fields.format, "MPEG-4");  // every AVI sets the format
    EXPECT_FALSE(r.scratch.fields.width.has_value());
    EXPECT_FALSE(r.scratch.fields.samples.has_value());
    EXPECT_EQ(r.scratch.totalSeconds, 10u);
    EXPECT_EQ(r.scratch.videoBytes, 505u);
}

TEST(AviAnalyzer, AudioListOffTheTwentyByteStepsIsNotFound) {
    // A chunk of 4 bytes between the video format and the audio list puts the list off the search's 20-byte steps;
    // the search then runs on and hits the end of the file mid-step.
    Marks m;
    auto bytes = BuildAvi({}, &m);
    const std::uint8_t vprp[] = {'v', 'p', 'r', 'p', 4, 0, 0, 0, 0, 0, 0, 0};
    bytes.insert(bytes.begin() + m["audioList"], std::begin(vprp), std::end(vprp));
    const Analysed r = Analyse(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.Messages(), "Error Reading Audio LIST|");
}

struct Damage {
    const char* name;
    const char* mark;
    std::ptrdiff_t at;                   // from the mark
    std::optional<std::uint32_t> value;  // written there; none: the file is cut there
    bool ok;
    const char* messages;
    AviSpec spec = {};
};

class AviMessages : public testing::TestWithParam<Damage> {};

TEST_P(AviMessages, EachDamageGivesItsMessage) {
    const Damage& c = GetParam();
    Marks m;
    Bytes b{BuildAvi(c.spec, &m)};
    const std::size_t at = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(m.at(c.mark)) + c.at);
    if (c.value) {
        b.PutLe32(at, *c.value);
    } else {
        b.data.resize(at);
    }
    const Analysed r = Analyse(b.data);
    EXPECT_EQ(r.ok, c.ok);
    EXPECT_EQ(r.Messages(), c.messages);
    for (const auto& shown : r.prompts.messages) {
        EXPECT_EQ(shown.caption, "Error");
        EXPECT_EQ(shown.icon, MessageIcon::None);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, AviMessages,
    testing::Values(Damage{"ShorterThanTheFirst32Bytes", "avih", -1, {}, false, "Error Reading File.|"},
                    Damage{"RiffWave", "", 8, FourCc("WAVE"), false, "This Is Not A Valid Avi.|"},
                    Damage{"AnotherStartThanRiffIsNotChecked", "", 0, FourCc("TEXT"), true, ""},
                    Damage{"NoHeaderList", "", 12, FourCc("JUNK"), false, "Error Reading Main AVI Header: 2.|"},
                    Damage{"MainHeaderSizeAbsurd", "avih", -4, 0xFFFFFFF0, false, "Error Reading Main AVI Header|"},
                    Damage{"VideoListCut", "videoList", 19, {}, false, "Error Reading Video List.|"},
                    Damage{"VideoStreamHeaderCut", "strh", 55, {}, false, "Error Reading Video Stream Header.|"},
                    Damage{"VideoFormatHeaderCut", "strf", 7, {}, false, "Error Reading Video Stream Format.|"},
                    Damage{"VideoFormatCut", "strfData", 39, {}, false, "Error Reading Video Stream Format: 2.|"},
                    Damage{"AudioListCut", "audioList", 19, {}, false, "Error Reading Audio LIST|"},
                    Damage{"AudioFormatHeaderCut", "audioStrf", 7, {}, false, "Error Reading Audio Stream Format.|"},
                    Damage{"AudioFormatCut", "audioStrfData", 17, {}, false, "Error Reading Audio Stream Format: 2|"},
                    Damage{"AudioListEndingPastTheFile", "audioList", 4, 0xFFFFFF00, false,
                           "Error Reading \"movi\" LIST.|"},
                    Damage{"DataChunkHeaderCut", "movi", 6, {}, false, "Error Reading \"movi\" LIST.|"},
                    Damage{"ListTypeCut", "movi", 10, {}, false, "Error Reading \"movi\" LIST: 3.|"},
                    Damage{"IndexLargerThanTheFile", "idx1", 4, 0xFFFFFFF0, false, "Error Reading Index.|"},
                    // The two seek failures end the data search but not the analysis.
                    Damage{"JunkReachingPastTheEnd",
                           "movi",
                           -12,
                           0x7FFFFFFF,
                           true,
                           "Error Reading \"movi\" LIST: 2.|",
                           {.junkBeforeMovi = 8}},
                    Damage{"MoviListReachingPastTheEnd", "idx1", -10, {}, true, "Error Reading \"movi\" LIST: 4.|"}),
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
    Analysed r;
    r.scratch.fields.cds = "1";
    AviAudioState audio;
    EXPECT_FALSE(AnalyseAvi(in, r.scratch, 0, audio, r.prompts));
    EXPECT_EQ(r.Messages(), "Error Processing Index.|");
}

TEST(AviAnalyzer, AbsurdStreamCountAndSizesEndWithoutReadingPastTheFile) {
    const auto bytes = BuildAvi({.streams = 0xFFFFFFFF, .width = 0xFFFFFFFF});
    MemorySource in(bytes);
    Analysed r;
    r.scratch.fields.cds = "1";
    AviAudioState audio;
    ASSERT_TRUE(AnalyseAvi(in, r.scratch, 0, audio, r.prompts));
    EXPECT_EQ(r.scratch.fields.width, "-1");  // shown as a signed 32-bit value
    EXPECT_LE(in.BytesRead(), bytes.size());
}

}  // namespace
}  // namespace cl
