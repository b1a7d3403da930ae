// Writing .ico and .cur files: ICONDIR, one 16-byte entry per image, then the images in the same order.
#include "tools/resgen/IconFile.h"

#include <fstream>

#include "model/base/NativePath.h"

namespace cl::resgen {

RgbaImage::RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}

namespace {

constexpr std::size_t kDirHeaderSize = 6;
constexpr std::size_t kDirEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put8(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put8(out, v & 0xFF);
    Put8(out, v >> 8 & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// AND mask rows hold one bit per pixel and, like every bitmap row, are padded to a multiple of 4 bytes.
std::size_t MaskRowBytes(int width) {
    return (static_cast<std::size_t>(width) + 31) / 32 * 4;
}

std::size_t ImageBytes(const RgbaImage& img) {
    return kInfoHeaderSize + static_cast<std::size_t>(img.width) * img.height * 4 +
           MaskRowBytes(img.width) * img.height;
}

// BITMAPINFOHEADER with the height doubled (colour part plus mask), then both parts bottom-up.
void PutImage(std::vector<std::uint8_t>& out, const RgbaImage& img) {
    const std::size_t maskRow = MaskRowBytes(img.width);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(img.width));
    Put32(out, static_cast<std::uint32_t>(img.height * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<std::uint32_t>(ImageBytes(img) - kInfoHeaderSize));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = img.height - 1; y >= 0; --y)
        for (int x = 0; x < img.width; ++x) Put32(out, img.At(x, y));  // little-endian 0xAARRGGBB is B, G, R, A
    for (int y = img.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < img.width; ++x) {
            if (img.Alpha(x, y) == 0)
                row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<std::uint8_t> WriteIconFile(IconKind kind, const std::vector<IconImage>& images) {
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(kind));
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = kDirHeaderSize + kDirEntrySize * images.size();
    for (const IconImage& i : images) {
        Put8(out, i.image.width == kIconMaxSide ? 0 : static_cast<std::uint32_t>(i.image.width));
        Put8(out, i.image.height == kIconMaxSide ? 0 : static_cast<std::uint32_t>(i.image.height));
        Put8(out, 0);  // colour count: none, the image is not palettised
        Put8(out, 0);
        if (kind == IconKind::Cursor) {
            Put16(out, static_cast<std::uint32_t>(i.hotspotX));
            Put16(out, static_cast<std::uint32_t>(i.hotspotY));
        } else {
            Put16(out, 1);   // planes
            Put16(out, 32);  // bits per pixel
        }
        Put32(out, static_cast<std::uint32_t>(ImageBytes(i.image)));
        Put32(out, static_cast<std::uint32_t>(offset));
        offset += ImageBytes(i.image);
    }
    for (const IconImage& i : images) PutImage(out, i.image);
    return out;
}

bool WriteBytesFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot create " + NativeFromPath(path);
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write " + NativeFromPath(path);
        return false;
    }
    return true;
}

}  // namespace cl::resgen
