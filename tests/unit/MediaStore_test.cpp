// The media store (the user's own movies' video details) and the media records an imported list brings.
#include "media/MediaStore.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

using Strings = std::vector<std::string>;

MediaFields Avi(const std::string& codec) {
    return {.format = "MPEG-4",
            .cds = "2",
            .width = "640",
            .height = "272",
            .length = "118 min.",
            .frameRate = "23.976 fps",
            .videoBitRate = "780 kbit/s",
            .codec = codec,
            .audioBitRate = "128 kbit/s",
            .audioCodec = "MPEG-1 Layer 3",
            .channels = "2",
            .samples = "48000 Hz"};
}

TEST(MediaStore, ARecordIsItsTitleAndTwelveFieldsInFileOrderEachCutToWhatTheFileTakes) {
    MediaStore s;
    ASSERT_TRUE(s.AddOrReplace("Heat", Avi("DivX 5")));
    ASSERT_TRUE(s.AddOrReplace(
        "Alien",
        {.format = "MPEG-1\r\n", .cds = "12", .frameRate = "123456789.000 fps", .codec = std::string(40, 'c')}));
    EXPECT_EQ(SerializeMedia(s),
              "Heat\r\nMPEG-4\r\n2\r\n640\r\n272\r\n118 min.\r\n23.976 fps\r\n780 kbit/s\r\nDivX 5\r\n128 kbit/s\r\n"
              "MPEG-1 Layer 3\r\n2\r\n48000 Hz\r\n"
              "Alien\r\nMPEG-1 \r\n1\r\n\r\n\r\n\r\n123456789.000 \r\n\r\n" +
                  std::string(29, 'c') + "\r\n\r\n\r\n\r\n\r\n");
}

TEST(MediaStore, ReplacingKeepsThePlaceAndChangesAllTwelveFields) {
    MediaStore s;
    s.AddOrReplace("Alien", Avi("DivX 5"));
    s.AddOrReplace("Heat", Avi("XviD"));
    s.AddOrReplace("Alien", {.title = "ignored", .format = "MPEG-2"});
    EXPECT_EQ(s.Titles(), (Strings{"Alien", "Heat"}));
    const MediaFields& f = s.Find("Alien")->fields;
    EXPECT_EQ(f.title, "Alien");
    EXPECT_EQ(f.format, "MPEG-2");
    EXPECT_FALSE(f.codec || f.samples);
}

TEST(MediaStore, ALookupFillsTheScratchButKeepsItsRunningTimeAndBytes) {
    MediaStore s;
    s.AddOrReplace("Heat", Avi("DivX 5"));
    MediaScratch scratch{.fields = {.title = "Old"}, .medium = "CD-R", .totalSeconds = 7080, .videoBytes = 123};
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

TEST(ImportList, KeepsEveryRecordInArrivalOrderAndFindsAndDeletesTheFirstOfATitle) {
    ImportList list;
    for (const char* source : {"Ann", "Bob"}) {
        for (const char* title : {"Heat", "Alien"}) list.Append({.fields = {.title = title}, .source = source});
    }
    EXPECT_EQ(list.Titles(), (Strings{"Heat", "Alien", "Heat", "Alien"}));
    EXPECT_EQ(list.Find("Heat")->source, "Ann");
    EXPECT_TRUE(list.Delete("Heat"));
    EXPECT_EQ(list.Find("Heat")->source, "Bob");
    EXPECT_TRUE(list.Delete("Heat"));
    EXPECT_FALSE(list.Delete("Heat"));
    EXPECT_EQ(list.Find("heat"), nullptr);
    EXPECT_EQ(list.Titles(), (Strings{"Alien", "Alien"}));
}

}  // namespace
}  // namespace cl
