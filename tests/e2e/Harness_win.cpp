// The end-to-end harness: processes, windows, controls, list boxes and message boxes of the program under test,
// reached from the test process with window messages.
#include "tests/e2e/Harness_win.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "model/base/FileWriter.h"
#include "model/base/NativePath.h"

namespace cl::e2e {
namespace {

// A message to a hung program fails after this long instead of hanging the test.
constexpr UINT kSendTimeoutMs = 15000;
constexpr int kMessageBoxTextId = 65535;

std::string ToAnsi(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
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
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result) == 0)
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

// Item i of a list or combo box, through its length and text messages.
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
    for (int i = 0; count && i < *count; ++i) items.push_back(ItemText(box, lengthMessage, textMessage, i));
    return items;
}

// The process's top-level windows of a class (any class when null), in Z order.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className) {
    struct Search {
        DWORD processId;
        const char* className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && IsWindowVisible(window) &&
                (s.className == nullptr || ClassName(window) == s.className))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWindow(DWORD processId, const char* className, std::optional<std::string_view> caption) {
    for (HWND window : TopLevelWindows(processId, className))
        if (!caption || WindowText(window) == *caption) return window;
    return nullptr;
}

// Copies a file or a folder with everything in it into `into`, file by file: this runtime fails to copy a folder
// onto an existing one.
void CopyTree(const std::filesystem::path& from, const std::filesystem::path& into) {
    const std::filesystem::path to = into / from.filename();
    if (!std::filesystem::is_directory(from)) {
        if (std::string error; !CopyFileOver(from, to, error)) throw std::runtime_error(error);
        return;
    }
    std::filesystem::create_directories(to);
    for (const auto& entry : std::filesystem::directory_iterator(from)) CopyTree(entry.path(), to);
}

// The middle of a line, in the list box's client coordinates.
LPARAM LinePoint(HWND list, int index) {
    const auto height = static_cast<int>(Send(list, LB_GETITEMHEIGHT).value_or(0));
    const auto top = static_cast<int>(Send(list, LB_GETTOPINDEX).value_or(0));
    return MAKELPARAM(12, (index - top) * height + height / 2);
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
    return WinePath(CL_E2E_PROGRAM);
}

