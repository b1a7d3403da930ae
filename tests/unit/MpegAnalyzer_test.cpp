// The MPEG analyser over crafted program streams: sequence header window, audio frame header, pack header,
// group-of-pictures time codes, and the values kept between analyses.
#include "media/MpegAnalyzer.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

using test::Analysed;
using Texts = std::vector<std::optional<std::string>>;

void Put(std::vector<std::uint8_t>& d, std::size_t at, std::initializer_list<std::uint8_t> b) {
    std::copy(b.begin(), b.end(), d.begin() + at);
}

// A group-of-pictures header with the time code h:m:s.
void PutGop(std::vector<std::uint8_t>& d, std::size_t at, unsigned h, unsigned m, unsigned s) {
    const std::uint32_t bits = h << 26 | m << 20 | 1u << 19 | s << 13;  // after the drop-frame flag
    Put(d, at, {0, 0, 1, 0xB8, std::uint8_t(bits >> 24), std::uint8_t(bits >> 16), std::uint8_t(bits >> 8), 0});
}

struct MpegLayout {
    std::size_t size = 100000;
    std::size_t sequenceAt = 12;
    unsigned rateCode = 4;
    bool pack = true;
    std::uint8_t packByte = 0x21;  // MPEG-1 pack; 0x44 is MPEG-2
    bool audio = true;
    std::array<std::uint8_t, 4> audioHeader = {0xFF, 0xFD, 0xB0, 0x04};  // L2, 224 kbit/s, 44100, stereo
    std::size_t gopAt = 90000;
    unsigned h = 0, m = 50, s = 10;
    bool gop = true;
};

std::vector<std::uint8_t> BuildMpeg(const MpegLayout& l) {
    std::vector<std::uint8_t> d(l.size, 0);
    if (l.pack) Put(d, 0, {0, 0, 1, 0xBA, l.packByte});
    // 352 x 240, aspect code 1, the frame-rate code, and 2875 × 400 bit/s.
    if (l.sequenceAt + 12 <= d.size()) {
        Put(d, l.sequenceAt, {0, 0, 1, 0xB3, 0x16, 0x00, 0xF0, std::uint8_t(0x10 | l.rateCode), 0x02, 0xCE, 0xE0, 0});
    }
    if (l.audio) {
        Put(d, 40000, {0, 0, 1, 0xC0, 0x08, 0x00, 0xFF, 0xFF, 0x40, 0x20});  // stuffing, then the frame
        std::copy(l.audioHeader.begin(), l.audioHeader.end(), d.begin() + 40020);
    }
    if (l.gop) PutGop(d, l.gopAt, l.h, l.m, l.s);
    return d;
}

Analysed Analyse(const std::vector<std::uint8_t>& bytes, MpegAudioState& audio, MediaScratch scratch = {}, int cd = 0) {
    Analysed o;
    o.scratch = std::move(scratch);
    if (!o.scratch.fields.cds) o.scratch.fields.cds = "1";
    MemorySource in(bytes);
    o.ok = AnalyseMpeg(in, o.scratch, cd, audio, o.prompts);
    o.bytesRead = in.BytesRead();
    for (const test::Box& shown : o.prompts.messages)
        EXPECT_EQ(shown, (test::Box{shown.text, "Error", MessageIcon::Stop}));
    return o;
}

Analysed Analyse(const std::vector<std::uint8_t>& bytes) {
    MpegAudioState audio;
    return Analyse(bytes, audio);
}

TEST(MpegAnalyzer, VcdLikeStreamGivesTheVcdTexts) {
    const Analysed o = Analyse(BuildMpeg({}));
    ASSERT_TRUE(o.ok) << o.Messages();
    EXPECT_EQ(o.Messages(), "");
    const MediaFields& f = o.scratch.fields;
    EXPECT_EQ((Texts{f.format, f.width, f.height, f.frameRate, f.videoBitRate, f.codec, f.audioBitRate, f.audioCodec,
                     f.channels, f.samples}),
              (Texts{"MPEG-1", "352", "240", "29.970 fps", "1150 kbit/s", "MPEG-1", "224 kbit/s", "MPEG-1 Layer 2", "2",
                     "44100 Hz"}));
    EXPECT_EQ(o.scratch.totalSeconds, 3010u);
}

