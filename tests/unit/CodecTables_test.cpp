// The codec and audio-format name tables: exact FourCC match and the tag ranges.
#include "media/CodecTables.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

struct CodecCase {
    const char fourcc[5];
    const char* name;
};

class CodecNames : public testing::TestWithParam<CodecCase> {};

TEST_P(CodecNames, ExactFourCcGivesItsName) {
    EXPECT_EQ(CodecName(FourCc(GetParam().fourcc)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodecNames,
    testing::Values(CodecCase{"XVID", "XVID"}, CodecCase{"xvid", "Unknown"}, CodecCase{"DX50", "DivX 5.x"},
                    CodecCase{"dx50", "Unknown"}, CodecCase{"DIVX", "DivX 4.x"}, CodecCase{"divx", "DivX 4.x"},
                    CodecCase{"DiVX", "Unknown"}, CodecCase{"3IV1", "3ivx"}, CodecCase{"3IV2", "3ivx"},
                    CodecCase{"AP41", "AngelPotion Definitive"}, CodecCase{"CRAM", "Microsoft Video 1"},
                    CodecCase{"CVID", "Cinepack"}, CodecCase{"DIV3", "DivX 3 Low-Motion"},
                    CodecCase{"DIV4", "DivX 3 Fast-Motion"}, CodecCase{"HFYU", "Huffman Lossless Codec"},
                    CodecCase{"IPDV", "Giga AVI DV Codec"}, CodecCase{"LEAD", "LEAD Video Codec"},
                    CodecCase{"MJ2C", "Motion JPEG 2000"}, CodecCase{"MJPG", "Motion JPEG"},
                    CodecCase{"MP42", "MPEG-4"}, CodecCase{"MP43", "MPEG-4"}, CodecCase{"MPG4", "MPEG-4"},
                    CodecCase{"MPGI", "MPEG (Sigma Designs)"}, CodecCase{"QPEG", "QPEG"},
                    CodecCase{"rv20", "RealVideo 8"}, CodecCase{"rv30", "RealVideo G2"}, CodecCase{"RV30", "Unknown"},
                    CodecCase{"FMP4", "Unknown"}));

struct TagCase {
    std::uint16_t tag;
    const char* name;
};

class AudioFormatNames : public testing::TestWithParam<TagCase> {};

TEST_P(AudioFormatNames, TagOrRangeGivesItsName) {
    EXPECT_EQ(AudioFormatName(GetParam().tag), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Table, AudioFormatNames,
                         testing::Values(TagCase{0x0001, "Unknown"}, TagCase{0x0020, "Yamaha Corp."},
                                         TagCase{0x0055, "MPEG Layer 3"}, TagCase{0x0050, "Unknown"},
                                         TagCase{0x0059, "Lucent Technologies"}, TagCase{0x0060, "Cirrus Logic"},
                                         TagCase{0x006F, "Unknown"}, TagCase{0x0070, "Voxware Inc."},
                                         TagCase{0x0079, "Voxware Inc."}, TagCase{0x007A, "Unknown"},
                                         TagCase{0x012F, "Unknown"}, TagCase{0x0130, "Sipro Lab Telecom"},
                                         TagCase{0x0135, "Sipro Lab Telecom"}, TagCase{0x0136, "Unknown"},
                                         TagCase{0x0161, "Windows Media Audio v2"}, TagCase{0x2000, "Dolby AC3"},
                                         TagCase{0x2001, "Unknown"}, TagCase{0xFFFF, "Unknown"}));

}  // namespace
}  // namespace cl
