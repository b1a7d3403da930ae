// Paths on POSIX systems are bytes, so the narrow form is the path itself.
#include "model/base/NativePath.h"

namespace cl {

std::filesystem::path PathFromNative(std::string_view bytes) {
    return std::filesystem::path(std::string(bytes));
}

std::string NativeFromPath(const std::filesystem::path& path) {
    return path.native();
}

std::FILE* OpenStdFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

}  // namespace cl
