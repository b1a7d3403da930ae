// Runs the skin generator into a temporary folder and checks what it wrote with the program's own readers: every
// script loads, every bitmap fits the geometry the script gives, and every window and button is shaped.
#include <gtest/gtest.h>

#include "tests/unit/TestDoubles.h"

#include <cstdlib>
#include <filesystem>
#include <set>

#include "model/base/FileWriter.h"
#include "skin/Bmp.h"
#include "skin/Region.h"
#include "skin/SkinScript.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/Font5x7.h"

namespace cl {
namespace {

namespace fs = std::filesystem;

using RecordingMessages = test::RecordingPrompts;

bool Inside(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, std::int64_t areaW, std::int64_t areaH) {
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= areaW && y + h <= areaH;
}

BgrImage Crop(const BgrImage& from, int x, int y, int w, int h) {
    BgrImage out(w, h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) out.Set(c, r, from.Rgb(x + c, y + r));
    return out;
}

class GeneratedSkins : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        out_ = new fs::path(fs::temp_directory_path() / ("cl-skingen-test-" + std::to_string(::getpid())));
        fs::remove_all(*out_);
        const std::string command = std::string("\"") + CL_SKINGEN + "\" \"" + out_->string() + "\"";
        status_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        fs::remove_all(*out_);
        delete out_;
    }
    static std::vector<std::string> SkinNames() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(*out_ / "Skins")) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static SkinScript Load(const std::string& name) {
        SkinScript s;
        RecordingMessages messages;
        const SkinLoadResult r = LoadSkinScriptFile(*out_ / "Skins" / name / (name + ".lsk"), s, messages);
        EXPECT_TRUE(r) << name << ": " << r.expectedTag;
        EXPECT_TRUE(messages.messages.empty());
        return s;
    }
    static BgrImage Bitmap(const std::string& skin, const std::string& file) {
        BgrImage img;
        std::string error;
        EXPECT_TRUE(ReadBmpFile(*out_ / "Skins" / skin / file, img, error)) << skin << "/" << file << ": " << error;
        return img;
    }

    static fs::path* out_;
    static int status_;
};

fs::path* GeneratedSkins::out_ = nullptr;
int GeneratedSkins::status_ = -1;

TEST_F(GeneratedSkins, GeneratorSucceedsAndWritesTwoSkinsAndTheIni) {
    ASSERT_EQ(status_, 0);
    EXPECT_EQ(SkinNames(), (std::vector<std::string>{"Midnight", "Paper"}));
    std::string ini;
    ASSERT_TRUE(ReadWholeFile(*out_ / "CineLedger.ini", ini));
    EXPECT_EQ(ini, "Midnight");
    SkinScript viaIni;
    ASSERT_TRUE(ReadSkinIni(out_->string() + "/", viaIni));
    EXPECT_EQ(viaIni.name, "Midnight");
}

TEST_F(GeneratedSkins, ScriptsLoadAndNameTheirFolder) {
    ASSERT_EQ(status_, 0);
    for (const std::string& name : SkinNames()) {
        const SkinScript s = Load(name);
        EXPECT_EQ(s.name, name);
        EXPECT_FALSE(s.author.empty());
        for (const std::string* file : {&s.screenshot, &s.mainBitmap, &s.buttonBitmap, &s.logo.bitmap}) {
            EXPECT_TRUE(fs::exists(*out_ / "Skins" / name / *file)) << name << ": " << *file;
        }
    }
}

TEST_F(GeneratedSkins, GeometryFitsTheBitmaps) {
    ASSERT_EQ(status_, 0);
    for (const std::string& name : SkinNames()) {
        SCOPED_TRACE(name);
        const SkinScript s = Load(name);
        const BgrImage main = Bitmap(name, s.mainBitmap);
        const BgrImage buttons = Bitmap(name, s.buttonBitmap);
        const BgrImage logo = Bitmap(name, s.logo.bitmap);
        EXPECT_EQ(main.width, s.windowWidth);
        EXPECT_EQ(main.height, s.windowHeight);
        EXPECT_EQ(main.width % 4, 0) << "the region would lose columns";
        EXPECT_EQ(logo.width, 310);
        EXPECT_EQ(logo.height, 200);
        EXPECT_EQ(s.logo.width, 310);
        EXPECT_EQ(s.logo.height, 200);
        EXPECT_TRUE(Inside(s.logo.x, s.logo.y, s.logo.width, s.logo.height, s.windowWidth, s.windowHeight));
        for (std::size_t b = 0; b < kSkinButtonCount; ++b) {
            for (std::size_t l = 0; l < kButtonLookCount; ++l) {
                const ButtonLookGeometry& g = s.buttons[b].looks[l];
                EXPECT_TRUE(Inside(g.sourceX, g.sourceY, g.width, g.height, buttons.width, buttons.height))
                    << kSkinButtons[b].section << " look " << l;
                EXPECT_TRUE(Inside(g.destX, g.destY, g.width, g.height, s.windowWidth, s.windowHeight))
                    << kSkinButtons[b].section << " look " << l;
            }
        }
        const SkinListBox& lb = s.listBox;
        EXPECT_TRUE(Inside(lb.x, lb.y, lb.width, lb.height, s.windowWidth, s.windowHeight));
        for (const SkinStatusField& st : s.status) {
            EXPECT_TRUE(Inside(st.x, st.y, st.width, st.height, s.windowWidth, s.windowHeight));
        }
    }
}

