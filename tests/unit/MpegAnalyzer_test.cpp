// The MPEG analyser over crafted program streams: sequence header window, audio frame header,
// pack header, group-of-pictures time codes, and the values kept between analyses.
#include "media/MpegAnalyzer.h"

#include <gtest/gtest.h>

#include <array>

#include "media/ByteSource.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

using test::Bytes;
using test::RecordingReporter;

// Sequence header: 12-bit width and height, aspect 1 with the frame-rate code, 18-bit bit rate.
void PutSequenceHeader(std::vector<std::uint8_t>& d, std::size_t at, unsigned w, unsigned h, unsigned rateCode,
                       unsigned bitRate400) {
    const std::uint8_t bytes[] = {0,
                                  0,
                                  1,
                                  0xB3,
                                  static_cast<std::uint8_t>(w >> 4),
                                  static_cast<std::uint8_t>((w & 0xF) << 4 | h >> 8),
                                  static_cast<std::uint8_t>(h & 0xFF),
                                  static_cast<std::uint8_t>(0x10 | rateCode),
                                  static_cast<std::uint8_t>(bitRate400 >> 10),
                                  static_cast<std::uint8_t>(bitRate400 >> 2),
                                  static_cast<std::uint8_t>((bitRate400 & 3) << 6 | 0x20),
                                  0};
    std::copy(std::begin(bytes), std::end(bytes), d.begin() + at);
}

void Put(std::vector<std::uint8_t>& d, std::size_t at, std::initializer_list<std::uint8_t> b) {
    std::copy(b.begin(), b.end(), d.begin() + at);
}

// A group-of-pictures header with the time code h:m:s.
void PutGop(std::vector<std::uint8_t>& d, std::size_t at, unsigned h, unsigned m, unsigned s) {
    const std::uint32_t bits = h << 26 | m << 20 | 1u << 19 | s << 13;  // after the drop-frame flag
    Put(d, at,
        {0, 0, 1, 0xB8, static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
         static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)});
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

std::vector<std::uint8_t> BuildMpeg(const MpegLayout& layout) {
    std::vector<std::uint8_t> d(layout.size, 0);
    if (layout.pack) Put(d, 0, {0, 0, 1, 0xBA, layout.packByte});
    if (layout.sequenceAt + 12 <= d.size()) PutSequenceHeader(d, layout.sequenceAt, 352, 240, layout.rateCode, 2875);
    if (layout.audio) {
        Put(d, 40000, {0, 0, 1, 0xC0, 0x08, 0x00, 0xFF, 0xFF, 0x40, 0x20});  // stuffing, then the frame
        std::copy(layout.audioHeader.begin(), layout.audioHeader.end(), d.begin() + 40020);
    }
    if (layout.gop) PutGop(d, layout.gopAt, layout.h, layout.m, layout.s);
    return d;
}

struct Outcome {
    bool ok;
    MediaScratch scratch;
    RecordingReporter reporter;
};

Outcome Analyse(const std::vector<std::uint8_t>& bytes, MpegAudioState& audio, MediaScratch scratch = {}, int cd = 0) {
    Outcome o{false, std::move(scratch), {}};
    if (!o.scratch.fields.cds) o.scratch.fields.cds = "1";
    MemorySource in(bytes);
    o.ok = AnalyseMpeg(in, o.scratch, cd, audio, o.reporter);
    return o;
}

Outcome Analyse(const std::vector<std::uint8_t>& bytes) {
    MpegAudioState audio;
    return Analyse(bytes, audio);
}

std::string Messages(const Outcome& o) {
    std::string all;
    for (const auto& m : o.reporter.messages) all += m.text + "|";
    return all;
}

TEST(MpegAnalyzer, VcdLikeStreamGivesTheVcdTexts) {
    const Outcome o = Analyse(BuildMpeg({}));
    ASSERT_TRUE(o.ok) << Messages(o);
    EXPECT_EQ(Messages(o), "");
    const MediaFields& f = o.scratch.fields;
    EXPECT_EQ(f.width, "352");
    EXPECT_EQ(f.height, "240");
    EXPECT_EQ(f.frameRate, "29.970 fps");
    EXPECT_EQ(f.videoBitRate, "1150 kbit/s");
    EXPECT_EQ(f.audioCodec, "MPEG-1 Layer 2");
    EXPECT_EQ(f.audioBitRate, "224 kbit/s");
    EXPECT_EQ(f.channels, "2");
    EXPECT_EQ(f.samples, "44100 Hz");
    EXPECT_EQ(f.format, "MPEG-1");
    EXPECT_EQ(f.codec, "MPEG-1");
    EXPECT_EQ(o.scratch.totalSeconds, 3010u);
}

