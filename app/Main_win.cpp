// Program entry: the main window does everything; its message loop's end is the program's end.
#include <windows.h>

#include "app/MainWindow_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return cl::MainWindow::Run(instance, showCommand);
}
