// Starts the program named on the command line, waits for its main window, closes it and
// waits for it to end. Exit code 0 only when all of that happened.
#include "driver.h"

int wmain(int argc, wchar_t** argv) {
    using namespace scrutor::driver;
    if (argc != 2) return 2;
    Program program;
    if (!program.Start(argv[1])) return 3;
    HWND window = WaitForWindow(program.Id(), L"SCRUTOR_WND_CLASS", nullptr, 30000);
    if (!window) return 4;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return program.WaitForExit(20000) == 0 ? 0 : 5;
}
