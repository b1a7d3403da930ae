// The screenshot writer's checksums against their standard check values: a wrong one makes every PNG unreadable.
#include <gtest/gtest.h>

#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

TEST(Png, ChecksumsMatchTheirStandardCheckValues) {
    const std::string_view text = "123456789";
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    EXPECT_EQ(Crc32(bytes), 0xCBF43926u);
    EXPECT_EQ(Adler32(bytes), 0x091E01DEu);
}

}  // namespace
}  // namespace cl::e2e
