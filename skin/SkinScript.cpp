// Reading and writing skin scripts: a strict walk over the tags in their one allowed order, with every value bounded
// so that a broken or hostile script can only ever fail, never overrun.
#include "skin/SkinScript.h"

#include <algorithm>
#include <limits>

#include "model/base/FileWriter.h"
#include "model/base/NativePath.h"

namespace cl {

const std::array<SkinButtonInfo, kSkinButtonCount> kSkinButtons = {{
    {"ButtonMenu", 12, "Menu"},
    {"ButtonMinimize", 11, "Minimize"},
    {"ButtonClose", 10, "Close"},
    {"ButtonView", 1, "View Movies"},
    {"ButtonAdd", 2, "Add Movies"},
    {"ButtonFind", 3, "Find Movies"},
    {"ButtonExternal", 4, "Externals..."},
}};

const std::array<SkinStatusInfo, kSkinStatusCount> kSkinStatusFields = {{
    {"StaticList", 6},
    {"StaticNumber", 7},
    {"StaticSelections", 8},
}};

void SkinScript::FreeStrings() {
    for (std::string* s : {&name, &author, &email, &homepage, &screenshot, &mainBitmap, &buttonBitmap, &logo.bitmap}) {
        std::string().swap(*s);
    }
}

bool SkinScript::HasStrings() const {
    return !name.empty() || !author.empty() || !email.empty() || !homepage.empty() || !screenshot.empty() ||
           !mainBitmap.empty() || !buttonBitmap.empty() || !logo.bitmap.empty();
}

namespace {

constexpr std::string_view kLookTags[kButtonLookCount] = {"Default", "Hover", "Clicked"};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Like atoi on the value: optional sign, then the leading digits; no digits gives 0. Values beyond the 32-bit range
// are held at its ends instead of wrapping.
std::int32_t ToNumber(std::string_view v) {
    std::size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) negative = v[i++] == '-';
    std::int64_t n = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
        n = n * 10 + (v[i] - '0');
        if (n > std::int64_t{1} << 32) break;  // far enough past the range to know the answer
    }
    if (negative) n = -n;
    n = std::clamp<std::int64_t>(n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(n);
}

// Name and author come from the text as written, blanks and line breaks included, found by counting '>'.
struct RawField {
    bool ok = false;  // false: the text ended inside the value or the value ran past its limit
    std::string value;
};

struct RawNameAuthor {
    RawField name;
    RawField author;
};

// Moves `pos` just past the count-th '>' from it; false when the text has fewer.
bool SkipPastGreater(std::string_view raw, std::size_t& pos, int count) {
    while (count > 0) {
        const std::size_t gt = raw.find('>', pos);
        if (gt == std::string_view::npos) return false;
        pos = gt + 1;
        --count;
    }
    return true;
}

RawField ReadRawValue(std::string_view raw, std::size_t& pos) {
    RawField field;
    const std::size_t lt = raw.find('<', pos);
    if (lt == std::string_view::npos || lt - pos > kSkinNameLimit) return field;
    field.value.assign(raw.substr(pos, lt - pos));
    field.ok = true;
    pos = lt;
    return field;
}

RawNameAuthor ReadNameAndAuthor(std::string_view raw) {
    RawNameAuthor r;
    std::size_t pos = 0;
    // The ends of "<CineLedgerSkin>", "<Attributes>" and "<Name>".
    if (!SkipPastGreater(raw, pos, 3)) return r;
    r.name = ReadRawValue(raw, pos);
    if (!r.name.ok) return r;
    // The ends of "</Name>" and "<Author>".
    if (!SkipPastGreater(raw, pos, 2)) return r;
    r.author = ReadRawValue(raw, pos);
    return r;
}

std::string StripWhiteSpace(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (char c : raw) {
        if (!IsSpace(c)) text.push_back(c);
    }
    return text;
}

// The strict walk over the white-space-free text. Every step returns false on the first mismatch, remembering the
// tag that was expected there, so that a chain of steps joined by && stops where the script went wrong.
class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    const std::string& FailedTag() const { return failedTag_; }
    std::size_t Position() const { return pos_; }

