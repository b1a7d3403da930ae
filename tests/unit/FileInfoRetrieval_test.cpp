// The file-information steps: the CD count check, two CDs combined and stored, an analyser failure, no CD at all.
#include "ui/FileInfoRetrieval.h"

#include <gtest/gtest.h>

#include "tests/unit/MediaTestSupport.h"

namespace cl {
namespace {

TEST(FileInfoRetrieval, CountCheckThenOneAnalysisPerCdThenTheRecord) {
    test::RecordingPrompts ownerless;
    MediaStore store;
    MediaScratch shown;
    shown.fields.title = "Heat";
    EXPECT_EQ(FileInfoRetrieval::Begin("x", "Heat", shown, ownerless), nullptr);
    EXPECT_EQ(ownerless.messages,
              (std::vector<test::Box>{{std::string(kInvalidCdCountMessage), "", MessageIcon::Stop}}));
    EXPECT_FALSE(shown.fields.title.has_value());

    const auto mpeg = test::WriteShortMpeg("file-info.mpg");
    auto run = FileInfoRetrieval::Begin("2", "Heat", shown, ownerless);
    ASSERT_TRUE(run && run->WantsFile());
    run->AnalyseFile(mpeg);
    EXPECT_EQ(run->CdDone(ownerless), FileInfoRetrieval::Next::Ask);
    EXPECT_EQ(run->Question(), "Please Enter CD #2");
    EXPECT_EQ(run->CdDone(ownerless), FileInfoRetrieval::Next::Failed) << "a round without an analysis";
    run->AnalyseFile(mpeg);
    EXPECT_EQ(run->CdDone(ownerless), FileInfoRetrieval::Next::Finish);
    const MediaPageValues values = run->Finish(store);
    std::filesystem::remove(mpeg);
    EXPECT_EQ(values[0], "MPEG-1");
    EXPECT_EQ(values[3], "100 min.");  // both CDs' 50 minutes
    ASSERT_NE(store.Find("Heat"), nullptr);
    EXPECT_EQ(store.Find("Heat")->fields.cds, "2");

    run = FileInfoRetrieval::Begin("1", "Alien", shown, ownerless);
    run->AnalyseFile("/nonexistent/alien.avi");
    EXPECT_EQ(run->CdDone(ownerless), FileInfoRetrieval::Next::Failed);
    EXPECT_EQ(ownerless.messages.back().text, "Error Opening File.");

    run = FileInfoRetrieval::Begin("0", "Alien", shown, ownerless);
    EXPECT_FALSE(run->WantsFile());
    EXPECT_EQ(run->Finish(store)[3], "N/A");
    EXPECT_EQ(store.Find("Alien")->fields.cds, "0");
}

}  // namespace
}  // namespace cl
