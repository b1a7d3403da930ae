// skingen: writes the skins that ship with the program, and the ini file naming the default one, into a folder.
#include <iostream>

#include "model/base/NativePath.h"
#include "tools/skingen/SkinArt.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: skingen OUTPUT_DIR SCREENSHOT_DIR\n"
                     "writes OUTPUT_DIR/Skins/<name>/... (the screenshot from SCREENSHOT_DIR/<name>.jpg) and "
                     "OUTPUT_DIR/CineLedger.ini\n";
        return 2;
    }
    std::string error;
    if (!cl::skingen::GenerateSkins(cl::PathFromNative(argv[1]), cl::PathFromNative(argv[2]), error)) {
        std::cerr << "skingen: " << error << "\n";
        return 1;
    }
    return 0;
}
