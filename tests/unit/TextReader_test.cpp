// The bounded field reader that every store file goes through.
#include "model/TextReader.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

TEST(TextReader, LinesEndInCrLfOrLfAndTheLastNeedsNone) {
    TextReader r(std::string("one\r\ntwo\nthree"));
    std::string s;
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(s, "one");
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(s, "two");
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::LastField);
    EXPECT_EQ(s, "three");
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::EndOfData);
}

TEST(TextReader, LimitIsTheLongestValueAndOneMoreIsTooLong) {
    TextReader r(std::string("abc\r\nabcd\r\n"));
    std::string s;
    EXPECT_EQ(r.ReadLine(s, 3), FieldStatus::Ok);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(r.ReadLine(s, 3), FieldStatus::TooLong);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(r.Line(), 2u);
}

TEST(TextReader, BarFieldsStopAtALineEndWithoutCrossingIt) {
    TextReader r(std::string("a|b\r\nc|"));
    std::string s;
    EXPECT_EQ(r.ReadBarField(s, 5), FieldStatus::Ok);
    EXPECT_EQ(s, "a");
    EXPECT_EQ(r.ReadBarField(s, 5), FieldStatus::MissingBar);
    EXPECT_EQ(s, "b");
    r.SkipLine();
    EXPECT_EQ(r.ReadBarField(s, 5), FieldStatus::Ok);
    EXPECT_EQ(s, "c");
    EXPECT_TRUE(r.AtEnd());
}

TEST(TextReader, LoneCarriageReturnIsData) {
    TextReader r(std::string("a\rb\r\n"));
    std::string s;
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(s, "a\rb");
}

}  // namespace
}  // namespace cl