    bool Tag(std::string_view tag) {
        if (text_.size() - pos_ < tag.size() || !std::equal(tag.begin(), tag.end(), text_.begin() + pos_,
                                                            [](char a, char b) { return Lower(a) == Lower(b); })) {
            return Fail(tag);
        }
        pos_ += tag.size();
        return true;
    }
    bool Open(std::string_view name) { return Tag(OpenTag(name)); }
    bool Close(std::string_view name) { return Tag(CloseTag(name)); }

    // A value runs to the next '<'. One that is longer than its limit, or that no '<' ends, fails on the closing
    // tag: that is the tag the reader would have needed to find within the limit.
    bool Value(std::string_view name, std::size_t limit, std::string_view& out) {
        const std::size_t lt = text_.find('<', pos_);
        if (lt == std::string_view::npos || lt - pos_ > limit) {
            pos_ = std::min(text_.size(), pos_ + limit);
            return Fail(CloseTag(name));
        }
        out = text_.substr(pos_, lt - pos_);
        pos_ = lt;
        return true;
    }

    bool Text(std::string_view name, std::string& out, std::size_t limit = kSkinTextLimit) {
        std::string_view v;
        if (!Open(name) || !Value(name, limit, v)) return false;
        out.assign(v);
        return Close(name);
    }

    bool Number(std::string_view name, std::int32_t& out) {
        std::string_view v;
        if (!Open(name) || !Value(name, kSkinNumberLimit, v)) return false;
        out = ToNumber(v);
        return Close(name);
    }

    // Name and author were taken from the raw text; here their place is only checked, and a raw value that could
    // not be read fails on its closing tag just as an over-long value would.
    bool RawChecked(std::string_view name, const RawField& raw, std::string& out) {
        std::string_view v;
        if (!Open(name) || !Value(name, kSkinNameLimit, v)) return false;
        if (!raw.ok) return Fail(CloseTag(name));
        out = raw.value;
        return Close(name);
    }

    bool Color(std::string_view name, SkinColor& c) {
        return Open(name) && Number("r", c.r) && Number("g", c.g) && Number("b", c.b) && Close(name);
    }
    bool Point(std::string_view name, std::int32_t& x, std::int32_t& y) {
        return Open(name) && Number("x", x) && Number("y", y) && Close(name);
    }
    bool Dimensions(std::int32_t& w, std::int32_t& h) {
        return Open("Dimensions") && Number("Width", w) && Number("Height", h) && Close("Dimensions");
    }

  private:
    static std::string OpenTag(std::string_view name) { return "<" + std::string(name) + ">"; }
    static std::string CloseTag(std::string_view name) { return "</" + std::string(name) + ">"; }

    bool Fail(std::string_view tag) {
        failedTag_.assign(tag);
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string failedTag_;
};

bool ParseScript(Parser& p, const RawNameAuthor& raw, SkinScript& s) {
    if (!p.Open("CineLedgerSkin")) return false;
    if (!(p.Open("Attributes") && p.RawChecked("Name", raw.name, s.name) &&
          p.RawChecked("Author", raw.author, s.author) && p.Text("Email", s.email) && p.Text("Homepage", s.homepage) &&
          p.Text("Screenshot", s.screenshot) && p.Text("MainBitmap", s.mainBitmap) &&
          p.Text("ButtonBitmap", s.buttonBitmap) && p.Close("Attributes"))) {
        return false;
    }
    if (!(p.Open("MainWindow") && p.Number("Width", s.windowWidth) && p.Number("Height", s.windowHeight) &&
          p.Color("MaskColor", s.mask) && p.Close("MainWindow"))) {
        return false;
    }
    for (std::size_t b = 0; b < kSkinButtonCount; ++b) {
        const std::string_view section = kSkinButtons[b].section;
        if (!p.Open(section)) return false;
        for (std::size_t l = 0; l < kButtonLookCount; ++l) {
            ButtonLookGeometry& g = s.buttons[b].looks[l];
            if (!(p.Open(kLookTags[l]) && p.Point("Source", g.sourceX, g.sourceY) &&
                  p.Point("Destination", g.destX, g.destY) && p.Dimensions(g.width, g.height) &&
                  p.Close(kLookTags[l]))) {
                return false;
            }
        }
        if (!p.Close(section)) return false;
    }
    SkinListBox& lb = s.listBox;
    if (!(p.Open("ListBox") && p.Dimensions(lb.width, lb.height) && p.Point("Destination", lb.x, lb.y) &&
          p.Color("TextColor", lb.text) && p.Color("BackgroundColor", lb.background) && p.Close("ListBox"))) {
        return false;
    }
    for (std::size_t f = 0; f < kSkinStatusCount; ++f) {
        SkinStatusField& st = s.status[f];
        const std::string_view section = kSkinStatusFields[f].section;
        if (!(p.Open(section) && p.Point("Source", st.x, st.y) && p.Dimensions(st.width, st.height) &&
              p.Point("TextOffset", st.textOffsetX, st.textOffsetY) && p.Color("TextColor", st.text) &&
              p.Close(section))) {
            return false;
        }
    }
    // Whatever follows the logo section (normally the closing root tag) is never looked at.
    return p.Open("Logo") && p.Text("Bitmap", s.logo.bitmap) && p.Dimensions(s.logo.width, s.logo.height) &&
           p.Point("Destination", s.logo.x, s.logo.y) && p.Close("Logo");
}

}  // namespace

