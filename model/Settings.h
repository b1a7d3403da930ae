// The six user options and "Settings.dat", which holds one per line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/base/FileWriter.h"
#include "model/base/TextReader.h"

namespace cl {

// In file order. Zero-initialised as at start-up, before the file is read.
struct AppSettings {
    std::int16_t viewMode = 0;  // 1: Rated-X, erotic movies shown without a password; 0: PG-13
    std::int16_t formatConversion = 0;
    std::int16_t autoSave = 0;
    std::int16_t autoBackup = 0;
    std::int16_t autoImdb = 0;
    std::int16_t titleCorrection = 0;

    bool operator==(const AppSettings&) const = default;
};

// The values used when there is no settings file: only Format Conversion is on.
AppSettings DefaultSettings();

// Reads the flags the data holds into `settings`; a flag missing from it keeps its value. Only the
// first character of a line counts, a digit giving its value and anything else 0. Earlier versions
// wrote four or five lines. report.records is the number of flags read.
LoadReport ReadSettings(TextReader& reader, AppSettings& settings);

// Opens and reads the file. When it cannot be opened the settings become DefaultSettings() and
// report.opened is false.
LoadReport LoadSettingsFile(const std::filesystem::path& path, AppSettings& settings);

// The six values in file order, CR LF between them and none after the last.
std::string SerializeSettings(const AppSettings& settings);
bool SaveSettingsFile(FileWriter& writer, const std::filesystem::path& path, const AppSettings& settings,
                      std::string& error);

}  // namespace cl
