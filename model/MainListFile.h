// "CineLedger.dat": the version line, the Main Movie List, the lock password, the Upcoming Movie
// List and the free numbers, bar-separated, in the layout every saved collection has had.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "model/MovieList.h"
#include "model/base/FileWriter.h"
#include "model/base/TextReader.h"

namespace cl {

inline constexpr std::string_view kMainListVersion = "CineLedger v3.15";
inline constexpr std::string_view kNoPassword = "nolockx";

// The longest field the reader takes (a longer one ends the read). Every dialog that stores a field reads its
// control up to this, so whatever is stored can be read back.
inline constexpr std::size_t kMainTitleMax = 109;
inline constexpr std::size_t kMainCategoryMax = 29;
inline constexpr std::size_t kMainPresenceMax = 9;
inline constexpr std::size_t kMainLocationMax = 30;
inline constexpr std::size_t kMainMediumMax = 30;
inline constexpr std::size_t kPasswordMax = 9;

// Everything the main list file fills. The lists are expected empty (the caller empties them before
// reloading a backup); the known-value lists are only added to.
struct MainListStores {
    MovieList& main;
    MovieList& upcoming;
    KnownValueList& categories;
    KnownValueList& locations;
    KnownValueList& upcomingLocations;
    KnownValueList& media;
    FreeNumberPool& freeNumbers;
    std::string& password;
    std::string& version;  // the whole first line, or empty for the older layout
};

// Called for each movie of an older-layout file, which predates the history store: the collection
// gives the title a history record dated today with 0 views.
using OlderLayoutMovie = std::function<void(const std::string& title)>;

// Converts like the C library's atoi: leading white space, an optional sign, digits up to the first
// non-digit; no digits give 0. Saturates instead of overflowing.
std::int32_t ParseDecimal(std::string_view text);

// Reads the whole file from the reader. Stops at the first damage, keeping every whole line read. A file
// that ends at the end of a line before its end lines is not damaged (all of it was read); text after the
// final "end" is. A UTF-8 byte-order mark in front of the version line is skipped.
LoadReport ReadMainList(TextReader& reader, MainListStores stores, const OlderLayoutMovie& olderLayoutMovie);

// Opens and reads the file; a file that cannot be opened leaves the lists empty and the password
// "nolockx", with report.opened false.
// Whether the file begins as only the current layout does (its version line). A file of the older layout, or one
// that cannot be read, answers false; only then can reading it add history records.
bool MainListFileHasVersionLine(const std::filesystem::path& path);

LoadReport LoadMainListFile(const std::filesystem::path& path, MainListStores stores,
                            const OlderLayoutMovie& olderLayoutMovie);

// The exact bytes of the file, always in the current layout.
std::string SerializeMainList(const MovieList& main, const MovieList& upcoming, const FreeNumberPool& freeNumbers,
                              std::string_view password);

}  // namespace cl