SkinLoadResult LoadSkinScript(std::string_view bytes, SkinScript& skin, Prompts& messages) {
    skin.FreeStrings();
    // The script was always handled as a C string: a NUL byte ends it.
    bytes = bytes.substr(0, bytes.find('\0'));
    const RawNameAuthor raw = ReadNameAndAuthor(bytes);
    const std::string text = StripWhiteSpace(bytes);
    Parser parser(text);
    SkinLoadResult result;
    if (!ParseScript(parser, raw, skin)) {
        skin.FreeStrings();
        result.status = SkinLoadStatus::SyntaxError;
        result.expectedTag = parser.FailedTag();
        result.position = parser.Position();
        messages.ShowMessage("Error at: " + result.expectedTag, kScriptSyntaxErrorCaption, MessageIcon::Stop);
        return result;
    }
    result.position = parser.Position();
    return result;
}

SkinLoadResult LoadSkinScriptFile(const std::filesystem::path& path, SkinScript& skin, Prompts& messages) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        SkinLoadResult result;
        result.status = SkinLoadStatus::CannotOpen;
        return result;
    }
    return LoadSkinScript(bytes, skin, messages);
}

namespace {

class Writer {
  public:
    std::string out;

    void Line(std::string_view s) {
        out.append(static_cast<std::size_t>(depth_) * 4, ' ');
        out.append(s);
        out.append("\r\n");
    }
    void Open(std::string_view name) {
        Line("<" + std::string(name) + ">");
        ++depth_;
    }
    void Close(std::string_view name) {
        --depth_;
        Line("</" + std::string(name) + ">");
    }
    void Text(std::string_view name, std::string_view value) {
        Line("<" + std::string(name) + ">" + std::string(value) + "</" + std::string(name) + ">");
    }
    void Number(std::string_view name, std::int32_t v) { Text(name, std::to_string(v)); }
    void Color(std::string_view name, const SkinColor& c) {
        Open(name);
        Number("r", c.r);
        Number("g", c.g);
        Number("b", c.b);
        Close(name);
    }
    void Point(std::string_view name, std::int32_t x, std::int32_t y) {
        Open(name);
        Number("x", x);
        Number("y", y);
        Close(name);
    }
    void Dimensions(std::int32_t w, std::int32_t h) {
        Open("Dimensions");
        Number("Width", w);
        Number("Height", h);
        Close("Dimensions");
    }

  private:
    int depth_ = 0;
};

}  // namespace

