// Paths on Windows: std::filesystem::path holds UTF-16, the narrow functions speak the ANSI code page (CP_ACP),
// and a user name with an accented letter in the profile folder, where the program is installed, makes the
// difference matter for every file it keeps.
#include <windows.h>

#include <climits>
#include <cstring>

#include "model/base/NativePath.h"

namespace cl {

std::filesystem::path PathFromNative(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    return std::filesystem::path(std::move(wide));
}

std::string NativeFromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::FILE* OpenStdFile(const std::filesystem::path& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::strlen(mode));  // modes are ASCII ("rb", "wb", "w")
    return _wfopen(path.c_str(), wideMode.c_str());
}

}  // namespace cl
