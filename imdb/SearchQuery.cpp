// The title search's query and address.
#include "imdb/SearchQuery.h"

#include <vector>

namespace cl {
namespace {

constexpr std::size_t kMaxWords = 40;
constexpr std::size_t kMaxWordLength = 249;
constexpr std::size_t kMaxQueryLength = 249;
constexpr std::string_view kSeparator = "%20";

bool DroppedAtWordEnd(char c) {
    return c == ',' || c == '-' || c == '.' || c == '&';
}

}  // namespace

std::string BuildSearchQuery(std::string_view movieName) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (words.size() < kMaxWords) {
        std::size_t blank = movieName.find(' ', start);
        std::string_view word =
            movieName.substr(start, blank == std::string_view::npos ? movieName.npos : blank - start);
        words.push_back(word.substr(0, kMaxWordLength));
        if (blank == std::string_view::npos) break;
        start = blank + 1;
    }

    std::string query;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string_view word = words[i];
        if (!word.empty() && DroppedAtWordEnd(word.back())) word.remove_suffix(1);
        std::string piece = i == 0 ? std::string(word) : std::string(kSeparator) + std::string(word);
        if (query.size() + piece.size() > kMaxQueryLength) {
            // A word that does not fit is cut; a separator that does not fit whole is left out.
            if (i > 0 && query.size() + kSeparator.size() >= kMaxQueryLength) break;
            query += piece.substr(0, kMaxQueryLength - query.size());
            break;
        }
        query += piece;
    }
    return query;
}

std::string TitleSearchAddress(std::string_view host, std::string_view movieName) {
    return std::string(host) + "/M/Tsearch?" + BuildSearchQuery(movieName);
}

}  // namespace cl
