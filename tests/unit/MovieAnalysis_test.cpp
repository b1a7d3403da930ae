// Choosing the analyser by file ending, combining CDs, and the exact-length byte source.
#include "media/MovieAnalysis.h"

#include <gtest/gtest.h>

#include <fstream>

#include "media/ByteSource.h"
#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

struct KindCase {
    const char* name;
    MediaKind kind;
};

class AnalyserChoice : public testing::TestWithParam<KindCase> {};

TEST_P(AnalyserChoice, EndingDecidesWithoutRegardToCase) {
    EXPECT_EQ(KindForFile(GetParam().name), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Table, AnalyserChoice,
                         testing::Values(KindCase{"movie.avi", MediaKind::Avi}, KindCase{"MOVIE.AVI", MediaKind::Avi},
                                         KindCase{"a.DivX", MediaKind::Avi}, KindCase{"cd1.mpg", MediaKind::Mpeg},
                                         KindCase{"cd1.MPEG", MediaKind::Mpeg}, KindCase{"noextavi", MediaKind::Avi},
                                         KindCase{"movie.mkv", MediaKind::None},
                                         KindCase{"movie.avi.txt", MediaKind::None}, KindCase{"", MediaKind::None},
                                         KindCase{"mp4", MediaKind::None}));

struct CombineCase {
    const char* name;
    std::optional<std::string> format;
    std::uint64_t seconds;
    std::uint64_t bytes;
    std::optional<std::string> length;
    std::optional<std::string> bitRate;
};

class CdCombining : public testing::TestWithParam<CombineCase> {};

TEST_P(CdCombining, TotalsBecomeLengthAndBitRate) {
    const CombineCase& c = GetParam();
    MediaScratch s;
    s.fields.format = c.format;
    s.fields.videoBitRate =
        c.format && *c.format != "MPEG-4" ? std::optional<std::string>("1150 kbit/s") : std::nullopt;
    s.totalSeconds = c.seconds;
    s.videoBytes = c.bytes;
    CombineCds(s);
    EXPECT_EQ(s.fields.length, c.length);
    EXPECT_EQ(s.fields.videoBitRate, c.bitRate);
}

INSTANTIATE_TEST_SUITE_P(Table, CdCombining,
                         testing::Values(
                             // 700 MB over 90 minutes: 129629 bytes a second, 1037 kbit/s.
                             CombineCase{"AviTwoCds", "MPEG-4", 5400, 700'000'000, "90 min.", "1037 kbit/s"},
                             CombineCase{"AviRoundsDownEachStep", "MPEG-4", 119, 1'000'000, "1 min.", "67 kbit/s"},
                             CombineCase{"AviUnderAMinute", "MPEG-4", 59, 59'000, "0 min.", "8 kbit/s"},
                             CombineCase{"AviWithoutRunningTime", "MPEG-4", 0, 1'000'000, "N/A", "N/A"},
                             CombineCase{"AviHugeTotals", "MPEG-4", 1, 0xFFFF'FFFF'FFFF'FFFFull, "0 min.",
                                         "147573952589676412 kbit/s"},
                             CombineCase{"MpegKeepsItsSequenceBitRate", "MPEG-1", 5710, 5, "95 min.", "1150 kbit/s"},
                             CombineCase{"MpegWithoutTimeCode", "MPEG-2", 0, 0, "N/A", "1150 kbit/s"},
                             CombineCase{"NothingAnalysed", std::nullopt, 0, 0, "N/A", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

std::filesystem::path TempFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("cl_media_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" + name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

TEST(MovieAnalysis, ZeroCdsStoresOnlyTheCountAndNoLength) {
    MediaScratch s;
    AnalyserState state;
    test::RecordingReporter reporter;
    ASSERT_TRUE(AnalyseMovie({}, s, state, reporter));
    EXPECT_EQ(s.fields.cds, "0");
    EXPECT_EQ(s.fields.length, "N/A");
    EXPECT_FALSE(s.fields.format.has_value());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(MovieAnalysis, FileWithAnotherEndingIsNotOpened) {
    MediaScratch s;
    AnalyserState state;
    test::RecordingReporter reporter;
    ASSERT_TRUE(AnalyseMovie({"/nonexistent/movie.mkv"}, s, state, reporter));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(s.fields.cds, "1");
    EXPECT_FALSE(s.fields.width.has_value());
}

struct OpenCase {
    const char* file;
    const char* message;
    MessageIcon icon;
};

class UnopenableFile : public testing::TestWithParam<OpenCase> {};

TEST_P(UnopenableFile, IsReportedByItsAnalyser) {
    MediaScratch s;
    AnalyserState state;
    test::RecordingReporter reporter;
    EXPECT_FALSE(AnalyseMovie({GetParam().file}, s, state, reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, GetParam().message);
    EXPECT_EQ(reporter.messages[0].caption, "Error");
    EXPECT_EQ(reporter.messages[0].icon, GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(Table, UnopenableFile,
                         testing::Values(OpenCase{"/nonexistent/a.avi", "Error Opening File.", MessageIcon::None},
                                         OpenCase{"/nonexistent/a.mpg", "Unable To Parse MPEG File",
                                                  MessageIcon::Stop}));

TEST(MovieAnalysis, TenCdsAreRefusedAsACountOfMoreThanOneDigit) {
    MediaScratch s;
    AnalyserState state;
    test::RecordingReporter reporter;
    EXPECT_FALSE(AnalyseMovie(std::vector<std::filesystem::path>(10, "x.mkv"), s, state, reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Please Enter a Valid Number of CD's.");
}

TEST(MovieAnalysis, ShortMpegFileHasNoRunningTime) {
    std::vector<std::uint8_t> d(4000, 0);
    const std::uint8_t seq[] = {0, 0, 1, 0xB3, 0x16, 0x00, 0xF0, 0x14, 0x02, 0xCE, 0xE0, 0xA0};
    std::copy(std::begin(seq), std::end(seq), d.begin() + 100);
    const auto path = TempFile("short.MPG", d);
    MediaScratch s;
    AnalyserState state;
    test::RecordingReporter reporter;
    EXPECT_TRUE(AnalyseMovie({path}, s, state, reporter));
    std::filesystem::remove(path);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Error Parsing GOP Headers.");
    EXPECT_EQ(s.fields.length, "N/A");
    EXPECT_EQ(s.fields.width, "352");
    EXPECT_EQ(state.bytesRead, 4000u);
}

TEST(ByteSource, ExactReadFailsWhenFewerBytesRemainAndLeavesThePositionAtTheEnd) {
    const std::vector<std::uint8_t> d{1, 2, 3, 4, 5};
    MemorySource in(d);
    std::uint8_t buf[4];
    ASSERT_TRUE(in.ReadExact(buf, 3));
    EXPECT_EQ(buf[2], 3);
    EXPECT_FALSE(in.ReadExact(buf, 3));
    EXPECT_TRUE(in.AtEnd());
    EXPECT_TRUE(in.ReadExact(buf, 0));
}

TEST(ByteSource, SeeksStayInsideTheFile) {
    const std::vector<std::uint8_t> d(10, 0);
    MemorySource in(d);
    EXPECT_TRUE(in.Seek(10));
    EXPECT_FALSE(in.Seek(11));
    EXPECT_EQ(in.Position(), 10u);
    EXPECT_FALSE(in.Skip(1));
    EXPECT_TRUE(in.Skip(-10));
    EXPECT_FALSE(in.Skip(-1));
    EXPECT_FALSE(in.Skip(INT64_MIN));
    EXPECT_FALSE(in.Skip(INT64_MAX));
    EXPECT_EQ(in.Position(), 0u);
}

TEST(ByteSource, FileReadsMatchTheBytesWrittenWhateverTheOrder) {
    std::vector<std::uint8_t> d(100000);
    for (std::size_t i = 0; i < d.size(); ++i) d[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    const auto path = TempFile("bytes.bin", d);
    auto in = ByteFile::Open(path);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Size(), d.size());
    std::vector<std::uint8_t> buf(20000);
    for (std::uint64_t pos : {90000u, 0u, 5u, 70000u, 80000u}) {
        ASSERT_TRUE(in->Seek(pos));
        ASSERT_TRUE(in->ReadExact(buf.data(), 10000));
        EXPECT_TRUE(std::equal(buf.begin(), buf.begin() + 10000, d.begin() + pos)) << pos;
    }
    EXPECT_FALSE(in->ReadExact(buf.data(), 20000));  // only 10000 remain after 80000 + 10000
    EXPECT_EQ(in->BytesRead(), 60000u);
    in.reset();
    std::filesystem::remove(path);
    EXPECT_EQ(ByteFile::Open(path), nullptr);
}

}  // namespace
}  // namespace cl
