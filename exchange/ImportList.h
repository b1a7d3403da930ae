// The movies a friend's list offers, as the import left them: the list the Movie List Exchange dialog works
// through, and the step that moves one of them onto the Upcoming Movie List.
#pragma once

#include <array>
#include <cstddef>
#include <list>
#include <map>
#include <string>
#include <string_view>

#include "media/MediaRecord.h"
#include "model/MovieList.h"
#include "model/base/Prompts.h"

namespace cl {

// One offered movie: its title, the sender's medium and the twelve media details as display text ("N/A" when the
// sender had none), who sent it, and the category it takes on the Upcoming Movie List.
struct ExchangeRecord {
    std::string title;
    std::string medium;
    std::string format;
    std::string cds;
    std::string width;
    std::string height;
    std::string length;
    std::string videoBitRate;
    std::string frameRate;
    std::string codec;
    std::string audioBitRate;
    std::string channels;
    std::string audioCodec;
    std::string samples;
    std::string source;             // the sender's name, without the "*"
    std::string categoryMark = "*";

    bool operator==(const ExchangeRecord&) const = default;
};

// The fourteen lines of a movie's block in an exchange file, in the file's order (which is not the media store's:
// bit rate before frame rate, channels before the audio codec).
inline constexpr std::size_t kBlockLines = 14;
inline constexpr std::array<std::string ExchangeRecord::*, kBlockLines> kBlockOrder = {
    &ExchangeRecord::title,        &ExchangeRecord::medium,     &ExchangeRecord::format,
    &ExchangeRecord::cds,          &ExchangeRecord::width,      &ExchangeRecord::height,
    &ExchangeRecord::length,       &ExchangeRecord::videoBitRate, &ExchangeRecord::frameRate,
    &ExchangeRecord::codec,        &ExchangeRecord::audioBitRate, &ExchangeRecord::channels,
    &ExchangeRecord::audioCodec,   &ExchangeRecord::samples};

// The record's title, medium and media details as the Movie Import Info dialog shows them.
void CopyToScratch(const ExchangeRecord& record, MediaScratch& scratch);

// The offered movies in the order they arrived. A title may come more than once; every lookup by title is exact
// (case-sensitive) and finds the first record of that title.
class ImportList {
  public:
    using const_iterator = std::list<ExchangeRecord>::const_iterator;

    ImportList() = default;
    ImportList(const ImportList&) = delete;
    ImportList& operator=(const ImportList&) = delete;

    void Append(ExchangeRecord record);
    const ExchangeRecord* Find(std::string_view title) const;
    // Unlinks the first record of the title; false when there is none.
    bool Remove(std::string_view title);
    void Clear();

    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

  private:
    std::list<ExchangeRecord> records_;
    // Every record under its title; records of one title in arrival order.
    std::multimap<std::string, std::list<ExchangeRecord>::iterator, std::less<>> byTitle_;
};

enum class UpcomingAddResult { Added, Replaced, NotAdded };

// Puts the first offered movie of the title on the Upcoming Movie List (ordered insert, category "*", location =
// the sender) and the sender on the known upcoming locations. When the Upcoming list holds the title already,
// asks "Movie "%s" Already Exists; Replace?" through `prompts` and replaces it on Yes. NotAdded also when the
// import list has no such title.
UpcomingAddResult AddToUpcoming(const ImportList& offered, std::string_view title, MovieList& upcoming,
                                KnownValueList& knownUpcomingLocations, Prompts& prompts);

}  // namespace cl
