// Helper of run_installer_test.sh: starts an installed CineLedger.exe (argument: its path, environment variables
// allowed), waits for its main window, then saves, backs up and closes it through its commands, answering Yes to
// every question. Exit code 0 once the program has ended by itself; every wait has a time limit.
#include <cstdio>
#include <string>

#include "model/base/Handle_win.h"
#include "res/ResourceIds.h"

namespace {

struct Search {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    char name[64] = {};
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, name, sizeof name);
    if (owner != search->processId || std::string(name) != search->className || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The first visible top-level window of the class in the process, waiting up to the limit.
HWND WaitForWindow(DWORD processId, const char* className, DWORD limitMs) {
    for (DWORD waited = 0;; waited += 50) {
        Search search{processId, className, nullptr};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || waited >= limitMs) return search.found;
        Sleep(50);
    }
}

// Answers the next message box of the process with Yes and waits until it has gone.
bool AnswerYes(DWORD processId) {
    HWND box = WaitForWindow(processId, "#32770", 20000);
    if (box == nullptr) return false;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
    for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(50);
    return !IsWindow(box);
}

int Fail(const char* what) {
    std::fprintf(stderr, "installed_session: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: installed_session PATH\\CineLedger.exe");
    char program[MAX_PATH] = {};
    if (ExpandEnvironmentStringsA(argv[1], program, MAX_PATH) == 0) return Fail("cannot expand the path");

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Started from another folder: the program must find its data beside itself, not in the current folder.
    if (!CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &process))
        return Fail("cannot start the program");
    cl::OwnedHandle thread(process.hThread);
    cl::OwnedHandle running(process.hProcess);

    HWND window = WaitForWindow(process.dwProcessId, "CineLedger", 30000);
    bool ok = window != nullptr;
    if (ok) std::printf("installed_session: main window found\n");
    // Save asks once, Backup once, closing asks whether to exit and then whether to save.
    const struct {
        UINT message;
        WPARAM command;
        int questions;
    } steps[] = {{WM_COMMAND, IDM_SAVE, 1}, {WM_COMMAND, IDM_BACKUP, 1}, {WM_CLOSE, 0, 2}};
    for (const auto& step : steps) {
        if (!ok) break;
        PostMessageA(window, step.message, step.command, 0);
        for (int i = 0; ok && i < step.questions; ++i) ok = AnswerYes(process.dwProcessId);
    }
    bool ended = WaitForSingleObject(running.get(), 30000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(running.get(), 1);
    if (window == nullptr) return Fail("no main window within 30 s");
    if (!ok) return Fail("a question did not come or did not go");
    return ended ? 0 : Fail("the program did not end after closing");
}
