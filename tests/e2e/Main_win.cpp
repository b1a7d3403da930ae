// Entry of the end-to-end test program: GoogleTest with its output in plain "\n" lines, because ctest reads the
// test list from it and would otherwise see "\r" at the end of every name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <cstdio>

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
