// "CineLedger.ini" beside the program: the skin's name on its first line, further settings (the database hosts)
// after it. Every reader of it goes through here, so it is read within one bound whatever it holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cl {

inline constexpr std::string_view kIniFile = "CineLedger.ini";

// The file is a few lines; bytes past this are never read (and not kept when the skin's name is written).
inline constexpr std::size_t kIniReadLimit = 64 * 1024;

// Up to kIniReadLimit bytes of the ini file of `dataDirectory` (which ends in a path separator); false when the
// file cannot be opened.
bool ReadIniFile(std::string_view dataDirectory, std::string& bytes);

}  // namespace cl
