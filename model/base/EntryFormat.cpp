// Capitalisation of typed entries. Works on single bytes: only a-z and A-Z count as letters.
#include "model/base/EntryFormat.h"

#include <string_view>

namespace cl {

namespace {

bool IsSmall(char c) {
    return c >= 'a' && c <= 'z';
}

char Capital(char c) {
    return static_cast<char>(c - ('a' - 'A'));
}

bool EndsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Words after a blank that are rewritten, tested in this order; each test sees the ones before it.
struct WordFix {
    std::string_view from;
    std::string_view to;
};
constexpr WordFix kWordFixes[] = {
    {"And", "and"}, {"The", "the"}, {"Iii", "III"}, {"A", "a"}, {"Of", "of"}, {"Ii", "II"}, {"Iv", "IV"}, {"Vi", "VI"},
};

}  // namespace

void FormatEntry(std::string& text, bool formatConversion) {
    if (!formatConversion) return;
    const std::size_t len = text.size();
    if (len > 0 && IsSmall(text[0])) text[0] = Capital(text[0]);

    // Position 0 is deliberately not looked at: a text typed with a leading blank keeps its first word.
    for (std::size_t i = 1; i + 1 < len; ++i) {
        if (text[i] == ' ' && IsSmall(text[i + 1])) text[i + 1] = Capital(text[i + 1]);
    }

    for (std::size_t i = 1; i < len; ++i) {
        if (text[i] != ' ') continue;
        std::size_t word = i + 1;
        for (const WordFix& fix : kWordFixes) {
            std::size_t after = word + fix.from.size();
            if (after > len || text.compare(word, fix.from.size(), fix.from) != 0) continue;
            if (after < len && text[after] != ' ') continue;
            text.replace(word, fix.to.size(), fix.to);
        }
    }

    if (text.compare(0, 4, "The ") == 0) {
        text.erase(0, 4);
        text += ", The";
    }
    if (text.compare(0, 2, "A ") == 0) {
        text.erase(0, 2);
        text += ", A";
    }
    if (EndsWith(text, ", the")) text[text.size() - 3] = 'T';
    if (EndsWith(text, ", a")) text[text.size() - 1] = 'A';
}

}  // namespace cl
