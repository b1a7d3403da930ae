// The house style for typed titles and locations: words capitalised, small words and Roman numerals
// fixed, and a leading "The" or "A" moved to the end so titles sort by their first real word.
#pragma once

#include <string>

namespace cl {

// Formats `text` in place when formatConversion is set; otherwise leaves it untouched. The text may
// grow by one character (a leading "The " becomes ", The").
void FormatEntry(std::string& text, bool formatConversion);

}  // namespace cl