TEST_F(GeneratedSkins, EverythingPlacedInTheWindowIsOnTheWindow) {
    ASSERT_EQ(status_, 0);
    for (const std::string& name : SkinNames()) {
        SCOPED_TRACE(name);
        const SkinScript s = Load(name);
        const BgrImage main = Bitmap(name, s.mainBitmap);
        const MaskColor mask{s.mask.Red(), s.mask.Green(), s.mask.Blue()};
        const auto region = RegionFromPixels(main.View(), mask);
        ASSERT_TRUE(region);
        EXPECT_GT(region->size(), 1u) << "the window outline must not be a plain rectangle";
        EXPECT_LT(Area(*region), static_cast<std::size_t>(main.width) * main.height);
        auto covered = [&](int x, int y, int w, int h) {
            return Contains(*region, x, y) && Contains(*region, x + w - 1, y) && Contains(*region, x, y + h - 1) &&
                   Contains(*region, x + w - 1, y + h - 1);
        };
        EXPECT_TRUE(covered(s.listBox.x, s.listBox.y, s.listBox.width, s.listBox.height));
        for (const SkinStatusField& st : s.status) {
            EXPECT_TRUE(covered(st.x, st.y, st.width, st.height));
            // The field's background is copied from the main bitmap: it must be one plain colour.
            std::set<std::uint32_t> colours;
            for (int y = st.y; y < st.y + st.height; ++y)
                for (int x = st.x; x < st.x + st.width; ++x) colours.insert(main.Rgb(x, y));
            EXPECT_EQ(colours.size(), 1u) << "status field at " << st.x << "," << st.y;
        }
    }
}

TEST_F(GeneratedSkins, ButtonsAreShapedAndTheirLooksDiffer) {
    ASSERT_EQ(status_, 0);
    for (const std::string& name : SkinNames()) {
        SCOPED_TRACE(name);
        const SkinScript s = Load(name);
        const BgrImage sheet = Bitmap(name, s.buttonBitmap);
        const MaskColor mask{s.mask.Red(), s.mask.Green(), s.mask.Blue()};
        for (std::size_t b = 0; b < kSkinButtonCount; ++b) {
            SCOPED_TRACE(std::string(kSkinButtons[b].section));
            std::vector<BgrImage> looks;
            for (const ButtonLookGeometry& g : s.buttons[b].looks) {
                looks.push_back(Crop(sheet, g.sourceX, g.sourceY, g.width, g.height));
            }
            const auto shape = RegionFromPixels(looks[0].View(), mask);
            ASSERT_TRUE(shape);
            EXPECT_FALSE(shape->empty());
            EXPECT_FALSE(Contains(*shape, 0, 0)) << "the corner should be cut away";
            EXPECT_NE(looks[0].pixels, looks[1].pixels) << "Hover looks like Default";
            EXPECT_NE(looks[0].pixels, looks[2].pixels) << "Clicked looks like Default";
            EXPECT_NE(looks[1].pixels, looks[2].pixels) << "Clicked looks like Hover";
            // A button window is as wide as its Default look; every look must fit it.
            EXPECT_EQ(looks[1].width, looks[0].width);
            EXPECT_EQ(looks[2].height, looks[0].height);
        }
    }
}

TEST_F(GeneratedSkins, SkinsLookDifferentFromEachOther) {
    ASSERT_EQ(status_, 0);
    const BgrImage a = Bitmap("Midnight", "Main.bmp");
    const BgrImage b = Bitmap("Paper", "Main.bmp");
    auto brightness = [](const BgrImage& img) {
        std::uint64_t sum = 0;
        for (std::uint8_t v : img.pixels) sum += v;
        return sum / img.pixels.size();
    };
    EXPECT_LT(brightness(a) + 60, brightness(b));
}

TEST(SkinGenFont, EveryPrintableGlyphIsDrawnAndSpaceIsEmpty) {
    std::set<std::array<std::uint8_t, skingen::kGlyphHeight>> seen;
    for (char c = 33; c < 127; ++c) {
        const auto& g = skingen::Glyph(c);
        EXPECT_TRUE(std::any_of(g.begin(), g.end(), [](std::uint8_t r) { return r != 0; })) << c;
        EXPECT_TRUE(std::all_of(g.begin(), g.end(), [](std::uint8_t r) { return r < 32; })) << c;
        EXPECT_TRUE(seen.insert(g).second) << "glyph of '" << c << "' repeats another";
    }
    const auto& space = skingen::Glyph(' ');
    EXPECT_TRUE(std::all_of(space.begin(), space.end(), [](std::uint8_t r) { return r == 0; }));
}

struct ShapeCase {
    const char* what;
    skingen::Shape shape;
    int x;
    int y;
    bool inside;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.what;
}

class SkinGenShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SkinGenShape, CornersAreCut) {
    EXPECT_EQ(GetParam().shape.Inside(GetParam().x, GetParam().y), GetParam().inside) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinGenShape,
                         ::testing::Values(ShapeCase{"plain corner", {0, 0, 10, 10}, 0, 0, true},
                                           ShapeCase{"outside right", {0, 0, 10, 10}, 10, 5, false},
                                           ShapeCase{"rounded corner", {0, 0, 20, 20, 8}, 0, 0, false},
                                           ShapeCase{"rounded far corner", {0, 0, 20, 20, 8}, 19, 19, false},
                                           ShapeCase{"rounded edge middle", {0, 0, 20, 20, 8}, 0, 10, true},
                                           ShapeCase{"rounded just inside", {0, 0, 20, 20, 8}, 3, 3, true},
                                           ShapeCase{"chamfer corner", {0, 0, 20, 20, 0, 6}, 1, 1, false},
                                           ShapeCase{"chamfer diagonal", {0, 0, 20, 20, 0, 6}, 3, 3, true},
                                           ShapeCase{"chamfer far corner", {0, 0, 20, 20, 0, 6}, 19, 0, false}));

}  // namespace
}  // namespace cl
