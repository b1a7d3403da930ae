// The skin script reader: tag order and case, values and their limits, name and author from the raw text, and the
// one "Script Syntax Error" message for the first tag that does not match. Also the ini file and the script path.
#include "skin/SkinScript.h"

#include <gtest/gtest.h>

#include "tests/unit/TestDoubles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <limits>

#include "model/base/FileWriter.h"

namespace cl {
namespace {

using RecordingMessages = test::RecordingPrompts;

SkinScript SampleSkin() {
    SkinScript s;
    s.name = "Midnight Blue";
    s.author = "Ada  Lovelace";
    s.email = "ada@example.org";
    s.homepage = "http://example.org/skins";
    s.screenshot = "Shot.bmp";
    s.mainBitmap = "Main.bmp";
    s.buttonBitmap = "Buttons.bmp";
    s.windowWidth = 640;
    s.windowHeight = 480;
    s.mask = {255, 0, 255};
    for (std::size_t b = 0; b < kSkinButtonCount; ++b) {
        for (std::size_t l = 0; l < kButtonLookCount; ++l) {
            const auto n = static_cast<std::int32_t>(b * 10 + l);
            s.buttons[b].looks[l] = {n, n + 1, n + 2, n + 3, n + 4, n + 5};
        }
    }
    s.listBox = {400, 300, 200, 60, {230, 230, 240}, {20, 24, 40}};
    for (std::size_t f = 0; f < kSkinStatusCount; ++f) {
        const auto n = static_cast<std::int32_t>(f * 100);
        s.status[f] = {n, n + 1, n + 2, n + 3, n + 4, n + 5, {n + 6, n + 7, n + 8}};
    }
    s.logo = {"Logo.bmp", 310, 200, 245, 125};
    return s;
}

std::string SampleText() {
    return SerializeSkinScript(SampleSkin());
}

// Replaces the first occurrence; the test fails loudly if the text to replace is not there.
std::string Replace(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(SkinScript, SerializedScriptReadsBackUnchanged) {
    SkinScript loaded;
    RecordingMessages messages;
    ASSERT_TRUE(LoadSkinScript(SampleText(), loaded, messages));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(loaded, SampleSkin());
}

TEST(SkinScript, OneLineAndIndentedLinesLoadIdentically) {
    std::string oneLine = SampleText();
    oneLine.erase(std::remove_if(oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }),
                  oneLine.end());
    // Indentation and blank lines anywhere but inside name and author.
    std::string spread;
    for (char c : SampleText()) {
        spread += c;
        if (c == '>') spread += "\n\t  \r\n ";
    }
    spread = Replace(spread, "<Name>\n\t  \r\n ", "<Name>");
    spread = Replace(spread, "<Author>\n\t  \r\n ", "<Author>");
    SkinScript a;
    SkinScript b;
    RecordingMessages messages;
    ASSERT_TRUE(LoadSkinScript(oneLine, a, messages));
    ASSERT_TRUE(LoadSkinScript(spread, b, messages));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.name, "Midnight Blue");
}

TEST(SkinScript, TagsMatchInAnyLetterCase) {
    for (auto change : {::toupper, ::tolower}) {
        std::string text = SampleText();
        bool inTag = false;
        for (char& c : text) {
            if (c == '<') inTag = true;
            if (inTag) c = static_cast<char>(change(static_cast<unsigned char>(c)));
            if (c == '>') inTag = false;
        }
        SkinScript s;
        RecordingMessages messages;
        ASSERT_TRUE(LoadSkinScript(text, s, messages));
        EXPECT_EQ(s, SampleSkin());
    }
}

TEST(SkinScript, WhiteSpaceLeavesEveryValueButNameAndAuthor) {
    std::string text = Replace(SampleText(), "<MainBitmap>Main.bmp<", "<MainBitmap>Main Window .bmp<");
    text = Replace(text, "<Email>ada@example.org<", "<Email>ada @ example.org<");
    text = Replace(text, "<Name>Midnight Blue<", "<Name> Midnight\tBlue <");
    text = Replace(text, "<Author>Ada  Lovelace<", "<Author>Ada\r\nLovelace<");
    SkinScript s;
    RecordingMessages messages;
    ASSERT_TRUE(LoadSkinScript(text, s, messages));
    EXPECT_EQ(s.mainBitmap, "MainWindow.bmp");
    EXPECT_EQ(s.email, "ada@example.org");
    EXPECT_EQ(s.name, " Midnight\tBlue ");
    EXPECT_EQ(s.author, "Ada\r\nLovelace");
}

TEST(SkinScript, NameMayHoldAGreaterThanSign) {
    SkinScript s;
    RecordingMessages messages;
    ASSERT_TRUE(LoadSkinScript(Replace(SampleText(), "Midnight Blue", "A > B"), s, messages));
    EXPECT_EQ(s.name, "A > B");
    EXPECT_EQ(s.author, "Ada  Lovelace");
}

struct NumberCase {
    const char* value;
    std::int32_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.value << '"';
}

class SkinScriptNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SkinScriptNumber, LeadingSignAndDigitsCount) {
    SkinScript s;
    RecordingMessages messages;
    const std::string text =
        Replace(SampleText(), "<Width>640</Width>", std::string("<Width>") + GetParam().value + "</Width>");
    ASSERT_TRUE(LoadSkinScript(text, s, messages));
    EXPECT_EQ(s.windowWidth, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, SkinScriptNumber,
                         ::testing::Values(NumberCase{"640", 640}, NumberCase{"wide", 0}, NumberCase{"", 0},
                                           NumberCase{"12px", 12}, NumberCase{"-7x", -7}, NumberCase{"+5", 5},
                                           NumberCase{"0x10", 0}, NumberCase{"--3", 0},
                                           NumberCase{"2147483647", std::numeric_limits<std::int32_t>::max()},
                                           NumberCase{"-2147483648", std::numeric_limits<std::int32_t>::min()},
                                           NumberCase{"99999999999", std::numeric_limits<std::int32_t>::max()},
                                           NumberCase{"-9999999999", std::numeric_limits<std::int32_t>::min()}));

TEST(SkinScript, ColoursUseTheLowByte) {
    SkinScript s;
    RecordingMessages messages;
    const std::string text = Replace(SampleText(), "<r>255</r>", "<r>511</r>");
    ASSERT_TRUE(LoadSkinScript(text, s, messages));
    EXPECT_EQ(s.mask.r, 511);
    EXPECT_EQ(s.mask.Red(), 255);
    s.mask.g = -1;
    EXPECT_EQ(s.mask.Green(), 255);
}

TEST(SkinScript, TextAfterTheLogoIsIgnored) {
    std::string text = SampleText();
    text = text.substr(0, text.find("</CineLedgerSkin>")) + "<<garbage>> & </nothing";
    SkinScript s;
    RecordingMessages messages;
    ASSERT_TRUE(LoadSkinScript(text, s, messages));
    EXPECT_EQ(s, SampleSkin());
}

struct SyntaxCase {
    const char* what;
    std::string text;
    const char* expectedTag;
};

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

std::string CutAfter(const std::string& text, std::string_view marker) {
    return text.substr(0, text.find(marker) + marker.size());
}

std::vector<SyntaxCase> SyntaxCases() {
    const std::string t = SampleText();
    const std::string menu = t.substr(t.find("<ButtonMenu>"), t.find("<ButtonMinimize>") - t.find("<ButtonMenu>"));
    const std::string swapped = Replace(Replace(t, menu, ""), "<ButtonClose>", menu + "<ButtonClose>");
    const std::string view = t.substr(t.find("<ButtonView>"));
    const std::size_t hoverAt = view.find("<Hover>");
    const std::size_t clickedAt = view.find("<Clicked>");
    const std::string noHover = Replace(t, view.substr(hoverAt, clickedAt - hoverAt), "");
    return {
        {"empty file", "", "<CineLedgerSkin>"},
        {"another root", Replace(t, "<CineLedgerSkin>", "<Skin>"), "<CineLedgerSkin>"},
        {"sections in another order", swapped, "<ButtonMenu>"},
        {"missing look", noHover, "<Hover>"},
        {"missing closing tag", Replace(t, "</ListBox>", ""), "</ListBox>"},
        {"missing colour component", Replace(t, "<g>0</g>", ""), "<g>"},
        {"closing tag of another element", Replace(t, "</Height>", "</Width>"), "</Height>"},
        {"logo not closed", Replace(t, "</Logo>", "</Log>"), "</Logo>"},
        {"text value of 120 characters", Replace(t, "ada@example.org", Repeat('e', 120)), "</Email>"},
        {"number of 12 characters", Replace(t, "<Height>480", "<Height>000000000480"), "</Height>"},
        {"name of 100 characters", Replace(t, "Midnight Blue", Repeat('n', 100)), "</Name>"},
        {"author of 100 characters with blanks", Replace(t, "Ada  Lovelace", Repeat(' ', 100)), "</Author>"},
        {"value not followed by a tag", CutAfter(t, "<Bitmap>Logo.bmp"), "</Bitmap>"},
        {"file ends inside the name", "<CineLedgerSkin><Attributes><Name>Midnight Bl", "</Name>"},
        {"file ends inside the author", "<CineLedgerSkin><Attributes><Name>M</Name><Author>Ad", "</Author>"},
        {"file ends before the name", "<CineLedgerSkin><Attributes>", "<Name>"},
        {"file ends inside a tag", CutAfter(t, "<MainWindow>\r\n        <Wid"), "<Width>"},
    };
}

class SkinScriptSyntax : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(SkinScriptSyntax, FailsWithOneMessageNamingTheExpectedTag) {
    SkinScript s = SampleSkin();
    s.scriptPath = "C:\\CL\\Skins\\X\\X.lsk";
    RecordingMessages messages;
    const SkinLoadResult r = LoadSkinScript(GetParam().text, s, messages);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.status, SkinLoadStatus::SyntaxError);
    EXPECT_EQ(r.expectedTag, GetParam().expectedTag);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, std::string("Error at: ") + GetParam().expectedTag);
    EXPECT_EQ(messages.messages[0].caption, "Script Syntax Error");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(s.HasStrings());
    EXPECT_EQ(s.scriptPath, "C:\\CL\\Skins\\X\\X.lsk");
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinScriptSyntax, ::testing::ValuesIn(SyntaxCases()),
                         [](const ::testing::TestParamInfo<SyntaxCase>& p) {
                             std::string n;
                             for (const char* c = p.param.what; *c != '\0'; ++c) {
                                 if (std::isalnum(static_cast<unsigned char>(*c))) n += *c;
                             }
                             return n;
                         });

