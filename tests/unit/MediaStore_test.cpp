// The media store and "Media.dat", the scratch lookup, and the imported list of media records.
#include "media/MediaStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace cl {
namespace {

using Strings = std::vector<std::string>;

LoadReport Read(const std::string& bytes, MediaStore& s) {
    TextReader reader(bytes);
    return ReadMedia(reader, s);
}

MediaFields Avi(const std::string& codec) {
    MediaFields f;
    f.format = "MPEG-4";
    f.cds = "2";
    f.width = "640";
    f.height = "272";
    f.length = "118 min.";
    f.frameRate = "23.976 fps";
    f.videoBitRate = "780 kbit/s";
    f.codec = codec;
    f.audioBitRate = "128 kbit/s";
    f.audioCodec = "MPEG-1 Layer 3";
    f.channels = "2";
    f.samples = "48000 Hz";
    return f;
}

std::string AviLines(const std::string& title, const std::string& codec) {
    return title + "\r\nMPEG-4\r\n2\r\n640\r\n272\r\n118 min.\r\n23.976 fps\r\n780 kbit/s\r\n" + codec +
           "\r\n128 kbit/s\r\nMPEG-1 Layer 3\r\n2\r\n48000 Hz\r\n";
}

TEST(MediaStore, RecordIsWrittenAsThirteenLinesInTableOrder) {
    MediaStore s;
    ASSERT_TRUE(s.AddOrReplace("Heat", Avi("DivX 5")));
    EXPECT_EQ(SerializeMedia(s), AviLines("Heat", "DivX 5"));
}

TEST(MediaStore, AbsentFieldsAreEmptyLines) {
    MediaStore s;
    MediaFields f;
    f.format = "MPEG-1";
    s.AddOrReplace("Heat", f);
    EXPECT_EQ(SerializeMedia(s), "Heat\r\nMPEG-1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(MediaStore, ReplacingKeepsThePlaceAndAllTwelveFieldsChange) {
    MediaStore s;
    s.AddOrReplace("Alien", Avi("DivX 5"));
    s.AddOrReplace("Heat", Avi("XviD"));
    MediaFields mpeg;
    mpeg.format = "MPEG-2";
    mpeg.title = "ignored";
    s.AddOrReplace("Alien", mpeg);
    EXPECT_EQ(s.Titles(), (Strings{"Alien", "Heat"}));
    const MediaRecord* r = s.Find("Alien");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->fields.title, "Alien");
    EXPECT_EQ(r->fields.format, "MPEG-2");
    EXPECT_EQ(r->fields.codec, std::nullopt);
    EXPECT_EQ(r->fields.samples, std::nullopt);
}

TEST(MediaStore, LookupFillsTheScratchAndKeepsItsCounters) {
    MediaStore s;
    s.AddOrReplace("Heat", Avi("DivX 5"));
    MediaScratch scratch;
    scratch.totalSeconds = 7080;
    scratch.videoBytes = 123;
    scratch.medium = "CD-R";
    scratch.fields.title = "Old";
    EXPECT_FALSE(s.LookupIntoScratch("heat", scratch));
    EXPECT_EQ(scratch.fields.title, "Old");
    EXPECT_TRUE(s.LookupIntoScratch("Heat", scratch));
    EXPECT_EQ(scratch.fields.title, "Heat");
    EXPECT_EQ(scratch.fields.codec, "DivX 5");
    EXPECT_EQ(scratch.fields.samples, "48000 Hz");
    EXPECT_EQ(scratch.medium, std::nullopt);  // the user's own records carry no medium
    EXPECT_EQ(scratch.totalSeconds, 7080u);
    EXPECT_EQ(scratch.videoBytes, 123u);
}

TEST(MediaStore, RenameKeepsTheDetailsUnderTheNewTitleAndDeleteRemovesThem) {
    MediaStore s;
    s.AddOrReplace("Alien", Avi("DivX 5"));
    s.AddOrReplace("Heat", Avi("XviD"));
    EXPECT_TRUE(s.Rename("Alien", "Aliens"));
    EXPECT_EQ(s.Titles(), (Strings{"Aliens", "Heat"}));
    EXPECT_EQ(s.Find("Aliens")->fields.codec, "DivX 5");
    EXPECT_EQ(s.Find("Aliens")->fields.title, "Aliens");
    EXPECT_FALSE(s.Rename("Alien", "X"));
    EXPECT_TRUE(s.Delete("Aliens"));
    EXPECT_FALSE(s.Delete("Aliens"));
    EXPECT_EQ(s.Titles(), Strings{"Heat"});
    s.FreeAll();
    EXPECT_EQ(s.Count(), 0u);
}

TEST(MediaStore, RenameOntoATakenTitleRemovesNothing) {
    MediaStore s;
    s.AddOrReplace("Alien", Avi("DivX 5"));
    s.AddOrReplace("Heat", Avi("XviD"));
    EXPECT_TRUE(s.Rename("Heat", "Alien"));
    EXPECT_EQ(s.Titles(), (Strings{"Alien", "Alien"}));
    EXPECT_EQ(s.Find("Alien")->fields.codec, "DivX 5");
}

TEST(MediaStore, TextsAreCutToTheReaderLimitsSoTheFileReadsBack) {
    MediaStore s;
    MediaFields f = Avi(std::string(40, 'c'));
    f.frameRate = "123456789.000 fps";
    f.cds = "12";
    EXPECT_TRUE(s.AddOrReplace("Heat", f));
    EXPECT_FALSE(s.AddOrReplace("", f));
    EXPECT_FALSE(s.AddOrReplace(std::string(110, 't'), f));
    EXPECT_FALSE(s.AddOrReplace("Two\nLines", f));
    const MediaRecord* r = s.Find("Heat");
    EXPECT_EQ(r->fields.codec->size(), 29u);
    EXPECT_EQ(r->fields.frameRate, "123456789.000 ");
    EXPECT_EQ(r->fields.cds, "1");
    MediaStore back;
    EXPECT_FALSE(Read(SerializeMedia(s), back).damage.has_value());
    EXPECT_EQ(SerializeMedia(back), SerializeMedia(s));
}

struct ReadCase {
    const char* name;
    std::string bytes;
    Strings titles;
    bool damaged;
};

class MediaReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(MediaReadTable, KeepsWholeRecordsAndReportsDamage) {
    const ReadCase& c = GetParam();
    MediaStore s;
    LoadReport report = Read(c.bytes, s);
    EXPECT_EQ(s.Titles(), c.titles);
    EXPECT_EQ(report.damage.has_value(), c.damaged);
}

std::string WithField(std::size_t index, const std::string& value) {
    std::string out = "Heat\r\n";
    for (std::size_t i = 1; i < kMediaFieldCount; ++i) out += (i == index ? value : std::string("v")) + "\r\n";
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MediaReadTable,
    ::testing::Values(
        ReadCase{"EmptyFileIsAnEmptyStore", "", {}, false},
        ReadCase{
            "RecordsUntilTheEnd", AviLines("Alien", "DivX 5") + AviLines("Heat", "XviD"), {"Alien", "Heat"}, false},
        ReadCase{"EmptyTitleEndsLoadingAtThatRecordAndTextAfterItIsDamage",
                 AviLines("Alien", "DivX 5") + AviLines("", "XviD") + AviLines("Heat", "XviD"),
                 {"Alien"},
                 true},
        ReadCase{"DuplicateTitleKeepsTheFirstPlace",
                 AviLines("Alien", "a") + AviLines("Heat", "h") + AviLines("Alien", "b"),
                 {"Alien", "Heat"},
                 false},
        ReadCase{"RecordCutByTheFilesEndIsKept",
                 AviLines("Alien", "DivX 5") + "Heat\r\nMPEG-4\r\n2",
                 {"Alien", "Heat"},
                 false},
        ReadCase{
            "TitleOver109StopsReading", AviLines("Alien", "a") + AviLines(std::string(110, 't'), "h"), {"Alien"}, true},
        ReadCase{"FieldsAtTheirLimitsAreTaken",
                 std::string(109, 't') + "\r\n123456789\r\n1\r\n1234\r\n1234\r\n123456789\r\n" + std::string(14, 'f') +
                     "\r\n" + std::string(14, 'v') + "\r\n" + std::string(29, 'c') + "\r\n" + std::string(14, 'a') +
                     "\r\n" + std::string(29, 'a') + "\r\n123456789\r\n123456789\r\n",
                 {std::string(109, 't')},
                 false}),
    [](const auto& p) { return std::string(p.param.name); });

struct OverlongCase {
    const char* name;
    std::size_t field;  // 1-based field 2 to 13
    std::size_t limit;
};

class MediaOverlongTable : public ::testing::TestWithParam<OverlongCase> {};

TEST_P(MediaOverlongTable, StopsCleanlyWithoutThePartialRecord) {
    const OverlongCase& c = GetParam();
    MediaStore s;
    LoadReport report =
        Read(AviLines("Alien", "a") + WithField(c.field - 1, std::string(c.limit + 1, 'x')) + AviLines("Up", "u"), s);
    EXPECT_EQ(s.Titles(), Strings{"Alien"});
    ASSERT_TRUE(report.damage.has_value());
    EXPECT_EQ(report.damage->line, 13u + c.field);
    EXPECT_EQ(report.records, 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, MediaOverlongTable,
                         ::testing::Values(OverlongCase{"Format", 2, 9}, OverlongCase{"Cds", 3, 1},
                                           OverlongCase{"Width", 4, 4}, OverlongCase{"Height", 5, 4},
                                           OverlongCase{"Length", 6, 9}, OverlongCase{"FrameRate", 7, 14},
                                           OverlongCase{"VideoBitRate", 8, 14}, OverlongCase{"Codec", 9, 29},
                                           OverlongCase{"AudioBitRate", 10, 14}, OverlongCase{"AudioCodec", 11, 29},
                                           OverlongCase{"Channels", 12, 9}, OverlongCase{"Samples", 13, 9}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(MediaFile, DuplicateTitleInTheFileTakesTheLaterFields) {
    MediaStore s;
    Read(AviLines("Alien", "a") + AviLines("Heat", "h") + AviLines("Alien", "b"), s);
    EXPECT_EQ(SerializeMedia(s), AviLines("Alien", "b") + AviLines("Heat", "h"));
}

TEST(MediaFile, MissingFileLeavesTheStoreEmpty) {
    MediaStore s;
    LoadReport report = LoadMediaFile(std::filesystem::temp_directory_path() / "cl_no_such_media.dat", s);
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(s.Count(), 0u);
}

// ---- imported list ----

MediaRecord Imported(const std::string& title, const std::string& source) {
    MediaRecord r;
    r.fields = Avi("XviD");
    r.fields.title = title;
    r.source = source;
    r.categoryMark = "*";
    r.medium = "DVD-R";
    return r;
}

TEST(ImportList, AppendsWithoutLookingForDuplicates) {
    ImportList list;
    list.Append(Imported("Heat", "Ann"));
    list.Append(Imported("Alien", "Ann"));
    list.Append(Imported("Heat", "Bob"));
    EXPECT_EQ(list.Titles(), (Strings{"Heat", "Alien", "Heat"}));
    EXPECT_EQ(list.Find("Heat")->source, "Ann");
}

TEST(ImportList, DeleteTakesTheFirstRecordWithTheTitle) {
    ImportList list;
    list.Append(Imported("Heat", "Ann"));
    list.Append(Imported("Alien", "Ann"));
    list.Append(Imported("Heat", "Bob"));
    EXPECT_TRUE(list.Delete("Heat"));
    EXPECT_EQ(list.Titles(), (Strings{"Alien", "Heat"}));
    EXPECT_EQ(list.Find("Heat")->source, "Bob");
    EXPECT_TRUE(list.Delete("Heat"));
    EXPECT_FALSE(list.Delete("Heat"));
    EXPECT_EQ(list.Find("Heat"), nullptr);
    list.FreeAll();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(ImportList, ImportedRecordShowsItsMediumThroughTheScratch) {
    ImportList list;
    list.Append(Imported("Heat", "Ann"));
    const MediaRecord* r = list.Find("Heat");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->medium, "DVD-R");
    EXPECT_EQ(r->categoryMark, "*");
}

TEST(MediaStore, HundredThousandRecordsLoadAndLookUpQuickly) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes += AviLines("Movie " + std::to_string(i), "XviD");
    MediaStore s;
    LoadReport report = Read(bytes, s);
    EXPECT_EQ(report.records, 100000u);
    EXPECT_NE(s.Find("Movie 99999"), nullptr);
    for (int i = 0; i < 100000; i += 2) s.Delete("Movie " + std::to_string(i));
    EXPECT_EQ(s.Count(), 50000u);
    EXPECT_EQ(s.Titles().front(), "Movie 1");
}

}  // namespace
}  // namespace cl
