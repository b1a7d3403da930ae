// The technical details of one movie's video file(s): the record kept in the media store and the
// scratch copy that an analysis fills while it runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace cl {

// Fields 1 to 13 of a media record, each an owned text or absent.
struct MediaFields {
    std::optional<std::string> title;         // key: the movie's title
    std::optional<std::string> format;        // "MPEG-4", "MPEG-1", "MPEG-2"
    std::optional<std::string> cds;           // number of CDs, one digit
    std::optional<std::string> width;         // "%i"
    std::optional<std::string> height;        // "%i"
    std::optional<std::string> length;        // "%i min." or "N/A"
    std::optional<std::string> frameRate;     // "%2.3f fps"
    std::optional<std::string> videoBitRate;  // "%i kbit/s"
    std::optional<std::string> codec;
    std::optional<std::string> audioBitRate;  // "%i kbit/s"
    std::optional<std::string> audioCodec;
    std::optional<std::string> channels;  // "%i" or "5.1"
    std::optional<std::string> samples;   // "%i Hz"
};

// A record of the media store, or of an imported list (then source, category mark and medium are set).
struct MediaRecord {
    MediaFields fields;
    std::optional<std::string> source;        // imported lists only: who sent the list
    std::optional<std::string> categoryMark;  // imported lists only: "*"
    std::optional<std::string> medium;        // imported lists only: the sender's medium text
};

// The shared scratch of an analysis or of one record on display. Instead of source and category
// mark it carries the running time and the video bytes, both summed over the movie's CDs.
struct MediaScratch {
    MediaFields fields;
    std::optional<std::string> medium;
    std::uint64_t totalSeconds = 0;
    std::uint64_t videoBytes = 0;

    void Clear() { *this = MediaScratch{}; }
};

}  // namespace cl
