// The resources compiled into CineLedger.exe, read in this process from the program file: the main menu, the three
// list menus and the accelerator table against one table of what they must hold, command ids unique within each
// menu.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/Harness_win.h"
#include "ui/ListMenus.h"

namespace cl::e2e {
namespace {

// One menu item, in menu order: its depth below the menu bar, its label ("-" for a separator), its command id (0 for
// a popup) and whether the resource checks it. `entry` is the position the list box uses to gray the item (a
// ListMenuEntry or UpcomingMenuEntry), -1 for the items it leaves alone.
struct Item {
    int depth;
    const char* label;
    int id = 0;
    bool checked = false;
    int entry = -1;
};

constexpr int At(ListMenuEntry e) {
    return static_cast<int>(e);
}
constexpr int At(UpcomingMenuEntry e) {
    return static_cast<int>(e);
}

struct Menu {
    const char* name;
    LPCSTR resource;
    std::vector<Item> items;
};

const Menu kMenus[] = {
    {"CINELEDGER",
     "CINELEDGER",
     {
         {0, "Main"},
         {1, "&File"},
         {2, "&Save\tCtrl+S", 40038},
         {2, "&Backup\tCtrl+B", 40036},
         {2, "&Load Backup File(s)", 40037},
         {2, "-"},
         {2, "Import Gimme List", 40056},
         {2, "Close Imported Gimme List", 40060},
         {2, "Save Imported Gimme List", 40064},
         {2, "Delete Gimme List", 40063},
         {2, "-"},
         {2, "Send Main Movie List", 40081},
         {2, "Send Gimme List", 40055},
         {2, "-"},
         {2, "Start Se&rver", 40051},
         {2, "-"},
         {2, "Print Movie List", 40083},
         {2, "-"},
         {2, "&Exit\tCtrl+Q", 40040},
         {1, "&View"},
         {2, "Movie List"},
         {3, "Main Movie List", 40020, true},
         {3, "Upcoming Movie List", 40021},
         {3, "Gimme List"},
         {4, "Internal Gimme List", 40061},
         {4, "Imported Gimme List", 40062},
         {2, "By Category\tCtrl+I", 40092},
         {2, "By Presense"},
         {3, "&Present Movies\tCtrl+P", 40022},
         {3, "&Absent Movies\tCtrl+A", 40023},
         {2, "By Location"},
         {3, "Main &Locations\tCtrl+L", 40042},
         {3, "&Upcoming Locations\tCtrl+U", 40049},
         {2, "-"},
         {2, "&Quarantine\tCtrl+R", 40044},
         {1, "&Tools"},
         {2, "Settings", 40076},
         {2, "Skins...\tCtrl+Z", 40089},
         {1, "&Help"},
         {2, "&About", 40043},
         {2, "Read Help File", 40065},
         {2, "Skin Tutorial", 40091},
     }},
    {"107",
     MAKEINTRESOURCEA(107),
     {
         {0, "MainMenu"},
         {1, "Change Presense", 0, false, At(ListMenuEntry::Presence)},
         {2, "Present", 40012},
         {2, "Absent", 40013},
         {1, "Edit...", 40011, false, At(ListMenuEntry::Edit)},
         {1, "-"},
         {1, "Delete", 40015, false, At(ListMenuEntry::Delete)},
         {1, "-"},
         {1, "Movie Info...\tENTER", 40016, false, At(ListMenuEntry::MovieInfo)},
         {1, "Search the IMDb", 40069, false, At(ListMenuEntry::SearchImdb)},
         {1, "-"},
         {1, "Main Shift", 40050, false, At(ListMenuEntry::MainShift)},
         {1, "Add to Gimme List", 40054, false, At(ListMenuEntry::AddToGimme)},
         {1, "-"},
         {1, "Change Presense All", 0, false, At(ListMenuEntry::PresenceAll)},
         {2, "Present", 40066},
         {2, "Absent", 40067},
     }},
    {"201",
     MAKEINTRESOURCEA(201),
     {
         {0, "Upcoming Menu"},
         {1, "Delete", 40070, false, At(UpcomingMenuEntry::Delete)},
         {1, "Edit", 40072, false, At(UpcomingMenuEntry::Edit)},
         {1, "Add to Gimme List", 40071, false, At(UpcomingMenuEntry::AddToGimme)},
         {1, "-"},
         {1, "Add All to Gimme List", 40073, false, At(UpcomingMenuEntry::AddAllToGimme)},
     }},
    {"209",
     MAKEINTRESOURCEA(209),
     {
         {0, "Exchange"},
         {1, "Add to Upcoming Movie List", 40077},
         {1, "Add All to Upcoming Movie List", 40078},
         {1, "-"},
         {1, "Quarantine", 40080},
         {1, "Quarantine All Movies", 40079},
         {1, "-"},
         {1, "Search the IMDb", 40084},
         {1, "Info...", 40095},
         {1, "-"},
         {1, "Remove", 40093},
         {1, "Save To File", 40094},
     }},
};

// Accelerator table "CINELEDGER": every key with Ctrl, as a virtual-key code.
const std::pair<char, int> kAccelerators[] = {
    {'A', 40023}, {'B', 40036}, {'C', 40047}, {'D', 2},     {'E', 4},     {'F', 3},
    {'G', 40046}, {'I', 40092}, {'L', 40042}, {'P', 40022}, {'Q', 40040}, {'R', 40044},
    {'S', 40038}, {'U', 40049}, {'V', 1},     {'X', 40045}, {'Z', 40089},
};

// A menu item as read back, with its position among its siblings.
struct Seen {
    std::string line;
    int id;
    int position;
};

// One line per item: indentation by depth, the label with its tab written as "\t", the id, the states.
std::string Line(int depth, std::string_view label, int id, bool checked, bool grayed) {
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    for (char c : label) line += c == '\t' ? std::string("\\t") : std::string(1, c);
    if (id != 0) line += " " + std::to_string(id);
    if (checked) line += " [checked]";
    if (grayed) line += " [grayed]";
    return line;
}

void Read(HMENU menu, int depth, std::vector<Seen>& seen) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char label[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = label;
        info.cch = sizeof label - 1;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) << "item " << position;
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;  // always grayed: its state says nothing
        const int id = separator || info.hSubMenu ? 0 : static_cast<int>(info.wID);
        seen.push_back({Line(depth, separator ? "-" : label, id, (info.fState & MFS_CHECKED) != 0,
                             !separator && (info.fState & MFS_GRAYED) != 0),
                        id, position});
        if (info.hSubMenu) Read(info.hSubMenu, depth + 1, seen);
    }
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

class Resources : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        program_ = LoadLibraryExA(ProgramUnderTest().string().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (program_) FreeLibrary(program_);
        program_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(program_, nullptr) << "cannot load " << ProgramUnderTest().string(); }

