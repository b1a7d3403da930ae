// Where the program keeps its data: the folder of the program file, found from the program file's path.
#pragma once

#include <string>
#include <string_view>

namespace cl {

// The program file's name. Its length, not the name actually on disk, is what is cut off the module path.
inline constexpr std::string_view kProgramFileName = "CineLedger.exe";

// The data directory for a program file path such as "C:\Movies\CineLedger.exe": the path less the length of
// kProgramFileName, so it ends in a backslash. A copy under another name therefore looks for its data at a
// different place, exactly as users of earlier releases have seen; a path shorter than the name gives "".
std::string DataDirectoryFromModulePath(std::string_view modulePath);

// The name that one running copy per data directory holds (a named mutex): "CineLedger-" and a hash of the
// directory, compared as Windows compares paths (letter case and the kind of slash do not matter), so that
// copies in different folders run side by side.
std::string InstanceName(std::string_view dataDirectory);

}  // namespace cl
