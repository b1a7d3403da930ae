// The skin tutorial placed beside the program: its complete example must be a script the program reads, and the very
// script of the shipped default skin, so that the page cannot drift from what the skins do; the page must stand on
// its own, with no file or address it would need to fetch.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "skin/SkinScript.h"
#include "tests/unit/TestDoubles.h"
#include "tools/skingen/SkinArt.h"

namespace cl {
namespace {

std::string Page() {
    std::ifstream in(CL_SKIN_TUTORIAL, std::ios::binary);
    EXPECT_TRUE(in) << CL_SKIN_TUTORIAL;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text of the example as a reader would copy it: without the notes, the markup and the character references.
std::string ExampleScript(const std::string& page) {
    std::smatch pre;
    if (!std::regex_search(page, pre, std::regex(R"(<pre id="complete-script"[^>]*>([\s\S]*?)</pre>)"))) return {};
    std::string text =
        std::regex_replace(pre[1].str(), std::regex(R"(<span class="note">[\s\S]*?</span>|<[^>]*>)"), "");
    for (const auto& [what, with] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        text = std::regex_replace(text, std::regex(what), with);
    }
    return text;
}

TEST(SkinTutorial, CompleteExampleIsTheScriptOfTheDefaultSkin) {
    const std::string script = ExampleScript(Page());
    ASSERT_FALSE(script.empty()) << "no <pre id=\"complete-script\"> in the page";
    SkinScript read;
    test::RecordingPrompts messages;
    ASSERT_TRUE(LoadSkinScript(script, read, messages)) << ::testing::PrintToString(messages.MessageTexts());
    EXPECT_EQ(read, skingen::MakeMidnight().script)
        << "the shipped Midnight skin changed: bring the tutorial's example up to date";
}

TEST(SkinTutorial, PageStandsOnItsOwnAndNamesEverySectionAndTheReadersLimits) {
    const std::string page = Page();
    for (std::string_view outside : {"src=", "<link", "<script", "@import", "url(", "<iframe", "<object"}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    }
    for (std::size_t at = page.find("href=\""); at != std::string::npos; at = page.find("href=\"", at + 1)) {
        const std::string target = page.substr(at + 6, page.find('"', at + 6) - at - 6);
        ASSERT_FALSE(target.empty());
        EXPECT_EQ(target[0], '#') << "a link out of the page: " << target;
        EXPECT_NE(page.find("id=\"" + target.substr(1) + "\""), std::string::npos) << "no anchor for " << target;
    }
    for (std::string_view tag : {"CineLedgerSkin", "Attributes", "MainWindow", "MaskColor", "ListBox", "Logo",
                                 "Default", "Hover", "Clicked", "TextOffset"}) {
        EXPECT_NE(page.find("&lt;" + std::string(tag) + "&gt;"), std::string::npos) << tag;
    }
    for (std::size_t limit : {kSkinTextLimit, kSkinNumberLimit, kSkinNameLimit}) {
        EXPECT_NE(page.find(std::to_string(limit) + " characters"), std::string::npos) << limit;
    }
    EXPECT_NE(page.find("Ctrl</kbd>+<kbd>Z"), std::string::npos) << "how to open the Skins dialog";
}

}  // namespace
}  // namespace cl
