// Store dates (year/month/day in UTC without leading zeros) and the dates in file names.
#include "model/base/Date.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

TEST(StoreDate, NoLeadingZerosAndUtc) {
    EXPECT_EQ(FormatStoreDate(0), "1970/1/1");
    EXPECT_EQ(FormatStoreDate(1041724800), "2003/1/5");  // 2003-01-05 00:00 UTC
    EXPECT_EQ(FormatStoreDate(1041811199), "2003/1/5");  // last second of that day
    EXPECT_EQ(FormatStoreDate(1735689599), "2024/12/31");
    EXPECT_EQ(FormatFileNameDate(1041724800), "2003-01-05");
    EXPECT_EQ(FormatFileNameDate(1735689599), "2024-12-31");
}

}  // namespace
}  // namespace cl
