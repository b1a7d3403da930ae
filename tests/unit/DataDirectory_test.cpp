// The data directory is the program file's path less the length of the program file's name; one running copy per
// data directory.
#include "app/DataDirectory.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

struct DataDirectoryCase {
    const char* name;
    const char* modulePath;
    const char* expected;
};

// Test names show the case's name instead of its bytes.
void PrintTo(const DataDirectoryCase& c, std::ostream* os) { *os << c.name; }

class DataDirectoryTest : public testing::TestWithParam<DataDirectoryCase> {};

TEST_P(DataDirectoryTest, CutsTheProgramNameLength) {
    EXPECT_EQ(DataDirectoryFromModulePath(GetParam().modulePath), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DataDirectoryTest,
    testing::Values(DataDirectoryCase{"FolderOnDrive", "C:\\Movies\\CineLedger.exe", "C:\\Movies\\"},
                    DataDirectoryCase{"DriveRoot", "C:\\CineLedger.exe", "C:\\"},
                    DataDirectoryCase{"NestedFolders", "Z:\\a\\b c\\CineLedger.exe", "Z:\\a\\b c\\"},
                    // A renamed copy keeps the cut of the original name's length: the data is looked for there.
                    DataDirectoryCase{"LongerNameLeavesPartOfIt", "C:\\Movies\\CineLedger2.exe", "C:\\Movies\\C"},
                    DataDirectoryCase{"ShorterNameEatsIntoTheFolder", "C:\\Movies\\CL.exe", "C:"},
                    DataDirectoryCase{"PathShorterThanTheName", "CL.exe", ""}),
    [](const testing::TestParamInfo<DataDirectoryCase>& p) { return std::string(p.param.name); });

TEST(InstanceName, OnePerDataDirectoryAsWindowsComparesPaths) {
    EXPECT_EQ(InstanceName("C:\\Movies\\"), InstanceName("c:/MOVIES/"));
    EXPECT_NE(InstanceName("C:\\Movies\\"), InstanceName("C:\\Movies2\\"));
    EXPECT_EQ(InstanceName("C:\\Movies\\").rfind("CineLedger-", 0), 0u);
}

}  // namespace
}  // namespace cl
