// Reading the ini file within its bound.
#include "model/base/IniFile.h"

#include <fstream>

#include "model/base/NativePath.h"

namespace cl {

bool ReadIniFile(std::string_view dataDirectory, std::string& bytes) {
    std::ifstream in(PathFromNative(dataDirectory) / kIniFile, std::ios::binary);
    if (!in) return false;
    bytes.assign(kIniReadLimit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

}  // namespace cl
