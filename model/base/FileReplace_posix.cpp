// Replacing a file in one step on POSIX systems: rename(2) is atomic within a directory.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/base/FileWriter.h"

namespace cl {

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    error = "cannot replace " + to.string() + ": " + std::strerror(errno);
    return false;
}

}  // namespace cl
