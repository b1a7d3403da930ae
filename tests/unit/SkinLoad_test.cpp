// Loading the skin in use at start-up: which message each failure shows, and where the bitmaps are looked for.
#include "skin/SkinLoad.h"

#include <gtest/gtest.h>

#include "tests/unit/TestDoubles.h"

#include <filesystem>
#include <fstream>
#include <set>

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

// The smallest script the reader accepts, with the given name and file names.
std::string Script(const std::string& name) {
    SkinScript skin;
    skin.name = name;
    skin.author = "Someone";
    skin.email = "a@b.example";
    skin.homepage = "http://b.example";
    skin.screenshot = "Shot.bmp";
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
        for (const char* bitmap : {"Main.bmp", "Buttons.bmp", "Logo.bmp"}) Put(std::string("Skins/Blue/") + bitmap, "x");
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

TEST_F(SkinLoadTest, LoadsIniScriptAndBitmapsInOrder) {
    EXPECT_EQ(LoadSkinAtStart(data_, skin_, loader_, messages_), SkinStartResult::Loaded);
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(skin_.name, "Blue");
    EXPECT_EQ(skin_.scriptPath, data_ + "Skins/Blue/Blue.lsk");
    EXPECT_EQ(loader_.asked, (std::vector<std::string>{data_ + "Skins/Blue/Main.bmp", data_ + "Skins/Blue/Buttons.bmp",
                                                       data_ + "Skins/Blue/Logo.bmp"}));
}

TEST_F(SkinLoadTest, EachFailureShowsItsOwnMessages) {
    struct Case {
        const char* name;
        std::function<void()> damage;
        SkinStartResult result;
        std::vector<test::Box> shown;
    };
    const test::Box noScript{"Could Not Load Skin Script.", "Skin Script Error", MessageIcon::Stop};
    const test::Box noBitmaps{"Could Not Load Skin Bitmaps.", "Skin Script Error", MessageIcon::Stop};
    const std::vector<Case> cases = {
        {"no ini", [&] { fs::remove(dir_ / "CineLedger.ini"); }, SkinStartResult::NoIni,
         {{"Could Not Load File \"CineLedger.ini\"", "Skin Script Error", MessageIcon::Stop}}},
        {"missing script", [&] { Put("CineLedger.ini", "Red"); }, SkinStartResult::BadScript, {noScript}},
        {"syntax error", [&] { Put("Skins/Blue/Blue.lsk", "<CineLedgerSkin><Attribute>"); },
         SkinStartResult::BadScript,
         {{"Error at: <Attributes>", "Script Syntax Error", MessageIcon::Stop}, noScript}},
        {"main bitmap", [&] { fs::remove(dir_ / "Skins/Blue/Main.bmp"); }, SkinStartResult::BadBitmaps,
         {{"Could Not Load Main Bitmap.", "", MessageIcon::None}, noBitmaps}},
        {"button bitmap", [&] { fs::remove(dir_ / "Skins/Blue/Buttons.bmp"); }, SkinStartResult::BadBitmaps,
         {{"Could Not Load Button Bitmap.", "", MessageIcon::None}, noBitmaps}},
        {"logo bitmap", [&] { fs::remove(dir_ / "Skins/Blue/Logo.bmp"); }, SkinStartResult::BadBitmaps,
         {{"Could Not Load Logo Bitmap.", "", MessageIcon::None}, noBitmaps}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        TearDown();
        SetUp();
        skin_ = SkinScript{};
        messages_.messages.clear();
        each.damage();
        EXPECT_EQ(LoadSkinAtStart(data_, skin_, loader_, messages_), each.result);
        EXPECT_EQ(messages_.messages, each.shown);
    }
}

TEST_F(SkinLoadTest, AFailedBitmapStopsTheLaterOnes) {
    fs::remove(dir_ / "Skins/Blue/Main.bmp");
    loader_.asked.clear();
    EXPECT_FALSE(LoadSkinBitmaps(data_, [] {
        SkinScript s;
        s.name = "Blue";
        s.mainBitmap = "Main.bmp";
        return s;
    }(), loader_, messages_));
    EXPECT_EQ(loader_.asked.size(), 1u);
}

TEST_F(SkinLoadTest, BitmapsComeFromTheFolderTheScriptNames) {
    // A script found in folder Blue that calls itself Green: its bitmaps are looked for under Green.
    Put("Skins/Blue/Blue.lsk", Script("Green"));
    EXPECT_EQ(LoadSkinAtStart(data_, skin_, loader_, messages_), SkinStartResult::BadBitmaps);
    ASSERT_FALSE(loader_.asked.empty());
    EXPECT_EQ(loader_.asked[0], data_ + "Skins/Green/Main.bmp");
}

TEST(SkinPaths, FollowTheDataDirectorysSeparator) {
    EXPECT_EQ(SkinFolderPath("C:\\Movies\\", "Old Paper"), "C:\\Movies\\Skins\\Old Paper\\");
    EXPECT_EQ(SkinScriptPath("/data/", "Blue"), "/data/Skins/Blue/Blue.lsk");
}

}  // namespace
}  // namespace cl
