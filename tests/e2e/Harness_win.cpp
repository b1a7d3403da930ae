// The end-to-end harness: processes, windows, controls and message boxes of the program under test, reached from
// the test process with window messages.
#include "tests/e2e/Harness_win.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace cl::e2e {
namespace {

// A message to a hung program fails after this long instead of hanging the test.
constexpr UINT kSendTimeoutMs = 5000;

std::string ToAnsi(std::wstring_view wide) {
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                   nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

std::wstring ToWide(std::string_view ansi) {
    if (ansi.empty()) return {};
    int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), size);
    return text;
}

// SendMessageTimeoutW; nothing when the window does not answer in time.
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs,
                            &result) == 0)
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

// Reads item i of a list or combo box with its length and text messages.
std::string ItemText(HWND box, UINT lengthMessage, UINT textMessage, int index) {
    auto length = Send(box, lengthMessage, static_cast<WPARAM>(index));
    if (!length || *length < 0) return {};
    std::wstring buffer(static_cast<std::size_t>(*length) + 1, L'\0');
    auto copied = Send(box, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (!copied || *copied < 0) return {};
    buffer.resize(static_cast<std::size_t>(std::min<LRESULT>(*copied, *length)));
    return ToAnsi(buffer);
}

std::vector<std::string> Items(HWND box, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::string> items;
    auto count = Send(box, countMessage);
    if (!count || *count <= 0) return items;
    items.reserve(static_cast<std::size_t>(*count));
    for (int i = 0; i < *count; ++i) items.push_back(ItemText(box, lengthMessage, textMessage, i));
    return items;
}

std::filesystem::path WorkFolder() {
#ifdef CL_E2E_WORK_DIR
    return WinePath(CL_E2E_WORK_DIR);
#else
    return std::filesystem::temp_directory_path() / "cl-e2e";
#endif
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, Duration timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        // Short polls: windows of another process cannot be waited on directly.
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
}

std::filesystem::path WinePath(std::string_view path) {
    if (path.empty() || path.front() != '/') return std::filesystem::path(path);
    std::string windows = "Z:" + std::string(path);
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return std::filesystem::path(windows);
}

std::filesystem::path ProgramUnderTest() {
    if (const char* overridden = std::getenv("CL_PROGRAM"); overridden != nullptr && *overridden != '\0')
        return WinePath(overridden);
#ifdef CL_E2E_PROGRAM
    return WinePath(CL_E2E_PROGRAM);
#else
    throw std::runtime_error("set CL_PROGRAM to the CineLedger.exe to test");
#endif
}

std::filesystem::path ScreenshotFolder() {
#ifdef CL_E2E_SCREENSHOT_DIR
    std::filesystem::path folder = WinePath(CL_E2E_SCREENSHOT_DIR);
#else
    std::filesystem::path folder = std::filesystem::current_path() / "screenshots";
#endif
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

// --- TempDataDir -------------------------------------------------------------------------------------------------

TempDataDir::TempDataDir(std::string_view name) {
    static std::atomic<int> serial{0};
    std::filesystem::path root = WorkFolder();
    std::filesystem::create_directories(root);
    // The process id keeps runs of several test processes apart; the serial keeps one process's runs apart.
    for (int attempt = 0;; ++attempt) {
        std::ostringstream leaf;
        leaf << name << '-' << GetCurrentProcessId() << '-' << serial++;
        path_ = root / leaf.str();
        std::error_code error;
        if (std::filesystem::create_directory(path_, error)) break;
        if (attempt > 100) throw std::runtime_error("cannot create a data directory under " + root.string());
    }
}

TempDataDir::TempDataDir(TempDataDir&& other) noexcept
    : path_(std::exchange(other.path_, {})), keep_(std::exchange(other.keep_, true)) {}

TempDataDir::~TempDataDir() {
    if (keep_ || path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDataDir::WriteFile(std::string_view name, std::string_view contents) const {
    std::ofstream stream(path_ / std::string(name), std::ios::binary | std::ios::trunc);
    stream.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!stream) throw std::runtime_error("cannot write " + (path_ / std::string(name)).string());
}

std::optional<std::string> TempDataDir::ReadFile(std::string_view name) const {
    std::ifstream stream(path_ / std::string(name), std::ios::binary);
    if (!stream) return std::nullopt;
    std::ostringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

void TempDataDir::InstallSkins() const {
    const std::filesystem::path from = ProgramUnderTest().parent_path();
    std::error_code error;
    for (const char* name : {"Skins", "CineLedger.ini", "Skin Tutorial.html"}) {
        std::filesystem::copy(from / name, path_ / name,
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                              error);
        if (error)
            throw std::runtime_error("cannot copy " + (from / name).string() + ": " + error.message() +
                                     " (the build places the skins beside the program)");
    }
}

void TempDataDir::RemoveFile(std::string_view name) const {
    std::error_code ignored;
    std::filesystem::remove_all(path_ / std::string(name), ignored);
}

bool TempDataDir::Exists(std::string_view name) const {
    std::error_code ignored;
    return std::filesystem::exists(path_ / std::string(name), ignored);
}

// --- Program -----------------------------------------------------------------------------------------------------

Program Program::Start(const TempDataDir& dir, std::string_view arguments) {
    std::filesystem::path copy = dir / "CineLedger.exe";
    std::error_code error;
    // A second start in the same directory finds the copy already there (and possibly still held open by the
    // system for a moment after the first copy ended).
    if (!std::filesystem::exists(copy, error) ||
        std::filesystem::file_size(copy, error) != std::filesystem::file_size(ProgramUnderTest(), error))
        std::filesystem::copy_file(ProgramUnderTest(), copy, std::filesystem::copy_options::overwrite_existing,
                                   error);
    if (error)
        throw std::runtime_error("cannot copy " + ProgramUnderTest().string() + " to " + copy.string() + ": " +
                                 error.message());

    std::string commandLine = "\"" + copy.string() + "\"";
    if (!arguments.empty()) commandLine += " " + std::string(arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(copy.string().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("cannot start " + copy.string() + ": " + LastWin32Error());
    OwnedHandle thread(info.hThread);
    return Program(OwnedHandle(info.hProcess), info.dwProcessId);
}

Program& Program::operator=(Program&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = std::move(other.process_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Program::~Program() { Kill(); }

bool Program::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

HWND Program::WaitForMainWindow(Duration timeout) const {
    return WaitForTopLevelWindow(id_, "CineLedger", std::nullopt, timeout);
}

bool Program::Close() const {
    HWND window = FindTopLevelWindow(id_, "CineLedger");
    return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) != 0;
}

std::optional<DWORD> Program::WaitForExit(Duration timeout) const {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void Program::Kill() {
    if (!Running()) return;
    TerminateProcess(process_.get(), 255);
    WaitForSingleObject(process_.get(), 10000);
}

// --- Finding windows ---------------------------------------------------------------------------------------------

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className, bool visibleOnly) {
    struct Search {
        DWORD processId;
        const char* className;
        bool visibleOnly;
        std::vector<HWND> found;
    } search{processId, className, visibleOnly, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s.processId) return TRUE;
            if (s.visibleOnly && !IsWindowVisible(window)) return TRUE;
            if (s.className != nullptr && ClassName(window) != s.className) return TRUE;
            s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWindow(DWORD processId, const char* className, std::optional<std::string_view> caption) {
    for (HWND window : TopLevelWindows(processId, className))
        if (!caption || Caption(window) == *caption) return window;
    return nullptr;
}

HWND WaitForTopLevelWindow(DWORD processId, const char* className, std::optional<std::string_view> caption,
                           Duration timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(processId, className, caption)) != nullptr; }, timeout);
    return found;
}

std::vector<HWND> Dialogs(DWORD processId) { return TopLevelWindows(processId, kDialogClass); }

HWND WaitForDialog(DWORD processId, std::optional<std::string_view> caption, Duration timeout) {
    return WaitForTopLevelWindow(processId, kDialogClass, caption, timeout);
}

bool WaitForWindowGone(HWND window, Duration timeout) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

std::string ClassName(HWND window) {
    char name[256] = {};
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

HWND Control(HWND parent, int id) { return GetDlgItem(parent, id); }

// --- Reading controls --------------------------------------------------------------------------------------------

std::string Caption(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return ToAnsi(text);
}

std::string WindowText(HWND window) {
    auto length = Send(window, WM_GETTEXTLENGTH);
    if (!length || *length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    auto copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (!copied) return {};
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(*copied, 0, *length)));
    return ToAnsi(text);
}

std::string ControlText(HWND parent, int id) {
    HWND control = Control(parent, id);
    return control != nullptr ? WindowText(control) : std::string();
}

std::vector<std::string> ListBoxItems(HWND listBox) {
    return Items(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<int> ListBoxSelection(HWND listBox) {
    std::vector<int> selection;
    LONG style = GetWindowLongA(listBox, GWL_STYLE);
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        auto count = Send(listBox, LB_GETSELCOUNT);
        if (!count || *count <= 0) return selection;
        selection.resize(static_cast<std::size_t>(*count));
        // The index array crosses the process boundary like the item texts do.
        auto copied = Send(listBox, LB_GETSELITEMS, selection.size(), reinterpret_cast<LPARAM>(selection.data()));
        selection.resize(copied && *copied > 0 ? static_cast<std::size_t>(*copied) : 0);
    } else if (auto caret = Send(listBox, LB_GETCURSEL); caret && *caret >= 0) {
        selection.push_back(static_cast<int>(*caret));
    }
    return selection;
}

std::vector<std::string> ComboBoxItems(HWND comboBox) {
    return Items(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int ComboBoxSelection(HWND comboBox) {
    auto selection = Send(comboBox, CB_GETCURSEL);
    return selection ? static_cast<int>(*selection) : CB_ERR;
}

bool IsChecked(HWND parent, int id) {
    auto state = Send(Control(parent, id), BM_GETCHECK);
    return state && *state == BST_CHECKED;
}

bool IsControlEnabled(HWND parent, int id) {
    HWND control = Control(parent, id);
    return control != nullptr && IsWindowEnabled(control);
}

// --- Acting ------------------------------------------------------------------------------------------------------

bool PressButton(HWND parent, int id) {
    HWND button = Control(parent, id);
    if (button == nullptr) return false;
    return PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

bool PostCommand(HWND window, int commandId) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != 0;
}

bool SetControlText(HWND parent, int id, std::string_view text) {
    HWND control = Control(parent, id);
    if (control == nullptr) return false;
    std::wstring wide = ToWide(text);
    auto done = Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    return done && *done != 0;
}

// --- Message boxes -----------------------------------------------------------------------------------------------

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Duration timeout) {
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
            for (HWND dialog : Dialogs(processId)) {
                HWND text = Control(dialog, kMessageBoxTextId);
                if (text == nullptr) continue;
                box = MessageBoxInfo{dialog, Caption(dialog), WindowText(text)};
                return true;
            }
            return false;
        },
        timeout);
    return box;
}

bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId, Duration timeout) {
    return PressButton(box.window, buttonId) && WaitForWindowGone(box.window, timeout);
}

}  // namespace cl::e2e
