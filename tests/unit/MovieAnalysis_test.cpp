// Choosing the analyser by file ending, the number of CDs, combining CDs, and the exact-length byte source.
#include "media/MovieAnalysis.h"

#include <gtest/gtest.h>

#include "media/ByteSource.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

TEST(MovieAnalysis, EndingChoosesTheAnalyserWithoutRegardToCase) {
    const std::pair<const char*, MediaKind> cases[] = {
        {"MOVIE.AVI", MediaKind::Avi}, {"a.DivX", MediaKind::Avi},         {"noextavi", MediaKind::Avi},
        {"cd1.mpg", MediaKind::Mpeg},  {"cd1.MPEG", MediaKind::Mpeg},      {"movie.mkv", MediaKind::None},
        {"", MediaKind::None},         {"movie.avi.txt", MediaKind::None},
    };
    for (const auto& [name, kind] : cases) EXPECT_EQ(KindForFile(name), kind) << name;
}

TEST(MovieAnalysis, CountIsOneDigitAndUnopenableFilesAreReported) {
    struct Case {
        const char* name;
        std::vector<std::filesystem::path> files;
        bool ok;
        std::optional<std::string> cds;
        std::vector<test::Box> shown;
    };
    const std::vector<std::filesystem::path> nine(9, "/nonexistent/x.mkv"), ten(10, "/nonexistent/x.mkv");
    const Case cases[] = {
        {"no CDs", {}, true, "0", {}},
        // Files with other endings are not opened: they count as CDs but add nothing.
        {"nine CDs", nine, true, "9", {}},
        {"ten CDs", ten, false, std::nullopt, {{"Please Enter a Valid Number of CD's.", "Error", MessageIcon::Stop}}},
        {"unopenable AVI", {"/nonexistent/a.avi"}, false, "1", {{"Error Opening File.", "Error"}}},
        {"unopenable MPEG",
         {"/nonexistent/a.mpg"},
         false,
         "1",
         {{"Unable To Parse MPEG File", "Error", MessageIcon::Stop}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::Analysed r;
        AnalyserState state;
        EXPECT_EQ(AnalyseMovie(c.files, r.scratch, state, r.prompts), c.ok);
        EXPECT_EQ(r.scratch.fields.cds, c.cds);
        EXPECT_EQ(r.prompts.messages, c.shown);
        EXPECT_EQ(r.scratch.fields.length, c.ok ? std::optional<std::string>("N/A") : std::nullopt);
        EXPECT_FALSE(r.scratch.fields.width.has_value());
    }
}

TEST(MovieAnalysis, CdTotalsBecomeLengthAndBitRate) {
    struct Case {
        std::optional<std::string> format;
        std::uint64_t seconds;
        std::uint64_t bytes;
        std::optional<std::string> length;
        std::optional<std::string> bitRate;
    };
    const Case cases[] = {
        // 700 MB over 90 minutes: 129629 bytes a second, 1037 kbit/s.
        {"MPEG-4", 5400, 700'000'000, "90 min.", "1037 kbit/s"},
        {"MPEG-4", 119, 1'000'000, "1 min.", "67 kbit/s"},  // rounded down at each step
        {"MPEG-4", 0, 1'000'000, "N/A", "N/A"},
        {"MPEG-4", 1, 0xFFFF'FFFF'FFFF'FFFFull, "0 min.", "147573952589676412 kbit/s"},
        {"MPEG-1", 5710, 5, "95 min.", "1150 kbit/s"},  // MPEG keeps its sequence header's bit rate
        {"MPEG-2", 0, 0, "N/A", "1150 kbit/s"},
        {std::nullopt, 0, 0, "N/A", std::nullopt},  // nothing analysed
    };
    for (const Case& c : cases) {
        MediaScratch s;
        s.fields.format = c.format;
        if (c.format && *c.format != "MPEG-4") s.fields.videoBitRate = "1150 kbit/s";
        s.totalSeconds = c.seconds;
        s.videoBytes = c.bytes;
        CombineCds(s);
        EXPECT_EQ(s.fields.length, c.length) << c.seconds;
        EXPECT_EQ(s.fields.videoBitRate, c.bitRate) << c.seconds;
    }
}

TEST(MovieAnalysis, MpegFileIsReadByItsHeadAndItsLastBlock) {
    const auto path = test::WriteShortMpeg("movie-analysis.MPG");
    test::Analysed r;
    AnalyserState state;
    EXPECT_TRUE(AnalyseMovie({path}, r.scratch, state, r.prompts)) << r.Messages();
    std::filesystem::remove(path);
    EXPECT_EQ(r.scratch.fields.width, "352");
    EXPECT_EQ(r.scratch.fields.length, "50 min.");
    EXPECT_EQ(state.bytesRead, 40000u + kGopBlock);
}

TEST(ByteSource, ReadsAreExactAndMovesStayInsideTheData) {
    const std::vector<std::uint8_t> d{1, 2, 3, 4, 5};
    MemorySource in(d);
    std::uint8_t buf[4];
    ASSERT_TRUE(in.ReadExact(buf, 3));
    EXPECT_EQ(buf[2], 3);
    EXPECT_FALSE(in.ReadExact(buf, 3));  // fewer remain: the position goes to the end
    EXPECT_TRUE(in.AtEnd());
    EXPECT_TRUE(in.ReadExact(buf, 0));
    EXPECT_FALSE(in.Seek(6));
    EXPECT_EQ(in.Position(), 5u);
    EXPECT_FALSE(in.Skip(1));
    EXPECT_TRUE(in.Skip(-5));
    EXPECT_FALSE(in.Skip(-1));
    EXPECT_FALSE(in.Skip(INT64_MIN));
    EXPECT_FALSE(in.Skip(INT64_MAX));
    EXPECT_EQ(in.Position(), 0u);
}

}  // namespace
}  // namespace cl