std::filesystem::path ScreenshotFolder() {
    std::filesystem::path folder = WinePath(CL_E2E_SCREENSHOT_DIR);
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

// --- TempDataDir -------------------------------------------------------------------------------------------------

TempDataDir::TempDataDir(std::string_view name) {
    static std::atomic<int> serial{0};
    const std::filesystem::path root = WinePath(CL_E2E_WORK_DIR);
    std::filesystem::create_directories(root);
    // The process id keeps runs of several test processes apart; the serial keeps one process's runs apart.
    for (int attempt = 0;; ++attempt) {
        std::ostringstream leaf;
        leaf << name << '-' << GetCurrentProcessId() << '-' << serial++;
        path_ = root / PathFromNative(leaf.str());
        std::error_code error;
        if (std::filesystem::create_directory(path_, error)) break;
        if (attempt > 100) throw std::runtime_error("cannot create a data directory under " + root.string());
    }
}

TempDataDir::~TempDataDir() {
    if (keep_ || path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDataDir::WriteFile(std::string_view name, std::string_view contents) const {
    std::ofstream stream(*this / name, std::ios::binary | std::ios::trunc);
    stream.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!stream) throw std::runtime_error("cannot write " + (*this / name).string());
}

std::optional<std::string> TempDataDir::ReadFile(std::string_view name) const {
    return ReadBytes(*this / name);
}

std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return std::nullopt;
    std::ostringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

bool TempDataDir::Exists(std::string_view name) const {
    std::error_code ignored;
    return std::filesystem::exists(*this / name, ignored);
}

void TempDataDir::RemoveFile(std::string_view name) const {
    std::error_code ignored;
    std::filesystem::remove_all(*this / name, ignored);
}

void TempDataDir::CopyFrom(const std::filesystem::path& folder) const {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) CopyTree(entry.path(), path_);
}

void TempDataDir::InstallSkins() const {
    for (const char* name : {"Skins", "CineLedger.ini", "Skin Tutorial.html"})
        CopyTree(ProgramUnderTest().parent_path() / name, path_);
}

// --- Program -----------------------------------------------------------------------------------------------------

Program Program::Start(const TempDataDir& dir) {
    const std::filesystem::path copy = dir / "CineLedger.exe";
    std::error_code error;
    // A second start in the same directory finds the copy already there (and possibly still held open by the
    // system for a moment after the first copy ended).
    if (!std::filesystem::exists(copy, error)) std::filesystem::copy_file(ProgramUnderTest(), copy, error);
    if (error) throw std::runtime_error("cannot copy the program to " + copy.string() + ": " + error.message());

    const std::string file = NativeFromPath(copy);
    std::string commandLine = "\"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
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

Program::~Program() {
    Kill();
}

bool Program::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND Program::WaitForMainWindow(Duration timeout) const {
    return WaitForTopLevelWindow(id_, "CineLedger", std::nullopt, timeout);
}

std::optional<DWORD> Program::WaitForExit(Duration timeout) const {
    if (!process_ || WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
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

// --- Windows and controls ----------------------------------------------------------------------------------------

HWND WaitForTopLevelWindow(DWORD processId, const char* className, std::optional<std::string_view> caption,
                           Duration timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(processId, className, caption)) != nullptr; }, timeout);
    return found;
}

std::vector<HWND> Dialogs(DWORD processId) {
    return TopLevelWindows(processId, "#32770");
}

HWND WaitForDialog(DWORD processId, std::optional<std::string_view> caption, Duration timeout) {
    return WaitForTopLevelWindow(processId, "#32770", caption, timeout);
}

HWND WaitForDialogWithControl(DWORD processId, int controlId, Duration timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : Dialogs(processId))
                if (Control(dialog, controlId) != nullptr) return (found = dialog) != nullptr;
            return false;
        },
        timeout);
    return found;
}

bool WaitForWindowGone(HWND window, Duration timeout) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

void Sync(HWND window) {
    Send(window, WM_NULL);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

HWND Control(HWND parent, int id) {
    return GetDlgItem(parent, id);
}

std::string WindowText(HWND window) {
    auto length = Send(window, WM_GETTEXTLENGTH);
    if (!length || *length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    auto copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied.value_or(0), 0, *length)));
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
    if (GetWindowLongA(listBox, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        selection.resize(static_cast<std::size_t>(std::max<LRESULT>(Send(listBox, LB_GETSELCOUNT).value_or(0), 0)));
        // The index array crosses the process boundary like the item texts do.
        auto copied = Send(listBox, LB_GETSELITEMS, selection.size(), reinterpret_cast<LPARAM>(selection.data()));
        selection.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied.value_or(0), 0, selection.size())));
    } else if (auto caret = Send(listBox, LB_GETCURSEL); caret && *caret >= 0) {
        selection.push_back(static_cast<int>(*caret));
    }
    return selection;
}

