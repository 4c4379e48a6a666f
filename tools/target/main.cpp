#include <cwchar>

#include "target_window.h"

// A stand-in for another program's dialog, for the Control Info Tool to look at.
// Arguments: the screen position "x y" (100 100 without them).
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    int x = 100;
    int y = 100;
    if (arguments != nullptr && swscanf(arguments, L"%d %d", &x, &y) != 2) {
        x = 100;
        y = 100;
    }
    HWND dialog = scrutor::target::CreateTargetWindow(instance, x, y);
    if (dialog == nullptr) return 1;
    MSG message;
    while (IsWindow(dialog) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
