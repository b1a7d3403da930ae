// What the media analysis tests share: the outcome of one analysis, with the messages the user would have been shown.
#pragma once

#include <cstdint>
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

}  // namespace cl::test
