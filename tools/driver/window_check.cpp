// window_check.exe <program> <window class>: starts the program, waits for its top-level
// window of that class, closes it and waits for the program to end. Exit code 0 only when
// all of that happened; used to see that an installed program really starts.
#include "driver.h"

int wmain(int argc, wchar_t** argv) {
    using namespace scrutor::driver;
    if (argc != 3) return 2;
    Program program;
    if (!program.Start(argv[1])) return 3;
    HWND window = WaitForWindow(program.Id(), argv[2], nullptr, 30000);
    if (!window) return 4;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return program.WaitForExit(20000) == 0 ? 0 : 5;
}
