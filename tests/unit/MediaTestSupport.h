// What the media analysis tests share: the outcome of one analysis, with the messages the user would have been shown.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/MediaRecord.h"
#include "tests/unit/TestDoubles.h"

namespace cl::test {

struct Analysed {
    bool ok = false;
    MediaScratch scratch;
    RecordingPrompts prompts;
    std::uint64_t bytesRead = 0;

    // The message texts in order, each followed by '|'.
    std::string Messages() const {
        std::string all;
        for (const Box& m : prompts.messages) all += m.text + "|";
        return all;
    }
};

// A 40,000-byte MPEG-1 file in the temporary folder: a 352 x 240 sequence header at its start, a group of pictures
// timed 0:50:10 in its last block.
inline std::filesystem::path WriteShortMpeg(const std::string& name) {
    std::vector<std::uint8_t> d(40000, 0);
    const std::uint8_t sequence[] = {0, 0, 1, 0xB3, 0x16, 0x00, 0xF0, 0x14, 0x02, 0xCE, 0xE0, 0xA0};
    const std::uint8_t gop[] = {0, 0, 1, 0xB8, 0x03, 0x29, 0x40, 0x00};
    std::copy(std::begin(sequence), std::end(sequence), d.begin() + 100);
    std::copy(std::begin(gop), std::end(gop), d.begin() + 39000);
    const auto path = std::filesystem::temp_directory_path() / ("cl-" + std::to_string(getpid()) + "-" + name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(d.data()), d.size());
    return path;
}

}  // namespace cl::test
