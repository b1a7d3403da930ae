// cineledger-cli exchange: what a movie list or Gimme list exchange file holds, or what its import would say.
#include <array>
#include <string_view>

#include "exchange/GimmeExchangeFile.h"
#include "exchange/MovieExchangeFile.h"
#include "model/base/NativePath.h"
#include "tools/cli/Commands.h"

namespace cl::cli {
namespace {

constexpr std::array<std::string_view, kBlockLines> kLineNames = {
    "title",          "medium",     "format",      "number of CDs",  "width",    "height",      "length",
    "video bit rate", "frame rate", "video codec", "audio bit rate", "channels", "audio codec", "samples"};

void PrintDamage(const std::optional<Damage>& damage, std::ostream& err) {
    if (damage) err << "damaged at line " << damage->line << ": " << damage->what << "\n";
}

int PrintMovieList(TextReader& reader, std::ostream& out, std::ostream& err) {
    const MovieExchange read = ReadMovieExchange(reader);
    const std::string_view refusal = MovieExchangeStopMessage(read.stop);
    if (!refusal.empty()) {
        err << refusal << "\n";
        PrintDamage(read.damage, err);
        return 1;
    }
    out << "movie list from: " << read.source << "\n";
    for (std::size_t n = 0; n < read.records.size(); ++n) {
        out << "movie " << n + 1 << "\n";
        for (std::size_t i = 0; i < kBlockLines; ++i)
            out << "  " << kLineNames[i] << ": " << BlockLine(read.records[n], i).value_or("") << "\n";
    }
    // A cut or overlong file still offers the movies before the damage, without a word from the import.
    PrintDamage(read.damage, err);
    return read.stop == ExchangeStop::End ? 0 : 1;
}

int PrintGimmeList(TextReader& reader, std::ostream& out, std::ostream& err) {
    const GimmeExchange read = ReadGimmeExchange(reader);
    if (read.stop == GimmeExchangeStop::NoSource) {
        err << kCorruptSourceMessage << "\n";
    } else {
        out << "Gimme list from: " << read.sender << "\n";
        for (const std::string& title : read.titles) out << "  title: " << title << "\n";
    }
    if (read.stop == GimmeExchangeStop::End) return 0;
    err << kInvalidGimmeFileMessage << "\n";
    PrintDamage(read.damage, err);
    return 1;
}

}  // namespace

int RunExchange(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        PrintUsage(err);
        return 2;
    }
    std::optional<TextReader> reader = TextReader::Open(PathFromNative(args[0]));
    if (!reader) {
        err << "cineledger-cli: cannot read " << args[0] << "\n";
        return 1;
    }
    // A movie list starts with the version line, a Gimme list with its sender's name and "*". A first line of
    // neither kind gets both imports' words: which one the user meant cannot be told.
    std::string first;
    TextReader peek = *reader;
    if (peek.ReadLine(first, kSourceLineMax) != FieldStatus::TooLong && first == kExchangeVersion)
        return PrintMovieList(*reader, out, err);
    if (first.ends_with(kSourceMark)) return PrintGimmeList(*reader, out, err);
    err << kIncompatibleVersionMessage << "\n" << kCorruptSourceMessage << "\n";
    PrintDamage(Damage{1, "the first line is neither \"" + std::string(kExchangeVersion) +
                              "\" (a movie list) nor a name ending in \"*\" (a Gimme list)"},
                err);
    return 1;
}

}  // namespace cl::cli
