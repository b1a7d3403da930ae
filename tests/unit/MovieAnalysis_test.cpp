// Choosing the analyser by file ending, the number of CDs, combining CDs, and the exact-length byte source.
#include "media/MovieAnalysis.h"

#include <gtest/gtest.h>

#include <fstream>

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

struct FilesCase {
    const char* name;
    std::vector<std::filesystem::path> files;
    bool ok;
    std::optional<std::string> cds;
    std::vector<test::Box> shown;
};

class MovieFiles : public testing::TestWithParam<FilesCase> {};

TEST_P(MovieFiles, CountIsOneDigitAndUnopenableFilesAreReported) {
    const FilesCase& c = GetParam();
    test::Analysed r;
    AnalyserState state;
    EXPECT_EQ(AnalyseMovie(c.files, r.scratch, state, r.prompts), c.ok);
    EXPECT_EQ(r.scratch.fields.cds, c.cds);
    EXPECT_EQ(r.prompts.messages, c.shown);
    EXPECT_EQ(r.scratch.fields.length, c.ok ? std::optional<std::string>("N/A") : std::nullopt);
    EXPECT_FALSE(r.scratch.fields.width.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MovieFiles,
    testing::Values(FilesCase{"NoCds", {}, true, "0", {}},
                    // Files with other endings are not opened: they count as CDs but add nothing.
                    FilesCase{"NineCds", std::vector<std::filesystem::path>(9, "/nonexistent/x.mkv"), true, "9", {}},
                    FilesCase{"TenCds",
                              std::vector<std::filesystem::path>(10, "/nonexistent/x.mkv"),
                              false,
                              std::nullopt,
                              {{"Please Enter a Valid Number of CD's.", "Error", MessageIcon::Stop}}},
                    FilesCase{"UnopenableAvi", {"/nonexistent/a.avi"}, false, "1", {{"Error Opening File.", "Error"}}},
                    FilesCase{"UnopenableMpeg",
                              {"/nonexistent/a.mpg"},
                              false,
                              "1",
                              {{"Unable To Parse MPEG File", "Error", MessageIcon::Stop}}}),
    [](const auto& info) { return std::string(info.param.name); });

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
    if (c.format && *c.format != "MPEG-4") s.fields.videoBitRate = "1150 kbit/s";
    s.totalSeconds = c.seconds;
    s.videoBytes = c.bytes;
    CombineCds(s);
    EXPECT_EQ(s.fields.length, c.length);
    EXPECT_EQ(s.fields.videoBitRate, c.bitRate);
}

INSTANTIATE_TEST_SUITE_P(Table, CdCombining,
                         testing::Values(
                             // 700 MB over 90 minutes: 129629 bytes a second, 1037 kbit/s.
                             CombineCase{"Avi", "MPEG-4", 5400, 700'000'000, "90 min.", "1037 kbit/s"},
                             CombineCase{"AviRoundsDownEachStep", "MPEG-4", 119, 1'000'000, "1 min.", "67 kbit/s"},
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

TEST(MovieAnalysis, ShortMpegFileIsReadWholeAndHasNoRunningTime) {
    std::vector<std::uint8_t> d(4000, 0);
    const std::uint8_t seq[] = {0, 0, 1, 0xB3, 0x16, 0x00, 0xF0, 0x14, 0x02, 0xCE, 0xE0, 0xA0};
    std::copy(std::begin(seq), std::end(seq), d.begin() + 100);
    const auto path = TempFile("short.MPG", d);
    test::Analysed r;
    AnalyserState state;
    EXPECT_TRUE(AnalyseMovie({path}, r.scratch, state, r.prompts));
    std::filesystem::remove(path);
    EXPECT_EQ(r.Messages(), "Error Parsing GOP Headers.|");
    EXPECT_EQ(r.scratch.fields.length, "N/A");
    EXPECT_EQ(r.scratch.fields.width, "352");
    EXPECT_EQ(state.bytesRead, 4000u);
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

TEST(ByteSource, FileReadsMatchTheBytesWrittenWhateverTheOrder) {
    std::vector<std::uint8_t> d(100000);
    for (std::size_t i = 0; i < d.size(); ++i) d[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    const auto path = TempFile("bytes.bin", d);
    auto in = ByteFile::Open(path);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Size(), d.size());
    std::vector<std::uint8_t> buf(20000);
    for (std::uint64_t pos : {90000u, 0u, 5u, 80000u}) {
        ASSERT_TRUE(in->Seek(pos));
        ASSERT_TRUE(in->ReadExact(buf.data(), 10000));
        EXPECT_TRUE(std::equal(buf.begin(), buf.begin() + 10000, d.begin() + pos)) << pos;
    }
    EXPECT_FALSE(in->ReadExact(buf.data(), 20000));  // only 10000 remain after 80000 + 10000
    in.reset();
    std::filesystem::remove(path);
    EXPECT_EQ(ByteFile::Open(path), nullptr);
}

}  // namespace
}  // namespace cl
