// Offered movies: their block lines and their move to the Upcoming Movie List.
#include "exchange/ExchangeRecord.h"

#include <array>

#include "model/ListOperations.h"

namespace cl {
namespace {

using Field = std::optional<std::string> MediaFields::*;
// The media field behind each block line; the medium (line 2) is the record's own.
constexpr std::array<Field, kBlockLines> kBlockFields = {&MediaFields::title,        nullptr,
                                                         &MediaFields::format,       &MediaFields::cds,
                                                         &MediaFields::width,        &MediaFields::height,
                                                         &MediaFields::length,       &MediaFields::videoBitRate,
                                                         &MediaFields::frameRate,    &MediaFields::codec,
                                                         &MediaFields::audioBitRate, &MediaFields::channels,
                                                         &MediaFields::audioCodec,   &MediaFields::samples};

}  // namespace

std::optional<std::string>& BlockLine(ExchangeRecord& record, std::size_t i) {
    return kBlockFields[i] == nullptr ? record.medium : record.fields.*kBlockFields[i];
}

const std::optional<std::string>& BlockLine(const ExchangeRecord& record, std::size_t i) {
    return kBlockFields[i] == nullptr ? record.medium : record.fields.*kBlockFields[i];
}

UpcomingAddResult AddToUpcoming(const ImportList& offered, std::string_view title, MovieList& upcoming,
                                KnownValueList& knownUpcomingLocations, Prompts& prompts) {
    const ExchangeRecord* record = offered.Find(title);
    if (record == nullptr) return UpcomingAddResult::NotAdded;
    const std::string source = record->source.value_or("");
    if (InsertUpcomingMovie(upcoming, title, kCategoryMark, source)) {
        knownUpcomingLocations.Append(source);
        return UpcomingAddResult::Added;
    }
    if (!prompts.AskPlain("Movie \"" + std::string(title) + "\" Already Exists; Replace?", kConfirmationCaption))
        return UpcomingAddResult::NotAdded;
    // The entry in the way is the one equal under TitleOrder, which a SameTitle removal could miss for another
    // entry SameTitle-equal to the title ('[' against '{'): take out exactly that one.
    for (const MovieRecord& existing : upcoming) {
        if (TitleOrder(existing.title, title) == 0) {
            upcoming.RemoveExact(std::string(existing.title));
            break;
        }
    }
    InsertUpcomingMovie(upcoming, title, kCategoryMark, source);
    knownUpcomingLocations.Append(source);
    return UpcomingAddResult::Replaced;
}

}  // namespace cl
