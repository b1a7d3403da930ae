// The Skins and About dialogs' decisions: the skin folders, the screenshot's fit and the address links.
#include "ui/SkinsDialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/unit/ShellFakes.h"

namespace cl {
namespace {

TEST(SkinsDialog, ListsOnlyTheFoldersUnderSkins) {
    const auto dir = std::filesystem::temp_directory_path() / ("cl-skin-folders-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "Skins" / "Blue Sky");
    std::filesystem::create_directories(dir / "Skins" / "Red");
    std::ofstream(dir / "Skins" / "notes.txt") << "x";
    auto names = ListSkinFolders(dir.string() + "/");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Blue Sky", "Red"}));
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(ListSkinFolders(dir.string() + "/").empty());
}

TEST(SkinsDialog, FitsTheScreenshotIntoTheFrameKeepingItsShape) {
    // 400 x 300 and 300 x 400 pixels at 96 pixels per inch, in a frame of 254 x 235.
    EXPECT_EQ(FitPreview(10584, 7938, 96, 96, 254, 235).target, (CoverRect{0, 22, 254, 190}));
    const CoverLayout high = FitPreview(7938, 10584, 96, 96, 254, 235);
    EXPECT_EQ(high.target, (CoverRect{39, 0, 176, 235}));
    EXPECT_EQ(high.source, (CoverRect{0, 10584, 7938, -10584}));
    EXPECT_EQ(FitPreview(0, 7938, 96, 96, 254, 235).target, CoverRect{});
    // 25 x 17 pixels (at 2540 per inch a HIMETRIC unit is a pixel): 300 * 17 / 25 is exactly 204.
    EXPECT_EQ(FitPreview(25, 17, 2540, 2540, 300, 235).target, (CoverRect{0, 15, 300, 204}));
}

TEST(SkinsDialog, AboutLinksDifferOnlyWhenTheUserDeclinesToConnect) {
    const struct {
        bool connected, yes, connectWorks;
        bool emailOpens, homePageOpens;
    } cases[] = {
        {true, false, false, true, true},
        {false, false, true, true, false},
        {false, true, false, false, false},
        {false, true, true, true, true},
    };
    for (const auto& c : cases) {
        for (AddressLink link : {AddressLink::Email, AddressLink::HomePage}) {
            test::FakeDesktop desktop;
            desktop.connected = c.connected;
            desktop.connectWorks = c.connectWorks;
            test::RecordingPrompts prompts;
            prompts.answers = {c.yes};
            const bool email = link == AddressLink::Email;
            const bool opens = email ? c.emailOpens : c.homePageOpens;
            EXPECT_EQ(OpenAddressLink(link, "me@x.test", email, desktop, prompts), opens);
            EXPECT_EQ(desktop.opened, opens ? std::vector<std::string>{email ? "mailto:me@x.test" : "me@x.test"}
                                            : std::vector<std::string>{});
        }
    }
    test::FakeDesktop desktop;
    test::RecordingPrompts prompts;
    EXPECT_FALSE(OpenAddressLink(AddressLink::HomePage, "", false, desktop, prompts));
    EXPECT_TRUE(desktop.opened.empty());
}

}  // namespace
}  // namespace cl