TEST(MpegAnalyzer, FrameRateCodeAndPackHeader) {
    const std::pair<unsigned, const char*> rates[] = {{1, "23.976 fps"}, {8, "60.000 fps"}, {9, "0.000 fps"}};
    for (const auto& [code, fps] : rates) {
        EXPECT_EQ(Analyse(BuildMpeg({.rateCode = code})).scratch.fields.frameRate, fps) << code;
    }
    const Analysed mpeg2 = Analyse(BuildMpeg({.packByte = 0x44}));
    EXPECT_EQ(mpeg2.scratch.fields.format, "MPEG-2");
    EXPECT_EQ(mpeg2.scratch.fields.codec, "MPEG-2");
    EXPECT_EQ(Analyse(BuildMpeg({.pack = false, .packByte = 0x44})).scratch.fields.format, "MPEG-1");
}

TEST(MpegAnalyzer, SequenceHeaderMustStartBefore32760AndInsideTheFile) {
    struct Case {
        const char* name;
        std::size_t size;
        std::size_t at;
        bool found;
    };
    const Case cases[] = {
        {"odd offset", 20000, 4099, true},
        {"last position", 40000, 32759, true},
        {"one past the limit", 40000, 32760, false},
        {"file ends in its window", 27, 12, false},
        {"file ends after its window", 28, 12, true},
        {"empty file", 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysed o =
            Analyse(BuildMpeg({.size = c.size, .sequenceAt = c.at, .pack = false, .audio = false, .gop = false}));
        EXPECT_EQ(o.ok, c.found);
        EXPECT_EQ(o.scratch.fields.width, c.found ? std::optional<std::string>("352") : std::nullopt);
        EXPECT_EQ(o.Messages(), c.found ? "Error Parsing GOP Headers.|" : "Unable To Parse MPEG File|");
    }
}

// Each case follows the analysis of the VCD-like stream (224 kbit/s), whose values a reserved code leaves in place.
TEST(MpegAnalyzer, AudioFrameHeaderBitsGiveTheAudioTexts) {
    struct Case {
        std::array<std::uint8_t, 4> header;
        const char* codec;
        const char* bitRate;
        const char* channels;
        const char* samples;
    };
    const Case cases[] = {
        {{0xFF, 0xFB, 0x94, 0xC4}, "MPEG-1 Layer 3", "128 kbit/s", "1", "48000 Hz"},
        {{0xFF, 0xFE, 0xE8, 0x44}, "MPEG-1 Layer 1", "448 kbit/s", "2", "32000 Hz"},
        {{0xFF, 0xF3, 0x80, 0x00}, "MPEG-2 Layer 3", "64 kbit/s", "2", "22050 Hz"},
        {{0xFF, 0xF7, 0xE8, 0xC0}, "MPEG-2 Layer 1", "256 kbit/s", "1", "16000 Hz"},
        {{0xFF, 0xFD, 0x0C, 0x00}, "MPEG-1 Layer 2", "0 kbit/s", "2", "0 Hz"},        // free and bad indexes
        {{0xFF, 0xF9, 0x40, 0x00}, "MPEG-1 Layer 0", "224 kbit/s", "2", "44100 Hz"},  // reserved layer
        // 0xFFFF is never a sync, and one byte on 0xFFE8 has only eleven sync bits: a Layer I header without CRC
        // protection is not found at all.
        {{0xFF, 0xFF, 0xE8, 0x44}, "Unknown", "0 kbit/s", "0", "0 Hz"},
        {{0, 0, 0, 0}, "Unknown", "0 kbit/s", "0", "0 Hz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.header));
        MpegAudioState audio;
        ASSERT_TRUE(Analyse(BuildMpeg({}), audio).ok);
        const Analysed o = Analyse(BuildMpeg({.audioHeader = c.header}), audio);
        EXPECT_EQ(o.scratch.fields.audioCodec, c.codec);
        EXPECT_EQ(o.scratch.fields.audioBitRate, c.bitRate);
        EXPECT_EQ(o.scratch.fields.channels, c.channels);
        EXPECT_EQ(o.scratch.fields.samples, c.samples);
    }
}

TEST(MpegAnalyzer, AudioSyncIsSoughtUpTo263BytesAfterThePacketStartAndWithinTheHead) {
    std::vector<std::uint8_t> d = BuildMpeg({.audio = false});
    Put(d, 40000, {0, 0, 1, 0xC0});
    Put(d, 40000 + 264, {0xFF, 0xFD, 0xB0, 0x04});
    EXPECT_EQ(Analyse(d).scratch.fields.audioCodec, "Unknown");
    Put(d, 40000 + 263, {0xFF, 0xFD, 0xB0, 0x04});
    EXPECT_EQ(Analyse(d).scratch.fields.audioCodec, "MPEG-1 Layer 2");
    // The last audio packet start searched is at 131072 - 265 and its reach ends two bytes short of the end of the
    // head, so the frame header's bit-rate byte lies past the data read.
    d = BuildMpeg({.size = 200000, .audio = false, .gopAt = 150000});
    Put(d, kMpegHeadBytes - 265, {0, 0, 1, 0xC0});
    Put(d, kMpegHeadBytes - 2, {0xFF, 0xFD, 0xB0, 0xC4});
    const Analysed o = Analyse(d);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.scratch.fields.audioCodec, "MPEG-1 Layer 2");
    EXPECT_EQ(o.scratch.fields.audioBitRate, "0 kbit/s");
}

TEST(MpegAnalyzer, LaterCdsAddTheirLastTimeCodesOrZeroTheWholeTime) {
    MpegAudioState audio;
    MediaScratch scratch;
    scratch.fields.cds = "3";
    const Analysed first = Analyse(BuildMpeg({}), audio, scratch, 0);
    // A later CD is not searched for a sequence header at all.
    const Analysed second = Analyse(BuildMpeg({.sequenceAt = 50000, .m = 45, .s = 0}), audio, first.scratch, 1);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.scratch.totalSeconds, 5710u);
    EXPECT_EQ(second.scratch.fields.width, "352");
    const Analysed third = Analyse(BuildMpeg({.gop = false}), audio, second.scratch, 2);
    EXPECT_TRUE(third.ok);
    EXPECT_EQ(third.scratch.totalSeconds, 0u);
    EXPECT_EQ(third.Messages(), "Error Parsing GOP Headers.|");
}

