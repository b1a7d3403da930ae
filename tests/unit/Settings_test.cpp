// The six options and "Settings.dat".
#include "model/Settings.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

AppSettings Make(int a, int b, int c, int d, int e, int f) {
    AppSettings s;
    s.viewMode = static_cast<std::int16_t>(a);
    s.formatConversion = static_cast<std::int16_t>(b);
    s.autoSave = static_cast<std::int16_t>(c);
    s.autoBackup = static_cast<std::int16_t>(d);
    s.autoImdb = static_cast<std::int16_t>(e);
    s.titleCorrection = static_cast<std::int16_t>(f);
    return s;
}

struct SettingsCase {
    const char* name;
    std::string bytes;
    AppSettings before;
    AppSettings after;
    bool damaged;
};

class ReadSettingsTable : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(ReadSettingsTable, ReadsTheFlagsTheFileHolds) {
    const SettingsCase& c = GetParam();
    AppSettings s = c.before;
    TextReader reader(c.bytes);
    LoadReport report = ReadSettings(reader, s);
    EXPECT_TRUE(report.opened);
    EXPECT_EQ(s, c.after);
    EXPECT_EQ(report.damage.has_value(), c.damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadSettingsTable,
    ::testing::Values(
        SettingsCase{"SixLines", "1\r\n0\r\n1\r\n0\r\n1\r\n1", Make(0, 0, 0, 0, 0, 0), Make(1, 0, 1, 0, 1, 1), false},
        SettingsCase{"FourLinesFromEarlierVersion", "0\r\n1\r\n0\r\n0", Make(0, 0, 0, 0, 0, 0), Make(0, 1, 0, 0, 0, 0),
                     false},
        SettingsCase{"FlagsMissingFromTheFileKeepTheirValue", "0\r\n1\r\n0\r\n0\r\n1\r\n", Make(1, 1, 1, 1, 0, 1),
                     Make(0, 1, 0, 0, 1, 1), false},
        SettingsCase{"RatedXFromTheFirstLine", "1\r\n1\r\n0\r\n0\r\n0\r\n0", Make(0, 0, 0, 0, 0, 0),
                     Make(1, 1, 0, 0, 0, 0), false},
        SettingsCase{"LetterCountsAsZero", "x\r\nY\r\n \r\n-\r\n1\r\n1", Make(1, 1, 1, 1, 0, 0), Make(0, 0, 0, 0, 1, 1),
                     false},
        SettingsCase{"OnlyTheFirstCharacterCounts", "10\r\n01\r\n1abc\r\n0\r\n1\r\n1", Make(0, 0, 0, 0, 0, 0),
                     Make(1, 0, 1, 0, 1, 1), false},
        SettingsCase{"EmptyLineCountsAsZero", "\r\n1\r\n0\r\n0", Make(1, 0, 0, 0, 0, 0), Make(0, 1, 0, 0, 0, 0), false},
        SettingsCase{"LfLineEnds", "1\n1\n1\n1\n1\n1", Make(0, 0, 0, 0, 0, 0), Make(1, 1, 1, 1, 1, 1), false},
        SettingsCase{"ExtraLinesIgnored", "1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n0", Make(0, 0, 0, 0, 0, 0),
                     Make(1, 1, 1, 1, 1, 1), false},
        SettingsCase{"TooFewLinesIsDamage", "1\r\n1", Make(0, 0, 1, 1, 0, 0), Make(1, 1, 1, 1, 0, 0), true},
        SettingsCase{"EmptyFileKeepsEverything", "", Make(0, 1, 0, 0, 0, 0), Make(0, 1, 0, 0, 0, 0), true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Settings, NoFileGivesFormatConversionOnAndEverythingElseOff) {
    AppSettings s = Make(1, 0, 1, 1, 1, 1);
    LoadReport report = LoadSettingsFile("/nonexistent/Settings.dat", s);
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(s, Make(0, 1, 0, 0, 0, 0));
    EXPECT_EQ(DefaultSettings(), Make(0, 1, 0, 0, 0, 0));
}

TEST(Settings, WrittenWithLineEndsBetweenAndNoneAfterTheLast) {
    EXPECT_EQ(SerializeSettings(Make(1, 0, 1, 0, 0, 1)), "1\r\n0\r\n1\r\n0\r\n0\r\n1");
}

TEST(Settings, WrittenFileReadsBackTheSameFlags) {
    AppSettings written = Make(0, 1, 1, 0, 1, 0);
    TextReader reader(SerializeSettings(written));
    AppSettings read;
    ReadSettings(reader, read);
    EXPECT_EQ(read, written);
}

class RecordingWriter : public FileWriter {
  public:
    std::string bytes;
    bool Write(const std::filesystem::path&, std::string_view data, std::string&) override {
        bytes = data;
        return true;
    }
};

TEST(Settings, SaveGoesThroughTheWriter) {
    RecordingWriter writer;
    std::string error;
    EXPECT_TRUE(SaveSettingsFile(writer, "Settings.dat", DefaultSettings(), error));
    EXPECT_EQ(writer.bytes, "0\r\n1\r\n0\r\n0\r\n0\r\n0");
}

}  // namespace
}  // namespace cl