    static HMODULE program_;
};
HMODULE Resources::program_ = nullptr;

TEST_F(Resources, MenusHoldTheirItemsInOrderWithUniqueIds) {
    for (const Menu& menu : kMenus) {
        SCOPED_TRACE(std::string("menu ") + menu.name);
        OwnedMenu loaded(LoadMenuA(program_, menu.resource));
        ASSERT_TRUE(loaded);
        std::vector<Seen> seen;
        Read(loaded.get(), 0, seen);

        std::vector<std::string> expected, actual;
        for (const Item& item : menu.items)
            expected.push_back(Line(item.depth, item.label, item.id, item.checked, false));
        for (const Seen& s : seen) actual.push_back(s.line);
        ASSERT_EQ(Join(actual), Join(expected));

        // The list boxes gray entries by position: each position they use must be the item meant.
        for (std::size_t i = 0; i < seen.size(); ++i) {
            if (menu.items[i].entry < 0) continue;
            EXPECT_EQ(seen[i].position, menu.items[i].entry) << menu.items[i].label;
        }

        std::map<int, int> uses;
        for (const Seen& s : seen)
            if (s.id != 0) ++uses[s.id];
        for (const auto& [id, count] : uses) EXPECT_EQ(count, 1) << "command " << id;
    }
    // Every entry the list boxes set is one of the items above.
    std::set<int> listEntries, upcomingEntries;
    for (const Item& item : kMenus[1].items)
        if (item.entry >= 0) listEntries.insert(item.entry);
    for (const Item& item : kMenus[2].items)
        if (item.entry >= 0) upcomingEntries.insert(item.entry);
    for (ListMenuEntry e : kListMenuEntries) EXPECT_EQ(listEntries.count(At(e)), 1u) << At(e);
    for (UpcomingMenuEntry e : kUpcomingMenuEntries) EXPECT_EQ(upcomingEntries.count(At(e)), 1u) << At(e);
}

TEST_F(Resources, AcceleratorsAreCtrlKeysOfTheirCommands) {
    HACCEL table = LoadAcceleratorsA(program_, "CINELEDGER");  // a resource table: freed with the module
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> keys(static_cast<std::size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
    CopyAcceleratorTableA(table, keys.data(), static_cast<int>(keys.size()));

    std::vector<std::string> expected, actual;
    for (const auto& [key, command] : kAccelerators)
        expected.push_back(std::string("Ctrl+") + key + " " + std::to_string(command));
    for (const ACCEL& a : keys) {
        const int modifiers = a.fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT);
        const std::string prefix =
            modifiers == (FVIRTKEY | FCONTROL) ? "Ctrl+" : "flags " + std::to_string(modifiers) + " ";
        actual.push_back(prefix + static_cast<char>(a.key) + " " + std::to_string(a.cmd));
    }
    EXPECT_EQ(Join(actual), Join(expected));
}

// The guide is set whole into the documentation dialog's box: CR LF lines only (the box breaks lines at CR LF
// only), plain ASCII without tabs, no line wider than the box, and about the size the dialog is made for.
TEST_F(Resources, UserGuideIsPlainTextOfCrLfLines) {
    HRSRC found = FindResourceA(program_, "README", "TEXT");
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program_, found)));
    const std::string_view guide(bytes, SizeofResource(program_, found));
    EXPECT_TRUE(guide.size() >= 17000 && guide.size() <= 19000) << guide.size();
    for (std::size_t start = 0, end; start < guide.size(); start = end + 2) {
        end = guide.find("\r\n", start);
        ASSERT_NE(end, std::string_view::npos) << "the last line has no CR LF";
        const std::string_view line = guide.substr(start, end - start);
        EXPECT_LE(line.size(), 76u) << line;
        for (char c : line) ASSERT_TRUE(c >= ' ' && c <= '~') << "byte " << static_cast<int>(c) << " in: " << line;
    }
}

}  // namespace
}  // namespace cl::e2e
