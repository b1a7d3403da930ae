// The Internal Gimme List, the titles the user wants from a friend, and its file "Gimme.dat" (and the
// backup "Gimme.bak"). The same list type holds an Imported Gimme List.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/MovieList.h"
#include "model/base/FileWriter.h"
#include "model/base/TextReader.h"

namespace cl {

// Reads titles until the line "end", each placed in order with category and location "G"; a title
// equal under TitleOrder to one already read is dropped.
LoadReport ReadGimme(TextReader& reader, MovieList& gimme);
LoadReport LoadGimmeFile(const std::filesystem::path& path, MovieList& gimme);

std::string SerializeGimme(const MovieList& gimme);

// Puts each title not already on the list (exact, case-sensitive test) at the front, carrying only the
// title. Returns the titles refused as duplicates, in order, so the caller can show
// GimmeDuplicateMessage for each.
std::vector<std::string> AddGimmeTitles(MovieList& gimme, const std::vector<std::string>& titles);

// As AddGimmeTitles for one title that also carries a location. False when it is already present.
bool AddGimmeTitleWithLocation(MovieList& gimme, std::string_view title, std::string_view location);

// Removes the first record whose title is exactly the given one (Internal and Imported lists alike).
bool RemoveGimmeTitle(MovieList& gimme, std::string_view title);

std::string GimmeDuplicateMessage(std::string_view title);

}  // namespace cl
