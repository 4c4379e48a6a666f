#include "app/main_window.h"

#include <windows.h>

#include <commctrl.h>

#include "app/application.h"
#include "app/commands.h"
#include "app/edit_commands.h"
#include "ui/layout.h"
#include "ui/editor.h"
#include "ui/tip.h"

namespace scrutor {

namespace {

constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 80;
constexpr int kEditorLeftMargin = 5;
constexpr std::uint32_t kEditorAnchors = ui::kResizeStretchX | ui::kResizeKeepRight |
                                         ui::kResizeStretchY | ui::kResizeKeepBottom |
                                         ui::kResizeFlickerFree;
constexpr UINT_PTR kEditorSubclassId = 1;

// Enter and the caret-moving keys: the tip would then explain a line the caret has left.
bool MovesAwayFromTip(WPARAM key) {
    return key == VK_RETURN || (key >= VK_PRIOR && key <= VK_DOWN);  // PgUp..Down: 0x21-0x28
}

// A click or one of those keys in the editor makes the main window's tip stale.
LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT_PTR, DWORD_PTR formPointer) {
    const bool hides = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                       (message == WM_KEYDOWN && MovesAwayFromTip(wParam));
    if (hides) {
        ui::HideTip(*reinterpret_cast<ui::Form*>(formPointer));
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, EditorProc, kEditorSubclassId);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The program runs elevated, so drops from an unelevated Explorer must be let through the
// privilege isolation filter. Loaded at run time: older systems lack the function.
void AllowDroppedFiles() {
    using FilterFunction = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = GetModuleHandleW(L"User32.dll");
    if (user32 == nullptr) return;
    auto filter = reinterpret_cast<FilterFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
    if (filter == nullptr) return;
    constexpr DWORD kAdd = 1;                 // MSGFLT_ADD
    constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA: carries the dropped paths
    for (UINT message : {UINT{WM_DROPFILES}, kCopyGlobalData, UINT{WM_NCHITTEST}}) {
        filter(message, kAdd);
    }
}

void CreateEditor(Application& app) {
    ui::Form& form = app.MainForm();
    RECT client{};
    GetClientRect(app.MainWindow(), &client);
    form.SetDefaultFont(app.Config().fontSize, 800, u"Courier new");
    (void)form.SetDefaultResizing(kEditorAnchors);
    app.SetEditor(form.CreateEditor(0, 0, client.right, client.bottom));
    HWND editor = app.Editor();
    if (editor == nullptr) return;
    SetWindowLongPtrW(editor, GWL_STYLE, GetWindowLongPtrW(editor, GWL_STYLE) | WS_TABSTOP);
    ApplyEditorFont(app);
    const WideString& text = app.CurrentDocument().originalText;
    if (!text.IsEmpty()) SetEditorText(editor, text);
    (void)form.SetResizing(app.EditorId(), kEditorAnchors);
    SetWindowSubclass(editor, EditorProc, kEditorSubclassId, reinterpret_cast<DWORD_PTR>(&form));
    SendMessageW(editor, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(editor, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(kEditorLeftMargin, 0));
    (void)form.SetDefaultResizing(0);
}

}  // namespace

void BuildMainWindow(Application& app) {
    app.MainForm().SetMinimumSize(kMinimumWidth, kMinimumHeight);
    app.Commands().Build(app.MainForm());
    CreateEditor(app);
    AllowDroppedFiles();
    const std::vector<ACCEL> accelerators = app.Commands().Accelerators();
    (void)app.MainForm().SetAccelerators(accelerators.data(), static_cast<int>(accelerators.size()));
}

}  // namespace scrutor
