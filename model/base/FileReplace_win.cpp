// Replacing a file in one step on Windows: MoveFileEx with MOVEFILE_REPLACE_EXISTING, written
// through so that the new contents are on disk before the call returns. The wide form reaches any folder name.
#include <windows.h>

#include "model/base/FileWriter.h"
#include "model/base/Handle_win.h"
#include "model/base/NativePath.h"

namespace cl {

namespace {

// A virus scanner, a backup tool or an indexer may hold the old file open for a moment; the replace then fails with
// a sharing violation or access denied. A save waits that long rather than report a store it could have written.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplacePauseMs = 50;

bool Transient(DWORD code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD code = GetLastError();
        if (attempt == kReplaceAttempts || !Transient(code)) {
            error = "cannot replace " + NativeFromPath(to) + ": " + FormatWin32Error(code);
            return false;
        }
        Sleep(kReplacePauseMs);
    }
}

}  // namespace cl
