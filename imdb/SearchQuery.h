// The movie database's title search as an address: the query made from a movie name, sent to the configured
// title-search host (imdb/Hosts.h).
#pragma once

#include <string>
#include <string_view>

namespace cl {

// The query of a title search: the name cut into words at each blank (two blanks give an empty word), at most 40
// words of at most 249 characters; a last ',', '-', '.' or '&' dropped from each word; the words joined by "%20".
// Nothing else is escaped. The query is cut to 249 characters (never inside a "%20").
std::string BuildSearchQuery(std::string_view movieName);

// host + "/M/Tsearch?" + BuildSearchQuery(movieName).
std::string TitleSearchAddress(std::string_view host, std::string_view movieName);

}  // namespace cl
