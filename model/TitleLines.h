// The layout shared by "Quarantine.dat" and "Gimme.dat": one title per line, then "end" with no line
// end after it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/MovieList.h"
#include "model/base/TextReader.h"

namespace cl {

enum class EndMarker {
    Exact,      // only "end" ends the titles
    SameTitle,  // anything SameTitle-equal to "end" ("END", "End") ends them
};

inline constexpr std::size_t kTitleLineMax = 109;

// Hands each title line to `take` until the end line or the end of the data (a last line without its line
// end is a title). A line over the limit stops the reading with damage, and so does text after the end
// line; report.records counts the titles `take` accepted.
LoadReport ReadTitleLines(TextReader& reader, EndMarker marker, const std::function<bool(std::string)>& take);

// Every title of the list in sequence order, each with a line end, then "end".
std::string SerializeTitleLines(const MovieList& list);

}  // namespace cl
