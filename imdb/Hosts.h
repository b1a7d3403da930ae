// Where the movie database lives: four base addresses, configurable so that a mirror or a local test site can
// stand in for the real service. Defaults, then the [Hosts] section of "CineLedger.ini", then the environment.
#pragma once

#include <string>
#include <string_view>

namespace cl {

// Full base addresses (scheme, host name, optional port), never with a trailing slash.
struct DatabaseHosts {
    std::string titleSearch;  // answers "/M/Tsearch?<query>"
    std::string site;         // title pages, plot summary pages
    std::string image;        // covers named after a "cover" marker
    std::string poster;       // covers found by the poster host's name

    bool operator==(const DatabaseHosts&) const = default;
};

inline constexpr std::string_view kDefaultTitleSearchHost = "https://www.imdb.com";
inline constexpr std::string_view kDefaultSiteHost = "https://www.imdb.com";
inline constexpr std::string_view kDefaultImageHost = "https://ia.media-imdb.com";
inline constexpr std::string_view kDefaultPosterHost = "https://posters.imdb.com";

// The environment variables that override the file, one per host.
inline constexpr char kTitleSearchHostVariable[] = "CINELEDGER_TITLE_SEARCH_HOST";
inline constexpr char kSiteHostVariable[] = "CINELEDGER_SITE_HOST";
inline constexpr char kImageHostVariable[] = "CINELEDGER_IMAGE_HOST";
inline constexpr char kPosterHostVariable[] = "CINELEDGER_POSTER_HOST";

// The section of "CineLedger.ini" (whose first line names the skin) and its keys.
inline constexpr std::string_view kHostsSection = "Hosts";

DatabaseHosts DefaultHosts();

// Applies the [Hosts] section of the ini file's bytes: keys TitleSearch, Site, Image, Poster (case ignored), each
// "Key=address". The first line is the skin's name and never a setting; blanks around keys and values, lines
// starting with ';' or '#', unknown keys and empty values are ignored; trailing slashes are dropped. Lines end at
// CR LF, LF or CR alone.
void ApplyHostsSection(std::string_view iniBytes, DatabaseHosts& hosts);

// Applies the environment variables that are set and not empty. `lookup` is getenv's shape (tests pass their own).
using VariableLookup = const char* (*)(const char*);
void ApplyHostVariables(DatabaseHosts& hosts, VariableLookup lookup);

// Defaults, then "CineLedger.ini" of `dataDirectory` (which ends in a path separator) when it can be read, then
// the environment: what the program uses.
DatabaseHosts ReadDatabaseHosts(std::string_view dataDirectory);

// Defaults overridden by the environment only: what the command-line companion uses.
DatabaseHosts HostsFromEnvironment();

// The host's name as it appears in pages: the address without its "scheme://" prefix (a port stays).
std::string HostName(std::string_view address);

}  // namespace cl
