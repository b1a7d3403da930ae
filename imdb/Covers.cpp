// Cover pictures (being written).
#include "imdb/Covers.h"

namespace cl {

std::filesystem::path CoverPath(std::string_view dataDirectory, int movieNumber) {
    return std::filesystem::path(std::string(dataDirectory)) / kCoversFolder / (std::to_string(movieNumber) + ".jpg");
}
std::filesystem::path CoverAsidePath(std::string_view dataDirectory) {
    return std::filesystem::path(std::string(dataDirectory)) / kCoversFolder / kCoverAsideFile;
}
std::string FindCoverAddress(std::string_view, const DatabaseHosts&) {
    return {};
}
std::string FetchCover(PageFetcher&, const DatabaseHosts&, std::string_view, int) {
    return {};
}
void SetCoverAside(std::string_view, int) {}
std::filesystem::path RestoreCover(std::string_view dataDirectory, int movieNumber) {
    return CoverPath(dataDirectory, movieNumber);
}

}  // namespace cl
