#include "target_window.h"

#include <iterator>

namespace scrutor::target {
namespace {

constexpr wchar_t kPaneClass[] = L"ScrutorTargetPane";

struct ControlRow {
    int parentId;  // 0: the dialog itself
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int id;
    int x, y, width, height;
};

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;

// The group's button is its sibling, as in most dialogs: only a forced search reaches it.
constexpr ControlRow kControls[] = {
    {0, L"Button", L"Options", kShown | BS_GROUPBOX, kOptionsGroup, 10, 10, 200, 120},
    {0, L"Button", L"Inside", kShown | BS_PUSHBUTTON, kInsideButton, 30, 50, 100, 25},
    {0, kPaneClass, L"", kShown | WS_BORDER, kOuterPane, 220, 10, 230, 150},
    {kOuterPane, L"Button", L"Hidden", WS_CHILD, kHiddenButton, 10, 10, 80, 25},
    {kOuterPane, kPaneClass, L"", kShown | WS_BORDER, kInnerPane, 10, 40, 200, 100},
    {kInnerPane, L"Button", L"Yes; go", kShown | BS_PUSHBUTTON, kDeepButton, 10, 10, 100, 25},
    {kInnerPane, L"BUTTON", L"Hidden too", WS_CHILD, kHiddenDeepButton, 10, 50, 100, 25},
    {0, L"Static", L"Name:", kShown, kNameLabel, 10, 140, 60, 20},
    {0, L"Static", L"Path:", kShown, kPathLabel, 80, 140, 60, 20},
    {0, L"Static", L"Run script", kShown, kStatusLabel, 150, 140, 100, 20},
    {0, L"Edit", L"first line\r\nsecond line", kShown | WS_BORDER | ES_MULTILINE,
     kNotesEdit, 10, 170, 300, 50},
    {0, L"Button", L"&OK", kShown | BS_DEFPUSHBUTTON, kOkButton, 350, 225, 100, 25},
};

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kTargetClass;
    if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kPaneClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CreateControls(HWND dialog, HINSTANCE instance) {
    HWND created[std::size(kControls)]{};
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        const ControlRow& row = kControls[i];
        HWND parent = dialog;
        for (std::size_t p = 0; p < i; ++p) {
            if (row.parentId != 0 && kControls[p].id == row.parentId) parent = created[p];
        }
        const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id));
        created[i] = CreateWindowExW(0, row.className, row.text, row.style, row.x, row.y,
                                     row.width, row.height, parent, menu, instance, nullptr);
        if (created[i] == nullptr) return false;
    }
    return true;
}

}  // namespace

HWND CreateTargetWindow(HINSTANCE instance, int x, int y) {
    if (!RegisterClasses(instance)) return nullptr;
    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, kTargetClass, kTargetTitle, kStyle, x, y,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (dialog == nullptr) return nullptr;
    if (!CreateControls(dialog, instance)) {
        DestroyWindow(dialog);
        return nullptr;
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    return dialog;
}

}  // namespace scrutor::target
