// Replacing a file in one step on Windows: MoveFileEx with MOVEFILE_REPLACE_EXISTING, written
// through so that the new contents are on disk before the call returns. The wide form reaches any folder name.
#include <windows.h>

#include "model/base/FileWriter.h"
#include "model/base/Handle_win.h"
#include "model/base/NativePath.h"

namespace cl {

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    error = "cannot replace " + NativeFromPath(to) + ": " + LastWin32Error();
    return false;
}

}  // namespace cl