TEST(SkinScript, LimitsThemselvesAreAccepted) {
    std::string text = Replace(SampleText(), "ada@example.org", Repeat('e', kSkinTextLimit));
    text = Replace(text, "<Height>480", "<Height>00000000480");
    text = Replace(text, "Midnight Blue", Repeat('n', kSkinNameLimit));
    text = Replace(text, "Ada  Lovelace", Repeat(' ', kSkinNameLimit));
    SkinScript s;
    RecordingMessages messages;
    ASSERT_TRUE(LoadSkinScript(text, s, messages));
    EXPECT_EQ(s.email.size(), kSkinTextLimit);
    EXPECT_EQ(s.windowHeight, 480);
    EXPECT_EQ(s.name.size(), kSkinNameLimit);
    EXPECT_EQ(s.author.size(), kSkinNameLimit);
}

TEST(SkinScript, EveryTruncationFailsCleanly) {
    const std::string t = SampleText();
    const std::size_t logoEnd = t.find("</Logo>") + 7;
    for (std::size_t n = 0; n < logoEnd; ++n) {
        SkinScript s;
        RecordingMessages messages;
        // An exact-size copy lets the address sanitizer see any read past the text.
        const std::string cut = t.substr(0, n);
        EXPECT_FALSE(LoadSkinScript(cut, s, messages)) << n;
        EXPECT_EQ(messages.messages.size(), 1u) << n;
        EXPECT_FALSE(s.HasStrings()) << n;
    }
}

