// The end-to-end harness: starts a copy of CineLedger.exe in a fresh data directory and drives it from the test
// process as a user would, through its windows, controls, list boxes, menus and message boxes. Every wait has a
// time-out; nothing here depends on GoogleTest, so the UI benchmark uses it too.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/base/Handle_win.h"

namespace cl::e2e {

using Duration = std::chrono::milliseconds;
// Long enough for a slow CI machine; a met condition returns at once, so passing tests never wait this long.
inline constexpr Duration kTimeout = std::chrono::seconds(15);

// Asks condition() again and again until it answers true (returns true) or the time-out passes (returns false).
bool WaitUntil(const std::function<bool()>& condition, Duration timeout = kTimeout);

// A Linux path of the build as Wine names it ("/work/x" -> "Z:\work\x"); Windows paths are returned unchanged.
std::filesystem::path WinePath(std::string_view path);
// The CineLedger.exe of this build (the environment variable CL_PROGRAM overrides it).
std::filesystem::path ProgramUnderTest();
// Where the tests leave their screenshots (in the build folder).
std::filesystem::path ScreenshotFolder();

// A file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadBytes(const std::filesystem::path& file);

// A new, empty data directory for one program run, in the build folder. It is removed when the owner goes unless
// Keep() was called, which a failing test does so that the files can be looked at. `name` is in the system's narrow
// bytes.
class TempDataDir {
  public:
    explicit TempDataDir(std::string_view name);
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;
    ~TempDataDir();

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view file) const { return path_ / std::string(file); }
    // Bytes are written and read unchanged; ReadFile gives nothing when the file does not exist.
    void WriteFile(std::string_view name, std::string_view contents) const;
    std::optional<std::string> ReadFile(std::string_view name) const;
    bool Exists(std::string_view name) const;
    void RemoveFile(std::string_view name) const;
    // Copies what `folder` holds into the directory.
    void CopyFrom(const std::filesystem::path& folder) const;
    // Copies what the build installs beside the program: "Skins", "CineLedger.ini" and "Skin Tutorial.html".
    void InstallSkins() const;
    void Keep() { keep_ = true; }

  private:
    std::filesystem::path path_;
    bool keep_ = false;
};

// A running copy of the program. The owner ends a copy that is still running when it goes.
class Program {
  public:
    // Copies the program under test into dir as "CineLedger.exe" (the program finds its data beside itself) and
    // starts it with the test's own current directory, so that the program has to find its data directory itself.
    // Throws std::runtime_error when the copy or the start fails.
    static Program Start(const TempDataDir& dir);

    Program() = default;
    Program(Program&&) noexcept = default;
    Program& operator=(Program&& other) noexcept;  // ends the copy this one held, if it still runs
    ~Program();

    DWORD Id() const { return id_; }
    bool Running() const;
    // The program's visible top-level window of class "CineLedger", or nullptr after the time-out.
    HWND WaitForMainWindow(Duration timeout = kTimeout) const;
    std::optional<DWORD> WaitForExit(Duration timeout = kTimeout) const;
    void Kill();

  private:
    Program(OwnedHandle process, DWORD id) : process_(std::move(process)), id_(id) {}
    OwnedHandle process_;
    DWORD id_ = 0;
};

// --- Windows and controls ----------------------------------------------------------------------------------------
// Text crosses the process boundary through the wide messages (the ANSI ones bring back one character) and is
// returned in the ANSI code page, byte for byte as the program holds it.

// The first visible top-level window of the process with this class (and caption, when given), once one shows.
HWND WaitForTopLevelWindow(DWORD processId, const char* className, std::optional<std::string_view> caption = {},
                           Duration timeout = kTimeout);
std::vector<HWND> Dialogs(DWORD processId);  // visible "#32770" windows, message boxes included
HWND WaitForDialog(DWORD processId, std::optional<std::string_view> caption = {}, Duration timeout = kTimeout);
// A visible dialog holding a control with this id (dialogs without a caption are found this way).
HWND WaitForDialogWithControl(DWORD processId, int controlId, Duration timeout = kTimeout);
bool WaitForWindowGone(HWND window, Duration timeout = kTimeout);  // gone or hidden
// Returns once the window's thread has handled every message posted to it so far.
void Sync(HWND window);
// The control of the window's thread that has the keyboard focus.
HWND FocusOf(HWND window);
std::string ClassName(HWND window);
HWND Control(HWND parent, int id);

// WM_GETTEXT: a window's caption, an edit's text as typed (GetWindowText gives its creation text).
std::string WindowText(HWND window);
std::string ControlText(HWND parent, int id);
std::vector<std::string> ListBoxItems(HWND listBox);
// The caret line of a single-selection box, all selected lines of a multiple one.
std::vector<int> ListBoxSelection(HWND listBox);
std::vector<std::string> ComboBoxItems(HWND comboBox);
int ComboBoxSelection(HWND comboBox);
bool IsChecked(HWND parent, int id);
bool IsControlEnabled(HWND parent, int id);

// Commands are posted, never sent: a command that opens a modal dialog would otherwise block the test.
bool PressButton(HWND parent, int id);  // the click notification, as a mouse click gives it
bool ClickRadio(HWND parent, int id);   // BM_CLICK, then waits until the button is checked
bool PostCommand(HWND window, int commandId);
bool SetControlText(HWND parent, int id, std::string_view text);
// Several controls' texts at once; false when one was refused.
bool Type(HWND parent, std::initializer_list<std::pair<int, std::string_view>> texts);
bool SetCheck(HWND parent, int id, bool checked);
bool SelectComboEntry(HWND parent, int id, int entry);
// Real key presses through the system's input (SendInput), with the window in front: the program's accelerator
// table sees them. The keys go down in order and up in reverse.
bool PressKeys(HWND window, std::initializer_list<WORD> keys);
bool PostKey(HWND window, WPARAM virtualKey);
bool SendKey(HWND window, WPARAM virtualKey);  // handled before this returns

// The system's open or save dialog of the process, once one shows: the path typed into its file name box and its
// OK button pressed; true once the dialog has gone (so a save names a new file: over an old one it asks first).
bool AnswerFileDialog(DWORD processId, const std::filesystem::path& file);

// --- List boxes and their menus ----------------------------------------------------------------------------------

// Clicks a line (scrolled into view) with the key flags the list box reads (MK_CONTROL, MK_SHIFT). Sent, so the
// click has been handled on return; `wait` false posts instead, for a click that shows a message box.
bool ClickLine(HWND list, int index, WPARAM keys = 0, bool wait = true);
// Clicks the first line, then Ctrl-clicks the others.
bool SelectLines(HWND list, const std::vector<int>& lines);
// Releases the right button over a line: the list captures its selection and opens its menu ("#32768").
HWND OpenContextMenu(HWND list, int overLine, DWORD processId);
bool CloseMenu(HWND menu);  // Escape; no command follows
// Opens the menu and closes it (the selection is captured), then posts the menu command as choosing it would.
bool RunListCommand(HWND list, int overLine, DWORD processId, int command);

// --- Message boxes -----------------------------------------------------------------------------------------------

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;  // the static 65535
};

// The process's message box once one shows, or nothing after the time-out.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Duration timeout = kTimeout);
// Clicks IDYES, IDNO, IDOK or IDCANCEL and waits until the box has gone.
bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId);

}  // namespace cl::e2e
