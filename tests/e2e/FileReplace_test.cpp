// A save whose store another program holds open for a moment (a virus scanner, an indexer) still replaces it.
#include <gtest/gtest.h>

#include <thread>

#include "model/base/FileWriter.h"
#include "model/base/Handle_win.h"
#include "tests/e2e/Harness_win.h"

namespace cl::e2e {
namespace {

TEST(FileReplace, WaitsForAReaderThatHoldsTheOldFileBriefly) {
    TempDataDir dir("FileReplace");
    dir.WriteFile("Gimme.dat", "old");
    // Open without sharing, as a scanner may: the replace fails until the handle closes.
    OwnedHandle held(CreateFileW((dir / "Gimme.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    std::thread release([&] {
        Sleep(300);
        held.reset();
    });
    AtomicFileWriter writer;
    std::string error;
    const bool written = writer.Write(dir / "Gimme.dat", "new", error);
    release.join();
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(dir.ReadFile("Gimme.dat"), "new");
}

}  // namespace
}  // namespace cl::e2e
