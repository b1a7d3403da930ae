// The analysers on real AVI and MPEG files made by ffmpeg (tests/media/run_media_tests.sh makes them and names their
// folder in CL_MEDIA_FIXTURES; without it these tests are reported as skipped). The crafted-buffer tests cover each
// rule; these check that real files are read as the rules say, against what ffprobe counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "media/AnalysisText.h"
#include "media/MovieAnalysis.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

std::filesystem::path Fixtures() {
    const char* dir = std::getenv("CL_MEDIA_FIXTURES");
    return dir ? std::filesystem::path(dir) : std::filesystem::path();
}

// Sum and count of an AVI's video packets as ffprobe saw them.
struct VideoPackets {
    std::uint64_t bytes = 0;
    std::uint64_t count = 0;
};

VideoPackets Probed(const std::string& avi) {
    VideoPackets v;
    std::ifstream in(Fixtures() / (avi + ".video"));
    in >> v.bytes >> v.count;
    return v;
}

test::Analysed Analyse(std::initializer_list<const char*> names) {
    test::Analysed r;
    std::vector<std::filesystem::path> files;
    for (const char* n : names) files.push_back(Fixtures() / n);
    AnalyserState state;
    r.ok = AnalyseMovie(files, r.scratch, state, r.prompts);
    return r;
}

TEST(MediaFiles, SingleCdGivesTheTextsTheRulesGive) {
    if (Fixtures().empty()) GTEST_SKIP() << "CL_MEDIA_FIXTURES not set: run tests/media/run_media_tests.sh";
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
    const Expected files[] = {
        {"xvid_mp3.avi", "MPEG-4", "320", "240", "25.000 fps", "XVID", "128 kbit/s", "MPEG Layer 3", "2", "44100 Hz",
         25, 0, nullptr},
        // 29.97 frames a second count as 29; six channels come in an extensible wave format (tag 0xFFFE), which the
        // table does not name.
        {"dx50_ac3.avi", "MPEG-4", "320", "240", "29.000 fps", "DivX 5.x", "384 kbit/s", "Unknown", "5.1", "48000 Hz",
         29, 0, nullptr},
        // PCM is tag 1: "Unknown"; 22050 Hz × 2 bytes × 8 = 352 kbit/s.
        {"divx_pcm.avi", "MPEG-4", "176", "144", "25.000 fps", "DivX 4.x", "352 kbit/s", "Unknown", "1", "22050 Hz", 25,
         0, nullptr},
        // 300 frames in GOPs of 18: the last starts at frame 288, time code 0:00:09 at 30 a second.
        {"vcd.mpg", "MPEG-1", "352", "240", "29.970 fps", "MPEG-1", "224 kbit/s", "MPEG-1 Layer 2", "2", "44100 Hz", 0,
         9, "1150 kbit/s"},
        // The sequence header carries the SVCD maximum rate; the tone is mono.
        {"svcd.mpg", "MPEG-2", "480", "576", "25.000 fps", "MPEG-2", "224 kbit/s", "MPEG-1 Layer 2", "1", "44100 Hz", 0,
         7, "2516 kbit/s"},
        {"dvd_mp2.mpg", "MPEG-2", "720", "576", "25.000 fps", "MPEG-2", "192 kbit/s", "MPEG-1 Layer 2", "1", "48000 Hz",
         0, 5, "9000 kbit/s"},
        // AC3 travels in private stream 1, never in an MPEG audio packet.
        {"dvd_ac3.mpg", "MPEG-2", "720", "576", "25.000 fps", "MPEG-2", "0 kbit/s", "Unknown", "0", "0 Hz", 0, 5,
         "9000 kbit/s"},
    };
    for (const Expected& e : files) {
        SCOPED_TRACE(e.file);
        const test::Analysed r = Analyse({e.file});
        ASSERT_TRUE(r.ok) << r.Messages();
        EXPECT_EQ(r.Messages(), "");
        const MediaFields& f = r.scratch.fields;
        for (const auto& [field, text] : {std::pair{&f.format, e.format},
                                          {&f.width, e.width},
                                          {&f.height, e.height},
                                          {&f.frameRate, e.frameRate},
                                          {&f.codec, e.codec},
                                          {&f.audioBitRate, e.audioBitRate},
                                          {&f.audioCodec, e.audioCodec},
                                          {&f.channels, e.channels},
                                          {&f.samples, e.samples}}) {
            EXPECT_EQ(*field, text);
        }
        if (e.fps) {
            const VideoPackets v = Probed(e.file);
            EXPECT_EQ(r.scratch.totalSeconds, v.count / e.fps);
            EXPECT_EQ(r.scratch.videoBytes,
                      v.bytes);  // with audio, the index entries of stream 0 are the video packets
            EXPECT_EQ(f.videoBitRate, KbitText(v.bytes / (v.count / e.fps) / 125));
        } else {
            EXPECT_EQ(r.scratch.totalSeconds, e.seconds);
            EXPECT_EQ(f.videoBitRate, e.videoBitRate);
        }
        EXPECT_EQ(f.length, std::to_string(r.scratch.totalSeconds / 60) + " min.");
    }
}

TEST(MediaFiles, TwoCdsSumTimeAndBytesAndTakeTheTextsOfTheFirst) {
    if (Fixtures().empty()) GTEST_SKIP() << "CL_MEDIA_FIXTURES not set: run tests/media/run_media_tests.sh";
    const test::Analysed avi = Analyse({"cd1.avi", "divx_pcm.avi"});
    ASSERT_TRUE(avi.ok) << avi.Messages();
    const std::uint64_t bytes = Probed("cd1.avi").bytes + Probed("divx_pcm.avi").bytes;
    EXPECT_EQ(avi.scratch.totalSeconds, 40u + 3u);
    EXPECT_EQ(avi.scratch.videoBytes, bytes);
    EXPECT_EQ(avi.scratch.fields.cds, "2");
    EXPECT_EQ(avi.scratch.fields.width, "160");
    EXPECT_EQ(avi.scratch.fields.codec, "XVID");
    EXPECT_EQ(avi.scratch.fields.videoBitRate, KbitText(bytes / 43 / 125));
}

}  // namespace
}  // namespace cl
