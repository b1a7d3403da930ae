// Cover pictures: the address in a title page, the download, the copy set aside during a retrieval.
#include "imdb/Covers.h"

#include <system_error>

#include "imdb/PageCursor.h"
#include "model/base/FileWriter.h"
#include "model/base/NativePath.h"

namespace cl {
namespace {

// A cover's path on its host is short; a quote this far away means the marker was not an address.
constexpr std::size_t kCoverPathMax = 1023;

// Reads up to the next double quote; the address is `host` and what was read.
std::string AddressUpToQuote(PageCursor& cur, const std::string& host) {
    std::string path;
    if (!cur.ReadUntil('"', kCoverPathMax + 1, path) || path.size() > kCoverPathMax) return {};
    return host + path;
}

std::string ImageHostPass(std::string_view page, const std::string& image) {
    PageCursor cur(page);
    if (image.empty() || !cur.FindMarker('c', "over")) return {};
    if (!cur.FindMarker(image[0], std::string_view(image).substr(1))) return {};
    return AddressUpToQuote(cur, image);
}

// The poster host's name is looked for from its second letter on: pages have named it with varying first letters.
std::string PosterHostPass(std::string_view page, const std::string& poster) {
    const std::string name = HostName(poster);
    if (name.size() < 2) return {};
    PageCursor cur(page);
    if (!cur.FindMarker(name[1], std::string_view(name).substr(2))) return {};
    return AddressUpToQuote(cur, poster);
}

}  // namespace

std::filesystem::path CoverPath(std::string_view dataDirectory, int movieNumber) {
    return PathFromNative(dataDirectory) / kCoversFolder / (std::to_string(movieNumber) + ".jpg");
}

std::filesystem::path CoverAsidePath(std::string_view dataDirectory) {
    return PathFromNative(dataDirectory) / kCoversFolder / kCoverAsideFile;
}

std::string FindCoverAddress(std::string_view page, const DatabaseHosts& hosts) {
    std::string address = ImageHostPass(page, hosts.image);
    return address.empty() ? PosterHostPass(page, hosts.poster) : address;
}

std::string FetchCover(PageFetcher& fetcher, const DatabaseHosts& hosts, std::string_view dataDirectory,
                       int movieNumber) {
    const SavedPage page = ReadSavedPage(dataDirectory, kFirstPageFile);
    if (!page.readable) return {};
    std::string address = FindCoverAddress(page.text, hosts);
    if (!address.empty())
        fetcher.FetchUrlToFile(NativeFromPath(CoverPath(dataDirectory, movieNumber)), address, FetchMode::Binary);
    return address;
}

void SetCoverAside(std::string_view dataDirectory, int movieNumber) {
    std::string ignored;
    std::error_code ignoredCode;
    const std::filesystem::path cover = CoverPath(dataDirectory, movieNumber);
    const std::filesystem::path aside = CoverAsidePath(dataDirectory);
    // Only a cover that is safe in "Temp.jpg" is taken away. Without a cover nothing changes: "Temp.jpg" may hold
    // the cover a look-up already set aside (OK in the title list sets aside again).
    if (CopyFileOver(cover, aside, ignored)) std::filesystem::remove(cover, ignoredCode);
}

std::filesystem::path RestoreCover(std::string_view dataDirectory, int movieNumber) {
    std::string ignored;
    std::error_code ignoredCode;
    const std::filesystem::path cover = CoverPath(dataDirectory, movieNumber);
    const std::filesystem::path aside = CoverAsidePath(dataDirectory);
    CopyFileOver(aside, cover, ignored);
    std::filesystem::remove(aside, ignoredCode);
    return cover;
}

}  // namespace cl
