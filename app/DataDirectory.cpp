// The data directory rule, kept apart from the Win32 entry so that it can be tested anywhere.
#include "app/DataDirectory.h"

#include <cstdint>

namespace cl {

std::string DataDirectoryFromModulePath(std::string_view modulePath) {
    if (modulePath.size() < kProgramFileName.size()) return {};
    return std::string(modulePath.substr(0, modulePath.size() - kProgramFileName.size()));
}

std::string InstanceName(std::string_view dataDirectory) {
    std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a over the path as Windows compares it
    for (char c : dataDirectory) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '/') c = '\\';
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = "CineLedger-";
    for (int shift = 60; shift >= 0; shift -= 4) name += kHex[(hash >> shift) & 0xF];
    return name;
}

}  // namespace cl
