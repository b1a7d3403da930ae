// What the media analyser tests share: a little-endian byte builder for crafted files, and the outcome of one
// analysis with the messages the user would have been shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "media/MediaRecord.h"
#include "tests/unit/TestDoubles.h"

namespace cl::test {

struct Bytes {
    Bytes& Tag(std::string_view t) {
        data.insert(data.end(), t.begin(), t.end());
        return *this;
    }
    Bytes& Le(std::uint32_t v, int bytes = 4) {
        for (int i = 0; i < bytes; ++i) data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& Zeros(std::size_t n) {
        data.resize(data.size() + n, 0);
        return *this;
    }
    void PutLe32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t Size() const { return data.size(); }

    std::vector<std::uint8_t> data;
};

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

}  // namespace cl::test
