// The analysers on real AVI and MPEG files made by ffmpeg (tests/media/run_media_tests.sh makes them
// and names their folder in CL_MEDIA_FIXTURES; without it these tests are reported as skipped).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "media/AnalysisText.h"
#include "media/MovieAnalysis.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

std::filesystem::path Fixtures() {
    const char* dir = std::getenv("CL_MEDIA_FIXTURES");
    return dir ? std::filesystem::path(dir) : std::filesystem::path();
}

#define REQUIRE_FIXTURES() \
    if (Fixtures().empty()) GTEST_SKIP() << "CL_MEDIA_FIXTURES not set: run tests/media/run_media_tests.sh"

// Sum and count of the video packets as ffprobe saw them.
struct VideoPackets {
    std::uint64_t bytes = 0;
    std::uint64_t count = 0;
};

VideoPackets ProbeFigures(const std::string& avi) {
    VideoPackets v;
    std::ifstream in(Fixtures() / (avi + ".video"));
    in >> v.bytes >> v.count;
    return v;
}

// The size field of the movi list, found by its type (an independent look at the file).
std::uint64_t MoviListSize(const std::string& avi) {
    std::ifstream in(Fixtures() / avi, std::ios::binary);
    const std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t at = d.find("movi");
    if (at == std::string::npos || at < 4) return 0;
    const auto* p = reinterpret_cast<const std::uint8_t*>(d.data() + at - 4);
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint64_t{p[3]} << 24;
}

struct Result {
    bool ok = false;
    MediaScratch scratch;
    test::RecordingReporter reporter;
};

Result Analyse(std::initializer_list<const char*> names, AnalyserState& state) {
    Result r;
    std::vector<std::filesystem::path> files;
    for (const char* n : names) files.push_back(Fixtures() / n);
    r.ok = AnalyseMovie(files, r.scratch, state, r.reporter);
    return r;
}

Result Analyse(std::initializer_list<const char*> names) {
    AnalyserState state;
    return Analyse(names, state);
}

struct Expected {
    const char* file;
    const char* format;
    const char* width;
    const char* height;
    const char* frameRate;
    const char* codec;
    const char* audioBitRate;
    const char* audioCodec;
    const char* channels;
    const char* samples;
    int fps;                   // AVI: the integer frame rate the running time is divided by; MPEG: 0
    std::uint64_t seconds;     // MPEG: the last group-of-pictures time code
    const char* videoBitRate;  // MPEG: from the sequence header
};

class MediaFiles : public testing::TestWithParam<Expected> {};

TEST_P(MediaFiles, SingleCdGivesTheTextsTheRulesGive) {
    REQUIRE_FIXTURES();
    const Expected& e = GetParam();
    const Result r = Analyse({e.file});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.reporter.messages.empty());
    const MediaFields& f = r.scratch.fields;
    EXPECT_EQ(f.format, e.format);
    EXPECT_EQ(f.cds, "1");
    EXPECT_EQ(f.width, e.width);
    EXPECT_EQ(f.height, e.height);
    EXPECT_EQ(f.frameRate, e.frameRate);
    EXPECT_EQ(f.codec, e.codec);
    EXPECT_EQ(f.audioBitRate, e.audioBitRate);
    EXPECT_EQ(f.audioCodec, e.audioCodec);
    EXPECT_EQ(f.channels, e.channels);
    EXPECT_EQ(f.samples, e.samples);
    if (e.fps) {
        const VideoPackets v = ProbeFigures(e.file);
        EXPECT_EQ(r.scratch.totalSeconds, v.count / e.fps);
        // With audio the index entries of stream 0 are exactly the video packets.
        EXPECT_EQ(r.scratch.videoBytes, v.bytes);
        EXPECT_EQ(f.videoBitRate, KbitText(v.bytes / (v.count / e.fps) / 125));
    } else {
        EXPECT_EQ(r.scratch.totalSeconds, e.seconds);
        EXPECT_EQ(f.videoBitRate, e.videoBitRate);
    }
    EXPECT_EQ(f.length, std::to_string(r.scratch.totalSeconds / 60) + " min.");
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, MediaFiles,
    testing::Values(Expected{"xvid_mp3.avi", "MPEG-4", "320", "240", "25.000 fps", "XVID", "128 kbit/s", "MPEG Layer 3",
                             "2", "44100 Hz", 25, 0, nullptr},
                    // 29.97 frames a second count as 29; six channels come in an extensible wave format
                    // (tag 0xFFFE), which the table does not name.
                    Expected{"dx50_ac3.avi", "MPEG-4", "320", "240", "29.000 fps", "DivX 5.x", "384 kbit/s", "Unknown",
                             "5.1", "48000 Hz", 29, 0, nullptr},
                    // PCM is tag 1: "Unknown"; 22050 Hz × 2 bytes × 8 = 352 kbit/s.
                    Expected{"divx_pcm.avi", "MPEG-4", "176", "144", "25.000 fps", "DivX 4.x", "352 kbit/s", "Unknown",
                             "1", "22050 Hz", 25, 0, nullptr},
                    // 300 frames in GOPs of 18: the last starts at frame 288, time code 0:00:09 at 30 a second.
                    Expected{"vcd.mpg", "MPEG-1", "352", "240", "29.970 fps", "MPEG-1", "224 kbit/s", "MPEG-1 Layer 2",
                             "2", "44100 Hz", 0, 9, "1150 kbit/s"},
                    // The sequence header carries the SVCD maximum rate; the tone is mono.
                    Expected{"svcd.mpg", "MPEG-2", "480", "576", "25.000 fps", "MPEG-2", "224 kbit/s", "MPEG-1 Layer 2",
                             "1", "44100 Hz", 0, 7, "2516 kbit/s"},
                    Expected{"dvd_mp2.mpg", "MPEG-2", "720", "576", "25.000 fps", "MPEG-2", "192 kbit/s",
                             "MPEG-1 Layer 2", "1", "48000 Hz", 0, 5, "9000 kbit/s"},
                    // AC3 travels in private stream 1, never in an MPEG audio packet.
                    Expected{"dvd_ac3.mpg", "MPEG-2", "720", "576", "25.000 fps", "MPEG-2", "0 kbit/s", "Unknown", "0",
                             "0 Hz", 0, 5, "9000 kbit/s"}),
    [](const auto& info) {
        std::string n = info.param.file;
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(MediaFilesAvi, VideoOnlyCountsTheMoviListAndShowsThePreviousAudio) {
    REQUIRE_FIXTURES();
    AnalyserState state;
    ASSERT_TRUE(Analyse({"xvid_mp3.avi"}, state).ok);
    const Result r = Analyse({"video_only.avi"}, state);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scratch.videoBytes, MoviListSize("video_only.avi"));
    EXPECT_GT(r.scratch.videoBytes, ProbeFigures("video_only.avi").bytes);  // chunk headers count too
    EXPECT_EQ(r.scratch.totalSeconds, 5u);
    EXPECT_EQ(r.scratch.fields.audioCodec, "MPEG Layer 3");
    EXPECT_EQ(r.scratch.fields.audioBitRate, "128 kbit/s");
    EXPECT_EQ(r.scratch.fields.channels, "2");
}

