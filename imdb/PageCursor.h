// Reading a saved page the way the scanners always have, one character at a time from the start, over a page held
// in memory. The position may pass the end (reads there give nothing, as a file read past its end does), so a
// look-ahead that hit the end steps back to where it started; stepping back before the start stops at the start.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace cl {

inline constexpr int kPageEnd = -1;

// A field's text as the fixed-size buffer it was read into holds it: characters past the limit are read and
// lost, and a zero character ends the text (whatever follows is read and lost too).
class FieldText {
  public:
    explicit FieldText(std::size_t limit) : limit_(limit) {}
    // Whether the character was taken.
    bool Put(char c) {
        if (ended_ || text_.size() >= limit_) return false;
        if (c == '\0') {
            ended_ = true;
            return false;
        }
        text_ += c;
        return true;
    }
    std::string& Text() { return text_; }

  private:
    std::string text_;
    std::size_t limit_;
    bool ended_ = false;
};

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
            // Characters that are no trigger are only passed over, so the search may jump to the next trigger.
            const std::size_t at =
                triggers.size() == 1 ? page_.find(triggers[0], pos_) : page_.find_first_of(triggers, pos_);
            if (at == std::string_view::npos) {
                pos_ = page_.size();
                return false;
            }
            pos_ = at + 1;
            const std::string_view read = Read(length);
            for (std::string_view tail : tails)
                if (read == tail) return true;
        }
        return false;
    }
    bool FindMarker(char trigger, std::string_view tail) { return FindMarker(std::string_view(&trigger, 1), {tail}); }

    // Reads up to and including the next `stop`; false when the page ends first.
    bool SkipPast(char stop) {
        const std::size_t at = AtEnd() ? std::string_view::npos : page_.find(stop, pos_);
        pos_ = at == std::string_view::npos ? (AtEnd() ? pos_ : page_.size()) : at + 1;
        return at != std::string_view::npos;
    }

    // Reads up to and including the next `stop`; the characters before it, the first `limit` of them kept, go to
    // `text`. False when the page ends first (`text` then holds what was read).
    bool ReadUntil(char stop, std::size_t limit, std::string& text) {
        FieldText field(limit);
        bool found = false;
        while (!found && !AtEnd()) {
            const int c = Get();
            found = c == static_cast<unsigned char>(stop);
            if (!found) field.Put(static_cast<char>(c));
        }
        text = std::move(field.Text());
        return found;
    }

  private:
    std::string_view page_;
    std::size_t pos_ = 0;
};

}  // namespace cl
