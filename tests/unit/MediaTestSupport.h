// Helpers shared by the media analyser tests: a byte builder for crafted files and a reporter that
// records what the user would have been shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/unit/TestDoubles.h"

namespace cl::test {

using RecordingReporter = RecordingPrompts;

class Bytes {
  public:
    Bytes& Tag(std::string_view t) {
        data.insert(data.end(), t.begin(), t.end());
        return *this;
    }
    Bytes& Le16(std::uint32_t v) {
        for (int i = 0; i < 2; ++i) data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& Le32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& Be32(std::uint32_t v) {
        for (int i = 3; i >= 0; --i) data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& Raw(std::initializer_list<std::uint8_t> b) {
        data.insert(data.end(), b.begin(), b.end());
        return *this;
    }
    Bytes& Zeros(std::size_t n) {
        data.insert(data.end(), n, 0);
        return *this;
    }
    Bytes& ZerosTo(std::size_t size) {
        if (data.size() < size) data.resize(size, 0);
        return *this;
    }
    void PutLe32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t Size() const { return data.size(); }

    std::vector<std::uint8_t> data;
};

}  // namespace cl::test
