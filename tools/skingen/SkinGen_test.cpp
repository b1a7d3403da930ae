// Writes the shipped skins into a temporary folder and checks them with the program's own readers: every script
// loads, every bitmap fits the geometry the script gives, and every window and button is shaped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "model/base/FileWriter.h"
#include "skin/Bmp.h"
#include "skin/Region.h"
#include "skin/SkinScript.h"
#include "tests/unit/TestDoubles.h"
#include "tools/skingen/SkinArt.h"

namespace cl {
namespace {

namespace fs = std::filesystem;

bool Inside(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, std::int64_t areaW, std::int64_t areaH) {
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= areaW && y + h <= areaH;
}

BgrImage Crop(const BgrImage& from, int x, int y, int w, int h) {
    BgrImage out(w, h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) out.Set(c, r, from.Rgb(x + c, y + r));
    return out;
}

BgrImage Bitmap(const fs::path& folder, const std::string& file) {
    BgrImage img;
    std::string error;
    EXPECT_TRUE(ReadBmpFile(folder / file, img, error)) << file << ": " << error;
    return img;
}

TEST(GeneratedSkins, LoadAndFitTheirBitmapsAndShapes) {
    const fs::path out = fs::temp_directory_path() / ("cl-skingen-test-" + std::to_string(getpid()));
    fs::remove_all(out);
    std::string error;
    ASSERT_TRUE(skingen::GenerateSkins(out, CL_SKIN_SCREENSHOTS, error)) << error;
    SkinScript viaIni;
    ASSERT_TRUE(ReadSkinIni(out.string() + "/", viaIni));
    EXPECT_EQ(viaIni.name, "Midnight");
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(out / "Skins")) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Midnight", "Paper"}));

    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const fs::path folder = out / "Skins" / name;
        SkinScript s;
        test::RecordingPrompts messages;
        ASSERT_TRUE(LoadSkinScriptFile(folder / (name + ".lsk"), s, messages));
        EXPECT_EQ(s.name, name);
        EXPECT_TRUE(fs::exists(folder / s.screenshot));
        const BgrImage main = Bitmap(folder, s.mainBitmap);
        const BgrImage sheet = Bitmap(folder, s.buttonBitmap);
        const BgrImage logo = Bitmap(folder, s.logo.bitmap);
        EXPECT_EQ(main.width, s.windowWidth);
        EXPECT_EQ(main.height, s.windowHeight);
        EXPECT_EQ(main.width % 4, 0) << "the region would lose columns";
        EXPECT_EQ(logo.width, s.logo.width);
        EXPECT_EQ(logo.height, s.logo.height);
        EXPECT_TRUE(Inside(s.logo.x, s.logo.y, s.logo.width, s.logo.height, s.windowWidth, s.windowHeight));

        const MaskColor mask{s.mask.Red(), s.mask.Green(), s.mask.Blue()};
        const auto region = RegionFromPixels(main.View(), mask);
        ASSERT_TRUE(region);
        EXPECT_GT(region->size(), 1u) << "the window outline must not be a plain rectangle";
        auto covered = [&](int x, int y, int w, int h) {
            return Inside(x, y, w, h, s.windowWidth, s.windowHeight) && Contains(*region, x, y) &&
                   Contains(*region, x + w - 1, y) && Contains(*region, x, y + h - 1) &&
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

        for (std::size_t b = 0; b < kSkinButtonCount; ++b) {
            SCOPED_TRACE(std::string(kSkinButtons[b].section));
            std::vector<BgrImage> looks;
            for (const ButtonLookGeometry& g : s.buttons[b].looks) {
                ASSERT_TRUE(Inside(g.sourceX, g.sourceY, g.width, g.height, sheet.width, sheet.height));
                EXPECT_TRUE(Inside(g.destX, g.destY, g.width, g.height, s.windowWidth, s.windowHeight));
                // A button window is as large as its Default look; every look must fill it.
                EXPECT_EQ(g.width, s.buttons[b].looks[0].width);
                EXPECT_EQ(g.height, s.buttons[b].looks[0].height);
                looks.push_back(Crop(sheet, g.sourceX, g.sourceY, g.width, g.height));
            }
            const auto shape = RegionFromPixels(looks[0].View(), mask);
            ASSERT_TRUE(shape);
            EXPECT_FALSE(shape->empty());
            EXPECT_FALSE(Contains(*shape, 0, 0)) << "the corner should be cut away";
            EXPECT_NE(looks[0].pixels, looks[1].pixels) << "Hover looks like Default";
            EXPECT_NE(looks[1].pixels, looks[2].pixels) << "Clicked looks like Hover";
        }
    }
    fs::remove_all(out);
}

}  // namespace
}  // namespace cl
