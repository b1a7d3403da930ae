// The QuarantineList: titles never to be offered again when a friend's list is imported, kept in
// "Quarantine.dat" (and its backup "Quarantine.bak").
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/MovieList.h"
#include "model/TitleLines.h"
#include "model/base/FileWriter.h"
#include "model/base/TextReader.h"

namespace cl {

class QuarantineList {
  public:
    // Ordered insertion; a title equal under TitleOrder is ignored. True when added.
    bool Add(std::string_view title);

    // Formats `title` in place as a typed entry would be (the caller sees the result), then tests
    // whether an entry is the SameTitle.
    bool Contains(std::string& title, bool formatConversion) const;

    // Removes the first SameTitle entry; false when none.
    bool Remove(std::string_view title) { return titles_.Remove(title).has_value(); }

    void Clear() { titles_.Clear(); }
    std::size_t Count() const { return titles_.Count(); }
    const MovieList& Titles() const { return titles_; }

  private:
    MovieList titles_;  // title-only records
};

// "Quarantine.dat" ends at a line exactly "end"; the backup's end line is recognised by SameTitle,
// the way older versions wrote it.
LoadReport ReadQuarantine(TextReader& reader, EndMarker marker, QuarantineList& list);
LoadReport LoadQuarantineFile(const std::filesystem::path& path, EndMarker marker, QuarantineList& list);

std::string SerializeQuarantine(const QuarantineList& list);
}  // namespace cl