TEST(SkinScript, NulByteEndsTheScript) {
    std::string text = SampleText();
    text.insert(text.find("<Logo>"), 1, '\0');
    SkinScript s;
    RecordingMessages messages;
    EXPECT_FALSE(LoadSkinScript(text, s, messages));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Error at: <Logo>");
}

TEST(SkinScript, LoadingReplacesEarlierStrings) {
    SkinScript s = SampleSkin();
    s.logo.bitmap = "Old.bmp";
    RecordingMessages messages;
    ASSERT_TRUE(LoadSkinScript(Replace(SampleText(), "Logo.bmp", "New.bmp"), s, messages));
    EXPECT_EQ(s.logo.bitmap, "New.bmp");
}

TEST(SkinScript, MissingFileFailsWithoutAMessage) {
    SkinScript s = SampleSkin();
    RecordingMessages messages;
    const SkinLoadResult r =
        LoadSkinScriptFile(std::filesystem::temp_directory_path() / "no-such-skin" / "x.lsk", s, messages);
    EXPECT_EQ(r.status, SkinLoadStatus::CannotOpen);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(SkinScript, ButtonAndStatusTablesFollowScriptOrder) {
    EXPECT_EQ(kSkinButtons[0].section, "ButtonMenu");
    EXPECT_EQ(kSkinButtons[0].controlId, 12);
    EXPECT_EQ(kSkinButtons[2].controlId, 10);
    EXPECT_EQ(kSkinButtons[6].section, "ButtonExternal");
    EXPECT_EQ(kSkinButtons[6].tooltip, "Externals...");
    EXPECT_EQ(kSkinButtons[6].controlId, 4);
    EXPECT_EQ(kSkinStatusFields[1].section, "StaticNumber");
    EXPECT_EQ(kSkinStatusFields[2].controlId, 8);
}

TEST(SkinScriptPath, DataDirectoryThenSkinsFolderThenNameTwice) {
    EXPECT_EQ(SkinScriptPath("C:\\Movies\\", "Midnight"), "C:\\Movies\\Skins\\Midnight\\Midnight.lsk");
    EXPECT_EQ(SkinScriptPath("C:\\Movies\\", "Old Paper"), "C:\\Movies\\Skins\\Old Paper\\Old Paper.lsk");
}

struct IniCase {
    std::string bytes;
    std::string name;
};

void PrintTo(const IniCase& c, std::ostream* os) {
    *os << c.bytes.size() << " bytes";
}

class SkinIni : public ::testing::TestWithParam<IniCase> {};

TEST_P(SkinIni, NameIsTheFirstLineUpTo99Characters) {
    EXPECT_EQ(ParseSkinIni(GetParam().bytes), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinIni,
                         ::testing::Values(IniCase{"Midnight", "Midnight"}, IniCase{"Midnight\r\n", "Midnight"},
                                           IniCase{"Old Paper\nsecond line", "Old Paper"}, IniCase{"", ""},
                                           IniCase{std::string(99, 'a'), std::string(99, 'a')},
                                           IniCase{std::string(150, 'a'), std::string(99, 'a')}));

TEST(SkinIni, WrittenAsTheBareNameAndReadBack) {
    EXPECT_EQ(SerializeSkinIni("Old Paper"), "Old Paper");
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "cl-skin-ini-test";
    std::filesystem::create_directories(dir);
    const std::string dataDir = dir.string() + "/";
    std::string error;
    ASSERT_TRUE(WriteSkinIni(dataDir, "Old Paper", DefaultFileWriter(), error)) << error;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(dir / "CineLedger.ini", bytes));
    EXPECT_EQ(bytes, "Old Paper");
    SkinScript s;
    ASSERT_TRUE(ReadSkinIni(dataDir, s));
    EXPECT_EQ(s.name, "Old Paper");
    EXPECT_EQ(s.scriptPath, dataDir + "Skins/Old Paper/Old Paper.lsk") << "separators follow the data directory";
    std::filesystem::remove_all(dir);
    SkinScript untouched;
    EXPECT_FALSE(ReadSkinIni(dataDir, untouched));
    EXPECT_TRUE(untouched.name.empty());
}

}  // namespace
}  // namespace cl
