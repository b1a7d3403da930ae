// Keeping the texts of the one-value-per-line stores writable.
#include "model/base/StoreValues.h"

#include <cstring>
#include <functional>

namespace cl {

namespace {

// Position of the first CR or LF in text[from, from + span), or from + span when there is none.
std::size_t FirstBreak(std::string_view text, std::size_t from, std::size_t span) {
    const char* begin = text.data() + from;
    if (span <= 16) {
        // Most values are a few characters long: a plain loop beats setting up two searches.
        std::size_t i = 0;
        while (i < span && begin[i] != '\r' && begin[i] != '\n') ++i;
        return from + i;
    }
    const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', span));
    const std::size_t lfSpan = cr == nullptr ? span : static_cast<std::size_t>(cr - begin);
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', lfSpan));
    if (lf != nullptr) return from + static_cast<std::size_t>(lf - begin);
    return from + lfSpan;
}

// Appends OneLine(text, maxLen) to an empty `out`.
void BuildOneLine(std::string& out, std::string_view text, std::size_t maxLen) {
    // Nearly every value fits and is one line already (all that a store file gives are): one copy.
    if (text.size() <= maxLen && FirstBreak(text, 0, text.size()) == text.size()) {
        out.assign(text.data(), text.size());
        return;
    }
    out.reserve(text.size() < maxLen ? text.size() : maxLen);
    // Otherwise it is copied in runs between the line breaks.
    std::size_t i = 0;
    while (i < text.size() && out.size() < maxLen) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
            ++i;
            continue;
        }
        const std::size_t room = maxLen - out.size();
        const std::size_t span = text.size() - i < room ? text.size() - i : room;
        const std::size_t stop = FirstBreak(text, i, span);
        out.append(text.data() + i, stop - i);
        i = stop;
    }
}

}  // namespace

std::string OneLine(std::string_view text, std::size_t maxLen) {
    std::string out;
    BuildOneLine(out, text, maxLen);
    return out;
}

void AssignOneLine(std::string& out, std::string_view text, std::size_t maxLen) {
    const std::less<const char*> below;
    if (!below(text.data(), out.data()) && !below(out.data() + out.size(), text.data())) {
        out = OneLine(text, maxLen);  // the text lies in `out`, which is about to be overwritten
        return;
    }
    out.clear();
    BuildOneLine(out, text, maxLen);
}

bool UsableKey(std::string_view key, std::size_t maxLen) {
    return !key.empty() && key.size() <= maxLen && key.find('\n') == std::string_view::npos;
}

}  // namespace cl
