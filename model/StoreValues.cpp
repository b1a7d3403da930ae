// Keeping the texts of the one-value-per-line stores writable.
#include "model/StoreValues.h"

namespace cl {

std::string OneLine(std::string_view text, std::size_t maxLen) {
    std::string out;
    out.reserve(text.size() < maxLen ? text.size() : maxLen);
    for (std::size_t i = 0; i < text.size() && out.size() < maxLen; ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out;
}

bool UsableKey(std::string_view key, std::size_t maxLen) {
    return !key.empty() && key.size() <= maxLen && key.find('\n') == std::string_view::npos;
}

}  // namespace cl
