// cineledger-cli probe: analyses the CDs of one movie, given as files in order, the way the
// file-information retrieval does, and prints the twelve fields it would store.
#include <filesystem>
#include <iostream>
#include <utility>

#include "media/MovieAnalysis.h"
#include "model/base/NativePath.h"
#include "tools/cli/Commands.h"
#include "tools/cli/PrintingPrompts.h"

namespace cl::cli {

int RunProbe(const Args& args, std::ostream& out, std::ostream& err) {
    bool stats = false;
    std::vector<std::filesystem::path> files;
    for (const std::string& a : args) {
        if (a == "--stats") {
            stats = true;
        } else {
            files.push_back(PathFromNative(a));
        }
    }
    if (files.empty() || files.size() > 9) {
        PrintUsage(err);
        return 2;
    }

    MediaScratch scratch;
    AnalyserState state;
    PrintingPrompts reporter(err);  // the analysis decides whether a message was fatal
    const bool ok = AnalyseMovie(files, scratch, state, reporter);
    if (stats) {
        std::uint64_t total = 0;
        for (const auto& f : files) total += std::filesystem::is_regular_file(f) ? std::filesystem::file_size(f) : 0;
        err << "bytes read: " << state.bytesRead << " of " << total << '\n';
    }
    if (!ok) return 1;

    const MediaFields& f = scratch.fields;
    const std::pair<const char*, const std::optional<std::string>*> rows[] = {
        {"format", &f.format},
        {"cds", &f.cds},
        {"width", &f.width},
        {"height", &f.height},
        {"length", &f.length},
        {"frameRate", &f.frameRate},
        {"videoBitRate", &f.videoBitRate},
        {"codec", &f.codec},
        {"audioBitRate", &f.audioBitRate},
        {"audioCodec", &f.audioCodec},
        {"channels", &f.channels},
        {"samples", &f.samples},
    };
    for (const auto& [name, value] : rows) out << name << ": " << value->value_or("") << '\n';
    return 0;
}

}  // namespace cl::cli
