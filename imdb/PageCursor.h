// Reading a saved page the way the scanners always have, one character at a time from the start, over a page held
// in memory. The position may pass the end (reads there give nothing, as a file read past its end does), so a
// look-ahead that hit the end steps back to where it started; stepping back before the start stops at the start.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cl {

inline constexpr int kPageEnd = -1;

class PageCursor {
  public:
    explicit PageCursor(std::string_view page) : page_(page) {}

    // The next character (0..255), or kPageEnd; either way the position moves on by one.
    int Get() {
        const std::size_t at = pos_++;
        return at < page_.size() ? static_cast<unsigned char>(page_[at]) : kPageEnd;
    }
    bool AtEnd() const { return pos_ >= page_.size(); }
    // Characters read since the start.
    std::size_t Position() const { return pos_; }
    void Step(std::ptrdiff_t k) {
        if (k < 0 && static_cast<std::size_t>(-k) > pos_) {
            pos_ = 0;
        } else {
            pos_ += static_cast<std::size_t>(k);
        }
    }

    // Reads the next `count` characters (fewer at the end) as a text.
    std::string_view Read(std::size_t count) {
        const std::size_t from = pos_ < page_.size() ? pos_ : page_.size();
        pos_ += count;
        return page_.substr(from, count);
    }

    // Waits for `trigger`, then reads as many characters as the tails are long (all alike) and compares them with
    // each tail; a mismatch goes on after those characters, never stepping back. True on a match; false at the end.
    bool FindMarker(std::string_view triggers, std::initializer_list<std::string_view> tails) {
        const std::size_t length = tails.begin()->size();
        while (!AtEnd()) {
            const int c = Get();
            if (triggers.find(static_cast<char>(c)) == std::string_view::npos) continue;
            const std::string_view read = Read(length);
            for (std::string_view tail : tails)
                if (read == tail) return true;
        }
        return false;
    }
    bool FindMarker(char trigger, std::string_view tail) { return FindMarker(std::string_view(&trigger, 1), {tail}); }

    // Reads up to and including the next `stop`; false when the page ends first.
    bool SkipPast(char stop) {
        while (!AtEnd())
            if (Get() == static_cast<unsigned char>(stop)) return true;
        return false;
    }

    // Reads up to and including the next `stop`; the characters before it, the first `limit` of them kept, go to
    // `text`. False when the page ends first (`text` then holds what was read).
    bool ReadUntil(char stop, std::size_t limit, std::string& text) {
        text.clear();
        while (!AtEnd()) {
            const int c = Get();
            if (c == static_cast<unsigned char>(stop)) return true;
            if (text.size() < limit) text += static_cast<char>(c);
        }
        return false;
    }

  private:
    std::string_view page_;
    std::size_t pos_ = 0;
};

}  // namespace cl