TEST(MpegAnalyzer, BlocksFromTheEndFindTheLastTimeCode) {
    struct Case {
        const char* name;
        std::size_t size;
        std::size_t gopAt;
        bool found;
    };
    const Case cases[] = {
        {"in the last block", 100000, 99000, true},
        {"several blocks back", 100000, 40000, true},
        // The last block starts at size - 16384 and is scanned from its 16376th byte down to its first, never at 0:
        // a code right at a block start is missed.
        {"at the last block's first byte", 100000, 100000 - 16384, false},
        {"one after the last block's start", 100000, 100000 - 16384 + 1, true},
        {"before the first whole block", 20000, 100, false},
        {"file shorter than a block", 16000, 8000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysed o =
            Analyse(BuildMpeg({.size = c.size, .sequenceAt = 0, .pack = false, .audio = false, .gopAt = c.gopAt}));
        EXPECT_TRUE(o.ok);
        EXPECT_EQ(o.scratch.totalSeconds, c.found ? 3010u : 0u);
        EXPECT_EQ(o.Messages(), c.found ? "" : "Error Parsing GOP Headers.|");
    }
    std::vector<std::uint8_t> d = BuildMpeg({.gopAt = 95000});
    PutGop(d, 96000, 1, 2, 3);
    EXPECT_EQ(Analyse(d).scratch.totalSeconds, 3723u) << "the later time code in a block wins";
    const Analysed big = Analyse(BuildMpeg({.size = 10'000'000, .gopAt = 10'000'000 - 20000}));
    EXPECT_EQ(big.bytesRead, kMpegHeadBytes + 2 * kGopBlock) << "the head and only the blocks needed from the end";
}

}  // namespace
}  // namespace cl
