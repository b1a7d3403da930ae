// skingen: writes the skins that ship with the program, and the ini file naming the default one, into a folder.
#include <iostream>

#include "model/base/NativePath.h"
#include "tools/skingen/SkinArt.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: skingen OUTPUT_DIR\n"
                     "writes OUTPUT_DIR/Skins/<name>/... and OUTPUT_DIR/CineLedger.ini\n";
        return 2;
    }
    std::string error;
    if (!cl::skingen::GenerateSkins(cl::PathFromNative(argv[1]), error)) {
        std::cerr << "skingen: " << error << "\n";
        return 1;
    }
    return 0;
}
