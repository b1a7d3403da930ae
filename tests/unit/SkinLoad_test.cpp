// Loading the skin in use at start-up: which message each failure shows, and where the bitmaps are looked for.
#include "skin/SkinLoad.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>

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

// A data directory whose ini names Blue, with Blue's script and its three bitmaps.
struct DataDirectory {
    DataDirectory() {
        fs::remove_all(dir);
        fs::create_directories(dir / "Skins" / "Blue");
        Put("CineLedger.ini", "Blue");
        Put("Skins/Blue/Blue.lsk", Script("Blue"));
        for (const char* bitmap : {"Main.bmp", "Buttons.bmp", "Logo.bmp"})
            Put(std::string("Skins/Blue/") + bitmap, "x");
    }
    ~DataDirectory() { fs::remove_all(dir); }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    SkinStartResult Load() { return LoadSkinAtStart(path, skin, loader, messages); }

    const fs::path dir = fs::temp_directory_path() /
                         ("cl-skinload-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    const std::string path = dir.string() + "/";
    SkinScript skin;
    test::RecordingPrompts messages;
    FileLoader loader;
};

TEST(SkinLoad, LoadsIniScriptAndBitmapsInOrder) {
    DataDirectory data;
    EXPECT_EQ(data.Load(), SkinStartResult::Loaded);
    EXPECT_TRUE(data.messages.messages.empty());
    EXPECT_EQ(data.skin.name, "Blue");
    EXPECT_EQ(data.skin.scriptPath, data.path + "Skins/Blue/Blue.lsk");
    const std::string folder = data.path + "Skins/Blue/";
    EXPECT_EQ(data.loader.asked,
              (std::vector<std::string>{folder + "Main.bmp", folder + "Buttons.bmp", folder + "Logo.bmp"}));
    data.Put("CineLedger.ini", "Blue\n" + std::string(kIniReadLimit, 'x'));
    std::string bytes;
    EXPECT_TRUE(ReadIniFile(data.path, bytes) && bytes.size() == kIniReadLimit);
}

TEST(SkinLoad, EachFailureShowsItsOwnMessagesAndStopsTheLaterSteps) {
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
    const test::Box noMain{"Could Not Load Main Bitmap.", ""};
    // A script found in folder Blue that calls itself Green: its bitmaps are looked for under Green.
    const std::string green = Script("Green");
    using enum SkinStartResult;
    const Case cases[] = {
        {"CineLedger.ini", nullptr, NoIni, 0, {error("Could Not Load File \"CineLedger.ini\"")}},
        {"CineLedger.ini", "Red", BadScript, 0, {noScript}},
        {"Skins/Blue/Blue.lsk", "<CineLedgerSkin><Attribute>", BadScript, 0, {syntax, noScript}},
        {"Skins/Blue/Blue.lsk", green.c_str(), BadBitmaps, 1, {noMain, noBitmaps}},
        {"Skins/Blue/Main.bmp", nullptr, BadBitmaps, 1, {noMain, noBitmaps}},
        {"Skins/Blue/Buttons.bmp", nullptr, BadBitmaps, 2, {{"Could Not Load Button Bitmap.", ""}, noBitmaps}},
        {"Skins/Blue/Logo.bmp", nullptr, BadBitmaps, 3, {{"Could Not Load Logo Bitmap.", ""}, noBitmaps}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(std::string(each.file) + " " + (each.contents ? each.contents : "removed"));
        DataDirectory data;
        if (each.contents) {
            data.Put(each.file, each.contents);
        } else {
            fs::remove(data.dir / each.file);
        }
        EXPECT_EQ(data.Load(), each.result);
        EXPECT_EQ(data.messages.messages, each.shown);
        EXPECT_EQ(data.loader.asked.size(), each.bitmapsAsked);
    }
}

// The window's side of a change of skin: what it was fitted to, between one hide and one show.
class FakeTarget : public SkinTarget {
  public:
    bool Load(SkinBitmap which, const std::string& path) override { return files.Load(which, path); }
    void Hide() override { events += "hide "; }
    void FreeBitmaps() override { events += "free "; }
    void Reshape(const SkinScript& skin) override { events += "shape:" + skin.name + " "; }
    void Show() override { events += "show"; }
    FileLoader files;
    std::string events;
};

TEST(SkinLoad, ApplyFallsBackOnceToTheSkinInUse) {
    const test::Box noScript{"Unable To Load Skin Script.", "", MessageIcon::Stop};
    const test::Box noBitmaps{"Could Not Load Skin Bitmaps.", "Skin Script Error", MessageIcon::Stop};
    const test::Box noMain{"Could Not Load Main Bitmap.", ""};
    using enum SkinApplyResult;
    const struct {
        const char* wanted;
        bool blueBroken;  // the skin in use has lost its main bitmap since it was loaded
        SkinApplyResult result;
        const char* events;
        std::vector<test::Box> shown;
        const char* ini;  // the first line after the apply
    } cases[] = {
        {"Red", false, Applied, "hide free shape:Red show", {}, "Red"},
        {"Gone", false, FellBack, "hide free free shape:Blue show", {noScript}, "Blue"},
        {"Bare", false, FellBack, "hide free free shape:Blue show", {noMain, noBitmaps}, "Blue"},
        {"Gone", true, Failed, "hide free free show", {noScript, noMain, noBitmaps}, "Old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wanted);
        DataDirectory data;
        fs::create_directories(data.dir / "Skins" / "Red");
        fs::create_directories(data.dir / "Skins" / "Bare");
        data.Put("Skins/Red/Red.lsk", Script("Red"));
        data.Put("Skins/Bare/Bare.lsk", Script("Bare"));
        for (const char* bitmap : {"Main.bmp", "Buttons.bmp", "Logo.bmp"})
            data.Put(std::string("Skins/Red/") + bitmap, "x");
        if (c.blueBroken) fs::remove(data.dir / "Skins/Blue/Main.bmp");
        data.Put("CineLedger.ini", "Old\r\n[Hosts]");
        ASSERT_TRUE(LoadSkinScriptFile(data.dir / "Skins/Blue/Blue.lsk", data.skin, data.messages));
        FakeTarget target;
        AtomicFileWriter writer;
        EXPECT_EQ(ApplySkin(data.path, c.wanted, data.skin, target, data.messages, writer), c.result);
        EXPECT_EQ(target.events, c.events);
        EXPECT_EQ(data.messages.messages, c.shown);
        std::string ini;
        ASSERT_TRUE(ReadIniFile(data.path, ini));
        EXPECT_EQ(ini, std::string(c.ini) + "\r\n[Hosts]");
    }
}

TEST(SkinLoad, ApplyShowsTheWindowAgainWhenAStepThrows) {
    DataDirectory data;
    ASSERT_TRUE(LoadSkinScriptFile(data.dir / "Skins/Blue/Blue.lsk", data.skin, data.messages));
    struct : FakeTarget {
        void Reshape(const SkinScript&) override { throw std::bad_alloc(); }
    } target;
    AtomicFileWriter writer;
    EXPECT_THROW(ApplySkin(data.path, "Blue", data.skin, target, data.messages, writer), std::bad_alloc);
    EXPECT_EQ(target.events, "hide free show");
}

}  // namespace
}  // namespace cl
