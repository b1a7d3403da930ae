// resgen: writes the icon, cursor and bitmap that res/Images.rc puts into CineLedger.exe.
#include <iostream>

#include "model/base/NativePath.h"
#include "tools/resgen/ResArt.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: resgen OUTPUT_DIR\n"
                     "writes OUTPUT_DIR/CineLedger.ico, OUTPUT_DIR/Logo.cur and OUTPUT_DIR/Wait.bmp\n";
        return 2;
    }
    std::string error;
    if (!cl::resgen::GenerateResourceImages(cl::PathFromNative(argv[1]), error)) {
        std::cerr << "resgen: " << error << "\n";
        return 1;
    }
    return 0;
}
