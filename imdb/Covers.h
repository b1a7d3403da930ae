// Cover pictures: finding a cover's address in a title page, downloading it under the movie's number, and
// setting the old cover aside while a retrieval runs. Loading and drawing the picture are the Windows side's.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "imdb/Hosts.h"
#include "imdb/PageFetch.h"
#include "imdb/PageScan.h"

namespace cl {

inline constexpr std::string_view kCoversFolder = "Covers";
inline constexpr std::string_view kCoverAsideFile = "Temp.jpg";

// "<dataDirectory>Covers\<number>.jpg" (the separator of the system).
std::filesystem::path CoverPath(std::string_view dataDirectory, int movieNumber);
// "<dataDirectory>Covers\Temp.jpg".
std::filesystem::path CoverAsidePath(std::string_view dataDirectory);

// The cover's download address in a title page, or empty. First the image host pass: after a "cover" marker, the
// image host's address, then the path up to the next double quote. When the page ends before that, the poster host
// pass from the page's start: the poster host's name (from its second letter on), then up to the next double
// quote; the address is the poster host's address and what was read. A poster host name shorter than two
// characters has no pass.
std::string FindCoverAddress(std::string_view page, const DatabaseHosts& hosts);

// Downloads the cover named by "FirstPage.txt" (binary) into the movie's cover file; answers the address used,
// or empty when the page names none (nothing is fetched then).
std::string FetchCover(PageFetcher& fetcher, const DatabaseHosts& hosts, std::string_view dataDirectory,
                       int movieNumber);

// Copies the movie's cover file over "Temp.jpg" and deletes the cover file. A movie without a cover has nothing
// to set aside, and a copy that fails leaves the cover where it is.
void SetCoverAside(std::string_view dataDirectory, int movieNumber);

// Copies "Temp.jpg" back over the movie's cover file and deletes it; failures are ignored. Answers the cover
// file's path, for the caller to load the picture from.
std::filesystem::path RestoreCover(std::string_view dataDirectory, int movieNumber);

}  // namespace cl
