// The comments: one per exact title, kept on one line and cut where the file reader stops.
#include "model/CommentStore.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

TEST(CommentStore, ATitleHasOneCommentOnOneLineCutToWhatTheFileTakes) {
    CommentStore s;
    EXPECT_TRUE(s.Set("Alien", "first"));
    EXPECT_TRUE(s.Set("Heat", std::string(600, 'c')));
    EXPECT_TRUE(s.Set("Alien", "line one\r\nline two\nthree\rfour"));
    EXPECT_EQ(SerializeComments(s),
              "Alien\r\nline one line two three four\r\nHeat\r\n" + std::string(509, 'c') + "\r\n");
    EXPECT_EQ(s.CommentFor("ALIEN"), std::nullopt);
}

TEST(CommentStore, LoadIntoCurrentCopiesTheCommentOrLeavesTheFieldAlone) {
    CommentStore s;
    s.Set("Alien", "scary");
    std::optional<std::string> comments = "old";
    EXPECT_FALSE(s.LoadIntoCurrent("Heat", comments));
    EXPECT_EQ(comments, "old");
    EXPECT_TRUE(s.LoadIntoCurrent("Alien", comments));
    EXPECT_EQ(comments, "scary");
}

}  // namespace
}  // namespace cl
