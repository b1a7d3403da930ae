// The cover's place on the database page, and the fetch's failure messages.
#include <gtest/gtest.h>

#include "imdb/CoverLayout.h"
#include "imdb/FetchFailure.h"

namespace cl {
namespace {

TEST(LayOutCover, ShrinksOnlyAPictureThatExceedsBothLimits) {
    // HIMETRIC sizes as the picture reports them for pixels at 96 dpi; 7938 x 11906 is 300 x 450 pixels.
    EXPECT_EQ(LayOutCover(7938, 11906, 96, 96, 400),
              (CoverLayout{{297, 11, 102, 143}, {298, 11, 99, 140}, {0, 11906, 7938, -11906}}));
    EXPECT_EQ(LayOutCover(3175, 2646, 96, 96, 400).target, (CoverRect{277, 11, 120, 100}));  // 120 x 100
    EXPECT_EQ(LayOutCover(2646, 5292, 96, 96, 400).target, (CoverRect{297, 11, 100, 200}));  // 100 x 200
    // Each axis by its own resolution, rounded half up: 2540 HIMETRIC is one inch.
    EXPECT_EQ(LayOutCover(2540, 1270, 120, 97, 400).target, (CoverRect{277, 11, 120, 49}));
}

TEST(FetchFailureMessage, NamesTheStepAndTheSignedErrorNumber) {
    EXPECT_EQ(FetchFailureMessage(FetchFailure::Initialization, 87),
              "Unable To Process Internet Request; Initialization Error: 87");
    EXPECT_EQ(FetchFailureMessage(FetchFailure::Options, 12018), "Options Error: 12018");
    EXPECT_EQ(FetchFailureMessage(FetchFailure::Connect, 0x80004005u),
              "Unable To Process Internet Request; Connect Error: -2147467259");
}

}  // namespace
}  // namespace cl
