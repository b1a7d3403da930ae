// The skin script reader: tag order and case, values and their limits, name and author from the raw text, and the
// one "Script Syntax Error" message for the first tag that does not match. Also the ini file.
#include "skin/SkinScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>

#include "tests/unit/TestDoubles.h"

namespace cl {
namespace {

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

const std::string kSample = SerializeSkinScript(SampleSkin());

// Replaces the first occurrence; the test fails loudly if the text to replace is not there.
std::string Replace(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

SkinScript Loaded(const std::string& text) {
    SkinScript s;
    test::RecordingPrompts messages;
    EXPECT_TRUE(LoadSkinScript(text, s, messages)) << ::testing::PrintToString(messages.MessageTexts());
    return s;
}

std::string TagsIn(std::string text, int (*change)(int)) {
    bool inTag = false;
    for (char& c : text) {
        if (c == '<') inTag = true;
        if (inTag) c = static_cast<char>(change(static_cast<unsigned char>(c)));
        if (c == '>') inTag = false;
    }
    return text;
}

TEST(SkinScript, WrittenScriptReadsBackInAnyLayoutAndLetterCase) {
    std::string oneLine = kSample;
    std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n'; });
    std::string spread;  // blank lines and indentation everywhere but inside name and author
    for (char c : kSample) spread += c == '>' ? std::string(">\n\t  \r\n ") : std::string(1, c);
    spread = Replace(Replace(spread, "<Name>\n\t  \r\n ", "<Name>"), "<Author>\n\t  \r\n ", "<Author>");
    const std::string trailing = kSample.substr(0, kSample.find("</CineLedgerSkin>")) + "<<garbage>> & </nothing";
    for (const std::string& text :
         {kSample, oneLine, spread, TagsIn(kSample, ::toupper), TagsIn(kSample, ::tolower), trailing}) {
        EXPECT_EQ(Loaded(text), SampleSkin()) << text;
    }
}

TEST(SkinScript, WhiteSpaceLeavesEveryValueButNameAndAuthor) {
    std::string text = Replace(kSample, "<MainBitmap>Main.bmp<", "<MainBitmap>Main Window .bmp<");
    text = Replace(text, "<Email>ada@example.org<", "<Email>ada @ example.org<");
    text = Replace(text, "<Name>Midnight Blue<", "<Name> A >\tB <");
    text = Replace(text, "<Author>Ada  Lovelace<", "<Author>Ada\r\nLovelace<");
    const SkinScript s = Loaded(text);
    EXPECT_EQ(s.mainBitmap, "MainWindow.bmp");
    EXPECT_EQ(s.email, "ada@example.org");
    EXPECT_EQ(s.name, " A >\tB ");
    EXPECT_EQ(s.author, "Ada\r\nLovelace");
}

TEST(SkinScript, NumbersAreASignAndTheLeadingDigitsHeldToTheirRange) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const std::pair<const char*, std::int32_t> cases[] = {
        {"wide", 0}, {"", 0},    {"12px", 12},          {"-7x", -7},           {"+5", 5},
        {"0x10", 0}, {"--3", 0}, {"-2147483648", kMin}, {"99999999999", kMax}, {"-9999999999", kMin},
    };
    for (const auto& [value, expected] : cases) {
        const std::string text = Replace(kSample, "<Width>640</Width>", std::string("<Width>") + value + "</Width>");
        EXPECT_EQ(Loaded(text).windowWidth, expected) << '"' << value << '"';
    }
}

TEST(SkinScript, FirstMismatchFailsWithOneMessageNamingTheExpectedTag) {
    const std::string& t = kSample;
    const auto cut = [&](std::string_view after) { return t.substr(0, t.find(after) + after.size()); };
    const std::string menu = t.substr(t.find("<ButtonMenu>"), t.find("<ButtonMinimize>") - t.find("<ButtonMenu>"));
    const std::string view = t.substr(t.find("<ButtonView>"));
    const std::string hover = view.substr(view.find("<Hover>"), view.find("<Clicked>") - view.find("<Hover>"));
    const std::pair<std::string, const char*> cases[] = {
        {"", "<CineLedgerSkin>"},
        {Replace(t, "<CineLedgerSkin>", "<Skin>"), "<CineLedgerSkin>"},
        {Replace(Replace(t, menu, ""), "<ButtonClose>", menu + "<ButtonClose>"), "<ButtonMenu>"},
        {Replace(t, hover, ""), "<Hover>"},
        {Replace(t, "</ListBox>", ""), "</ListBox>"},
        {Replace(t, "<g>0</g>", ""), "<g>"},
        {Replace(t, "</Height>", "</Width>"), "</Height>"},
        {Replace(t, "</Logo>", "</Log>"), "</Logo>"},
        {Replace(t, "ada@example.org", std::string(kSkinTextLimit + 1, 'e')), "</Email>"},
        {Replace(t, "<Height>480", "<Height>000000000480"), "</Height>"},
        {Replace(t, "Midnight Blue", std::string(kSkinNameLimit + 1, 'n')), "</Name>"},
        {Replace(t, "Ada  Lovelace", std::string(kSkinNameLimit + 1, ' ')), "</Author>"},
        {cut("<Bitmap>Logo.bmp"), "</Bitmap>"},
        {"<CineLedgerSkin><Attributes><Name>Midnight Bl", "</Name>"},
        {"<CineLedgerSkin><Attributes><Name>M</Name><Author>Ad", "</Author>"},
        {"<CineLedgerSkin><Attributes>", "<Name>"},
        {cut("<MainWindow>\r\n        <Wid"), "<Width>"},
        {Replace(t, "<Logo>", std::string(1, '\0') + "<Logo>"), "<Logo>"},  // a NUL byte ends the script
    };
    for (const auto& [text, tag] : cases) {
        SCOPED_TRACE(tag);
        SkinScript s = SampleSkin();
        s.scriptPath = "C:\\CL\\Skins\\X\\X.lsk";
        test::RecordingPrompts messages;
        const SkinLoadResult r = LoadSkinScript(text, s, messages);
        EXPECT_EQ(r.status, SkinLoadStatus::SyntaxError);
        EXPECT_EQ(r.expectedTag, tag);
        EXPECT_EQ(
            messages.messages,
            (std::vector<test::Box>{{std::string("Error at: ") + tag, "Script Syntax Error", MessageIcon::Stop}}));
        EXPECT_FALSE(s.HasStrings());
        EXPECT_EQ(s.scriptPath, "C:\\CL\\Skins\\X\\X.lsk");
    }
}

TEST(SkinScript, LimitsThemselvesAreAccepted) {
    std::string text = Replace(kSample, "ada@example.org", std::string(kSkinTextLimit, 'e'));
    text = Replace(text, "<Height>480", "<Height>00000000480");
    text = Replace(text, "Midnight Blue", std::string(kSkinNameLimit, 'n'));
    text = Replace(text, "Ada  Lovelace", std::string(kSkinNameLimit, ' '));
    const SkinScript s = Loaded(text);
    EXPECT_EQ(s.email.size(), kSkinTextLimit);
    EXPECT_EQ(s.windowHeight, 480);
    EXPECT_EQ(s.name.size(), kSkinNameLimit);
    EXPECT_EQ(s.author.size(), kSkinNameLimit);
}

TEST(SkinScript, EveryTruncationFailsCleanly) {
    for (std::size_t n = 0; n < kSample.find("</Logo>") + 7; ++n) {
        SkinScript s;
        test::RecordingPrompts messages;
        // An exact-size copy lets the address sanitizer see any read past the text.
        EXPECT_FALSE(LoadSkinScript(kSample.substr(0, n), s, messages)) << n;
        EXPECT_EQ(messages.messages.size(), 1u) << n;
        EXPECT_FALSE(s.HasStrings()) << n;
    }
}

TEST(SkinIni, NameIsTheFirstLineUpTo99CharactersAndIsWrittenBareKeepingTheLinesAfterIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"Midnight\r\n", "Midnight"},
        {"Old Paper\nsecond line", "Old Paper"},
        {"", ""},
        {std::string(99, 'a'), std::string(99, 'a')},
        {std::string(150, 'a'), std::string(99, 'a')},
    };
    for (const auto& [bytes, name] : cases) EXPECT_EQ(ParseSkinIni(bytes), name) << bytes;
    test::RecordingWriter writer;
    std::string error;
    ASSERT_TRUE(WriteSkinIni("/data/", "Old Paper", writer, error));
    EXPECT_EQ(writer.files, (std::map<std::string, std::string>{{"CineLedger.ini", "Old Paper"}}));
    EXPECT_EQ(SerializeSkinIni("Old Paper", "Midnight\r\n[Hosts]\r\nSite=x"), "Old Paper\r\n[Hosts]\r\nSite=x");
}

}  // namespace
}  // namespace cl
