// Keeping the texts of the one-value-per-line stores writable: a value must never carry a line break
// into its file, and must fit the reader's limit, or the file would not read back as it was written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cl {

// The text as one line of at most maxLen characters: a CR LF pair becomes one blank, any other CR or
// LF a blank (a comment typed in a multi-line edit keeps its words apart), and the result is cut.
std::string OneLine(std::string_view text, std::size_t maxLen);

// OneLine written over `out`, reusing its storage: how the stores fill a record's field without a
// temporary string. `text` may view `out` itself.
void AssignOneLine(std::string& out, std::string_view text, std::size_t maxLen);

// A key can be stored when it is not empty (an empty first line ends a store file), holds no LF and
// fits the reader's limit. Keys are never altered, since they tie a record to its movie.
bool UsableKey(std::string_view key, std::size_t maxLen);

}  // namespace cl
