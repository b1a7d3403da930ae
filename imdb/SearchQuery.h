// The movie database's title search as an address: the query made from a movie name, and the host it is sent to.
#pragma once

#include <string>
#include <string_view>

namespace cl {

// The title-search host used when nothing overrides it: scheme and host name, no trailing slash.
inline constexpr std::string_view kDefaultTitleSearchHost = "https://www.imdb.com";
// The environment variable that overrides the host, so a mirror or a local test server can stand in for it.
inline constexpr char kTitleSearchHostVariable[] = "CINELEDGER_TITLE_SEARCH_HOST";

// The query of a title search: the name cut into words at each blank (two blanks give an empty word), at most 40
// words of at most 249 characters; a last ',', '-', '.' or '&' dropped from each word; the words joined by "%20".
// Nothing else is escaped. The query is cut to 249 characters (never inside a "%20").
std::string BuildSearchQuery(std::string_view movieName);

// The host from kTitleSearchHostVariable when it is set and not empty, otherwise kDefaultTitleSearchHost; a
// trailing slash is dropped.
std::string TitleSearchHost();

// host + "/M/Tsearch?" + BuildSearchQuery(movieName).
std::string TitleSearchAddress(std::string_view host, std::string_view movieName);

}  // namespace cl
