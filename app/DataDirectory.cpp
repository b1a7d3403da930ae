// The data directory rule, kept apart from the Win32 entry so that it can be tested anywhere.
#include "app/DataDirectory.h"

namespace cl {

std::string DataDirectoryFromModulePath(std::string_view modulePath) {
    if (modulePath.size() < kProgramFileName.size()) return {};
    return std::string(modulePath.substr(0, modulePath.size() - kProgramFileName.size()));
}

}  // namespace cl
