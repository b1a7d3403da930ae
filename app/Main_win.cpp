// Program entry: makes the data directory current, registers the main window class, creates the window and
// runs the message loop until the quit message.
#include <windows.h>

#include <string>

#include "app/DataDirectory.h"

namespace cl {
namespace {

constexpr char kWindowClass[] = "CineLedger";
constexpr char kWindowTitle[] = "CineLedger";
constexpr WORD kIconResource = 223;
// Until the skin gives the window its size, it opens at this one.
constexpr int kInitialWidth = 640;
constexpr int kInitialHeight = 480;

std::string ModulePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kWindowClass;
    return RegisterClassA(&wc) != 0;
}

int Run(HINSTANCE instance, int showCommand) {
    // Every data file is named relative to the data directory, so it is made current before anything is read.
    std::string dataDirectory = DataDirectoryFromModulePath(ModulePath());
    if (!dataDirectory.empty()) SetCurrentDirectoryA(dataDirectory.c_str());

    if (!RegisterMainWindowClass(instance)) return 1;
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, kInitialWidth, kInitialHeight, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace cl

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return cl::Run(instance, showCommand); }
