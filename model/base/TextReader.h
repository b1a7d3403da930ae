// Bounded reading of the line-oriented store files: fields up to a bar or a line end, each into a
// limit, the way the stores were always read, but never past the data and never in a loop.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace cl {

// What one field read found.
enum class FieldStatus {
    Ok,          // field read, its delimiter consumed
    LastField,   // field read up to the end of the data (no delimiter followed)
    TooLong,     // more characters than the limit before the delimiter; the limit's worth is kept
    MissingBar,  // a line end came before the expected bar; nothing after it was consumed
    EndOfData,   // nothing left to read at all
};

// Where and why a reader stopped before the last byte of its file: the bytes from there on are not in
// the store, so a save would lose them. Readers keep every whole record read before it.
struct Damage {
    std::size_t line = 0;  // 1-based line of the data where the reading stopped
    std::string what;      // one phrase for the user, e.g. "title longer than 109 characters"
};

// The outcome of loading one store file.
struct LoadReport {
    bool opened = false;           // false: the file could not be opened (an empty store, no damage)
    std::size_t records = 0;       // records taken into the store
    std::optional<Damage> damage;  // set when the reading stopped before the last byte of the file
};

// A cursor over the whole contents of a file. Line ends are CR LF or a lone LF (files edited
// elsewhere); a CR not followed by LF is ordinary data.
class TextReader {
  public:
    explicit TextReader(std::string data) : text_(std::move(data)), data_(text_) {}
    TextReader(const TextReader& other);
    TextReader(TextReader&& other) noexcept;
    TextReader& operator=(const TextReader& other);
    TextReader& operator=(TextReader&& other) noexcept;
    ~TextReader() = default;

    // Reads the file into memory. nullopt when it cannot be opened.
    static std::optional<TextReader> Open(const std::filesystem::path& path);

    bool AtEnd() const { return pos_ >= data_.size(); }
    // What is left to read.
    std::string_view Rest() const { return data_.substr(pos_ < data_.size() ? pos_ : data_.size()); }
    std::size_t Line() const { return line_; }

    // Reads up to the next line end, at most maxLen characters. A longer line is cut to maxLen and
    // TooLong returned; the rest of the line is left unread.
    FieldStatus ReadLine(std::string& out, std::size_t maxLen);

    // Reads up to the next bar '|' on the current line, at most maxLen characters.
    FieldStatus ReadBarField(std::string& out, std::size_t maxLen);

    // As ReadLine and ReadBarField, with the field handed back as a view into the reader's own copy of
    // the data: the loaders then copy each value once, straight into its record. The view stays valid
    // while the reader lives.
    FieldStatus ReadLineView(std::string_view& out, std::size_t maxLen);
    FieldStatus ReadBarFieldView(std::string_view& out, std::size_t maxLen);

    // Skips the rest of the current line including its line end.
    void SkipLine();

    // Where the reader stands, to come back to after looking ahead.
    struct Position {
        std::size_t pos = 0;
        std::size_t line = 1;
    };
    Position Tell() const { return Position{pos_, line_}; }
    void Seek(Position p) {
        pos_ = p.pos;
        line_ = p.line;
    }

  private:
    // A file is read into a buffer of its size that nothing fills beforehand.
    TextReader(std::unique_ptr<char[]> file, std::size_t size) : file_(std::move(file)), data_(file_.get(), size) {}
    // Points data_ at whichever of text_ and file_ holds the data, after a copy or move.
    void Rebind(std::size_t size) { data_ = file_ ? std::string_view(file_.get(), size) : std::string_view(text_); }

    std::string text_;              // the data, when given as a string
    std::unique_ptr<char[]> file_;  // the data, when read from a file
    std::string_view data_;         // the data, in one of the two
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

// Builds a damage record for a field that ran past its limit.
Damage TooLongDamage(const TextReader& reader, std::string_view field, std::size_t maxLen);

// A reader met the line that its file's layout says ends the records (`marker`: an empty title line, "end")
// at `line`. Blanks and line ends after it carry nothing, but any other text would be dropped by the next
// save: the report then names the stop as damage.
void NoteTextAfterStop(const TextReader& reader, std::size_t line, std::string_view marker, LoadReport& report);

}  // namespace cl
