#include "target_window.h"

// A stand-in for another program's dialog, for the Control Info Tool to look at.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    HWND dialog = scrutor::target::CreateTargetWindow(instance, 100, 100);
    if (dialog == nullptr) return 1;
    MSG message;
    while (IsWindow(dialog) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
