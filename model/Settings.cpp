// Reading and writing the options file.
#include "model/Settings.h"

#include <iterator>

namespace cl {

AppSettings DefaultSettings() {
    AppSettings s;
    s.formatConversion = 1;
    return s;
}

LoadReport ReadSettings(TextReader& reader, AppSettings& settings) {
    LoadReport report;
    report.opened = true;
    std::int16_t* ordered[] = {&settings.viewMode,   &settings.formatConversion, &settings.autoSave,
                               &settings.autoBackup, &settings.autoImdb,         &settings.titleCorrection};
    for (std::int16_t* flag : ordered) {
        std::string first;
        FieldStatus status = reader.ReadLine(first, 1);
        if (status == FieldStatus::EndOfData) break;
        // Older versions read each line into a two-byte buffer: the rest of a line never mattered.
        if (status == FieldStatus::TooLong) reader.SkipLine();
        *flag = static_cast<std::int16_t>(!first.empty() && first[0] >= '0' && first[0] <= '9' ? first[0] - '0' : 0);
        ++report.records;
    }
    if (report.records < 4) {
        report.damage = Damage{reader.Line(), "settings file holds only " + std::to_string(report.records) + " values"};
    }
    return report;
}

LoadReport LoadSettingsFile(const std::filesystem::path& path, AppSettings& settings) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) {
        settings = DefaultSettings();
        return LoadReport{};
    }
    return ReadSettings(*reader, settings);
}

std::string SerializeSettings(const AppSettings& settings) {
    const std::int16_t values[] = {settings.viewMode,   settings.formatConversion, settings.autoSave,
                                   settings.autoBackup, settings.autoImdb,         settings.titleCorrection};
    std::string out;
    for (std::size_t i = 0; i < std::size(values); ++i) {
        if (i > 0) out += "\r\n";
        out += std::to_string(values[i]);
    }
    return out;
}

bool SaveSettingsFile(FileWriter& writer, const std::filesystem::path& path, const AppSettings& settings,
                      std::string& error) {
    return writer.Write(path, SerializeSettings(settings), error);
}

}  // namespace cl
