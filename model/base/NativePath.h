// Paths as the system's narrow file functions spell them, and files opened through a path.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace cl {

// A path from bytes the system handed over in its narrow form: the program file's path, a file dialog's choice, a
// command line argument, a folder named in a text file. On Windows these bytes are in the ANSI code page, which the
// standard library's own conversion from std::string does not use, so every such path comes through here.
std::filesystem::path PathFromNative(std::string_view bytes);

// The narrow bytes of a path, for the ANSI functions and for messages; on Windows a character the code page lacks
// becomes a "?".
std::string NativeFromPath(const std::filesystem::path& path);

// std::fopen for a path, through the wide file functions on Windows so that any folder name is reached.
std::FILE* OpenStdFile(const std::filesystem::path& path, const char* mode);

}  // namespace cl
