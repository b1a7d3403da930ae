// The Gimme list exchange file: a wish list sent to a friend (the sender's name with a "*", the titles, "end"),
// and its import as the Imported Gimme List, each title marked by whether the receiver owns it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MovieList.h"
#include "model/base/FileWriter.h"
#include "model/base/Prompts.h"
#include "model/base/TextReader.h"

namespace cl {

inline constexpr std::string_view kInvalidGimmeFileMessage = "Invalid Gimme File; Load Failed.";
inline constexpr std::string_view kOwnedMarker = "G";
inline constexpr std::string_view kNotOwnedMarker = "?";

enum class GimmeExchangeStop {
    End,       // the "end" line: success
    Cut,       // the data ended first: failure, the titles read stay
    Overlong,  // a title longer than its limit: failure, the titles before it stay
    BadByte,   // a title holding an unstorable byte: as Overlong
    NoSource,  // the name line is empty, overlong, lacks its "*" or holds an unstorable byte: nothing read
};

struct GimmeExchange {
    GimmeExchangeStop stop = GimmeExchangeStop::Cut;
    std::string sender;               // without its "*"
    std::vector<std::string> titles;  // in file order
    std::optional<Damage> damage;     // where and why it stopped, unless at "end"
};

GimmeExchange ReadGimmeExchange(TextReader& reader);

// `nameLine` already ends in "*".
std::string SerializeGimmeExchange(const MovieList& gimme, std::string_view nameLine);
bool WriteGimmeExchange(const std::filesystem::path& path, const MovieList& gimme, std::string_view nameLine,
                        FileWriter& writer, std::string& error);

// Reads the file into `imported` (ordered insert, duplicates refused; marker "G" when a Main Movie List title is
// the SameTitle, else "?"; location the sender). A name line without its "*" shows "Can Not Identify Source; File
// Is Corrupt." (caption "Error"). False on any failure: the titles read before it stay. The caller shows
// kInvalidGimmeFileMessage.
bool ImportGimmeList(const std::filesystem::path& path, const MovieList& main, MovieList& imported, Prompts& prompts);

// The sender of an imported list as its name line: its first record's location and "*", unformatted.
std::string ImportedGimmeNameLine(const MovieList& imported);

}  // namespace cl
