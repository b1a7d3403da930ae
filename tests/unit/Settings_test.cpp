// The six options and "Settings.dat".
#include "model/Settings.h"

#include <gtest/gtest.h>

#include "TestDoubles.h"

namespace cl {
namespace {

// The six flags in file order as digits, e.g. "010000".
std::string Flags(const AppSettings& s) {
    std::string out;
    for (const std::int16_t v :
         {s.viewMode, s.formatConversion, s.autoSave, s.autoBackup, s.autoImdb, s.titleCorrection}) {
        out += std::to_string(v);
    }
    return out;
}

AppSettings Make(const std::string& flags) {
    const auto flag = [&flags](std::size_t i) { return static_cast<std::int16_t>(flags[i] - '0'); };
    return {flag(0), flag(1), flag(2), flag(3), flag(4), flag(5)};
}

TEST(Settings, EachLineGivesAFlagByItsFirstCharacterAndMissingOnesKeepTheirValue) {
    struct Case {
        std::string bytes;
        const char* before;
        const char* after;
        bool damaged;
    };
    const Case cases[] = {{"1\r\n0\r\n1\r\n0\r\n1\r\n1", "000000", "101011", false},
                          {"0\r\n1\r\n0\r\n0", "111111", "010011", false},  // four lines, as earlier versions wrote
                          {"0\r\n1\r\n0\r\n0\r\n1\r\n", "111101", "010011", false},
                          {"x\r\nY\r\n \r\n-\r\n1\r\n1", "111100", "000011", false},
                          {"10\r\n01\r\n1abc\r\n0\r\n1\r\n1", "000000", "101011", false},
                          {"\r\n1\r\n0\r\n0", "100000", "010000", false},
                          {"1\n1\n1\n1\n1\n1\r\n0\r\n0", "000000", "111111", false},
                          {"1\r\n1", "001100", "111100", true},  // fewer than four lines
                          {"", "010000", "010000", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        AppSettings s = Make(c.before);
        TextReader reader(c.bytes);
        const LoadReport report = ReadSettings(reader, s);
        EXPECT_EQ(Flags(s), c.after);
        EXPECT_EQ(report.damage.has_value(), c.damaged);
    }
}

TEST(Settings, WithoutAFileOnlyFormatConversionIsOnAndASaveWritesTheSixFlagsInOrder) {
    AppSettings s = Make("111111");
    EXPECT_FALSE(LoadSettingsFile("/nonexistent/Settings.dat", s).opened);
    EXPECT_EQ(Flags(s), "010000");
    test::RecordingWriter writer;
    std::string error;
    EXPECT_TRUE(SaveSettingsFile(writer, "Settings.dat", Make("100101"), error));
    EXPECT_EQ(writer.files["Settings.dat"], "1\r\n0\r\n0\r\n1\r\n0\r\n1");
}

}  // namespace
}  // namespace cl