std::string SerializeSkinScript(const SkinScript& s) {
    Writer w;
    w.Open("CineLedgerSkin");
    w.Open("Attributes");
    w.Text("Name", s.name);
    w.Text("Author", s.author);
    w.Text("Email", s.email);
    w.Text("Homepage", s.homepage);
    w.Text("Screenshot", s.screenshot);
    w.Text("MainBitmap", s.mainBitmap);
    w.Text("ButtonBitmap", s.buttonBitmap);
    w.Close("Attributes");
    w.Open("MainWindow");
    w.Number("Width", s.windowWidth);
    w.Number("Height", s.windowHeight);
    w.Color("MaskColor", s.mask);
    w.Close("MainWindow");
    for (std::size_t b = 0; b < kSkinButtonCount; ++b) {
        w.Open(kSkinButtons[b].section);
        for (std::size_t l = 0; l < kButtonLookCount; ++l) {
            const ButtonLookGeometry& g = s.buttons[b].looks[l];
            w.Open(kLookTags[l]);
            w.Point("Source", g.sourceX, g.sourceY);
            w.Point("Destination", g.destX, g.destY);
            w.Dimensions(g.width, g.height);
            w.Close(kLookTags[l]);
        }
        w.Close(kSkinButtons[b].section);
    }
    w.Open("ListBox");
    w.Dimensions(s.listBox.width, s.listBox.height);
    w.Point("Destination", s.listBox.x, s.listBox.y);
    w.Color("TextColor", s.listBox.text);
    w.Color("BackgroundColor", s.listBox.background);
    w.Close("ListBox");
    for (std::size_t f = 0; f < kSkinStatusCount; ++f) {
        const SkinStatusField& st = s.status[f];
        w.Open(kSkinStatusFields[f].section);
        w.Point("Source", st.x, st.y);
        w.Dimensions(st.width, st.height);
        w.Point("TextOffset", st.textOffsetX, st.textOffsetY);
        w.Color("TextColor", st.text);
        w.Close(kSkinStatusFields[f].section);
    }
    w.Open("Logo");
    w.Text("Bitmap", s.logo.bitmap);
    w.Dimensions(s.logo.width, s.logo.height);
    w.Point("Destination", s.logo.x, s.logo.y);
    w.Close("Logo");
    w.Close("CineLedgerSkin");
    return w.out;
}

char PathSeparatorOf(std::string_view dataDirectory) {
    // The data directory ends in the separator of the system it came from; the native tests use '/'.
    return !dataDirectory.empty() && dataDirectory.back() == '/' ? '/' : '\\';
}

std::string SkinFolderPath(std::string_view dataDirectory, std::string_view skinName) {
    const char separator = PathSeparatorOf(dataDirectory);
    std::string path(dataDirectory);
    path += "Skins";
    path += separator;
    path += skinName;
    path += separator;
    return path;
}

std::string SkinScriptPath(std::string_view dataDirectory, std::string_view skinName) {
    std::string path = SkinFolderPath(dataDirectory, skinName);
    path += skinName;
    path += ".lsk";
    return path;
}

std::string ParseSkinIni(std::string_view bytes) {
    const std::size_t end = std::min({bytes.find('\n'), bytes.find('\r'), bytes.find('\0'), kSkinIniLimit});
    return std::string(bytes.substr(0, end));
}

std::string SerializeSkinIni(std::string_view skinName, std::string_view previous) {
    const std::size_t lineEnd = previous.find_first_of("\r\n");
    return std::string(skinName) + std::string(lineEnd == std::string_view::npos ? "" : previous.substr(lineEnd));
}

bool ReadSkinIni(std::string_view dataDirectory, SkinScript& skin) {
    std::string bytes;
    if (!ReadIniFile(dataDirectory, bytes)) return false;
    skin.name = ParseSkinIni(bytes);
    skin.scriptPath = SkinScriptPath(dataDirectory, skin.name);
    return true;
}

bool WriteSkinIni(std::string_view dataDirectory, std::string_view skinName, FileWriter& writer, std::string& error) {
    const std::filesystem::path path = PathFromNative(dataDirectory) / kSkinIniFile;
    std::string previous;  // a missing file has no further lines to keep
    if (!ReadIniFile(dataDirectory, previous)) previous.clear();
    return writer.Write(path, SerializeSkinIni(skinName, previous), error);
}

}  // namespace cl
