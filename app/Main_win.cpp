// Program entry: one running copy per data folder, then the main window does everything; its message loop's end is
// the program's end. Two copies on one folder would each save over what the other saved, so a second start on the
// same folder brings the running copy's window to the front and ends. Copies in different folders run side by side.
#include <windows.h>

#include <string>

#include "app/DataDirectory.h"
#include "app/MainWindow_win.h"
#include "model/base/Handle_win.h"

namespace {

constexpr char kMainWindowClass[] = "CineLedger";

// The folder as one name, whichever way it was reached (short names, letter case): the full long path.
std::string FolderName(const std::string& dataDirectory) {
    char full[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(dataDirectory.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return dataDirectory;
    char longPath[MAX_PATH] = {};
    length = GetLongPathNameA(full, longPath, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string(full) : std::string(longPath, length);
}

std::string InstanceNameOfProgramFile(const std::string& programFile) {
    return cl::InstanceName(FolderName(cl::DataDirectoryFromModulePath(programFile)));
}

// The main window of another running copy whose data folder has this instance name, or nullptr.
HWND FindRunningCopy(const std::string& instanceName) {
    struct Search {
        const std::string& name;
        HWND found = nullptr;
    } search{instanceName};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            char className[32] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string_view(className) != kMainWindowClass) return TRUE;
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (processId == GetCurrentProcessId()) return TRUE;
            cl::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
            if (!process) return TRUE;
            char image[MAX_PATH] = {};
            DWORD length = MAX_PATH;
            if (!QueryFullProcessImageNameA(process.get(), 0, image, &length)) return TRUE;
            if (InstanceNameOfProgramFile(std::string(image, length)) != s.name) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Brings the running copy forward: its window, or the message box or dialog it is showing (its window may still be
// hidden while it reports damaged files at start-up). The copy may still be starting, so it is looked for a while.
void BringRunningCopyForward(const std::string& instanceName) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (HWND window = FindRunningCopy(instanceName)) {
            if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
            HWND popup = GetLastActivePopup(window);
            SetForegroundWindow(popup != nullptr ? popup : window);
            return;
        }
        Sleep(100);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string instanceName = InstanceNameOfProgramFile(std::string(path, length));
    // Held until the process ends; the system releases it even when the process is killed.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, ("Local\\" + instanceName).c_str());
    const bool anotherCopyRuns = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    cl::OwnedHandle instanceLock(mutex);
    if (anotherCopyRuns) {
        BringRunningCopyForward(instanceName);
        return 0;
    }
    return cl::MainWindow::Run(instance, showCommand);
}
