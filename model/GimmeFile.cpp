// The Internal Gimme List operations and its file.
#include "model/GimmeFile.h"

#include "model/TitleLines.h"

namespace cl {

LoadReport ReadGimme(TextReader& reader, MovieList& gimme) {
    return ReadTitleLines(reader, EndMarker::Exact, [&gimme](std::string title) {
        MovieRecord r;
        r.title = std::move(title);
        r.category = "G";
        r.location = "G";
        return gimme.InsertOrdered(std::move(r)) == 0;
    });
}

LoadReport LoadGimmeFile(const std::filesystem::path& path, MovieList& gimme) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return LoadReport{};
    return ReadGimme(*reader, gimme);
}

std::string SerializeGimme(const MovieList& gimme) {
    return SerializeTitleLines(gimme);
}

std::vector<std::string> AddGimmeTitles(MovieList& gimme, const std::vector<std::string>& titles) {
    std::vector<std::string> refused;
    for (const std::string& title : titles) {
        if (gimme.FindExact(title)) {
            refused.push_back(title);
            continue;
        }
        MovieRecord r;
        r.title = title;
        gimme.PushFront(std::move(r));
    }
    return refused;
}

bool AddGimmeTitleWithLocation(MovieList& gimme, std::string_view title, std::string_view location) {
    if (gimme.FindExact(title)) return false;
    MovieRecord r;
    r.title = title;
    r.location = std::string(location);
    gimme.PushFront(std::move(r));
    return true;
}

bool RemoveGimmeTitle(MovieList& gimme, std::string_view title) {
    return gimme.RemoveExact(title).has_value();
}

std::string GimmeDuplicateMessage(std::string_view title) {
    return "\"" + std::string(title) + "\" Is Already On the Gimme List; Skipping to Next...";
}

}  // namespace cl
