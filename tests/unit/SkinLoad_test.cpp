// Loading the skin in use at start-up: which message each failure shows, and where the bitmaps are looked for.
#include "skin/SkinLoad.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/unit/TestDoubles.h"

namespace cl {
namespace {

namespace fs = std::filesystem;

// Loads whatever exists on disk and remembers the paths asked for.
class FileLoader : public SkinBitmapLoader {
  public:
    bool Load(SkinBitmap, const std::string& path) override {
        asked.push_back(path);
        return fs::exists(path);
    }
    std::vector<std::string> asked;
};

// A script the reader accepts, with the given name and the three bitmap names.
std::string Script(const std::string& name) {
    SkinScript skin;
    skin.name = name;
    skin.author = skin.email = skin.homepage = skin.screenshot = "x";
    skin.mainBitmap = "Main.bmp";
    skin.buttonBitmap = "Buttons.bmp";
    skin.logo.bitmap = "Logo.bmp";
    return SerializeSkinScript(skin);
}

class SkinLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("cl-skinload-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Skins" / "Blue");
        data_ = dir_.string() + "/";
        Put("CineLedger.ini", "Blue");
        Put("Skins/Blue/Blue.lsk", Script("Blue"));
        for (const char* bitmap : {"Main.bmp", "Buttons.bmp", "Logo.bmp"})
            Put(std::string("Skins/Blue/") + bitmap, "x");
        skin_ = SkinScript{};
        messages_.messages.clear();
        loader_.asked.clear();
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }

    fs::path dir_;
    std::string data_;
    SkinScript skin_;
    test::RecordingPrompts messages_;
    FileLoader loader_;
};

TEST_F(SkinLoadTest, LoadsIniScriptAndBitmapsInOrderFromTheFolderTheScriptNames) {
    EXPECT_EQ(LoadSkinAtStart(data_, skin_, loader_, messages_), SkinStartResult::Loaded);
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(skin_.name, "Blue");
    EXPECT_EQ(skin_.scriptPath, data_ + "Skins/Blue/Blue.lsk");
    const std::string folder = data_ + "Skins/Blue/";
    EXPECT_EQ(loader_.asked,
              (std::vector<std::string>{folder + "Main.bmp", folder + "Buttons.bmp", folder + "Logo.bmp"}));
    // A script found in folder Blue that calls itself Green: its bitmaps are looked for under Green.
    Put("Skins/Blue/Blue.lsk", Script("Green"));
    loader_.asked.clear();
    EXPECT_EQ(LoadSkinAtStart(data_, skin_, loader_, messages_), SkinStartResult::BadBitmaps);
    EXPECT_EQ(loader_.asked, (std::vector<std::string>{data_ + "Skins/Green/Main.bmp"}));
}

TEST_F(SkinLoadTest, EachFailureShowsItsOwnMessagesAndStopsTheLaterSteps) {
    struct Case {
        const char* file;      // of the data directory
        const char* contents;  // written over the file; none: the file is removed
        SkinStartResult result;
        std::size_t bitmapsAsked;
        std::vector<test::Box> shown;
    };
    const auto error = [](const char* text) { return test::Box{text, "Skin Script Error", MessageIcon::Stop}; };
    const test::Box noScript = error("Could Not Load Skin Script.");
    const test::Box noBitmaps = error("Could Not Load Skin Bitmaps.");
    const test::Box syntax{"Error at: <Attributes>", "Script Syntax Error", MessageIcon::Stop};
    using enum SkinStartResult;
    const std::vector<Case> cases = {
        {"CineLedger.ini", nullptr, NoIni, 0, {error("Could Not Load File \"CineLedger.ini\"")}},
        {"CineLedger.ini", "Red", BadScript, 0, {noScript}},
        {"Skins/Blue/Blue.lsk", "<CineLedgerSkin><Attribute>", BadScript, 0, {syntax, noScript}},
        {"Skins/Blue/Main.bmp", nullptr, BadBitmaps, 1, {{"Could Not Load Main Bitmap.", ""}, noBitmaps}},
        {"Skins/Blue/Buttons.bmp", nullptr, BadBitmaps, 2, {{"Could Not Load Button Bitmap.", ""}, noBitmaps}},
        {"Skins/Blue/Logo.bmp", nullptr, BadBitmaps, 3, {{"Could Not Load Logo Bitmap.", ""}, noBitmaps}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.file);
        TearDown();
        SetUp();
        if (each.contents) {
            Put(each.file, each.contents);
        } else {
            fs::remove(dir_ / each.file);
        }
        EXPECT_EQ(LoadSkinAtStart(data_, skin_, loader_, messages_), each.result);
        EXPECT_EQ(messages_.messages, each.shown);
        EXPECT_EQ(loader_.asked.size(), each.bitmapsAsked);
    }
}

TEST(SkinPaths, FollowTheDataDirectorysSeparator) {
    EXPECT_EQ(SkinScriptPath("C:\\Movies\\", "Old Paper"), "C:\\Movies\\Skins\\Old Paper\\Old Paper.lsk");
}

}  // namespace
}  // namespace cl