struct RateCase {
    unsigned code;
    const char* text;
};

class MpegFrameRateCodes : public testing::TestWithParam<RateCase> {};

TEST_P(MpegFrameRateCodes, CodeGivesItsRateAndUnusedCodesZero) {
    MpegLayout s;
    s.rateCode = GetParam().code;
    EXPECT_EQ(Analyse(BuildMpeg(s)).scratch.fields.frameRate, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, MpegFrameRateCodes,
                         testing::Values(RateCase{0, "0.000 fps"}, RateCase{1, "23.976 fps"}, RateCase{2, "24.000 fps"},
                                         RateCase{3, "25.000 fps"}, RateCase{4, "29.970 fps"},
                                         RateCase{5, "30.000 fps"}, RateCase{6, "50.000 fps"},
                                         RateCase{7, "59.940 fps"}, RateCase{8, "60.000 fps"}, RateCase{9, "0.000 fps"},
                                         RateCase{15, "0.000 fps"}));

struct SequenceCase {
    const char* name;
    std::size_t size;
    std::size_t at;
    bool found;
};

class MpegSequenceWindow : public testing::TestWithParam<SequenceCase> {};

TEST_P(MpegSequenceWindow, HeaderMustStartBefore32760AndInsideTheFile) {
    const SequenceCase& c = GetParam();
    MpegLayout s;
    s.size = c.size;
    s.sequenceAt = c.at;
    s.pack = false;
    s.audio = false;
    s.gop = false;
    const Outcome o = Analyse(BuildMpeg(s));
    EXPECT_EQ(o.ok, c.found);
    if (c.found) {
        EXPECT_EQ(o.scratch.fields.width, "352");
    } else {
        EXPECT_EQ(Messages(o), "Unable To Parse MPEG File|");
        ASSERT_EQ(o.reporter.messages.size(), 1u);
        EXPECT_EQ(o.reporter.messages[0].caption, "Error");
        EXPECT_EQ(o.reporter.messages[0].icon, MessageIcon::Stop);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, MpegSequenceWindow,
                         testing::Values(SequenceCase{"AtStart", 20000, 0, true},
                                         SequenceCase{"OddOffset", 20000, 4099, true},
                                         SequenceCase{"LastPosition", 40000, 32759, true},
                                         SequenceCase{"OnePastTheLimit", 40000, 32760, false},
                                         SequenceCase{"FileEndsInItsWindow", 27, 12, false},
                                         SequenceCase{"FileEndsAfterItsWindow", 28, 12, true},
                                         SequenceCase{"EmptyFile", 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MpegAnalyzer, PackHeaderTellsMpeg1FromMpeg2) {
    MpegLayout s;
    s.packByte = 0x44;
    EXPECT_EQ(Analyse(BuildMpeg(s)).scratch.fields.format, "MPEG-2");
    EXPECT_EQ(Analyse(BuildMpeg(s)).scratch.fields.codec, "MPEG-2");
    s.pack = false;
    EXPECT_EQ(Analyse(BuildMpeg(s)).scratch.fields.format, "MPEG-1");
}

struct AudioCase {
    const char* name;
    std::array<std::uint8_t, 4> header;
    const char* codec;
    const char* bitRate;
    const char* channels;
    const char* samples;
};

class MpegAudioHeaders : public testing::TestWithParam<AudioCase> {};

TEST_P(MpegAudioHeaders, HeaderBitsGiveTheAudioTexts) {
    const AudioCase& c = GetParam();
    MpegLayout s;
    s.audioHeader = c.header;
    const Outcome o = Analyse(BuildMpeg(s));
    EXPECT_EQ(o.scratch.fields.audioCodec, c.codec);
    EXPECT_EQ(o.scratch.fields.audioBitRate, c.bitRate);
    EXPECT_EQ(o.scratch.fields.channels, c.channels);
    EXPECT_EQ(o.scratch.fields.samples, c.samples);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MpegAudioHeaders,
    testing::Values(
        AudioCase{"Mpeg1Layer2", {0xFF, 0xFD, 0xB0, 0x04}, "MPEG-1 Layer 2", "224 kbit/s", "2", "44100 Hz"},
        AudioCase{"Mpeg1Layer3Mono48k", {0xFF, 0xFB, 0x94, 0xC4}, "MPEG-1 Layer 3", "128 kbit/s", "1", "48000 Hz"},
        AudioCase{"Mpeg1Layer1WithCrc", {0xFF, 0xFE, 0xE8, 0x44}, "MPEG-1 Layer 1", "448 kbit/s", "2", "32000 Hz"},
        // 0xFFFF is never a sync, and one byte on 0xFFE8 has only eleven sync bits: a Layer I header
        // without CRC protection is not found at all.
        AudioCase{"Layer1WithoutCrcIsNotFound", {0xFF, 0xFF, 0xE8, 0x44}, "Unknown", "0 kbit/s", "0", "0 Hz"},
        AudioCase{"Mpeg2Layer3At22k", {0xFF, 0xF3, 0x80, 0x00}, "MPEG-2 Layer 3", "64 kbit/s", "2", "22050 Hz"},
        AudioCase{"Mpeg2Layer1At16k", {0xFF, 0xF7, 0xE8, 0xC0}, "MPEG-2 Layer 1", "256 kbit/s", "1", "16000 Hz"},
        AudioCase{"FreeAndBadIndexesGiveZero", {0xFF, 0xFD, 0x0C, 0x00}, "MPEG-1 Layer 2", "0 kbit/s", "2", "0 Hz"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MpegAnalyzer, NoAudioFrameGivesUnknownTexts) {
    MpegAudioState audio;
    ASSERT_TRUE(Analyse(BuildMpeg({}), audio).ok);  // the state now holds 224 kbit/s
    MpegLayout s;
    s.audio = false;
    const Outcome o = Analyse(BuildMpeg(s), audio);
    EXPECT_EQ(o.scratch.fields.audioCodec, "Unknown");
    EXPECT_EQ(o.scratch.fields.channels, "0");
    EXPECT_EQ(o.scratch.fields.samples, "0 Hz");
    EXPECT_EQ(o.scratch.fields.audioBitRate, "0 kbit/s");
    EXPECT_EQ(audio.bitRateKbit, 224u);
}

TEST(MpegAnalyzer, ReservedLayerKeepsThePreviousBitRate) {
    MpegAudioState audio;
    ASSERT_TRUE(Analyse(BuildMpeg({}), audio).ok);
    MpegLayout s;
    s.audioHeader = {0xFF, 0xF9, 0x40, 0x00};  // layer bits 00
    const Outcome o = Analyse(BuildMpeg(s), audio);
    EXPECT_EQ(o.scratch.fields.audioCodec, "MPEG-1 Layer 0");
    EXPECT_EQ(o.scratch.fields.audioBitRate, "224 kbit/s");
}

TEST(MpegAnalyzer, AudioSyncMoreThan264BytesAfterThePacketStartIsNotSeen) {
    std::vector<std::uint8_t> d = BuildMpeg({.audio = false});
    Put(d, 40000, {0, 0, 1, 0xC0});
    Put(d, 40000 + 264, {0xFF, 0xFD, 0xB0, 0x04});
    EXPECT_EQ(Analyse(d).scratch.fields.audioCodec, "Unknown");
    Put(d, 40000 + 263, {0xFF, 0xFD, 0xB0, 0x04});
    EXPECT_EQ(Analyse(d).scratch.fields.audioCodec, "MPEG-1 Layer 2");
}

TEST(MpegAnalyzer, AudioSyncInTheLastBytesOfTheHeadReadsZerosBeyond) {
    // A 131072-byte head: the last audio packet start searched is at 131072 - 265 and its reach
    // ends two bytes short of the end, so the frame header's bit-rate byte lies past the data.
    std::vector<std::uint8_t> d = BuildMpeg({.size = 200000, .audio = false, .gopAt = 150000});
    Put(d, 131072 - 265, {0, 0, 1, 0xC0});
    Put(d, 131072 - 2, {0xFF, 0xFD, 0xB0, 0xC4});  // the last two lie outside the head
    const Outcome o = Analyse(d);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.scratch.fields.audioCodec, "MPEG-1 Layer 2");
    EXPECT_EQ(o.scratch.fields.audioBitRate, "0 kbit/s");
    EXPECT_EQ(o.scratch.fields.channels, "2");
}

TEST(MpegAnalyzer, TwoCdsAddTheirLastTimeCodes) {
    MpegAudioState audio;
    MediaScratch scratch;
    scratch.fields.cds = "2";
    Outcome first = Analyse(BuildMpeg({}), audio, scratch, 0);
    ASSERT_TRUE(first.ok);
    MpegLayout second;
    second.m = 45;
    second.s = 0;
    second.sequenceAt = 50000;  // a later CD is not searched for a sequence header at all
    Outcome both = Analyse(BuildMpeg(second), audio, first.scratch, 1);
    ASSERT_TRUE(both.ok);
    EXPECT_EQ(both.scratch.totalSeconds, 5710u);
    EXPECT_EQ(both.scratch.fields.width, "352");
}

TEST(MpegAnalyzer, LaterCdWithoutTimeCodeSetsTheWholeRunningTimeToZero) {
    MpegAudioState audio;
    MediaScratch scratch;
    scratch.fields.cds = "2";
    scratch.totalSeconds = 3010;
    const Outcome o = Analyse(BuildMpeg({.gop = false}), audio, scratch, 1);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(o.scratch.totalSeconds, 0u);
    EXPECT_EQ(Messages(o), "Error Parsing GOP Headers.|");
    EXPECT_EQ(o.reporter.messages[0].icon, MessageIcon::Stop);
}

struct GopCase {
    const char* name;
    std::size_t size;
    std::size_t gopAt;
    bool found;
};

class MpegGopSearch : public testing::TestWithParam<GopCase> {};

TEST_P(MpegGopSearch, BlocksFromTheEndFindTheLastTimeCode) {
    const GopCase& c = GetParam();
    MpegLayout s;
    s.size = c.size;
    s.gopAt = c.gopAt;
    s.sequenceAt = 0;
    s.pack = false;
    s.audio = false;
    const Outcome o = Analyse(BuildMpeg(s));
    EXPECT_TRUE(o.ok);
    if (c.found) {
        EXPECT_EQ(o.scratch.totalSeconds, 3010u);
        EXPECT_EQ(Messages(o), "");
    } else {
        EXPECT_EQ(o.scratch.totalSeconds, 0u);
        EXPECT_EQ(Messages(o), "Error Parsing GOP Headers.|");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, MpegGopSearch,
                         testing::Values(GopCase{"InTheLastBlock", 100000, 99000, true},
                                         GopCase{"SeveralBlocksBack", 100000, 40000, true},
                                         // The last block starts at size - 16384 and is scanned from its 16376th byte
                                         // down to its first, never at 0: a code right at a block start is missed.
                                         GopCase{"AtTheLastBlocksFirstByte", 100000, 100000 - 16384, false},
                                         GopCase{"OneAfterTheLastBlocksStart", 100000, 100000 - 16384 + 1, true},
                                         GopCase{"BeforeTheFirstWholeBlock", 20000, 100, false},
                                         GopCase{"FileShorterThanABlock", 16000, 8000, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MpegAnalyzer, LaterTimeCodeInTheSameBlockWins) {
    std::vector<std::uint8_t> d = BuildMpeg({.gopAt = 95000});
    PutGop(d, 96000, 1, 2, 3);
    EXPECT_EQ(Analyse(d).scratch.totalSeconds, 3723u);
}

TEST(MpegAnalyzer, ReadsTheHeadAndOnlyTheBlocksNeededFromTheEnd) {
    const std::vector<std::uint8_t> d = BuildMpeg({.size = 10'000'000, .gopAt = 10'000'000 - 20000});
    MemorySource in(d);
    MediaScratch scratch;
    scratch.fields.cds = "1";
    MpegAudioState audio;
    RecordingReporter reporter;
    ASSERT_TRUE(AnalyseMpeg(in, scratch, 0, audio, reporter));
    EXPECT_EQ(in.BytesRead(), kMpegHeadBytes + 2 * kGopBlock);
}

}  // namespace
}  // namespace cl
