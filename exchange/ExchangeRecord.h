// One movie a friend's list offers, as the exchange files carry it, and the step that moves it onto the Upcoming
// Movie List. The offered movies themselves are an ImportList (media/MediaStore.h) held by the program's state.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "media/MediaStore.h"
#include "model/MovieList.h"
#include "model/base/Prompts.h"

namespace cl {

// A media record with its source (the sender's name, without the "*"), category marker ("*") and medium (the
// sender's medium text) filled; the twelve media details are display text, "N/A" when the sender had none.
using ExchangeRecord = MediaRecord;

inline constexpr std::string_view kCategoryMark = "*";

// A movie's block in an exchange file has fourteen lines: title, medium, format, number of CDs, width, height,
// length, video bit rate, frame rate, video codec, audio bit rate, channels, audio codec, samples (not the media
// store's order: bit rate before frame rate, channels before the audio codec). Line `i` of the record's block.
inline constexpr std::size_t kBlockLines = 14;
std::optional<std::string>& BlockLine(ExchangeRecord& record, std::size_t i);
const std::optional<std::string>& BlockLine(const ExchangeRecord& record, std::size_t i);

enum class UpcomingAddResult { Added, Replaced, NotAdded };

// Puts the first offered movie of the title on the Upcoming Movie List (ordered insert, category "*", location =
// the sender) and the sender on the known upcoming locations. When the Upcoming list holds the title already,
// asks "Movie "%s" Already Exists; Replace?" through `prompts` and replaces it on Yes. NotAdded also when the
// import list has no such title.
UpcomingAddResult AddToUpcoming(const ImportList& offered, std::string_view title, MovieList& upcoming,
                                KnownValueList& knownUpcomingLocations, Prompts& prompts);

}  // namespace cl
