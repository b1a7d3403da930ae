// The end-to-end harness: starts a copy of CineLedger.exe in a fresh data directory and drives it from the test
// process as a user would, through its windows, controls and message boxes. Every wait has a time-out.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// A new, empty data directory for one program run, in the build folder. It is removed when the owner goes unless
// Keep() was called, which a failing test does so that the files can be looked at.
class TempDataDir {
public:
    explicit TempDataDir(std::string_view name);
    TempDataDir(TempDataDir&&) noexcept;
    TempDataDir& operator=(TempDataDir&&) = delete;
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;
    ~TempDataDir();

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view file) const { return path_ / std::string(file); }
    // Puts a fixture file into the directory (before the program starts, usually); bytes are written unchanged.
    void WriteFile(std::string_view name, std::string_view contents) const;
    // The file's bytes, or nothing when it does not exist.
    std::optional<std::string> ReadFile(std::string_view name) const;
    bool Exists(std::string_view name) const;
    void Keep() { keep_ = true; }
    // Copies what is installed beside the program under test: the "Skins" folder, "CineLedger.ini" and
    // "Skin Tutorial.html". Throws std::runtime_error when they are missing.
    void InstallSkins() const;
    void RemoveFile(std::string_view name) const;

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
    static Program Start(const TempDataDir& dir, std::string_view arguments = {});

    Program() = default;  // no program yet
    Program(Program&&) noexcept = default;
    Program& operator=(Program&& other) noexcept;  // ends the copy this one held, if it still runs
    ~Program();

    DWORD Id() const { return id_; }
    HANDLE Process() const { return process_.get(); }
    bool Running() const;

    // The program's visible top-level window of class "CineLedger", or nullptr after the time-out.
    HWND WaitForMainWindow(Duration timeout = kTimeout) const;
    // Posts WM_CLOSE to the main window (what the close box does).
    bool Close() const;
    // The exit code once the process has ended, or nothing after the time-out.
    std::optional<DWORD> WaitForExit(Duration timeout = kTimeout) const;
    // Ends the process at once and waits for it.
    void Kill();

private:
    Program(OwnedHandle process, DWORD id) : process_(std::move(process)), id_(id) {}
    OwnedHandle process_;
    DWORD id_ = 0;
};

// --- Finding windows ---------------------------------------------------------------------------------------------

inline constexpr char kDialogClass[] = "#32770";

// The process's top-level windows, optionally only those of a class and only the visible ones, in Z order.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr, bool visibleOnly = true);
// The first visible top-level window of the process with this class (and caption, when given), or nullptr.
HWND FindTopLevelWindow(DWORD processId, const char* className, std::optional<std::string_view> caption = {});
HWND WaitForTopLevelWindow(DWORD processId, const char* className, std::optional<std::string_view> caption = {},
                           Duration timeout = kTimeout);
// The process's visible dialogs and message boxes (class "#32770").
std::vector<HWND> Dialogs(DWORD processId);
// A visible dialog of the process with this caption (any caption when none is given), or nullptr after the time-out.
HWND WaitForDialog(DWORD processId, std::optional<std::string_view> caption = {}, Duration timeout = kTimeout);
// Waits until the window is gone or hidden; false after the time-out.
bool WaitForWindowGone(HWND window, Duration timeout = kTimeout);
std::string ClassName(HWND window);
HWND Control(HWND parent, int id);

// --- Reading controls --------------------------------------------------------------------------------------------
// Text crosses the process boundary through the wide messages (the ANSI ones bring back one character) and is
// returned in the ANSI code page, byte for byte as the program holds it.

// The window's caption as the system keeps it (titles of top-level windows and dialogs).
std::string Caption(HWND window);
// The text of a control, asked with WM_GETTEXT (an edit's text as typed, not its creation text).
std::string WindowText(HWND window);
std::string ControlText(HWND parent, int id);
std::vector<std::string> ListBoxItems(HWND listBox);
// Selected lines of a list box: the caret line of a single-selection box, all selected lines of a multiple one.
std::vector<int> ListBoxSelection(HWND listBox);
std::vector<std::string> ComboBoxItems(HWND comboBox);
int ComboBoxSelection(HWND comboBox);
bool IsChecked(HWND parent, int id);
bool IsControlEnabled(HWND parent, int id);

// --- Acting ------------------------------------------------------------------------------------------------------
// Commands are posted, never sent: a command that opens a modal dialog would otherwise block the test until the
// dialog closes.

// Posts the click notification of button id to its parent, as a mouse click on it would.
bool PressButton(HWND parent, int id);
// Posts WM_COMMAND with a command id (menu item or accelerator) to a window.
bool PostCommand(HWND window, int commandId);
// Replaces a control's text (WM_SETTEXT, wide).
bool SetControlText(HWND parent, int id, std::string_view text);

// --- Message boxes -----------------------------------------------------------------------------------------------

inline constexpr int kMessageBoxTextId = 65535;

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;  // the static 65535
};

// The process's message box once one is shown (a "#32770" with a static 65535), or nothing after the time-out.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Duration timeout = kTimeout);
// Clicks IDYES, IDNO, IDOK or IDCANCEL and waits until the box has gone; false when it stays.
bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId, Duration timeout = kTimeout);

}  // namespace cl::e2e
