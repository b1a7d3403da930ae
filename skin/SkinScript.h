// The skin script (".lsk"): what a skin says about the main window, its seven buttons, the list box, the three
// status fields and the logo, and the reader that fills it from the tag-structured text. Also "CineLedger.ini".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/base/IniFile.h"
#include "model/base/Prompts.h"

namespace cl {

class FileWriter;

// Colour components as the script gives them: any 32-bit number, of which drawing uses the low byte.
struct SkinColor {
    std::int32_t r = 0;
    std::int32_t g = 0;
    std::int32_t b = 0;

    std::uint8_t Red() const { return static_cast<std::uint8_t>(r & 0xFF); }
    std::uint8_t Green() const { return static_cast<std::uint8_t>(g & 0xFF); }
    std::uint8_t Blue() const { return static_cast<std::uint8_t>(b & 0xFF); }
    bool operator==(const SkinColor&) const = default;
};

enum class ButtonLook { Default = 0, Hover = 1, Clicked = 2 };
inline constexpr std::size_t kButtonLookCount = 3;

// One look of a button: where it comes from in the button bitmap and where the button sits in the window.
struct ButtonLookGeometry {
    std::int32_t sourceX = 0;
    std::int32_t sourceY = 0;
    std::int32_t destX = 0;
    std::int32_t destY = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const ButtonLookGeometry&) const = default;
};

struct SkinButton {
    std::array<ButtonLookGeometry, kButtonLookCount> looks{};
    const ButtonLookGeometry& Look(ButtonLook look) const { return looks[static_cast<std::size_t>(look)]; }
    bool operator==(const SkinButton&) const = default;
};

// The buttons in the order their sections appear in a script.
enum class SkinButtonId { Menu, Minimize, Close, View, Add, Find, External };
inline constexpr std::size_t kSkinButtonCount = 7;

// What the main window needs to know about each button, indexed like SkinButtonId.
struct SkinButtonInfo {
    std::string_view section;  // tag name without brackets, e.g. "ButtonMenu"
    int controlId;             // the button window's identifier; also the command it sends
    std::string_view tooltip;
};
extern const std::array<SkinButtonInfo, kSkinButtonCount> kSkinButtons;

struct SkinListBox {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    SkinColor text;
    SkinColor background;
    bool operator==(const SkinListBox&) const = default;
};

// A status field: x, y is both its place in the window and the part of the main bitmap painted behind it.
struct SkinStatusField {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t textOffsetX = 0;
    std::int32_t textOffsetY = 0;
    SkinColor text;
    bool operator==(const SkinStatusField&) const = default;
};

enum class SkinStatusId { List, Number, Selections };
inline constexpr std::size_t kSkinStatusCount = 3;

struct SkinStatusInfo {
    std::string_view section;  // tag name without brackets, e.g. "StaticList"
    int controlId;
};
extern const std::array<SkinStatusInfo, kSkinStatusCount> kSkinStatusFields;

struct SkinLogo {
    std::string bitmap;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const SkinLogo&) const = default;
};

// Field limits of the script reader, in characters.
inline constexpr std::size_t kSkinTextLimit = 119;
inline constexpr std::size_t kSkinNumberLimit = 11;
inline constexpr std::size_t kSkinNameLimit = 99;
inline constexpr std::size_t kSkinIniLimit = 99;

// Everything a script says. The Windows side keeps its bitmaps, brush and windows next to it.
struct SkinScript {
    std::string scriptPath;  // computed by SkinScriptPath, never read from the script
    std::string name;        // white space kept; also the folder the bitmaps come from
    std::string author;      // white space kept
    std::string email;
    std::string homepage;
    std::string screenshot;
    std::string mainBitmap;
    std::string buttonBitmap;
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    SkinColor mask;
    std::array<SkinButton, kSkinButtonCount> buttons{};
    SkinListBox listBox;
    std::array<SkinStatusField, kSkinStatusCount> status{};
    SkinLogo logo;

    SkinButton& Button(SkinButtonId id) { return buttons[static_cast<std::size_t>(id)]; }
    const SkinButton& Button(SkinButtonId id) const { return buttons[static_cast<std::size_t>(id)]; }
    SkinStatusField& Status(SkinStatusId id) { return status[static_cast<std::size_t>(id)]; }
    const SkinStatusField& Status(SkinStatusId id) const { return status[static_cast<std::size_t>(id)]; }

    // Drops every string the script gave; the script path, which says where the script came from, stays.
    void FreeStrings();
    bool HasStrings() const;
    bool operator==(const SkinScript&) const = default;
};

// Where a message box would appear: the reader's only contact with the user.

inline constexpr std::string_view kScriptSyntaxErrorCaption = "Script Syntax Error";

enum class SkinLoadStatus {
    Ok,
    CannotOpen,   // the file could not be read; nothing was shown
    SyntaxError,  // "Error at: <tag>" was shown
};

struct SkinLoadResult {
    SkinLoadStatus status = SkinLoadStatus::Ok;
    std::string expectedTag;   // the tag named in the message, brackets included
    std::size_t position = 0;  // offset in the white-space-free text where the reader stopped
    explicit operator bool() const { return status == SkinLoadStatus::Ok; }
};

// Fills `skin` from the bytes of a script. Strings held before are dropped first; on failure the object is left
// without strings (numbers read before the error remain, as nothing uses them without the strings).
SkinLoadResult LoadSkinScript(std::string_view bytes, SkinScript& skin, Prompts& messages);

// Reads the file first; CannotOpen (and no message) when it cannot be read. The script path is not changed.
SkinLoadResult LoadSkinScriptFile(const std::filesystem::path& path, SkinScript& skin, Prompts& messages);

// The script as the generator writes it: one tag or element per line, sections indented. Reading the result back
// gives the same SkinScript, provided its text values hold no '<' and, except name and author, no white space.
std::string SerializeSkinScript(const SkinScript& skin);

// "%sSkins\%s\%s.lsk" with the data directory (ending in a backslash) and the skin name twice. A data directory
// ending in '/' gets '/' as the separator throughout.
std::string SkinScriptPath(std::string_view dataDirectory, std::string_view skinName);

// The folder the skin's bitmaps are read from: "%sSkins\%s\", separators as above.
std::string SkinFolderPath(std::string_view dataDirectory, std::string_view skinName);

char PathSeparatorOf(std::string_view dataDirectory);

// "CineLedger.ini": the name of the skin in use on its first line; further lines belong to other settings (the
// movie database's [Hosts]) and are kept when the skin changes.
inline constexpr std::string_view kSkinIniFile = kIniFile;

// The name from the ini file's bytes: the first line without its line end, cut to 99 characters.
std::string ParseSkinIni(std::string_view bytes);

// The bytes written to the ini file: the bare name in place of the first line of `previous` (the file's old bytes),
// the rest kept from that line's end on; without further lines, the bare name and no line break.
std::string SerializeSkinIni(std::string_view skinName, std::string_view previous = {});

// Reads "CineLedger.ini" in the data directory (which ends in a path separator) and sets the skin's name and
// script path; false, with the skin untouched, when the file cannot be opened.
bool ReadSkinIni(std::string_view dataDirectory, SkinScript& skin);

// Makes the skin name the ini file's first line, keeping the lines after it (those within the bytes read).
bool WriteSkinIni(std::string_view dataDirectory, std::string_view skinName, FileWriter& writer, std::string& error);

}  // namespace cl
