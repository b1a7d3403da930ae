// The data directory is the program file's path less the length of the program file's name; one running copy per
// data directory.
#include "app/DataDirectory.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

TEST(DataDirectory, CutsTheLengthOfTheProgramsNameFromItsPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Movies\\CineLedger.exe", "C:\\Movies\\"},
        {"C:\\CineLedger.exe", "C:\\"},
        {"Z:\\a\\b c\\CineLedger.exe", "Z:\\a\\b c\\"},
        // A renamed copy keeps the cut of the original name's length: the data is looked for there.
        {"C:\\Movies\\CineLedger2.exe", "C:\\Movies\\C"},
        {"C:\\Movies\\CL.exe", "C:"},
        {"CL.exe", ""}};
    for (const auto& [modulePath, directory] : cases) EXPECT_EQ(DataDirectoryFromModulePath(modulePath), directory);
}

TEST(InstanceName, OnePerDataDirectoryAsWindowsComparesPaths) {
    EXPECT_EQ(InstanceName("C:\\Movies\\"), InstanceName("c:/MOVIES/"));
    EXPECT_NE(InstanceName("C:\\Movies\\"), InstanceName("C:\\Movies2\\"));
    EXPECT_EQ(InstanceName("C:\\Movies\\").rfind("CineLedger-", 0), 0u);
}

}  // namespace
}  // namespace cl
