// A cover JPEG loaded through OLE and painted into a page's DC as the database page does: upright, shrunk, framed.
#include <gtest/gtest.h>

#include "imdb/CoverPicture_win.h"
#include "tests/e2e/Harness_win.h"

namespace cl::e2e {
namespace {

TEST(Cover, LoadsAJpegAndPaintsItUprightInItsFrame) {
    const std::string folder = WinePath(CL_E2E_COVERS_DIR).string();
    CoverPicture picture;
    ASSERT_FALSE(LoadCoverPicture(folder + "\\missing.jpg", picture));
    ASSERT_TRUE(LoadCoverPicture(folder + "\\heat.jpg", picture));  // 300 x 448: red above blue

    constexpr int kWidth = 400, kHeight = 200;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedDc dc(CreateCompatibleDC(nullptr));
    OwnedBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap);
    SelectGuard selected(dc.get(), bitmap.get());
    auto pixel = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * kWidth + x] & 0xFFFFFF; };
    auto reddish = [&](int x, int y) { return (pixel(x, y) >> 16) > 150 && (pixel(x, y) & 0xFF) < 100; };
    auto bluish = [&](int x, int y) { return (pixel(x, y) >> 16) < 100 && (pixel(x, y) & 0xFF) > 150; };
    OwnedWindow frame(CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));

    PaintCover(picture.get(), dc.get(), kWidth, frame.get(), kDatabaseTab - 1);
    EXPECT_EQ(pixel(347, 80), 0u) << "painted on another tab";

    PaintCover(picture.get(), dc.get(), kWidth, frame.get(), kDatabaseTab);
    RECT r{};
    GetWindowRect(frame.get(), &r);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{297, 11, 399, 154}));
    // Drawn at 99 x 140 from (298, 11).
    EXPECT_TRUE(reddish(298, 11) && reddish(396, 70)) << "upright: red above";
    EXPECT_TRUE(bluish(298, 150) && bluish(396, 90)) << "upright: blue below";
    EXPECT_EQ(pixel(297, 80) | pixel(397, 80) | pixel(300, 10) | pixel(300, 151), 0u) << "drawn beyond its place";
}

}  // namespace
}  // namespace cl::e2e
