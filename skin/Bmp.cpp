// Reading and writing 24-bit BMP files. Every header field the reader trusts is checked against the bytes it has.
#include "skin/Bmp.h"

#include <fstream>
#include <iterator>

namespace cl {

BgrImage::BgrImage(int w, int h)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3, 0) {}

std::uint32_t BgrImage::Rgb(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

void BgrImage::Set(int x, int y, std::uint32_t rgb) {
    std::uint8_t* p = At(x, y);
    p[0] = static_cast<std::uint8_t>(rgb);
    p[1] = static_cast<std::uint8_t>(rgb >> 8);
    p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
           (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::int32_t I32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::size_t PaddedRow(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

bool Fail(std::string& error, const char* what) {
    error = what;
    return false;
}

}  // namespace

bool ReadBmp(std::span<const std::uint8_t> bytes, BgrImage& image, std::string& error) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) return Fail(error, "too short for a BMP header");
    if (bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "not a BMP file");
    const std::uint32_t dataOffset = U32(bytes, 10);
    const std::uint32_t infoSize = U32(bytes, 14);
    if (infoSize < kInfoHeaderSize || infoSize > bytes.size() - kFileHeaderSize) {
        return Fail(error, "unsupported BMP info header");
    }
    const std::int32_t width = I32(bytes, 18);
    const std::int32_t rawHeight = I32(bytes, 22);
    const std::uint16_t planes = U16(bytes, 26);
    const std::uint16_t bits = U16(bytes, 28);
    const std::uint32_t compression = U32(bytes, 30);
    if (planes != 1 || bits != 24 || compression != 0) return Fail(error, "not an uncompressed 24-bit BMP");
    // Compared as 64-bit so that the smallest int32 cannot overflow when negated.
    const std::int64_t height64 = rawHeight < 0 ? -std::int64_t{rawHeight} : rawHeight;
    if (width <= 0 || width > kBmpMaxSide || height64 == 0 || height64 > kBmpMaxSide) {
        return Fail(error, "BMP size out of range");
    }
    const int height = static_cast<int>(height64);
    const bool topDown = rawHeight < 0;
    const std::size_t row = PaddedRow(width);
    if (dataOffset < kFileHeaderSize + infoSize || dataOffset > bytes.size()) return Fail(error, "bad pixel offset");
    // The last row need not carry its padding: some writers stop at the last pixel.
    const std::size_t needed = row * static_cast<std::size_t>(height - 1) + static_cast<std::size_t>(width) * 3;
    if (bytes.size() - dataOffset < needed) return Fail(error, "BMP pixel data truncated");

    BgrImage img(width, height);
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        const std::uint8_t* src = bytes.data() + dataOffset + row * static_cast<std::size_t>(fileRow);
        std::copy(src, src + img.Stride(), img.At(0, y));
    }
    image = std::move(img);
    return true;
}

bool ReadBmpFile(const std::filesystem::path& path, BgrImage& image, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, "cannot open file");
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return Fail(error, "cannot read file");
    return ReadBmp(bytes, image, error);
}

std::vector<std::uint8_t> WriteBmp(const BgrImage& image, bool topDown) {
    const std::size_t row = PaddedRow(image.width);
    const std::size_t dataSize = row * static_cast<std::size_t>(image.height);
    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + dataSize));
    Put32(out, 0);
    Put32(out, kFileHeaderSize + kInfoHeaderSize);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(topDown ? -image.height : image.height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(dataSize));
    Put32(out, 2835);  // 72 dots per inch, as pixels per metre
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int i = 0; i < image.height; ++i) {
        const int y = topDown ? i : image.height - 1 - i;
        const std::uint8_t* src = image.At(0, y);
        out.insert(out.end(), src, src + image.Stride());
        out.resize(out.size() + (row - image.Stride()), 0);
    }
    return out;
}

bool WriteBmpFile(const std::filesystem::path& path, const BgrImage& image, std::string& error) {
    const std::vector<std::uint8_t> bytes = WriteBmp(image);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return Fail(error, "cannot create file");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return Fail(error, "cannot write file");
    return true;
}

}  // namespace cl