TEST(MediaFilesAvi, TwoCdsSumTimeAndBytesAndTakeTheTextsOfTheFirst) {
    REQUIRE_FIXTURES();
    const Result r = Analyse({"cd1.avi", "divx_pcm.avi"});
    ASSERT_TRUE(r.ok);
    const VideoPackets a = ProbeFigures("cd1.avi");
    const VideoPackets b = ProbeFigures("divx_pcm.avi");
    EXPECT_EQ(r.scratch.totalSeconds, 40u + 3u);
    EXPECT_EQ(r.scratch.videoBytes, a.bytes + b.bytes);
    EXPECT_EQ(r.scratch.fields.cds, "2");
    EXPECT_EQ(r.scratch.fields.width, "160");
    EXPECT_EQ(r.scratch.fields.codec, "XVID");
    EXPECT_EQ(r.scratch.fields.audioCodec, "MPEG Layer 3");
    EXPECT_EQ(r.scratch.fields.length, "0 min.");
    EXPECT_EQ(r.scratch.fields.videoBitRate, KbitText((a.bytes + b.bytes) / 43 / 125));
}

TEST(MediaFilesAvi, TwoLongerCdsMakeMinutes) {
    REQUIRE_FIXTURES();
    const Result r = Analyse({"cd1.avi", "cd2.avi"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scratch.totalSeconds, 75u);
    EXPECT_EQ(r.scratch.fields.length, "1 min.");
}

TEST(MediaFilesMpeg, TwoCdsAddTheirTimeCodesAndKeepTheFirstsBitRate) {
    REQUIRE_FIXTURES();
    const Result r = Analyse({"vcd.mpg", "vcd_cd2.mpg"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scratch.totalSeconds, 9u + 5u);  // 180 frames: the last GOP starts at frame 162
    EXPECT_EQ(r.scratch.fields.videoBitRate, "1150 kbit/s");
    EXPECT_EQ(r.scratch.fields.format, "MPEG-1");
}

TEST(MediaFilesMpeg, FileShorterThanABlockHasNoRunningTime) {
    REQUIRE_FIXTURES();
    ASSERT_LT(std::filesystem::file_size(Fixtures() / "short.mpg"), 16384u);
    const Result r = Analyse({"short.mpg"});
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.reporter.messages.size(), 1u);
    EXPECT_EQ(r.reporter.messages[0].text, "Error Parsing GOP Headers.");
    EXPECT_EQ(r.scratch.fields.length, "N/A");
    EXPECT_EQ(r.scratch.fields.width, "64");
}

TEST(MediaFilesMpeg, SecondCdWithoutTimeCodeZeroesTheRunningTime) {
    REQUIRE_FIXTURES();
    const Result r = Analyse({"vcd.mpg", "short.mpg"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scratch.totalSeconds, 0u);
    EXPECT_EQ(r.scratch.fields.length, "N/A");
}

}  // namespace
}  // namespace cl