std::vector<std::string> ComboBoxItems(HWND comboBox) {
    return Items(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int ComboBoxSelection(HWND comboBox) {
    return static_cast<int>(Send(comboBox, CB_GETCURSEL).value_or(CB_ERR));
}

bool IsChecked(HWND parent, int id) {
    return Send(Control(parent, id), BM_GETCHECK) == BST_CHECKED;
}

bool IsControlEnabled(HWND parent, int id) {
    HWND control = Control(parent, id);
    return control != nullptr && IsWindowEnabled(control);
}

bool PressButton(HWND parent, int id) {
    HWND button = Control(parent, id);
    return button != nullptr &&
           PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

bool ClickRadio(HWND parent, int id) {
    return PostMessageA(Control(parent, id), BM_CLICK, 0, 0) && WaitUntil([&] { return IsChecked(parent, id); });
}

bool PostCommand(HWND window, int commandId) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != 0;
}

bool SetControlText(HWND parent, int id, std::string_view text) {
    std::wstring wide = ToWide(text);
    return Send(Control(parent, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())).value_or(0) != 0;
}

bool Type(HWND parent, std::initializer_list<std::pair<int, std::string_view>> texts) {
    return std::ranges::all_of(texts,
                               [&](const auto& text) { return SetControlText(parent, text.first, text.second); });
}

bool SetCheck(HWND parent, int id, bool checked) {
    return Send(Control(parent, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED).has_value();
}

bool SelectComboEntry(HWND parent, int id, int entry) {
    return Send(Control(parent, id), CB_SETCURSEL, static_cast<WPARAM>(entry)) == entry;
}

bool PressKeys(HWND window, std::initializer_list<WORD> keys) {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; })) return false;
    std::vector<INPUT> inputs(keys.size() * 2);
    std::size_t i = 0;
    for (WORD key : keys) {
        inputs[i].type = inputs[inputs.size() - 1 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[inputs.size() - 1 - i].ki.wVk = key;
        inputs[inputs.size() - 1 - i++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool PostKey(HWND window, WPARAM virtualKey) {
    return PostMessageA(window, WM_KEYDOWN, virtualKey, 1) != 0;
}

bool SendKey(HWND window, WPARAM virtualKey) {
    return Send(window, WM_KEYDOWN, virtualKey, 1).has_value();
}

bool AnswerFileDialog(DWORD processId, const std::filesystem::path& file) {
    constexpr int kFileNameBox = 1148;  // the file name combo box of the open and save dialogs
    HWND dialog = WaitForDialogWithControl(processId, kFileNameBox);
    return dialog != nullptr && SetControlText(dialog, kFileNameBox, WinePath(file.string()).string()) &&
           PostCommand(dialog, IDOK) && WaitForWindowGone(dialog);
}

// --- List boxes and their menus ----------------------------------------------------------------------------------

bool ClickLine(HWND list, int index, WPARAM keys, bool wait) {
    const LPARAM point = LinePoint(list, index);
    if (!wait)
        return PostMessageA(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, point) &&
               PostMessageA(list, WM_LBUTTONUP, keys, point);
    return Send(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, point) && Send(list, WM_LBUTTONUP, keys, point);
}

bool SelectLines(HWND list, const std::vector<int>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!ClickLine(list, lines[i], i == 0 ? 0 : MK_CONTROL)) return false;
    return true;
}

HWND OpenContextMenu(HWND list, int overLine, DWORD processId) {
    if (!PostMessageA(list, WM_RBUTTONUP, 0, LinePoint(list, overLine))) return nullptr;
    return WaitForTopLevelWindow(processId, "#32768");
}

// The menu's own loop reads the keys of its thread, whichever window they are posted to.
bool CloseMenu(HWND menu) {
    return PostKey(menu, VK_ESCAPE) && WaitForWindowGone(menu);
}

bool RunListCommand(HWND list, int overLine, DWORD processId, int command) {
    HWND menu = OpenContextMenu(list, overLine, processId);
    return menu != nullptr && CloseMenu(menu) && PostCommand(list, command);
}

// --- Message boxes -----------------------------------------------------------------------------------------------

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Duration timeout) {
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
            for (HWND dialog : Dialogs(processId)) {
                if (HWND text = Control(dialog, kMessageBoxTextId); text != nullptr) {
                    box = MessageBoxInfo{dialog, WindowText(dialog), WindowText(text)};
                    return true;
                }
            }
            return false;
        },
        timeout);
    return box;
}

bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId) {
    return PressButton(box.window, buttonId) && WaitForWindowGone(box.window);
}

}  // namespace cl::e2e
