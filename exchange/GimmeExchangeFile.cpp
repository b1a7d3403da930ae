// Writing and reading Gimme list exchange files.
#include "exchange/GimmeExchangeFile.h"

#include "exchange/MovieExchangeFile.h"

namespace cl {

GimmeExchange ReadGimmeExchange(TextReader& reader) {
    GimmeExchange result;
    std::string line;
    if ((result.damage = ReadSourceLine(reader, 1, "name line", result.sender))) {
        result.stop = GimmeExchangeStop::NoSource;
        return result;
    }
    for (;;) {
        if (reader.AtEnd()) {
            result.stop = GimmeExchangeStop::Cut;
            result.damage = Damage{reader.Line(), "the file ends before \"end\""};
            return result;
        }
        const std::size_t titleLine = reader.Line();
        if (reader.ReadLine(line, kExchangeTitleMax) == FieldStatus::TooLong) {
            result.stop = GimmeExchangeStop::Overlong;
            result.damage = TooLongDamage(reader, "title", kExchangeTitleMax);
            return result;
        }
        if (line == kExchangeEnd) {
            result.stop = GimmeExchangeStop::End;
            return result;
        }
        if (HasUnstorableByte(line)) {
            result.stop = GimmeExchangeStop::BadByte;
            result.damage = UnstorableDamage(titleLine, "title");
            return result;
        }
        result.titles.push_back(line);
    }
}

std::string SerializeGimmeExchange(const MovieList& gimme, std::string_view nameLine) {
    std::string out(nameLine);
    out += "\r\n";
    for (const MovieRecord& record : gimme) out.append(record.title).append("\r\n");
    out += kExchangeEnd;
    return out;
}

bool WriteGimmeExchange(const std::filesystem::path& path, const MovieList& gimme, std::string_view nameLine,
                        FileWriter& writer, std::string& error) {
    return writer.Write(path, SerializeGimmeExchange(gimme, nameLine), error);
}

bool ImportGimmeList(const std::filesystem::path& path, const MovieList& main, MovieList& imported, Prompts& prompts) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return false;
    const GimmeExchange read = ReadGimmeExchange(*reader);
    if (read.stop == GimmeExchangeStop::NoSource) {
        prompts.ShowMessage(kCorruptSourceMessage, kErrorCaption, MessageIcon::Stop);
        return false;
    }
    for (const std::string& title : read.titles) {
        imported.InsertOrderedWith(title, [&](MovieRecord& record) {
            record.category = std::string(main.Contains(title) ? kOwnedMarker : kNotOwnedMarker);
            record.location = read.sender;
        });
    }
    return read.stop == GimmeExchangeStop::End;
}

std::string ImportedGimmeNameLine(const MovieList& imported) {
    if (imported.Empty() || !imported.begin()->location) return std::string(kSourceMark);
    return *imported.begin()->location + std::string(kSourceMark);
}

}  // namespace cl
