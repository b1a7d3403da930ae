// The two short lookup tables of known video codecs and audio formats.
#include "media/CodecTables.h"

#include <array>

namespace cl {

namespace {

struct CodecEntry {
    std::uint32_t fourcc;
    const char* name;
};

constexpr std::array<CodecEntry, 23> kCodecs{{
    {FourCc("3IV1"), "3ivx"},
    {FourCc("3IV2"), "3ivx"},
    {FourCc("AP41"), "AngelPotion Definitive"},
    {FourCc("CRAM"), "Microsoft Video 1"},
    {FourCc("CVID"), "Cinepack"},
    {FourCc("DIV3"), "DivX 3 Low-Motion"},
    {FourCc("DIV4"), "DivX 3 Fast-Motion"},
    {FourCc("DIVX"), "DivX 4.x"},
    {FourCc("divx"), "DivX 4.x"},
    {FourCc("DX50"), "DivX 5.x"},
    {FourCc("HFYU"), "Huffman Lossless Codec"},
    {FourCc("IPDV"), "Giga AVI DV Codec"},
    {FourCc("LEAD"), "LEAD Video Codec"},
    {FourCc("MJ2C"), "Motion JPEG 2000"},
    {FourCc("MJPG"), "Motion JPEG"},
    {FourCc("MP42"), "MPEG-4"},
    {FourCc("MP43"), "MPEG-4"},
    {FourCc("MPG4"), "MPEG-4"},
    {FourCc("MPGI"), "MPEG (Sigma Designs)"},
    {FourCc("QPEG"), "QPEG"},
    {FourCc("XVID"), "XVID"},
    {FourCc("rv20"), "RealVideo 8"},
    {FourCc("rv30"), "RealVideo G2"},
}};

}  // namespace

std::string CodecName(std::uint32_t fourcc) {
    for (const CodecEntry& e : kCodecs) {
        if (e.fourcc == fourcc) return e.name;
    }
    return "Unknown";
}

std::string AudioFormatName(std::uint16_t tag) {
    if (tag == 0x0020) return "Yamaha Corp.";
    if (tag == 0x0055) return "MPEG Layer 3";
    if (tag == 0x0059) return "Lucent Technologies";
    if (tag == 0x0060) return "Cirrus Logic";
    if (tag >= 0x0070 && tag <= 0x0079) return "Voxware Inc.";
    if (tag >= 0x0130 && tag <= 0x0135) return "Sipro Lab Telecom";
    if (tag == 0x0161) return "Windows Media Audio v2";
    if (tag == 0x2000) return "Dolby AC3";
    return "Unknown";
}

}  // namespace cl
