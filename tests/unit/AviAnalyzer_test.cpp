// The AVI analyser over crafted RIFF files: values and texts, the names of codecs and audio formats, every message,
// and hostile sizes.
#include "media/AviAnalyzer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <span>
#include <string_view>

#include "media/CodecTables.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

using test::Analysed;
using Texts = std::vector<std::optional<std::string>>;

// A little-endian byte builder for crafted files.
struct Bytes {
    Bytes& Tag(std::string_view t) {
        data.insert(data.end(), t.begin(), t.end());
        return *this;
    }
    Bytes& Le(std::uint32_t v, int bytes = 4) {
        for (int i = 0; i < bytes; ++i) data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& Zeros(std::size_t n) {
        data.resize(data.size() + n, 0);
        return *this;
    }
    void PutLe32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t Size() const { return data.size(); }

    std::vector<std::uint8_t> data;
};

struct IndexEntry {
    std::string id;
    std::uint32_t length;
};

struct AviLayout {
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
    std::uint32_t vprpBeforeAudio = 0;  // size of a chunk between video format and audio list
    std::uint32_t junkBeforeAudio = 0;
    std::uint32_t junkBeforeMovi = 0;
    bool index = true;
    std::vector<IndexEntry> entries = {{"00dc", 300}, {"01wb", 100}, {"00db", 200}, {"00DC", 5}};
};

// Offsets of the parts of a built file, for damaging it there.
using Marks = std::map<std::string, std::size_t>;

std::vector<std::uint8_t> BuildAvi(const AviLayout& s, Marks* marks = nullptr) {
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
    if (s.vprpBeforeAudio) b.Tag("vprp").Le(s.vprpBeforeAudio).Zeros(s.vprpBeforeAudio);
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
    m["end"] = b.Size();
    b.PutLe32(4, static_cast<std::uint32_t>(b.Size() - 8));
    if (marks) *marks = m;
    return b.data;
}

// Memory whose device fails from a given offset on, as a disk error would.
struct TestSource final : ByteSource {
    TestSource(std::span<const std::uint8_t> b, std::uint64_t failFrom)
        : ByteSource(b.size()), bytes(b), failFrom(failFrom) {}
    bool ReadAt(std::uint64_t pos, void* dst, std::size_t n) override {
        if (pos + n > failFrom) return false;
        std::memcpy(dst, bytes.data() + pos, n);
        return true;
    }
    std::span<const std::uint8_t> bytes;
    std::uint64_t failFrom;
};

Analysed Analyse(const std::vector<std::uint8_t>& bytes, AviAudioState& audio, const char* cds = "1", int cd = 0,
                 std::uint64_t failFrom = UINT64_MAX) {
    Analysed r;
    r.scratch.fields.cds = cds;
    TestSource in(bytes, failFrom);
    r.ok = AnalyseAvi(in, r.scratch, cd, audio, r.prompts);
    EXPECT_LE(in.BytesRead(), bytes.size());
    for (const test::Box& shown : r.prompts.messages) EXPECT_EQ(shown, (test::Box{shown.text, "Error"}));
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
    // The length is formed once all CDs are in.
    EXPECT_EQ((Texts{f.format, f.width, f.height, f.length, f.frameRate, f.codec, f.audioBitRate, f.audioCodec,
                     f.channels, f.samples}),
              (Texts{"MPEG-4", "320", "240", std::nullopt, "25.000 fps", "XVID", "128 kbit/s", "MPEG Layer 3", "2",
                     "44100 Hz"}));
    EXPECT_EQ(r.scratch.totalSeconds, 10u);
    EXPECT_EQ(r.scratch.videoBytes, 505u);  // video entries whatever the case of their ids; 01wb is audio
}

std::vector<IndexEntry> ManyEntries(int pairs) {
    std::vector<IndexEntry> entries;
    for (int i = 0; i < pairs; ++i) entries.insert(entries.end(), {{"00dc", 3}, {"01wb", 7}});
    return entries;
}

TEST(AviAnalyzer, LayoutsGiveRunningTimeAndVideoBytes) {
    struct Case {
        const char* name;
        AviLayout layout;
        const char* fps;
        std::uint64_t seconds;
        std::uint64_t videoBytes;
    };
    const Case cases[] = {
        {"video only: the whole movi list", {.streams = 1}, "25.000 fps", 10, 1004},
        {"no index: no bytes", {.index = false}, "25.000 fps", 10, 0},
        {"index of several slices", {.entries = ManyEntries(5000)}, "25.000 fps", 10, 15000},
        {"JUNK hopped over", {.junkBeforeAudio = 4120, .junkBeforeMovi = 1016}, "25.000 fps", 10, 505},
        // A bitmap header with a 256-colour palette is larger than the working buffer.
        {"large format chunk", {.videoFormatSize = 40 + 1024}, "25.000 fps", 10, 505},
        {"absurd stream count and size", {.streams = 0xFFFFFFFF, .width = 0xFFFFFFFF}, "25.000 fps", 10, 505},
        {"NTSC counts as 29", {.scale = 1001, .rate = 30000, .frames = 2997}, "29.000 fps", 103, 505},
        {"rate below scale: no time", {.scale = 1000, .rate = 999}, "0.000 fps", 0, 505},
        {"zero scale: no time", {.scale = 0}, "0.000 fps", 0, 505},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysed r = Analyse(BuildAvi(c.layout));
        ASSERT_TRUE(r.ok) << r.Messages();
        EXPECT_EQ(r.scratch.fields.frameRate, c.fps);
        EXPECT_EQ(r.scratch.totalSeconds, c.seconds);
        EXPECT_EQ(r.scratch.videoBytes, c.videoBytes);
        EXPECT_EQ(r.scratch.fields.codec, "XVID");
    }
}

// Spot checks of the name tables (exact FourCC, ends of the tag ranges) and of the channel text.
TEST(AviAnalyzer, CodecAudioFormatAndChannelTexts) {
    struct Case {
        const char* fourcc;
        std::uint16_t formatTag;
        std::uint16_t channels;
        const char* codec;
        const char* audioCodec;
        const char* channelsText;
    };
    const Case cases[] = {
        {"divx", 0x2000, 6, "DivX 4.x", "Dolby AC3", "5.1"}, {"DiVX", 0x0001, 5, "Unknown", "Unknown", "5"},
        {"xvid", 0x0070, 0, "Unknown", "Voxware Inc.", "0"}, {"rv20", 0x0079, 8, "RealVideo 8", "Voxware Inc.", "5.1"},
        {"RV20", 0x007A, 1, "Unknown", "Unknown", "1"},      {"3IV2", 0x0135, 2, "3ivx", "Sipro Lab Telecom", "2"},
        {"DX50", 0x0136, 2, "DivX 5.x", "Unknown", "2"},
    };
    for (const Case& c : cases) {
        const Analysed r = Analyse(BuildAvi({.fourcc = c.fourcc, .formatTag = c.formatTag, .channels = c.channels}));
        EXPECT_EQ(r.scratch.fields.codec, c.codec) << c.fourcc;
        EXPECT_EQ(r.scratch.fields.audioCodec, c.audioCodec) << c.formatTag;
        EXPECT_EQ(r.scratch.fields.channels, c.channelsText) << c.channels;
    }
}

TEST(AviAnalyzer, FileWithoutAudioShowsTheLastAudioSeen) {
    const auto audioTexts = [](const Analysed& r) {
        const MediaFields& f = r.scratch.fields;
        return Texts{f.audioCodec, f.audioBitRate, f.channels, f.samples};
    };
    AviAudioState audio;
    EXPECT_EQ(audioTexts(Analyse(BuildAvi({.streams = 1}), audio)), (Texts{"Unknown", "0 kbit/s", "0", "0 Hz"}));
    Analyse(BuildAvi({.formatTag = 0x2000, .channels = 6, .samplingRate = 48000, .avgBytes = 48000}), audio);
    EXPECT_EQ(audioTexts(Analyse(BuildAvi({.streams = 1}), audio)),
              (Texts{"Dolby AC3", "384 kbit/s", "5.1", "48000 Hz"}));
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

TEST(AviAnalyzer, EachDamageGivesItsMessage) {
    struct Damage {
        const char* name;
        const char* mark;
        std::ptrdiff_t at;                   // from the mark
        std::optional<std::uint32_t> value;  // written there; none: the file is cut there
        bool ok;
        const char* messages;
        AviLayout layout = {};
    };
    const Damage cases[] = {
        {"shorter than the first 32 bytes", "avih", -1, {}, false, "Error Reading File.|"},
        {"RIFF WAVE", "", 8, FourCc("WAVE"), false, "This Is Not A Valid Avi.|"},
        {"another start than RIFF is not checked", "", 0, FourCc("TEXT"), true, ""},
        {"no header list", "", 12, FourCc("JUNK"), false, "Error Reading Main AVI Header: 2.|"},
        {"main header size absurd", "avih", -4, 0xFFFFFFF0, false, "Error Reading Main AVI Header|"},
        {"video list cut", "videoList", 19, {}, false, "Error Reading Video List.|"},
        {"video stream header cut", "strh", 55, {}, false, "Error Reading Video Stream Header.|"},
        {"video format header cut", "strf", 7, {}, false, "Error Reading Video Stream Format.|"},
        {"video format cut", "strfData", 39, {}, false, "Error Reading Video Stream Format: 2.|"},
        {"audio list cut", "audioList", 19, {}, false, "Error Reading Audio LIST|"},
        // A chunk of 4 bytes puts the audio list off the search's 20-byte steps: the search runs to the end of the
        // file.
        {"audio list off the steps", "end", 0, {}, false, "Error Reading Audio LIST|", {.vprpBeforeAudio = 4}},
        {"audio format header cut", "audioStrf", 7, {}, false, "Error Reading Audio Stream Format.|"},
        {"audio format cut", "audioStrfData", 17, {}, false, "Error Reading Audio Stream Format: 2|"},
        {"audio list ending past the file", "audioList", 4, 0xFFFFFF00, false, "Error Reading \"movi\" LIST.|"},
        {"data chunk header cut", "movi", 6, {}, false, "Error Reading \"movi\" LIST.|"},
        {"list type cut", "movi", 10, {}, false, "Error Reading \"movi\" LIST: 3.|"},
        {"index entries ending before its size", "idx1", 8 + 20, {}, false, "Error Processing Index.|"},
        // The two seek failures end the data search but not the analysis.
        {"JUNK past the end", "movi", -12, 0x7FFFFFFF, true, "Error Reading \"movi\" LIST: 2.|", {.junkBeforeMovi = 8}},
        {"movi list past the end", "idx1", -10, {}, true, "Error Reading \"movi\" LIST: 4.|"},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        Marks m;
        Bytes b{BuildAvi(c.layout, &m)};
        const std::size_t at = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(m.at(c.mark)) + c.at);
        if (c.value) {
            b.PutLe32(at, *c.value);
        } else {
            b.data.resize(at);
        }
        const Analysed r = Analyse(b.data);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.Messages(), c.messages);
    }
    // A device failing inside an index whose size fits the file.
    Marks m;
    const auto bytes = BuildAvi({}, &m);
    AviAudioState audio;
    EXPECT_EQ(Analyse(bytes, audio, "1", 0, m["idx1"] + 8 + 20).Messages(), "Error Processing Index.|");
}

}  // namespace
}  // namespace cl
