// Fuzz target for the BMP reader and the region computation that follows it in the skin generator's checks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "skin/Bmp.h"
#include "skin/Region.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cl::BgrImage image;
    std::string error;
    if (!cl::ReadBmp(std::span<const std::uint8_t>(data, size), image, error)) return 0;
    if (image.pixels.size() != image.Stride() * static_cast<std::size_t>(image.height)) std::abort();
    // Keep the work per input small: regions of huge claimed images are not what this target is for.
    if (static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) > 1u << 20) return 0;
    const auto region = cl::RegionFromPixels(image.View(), cl::MaskColor{255, 0, 255});
    if (!region) std::abort();
    cl::BgrImage back;
    if (!cl::ReadBmp(cl::WriteBmp(image, size % 2 == 0), back, error) || back.pixels != image.pixels) std::abort();
    return 0;
}
