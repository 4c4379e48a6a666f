// The Control Info Tool worked with the real mouse: Alt+C, the picker dragged over another
// program's dialog and released, then rows chosen with the keyboard and their values
// copied and inserted into the script.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "remote_list.h"
#include "test_files.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;

constexpr POINT kTargetAt{700, 120};
constexpr POINT kPickerCentre{411, 26};   // client point of the tool's picker icon
constexpr POINT kForcedBox{32, 368};      // client point of the check box
constexpr POINT kInsideButton{60, 62};    // target's client point on its "Inside" button

enum Row { kWindowClass, kWindowTitle, kControlText = 5, kClassNN, kAdvanced, kId, kClickPos };

class ControlInfoTool : public OpenedLog {
protected:
    void SetUp() override {
        ASSERT_TRUE(target.Start(BesideThisProgram(SCRUTOR_TARGET_RELATIVE),
                                 std::to_wstring(kTargetAt.x) + L" " + std::to_wstring(kTargetAt.y)));
        targetWindow = WaitForWindow(target.Id(), L"ScrutorTargetDialog", nullptr, kWindowTimeout);
        ASSERT_NE(targetWindow, nullptr);
        ASSERT_NO_FATAL_FAILURE(Open(L"control_info.log"));
        SetEditor(editor, L"first\r\nsecond");
        SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
        ASSERT_TRUE(Activate(window));
        PressKey('C', false, true);
        tool = WaitForWindow(scrutor.Id(), L"SCRUTOR_INFOTOOL_WND", L"Control Info Tool",
                             kWindowTimeout);
        ASSERT_NE(tool, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tool) != FALSE; }));
        list = FindChild(tool, L"SysListView32");
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(Activate(targetWindow));
        POINT over = kInsideButton;
        ClientToScreen(targetWindow, &over);
        ASSERT_TRUE(WaitUntil([&] { return GetAncestor(WindowFromPoint(over), GA_ROOT) == targetWindow; }))
            << "the target must come over the main window (unmanaged by Wine, as the fixture sets)";
    }

    void TearDown() override {
        PostMessageW(targetWindow, WM_CLOSE, 0, 0);
        (void)target.WaitForExit(5000);
    }

    // Press on the picker, glide onto the target's point, and (unless told) release there.
    void Drag(POINT targetClient, const char* screenshot = nullptr) {
        POINT from = kPickerCentre;
        ClientToScreen(tool, &from);
        POINT to = targetClient;
        ClientToScreen(targetWindow, &to);
        MovePointer(from);
        Sleep(150);
        PointerButton(true);
        GlidePointer(from, to, 8);
        EXPECT_TRUE(WaitUntil([&] { return Value(kWindowClass) == L"ScrutorTargetDialog"; }))
            << "the rows follow the pointer while the button is held";
        if (screenshot != nullptr) SaveScreenshot(BesideThisProgram(screenshot));
        PointerButton(false);
        Sleep(200);
    }

    [[nodiscard]] std::wstring Value(Row row) const { return ListItemText(list, row, 1); }

    // Chooses a row with the keyboard, as a technician does.
    void SelectRow(Row row) {
        ASSERT_TRUE(Activate(tool));
        ClickAt(list, {60, 30});
        PressKey(VK_HOME);
        for (int i = 0; i < row; ++i) PressKey(VK_DOWN);
        ASSERT_TRUE(WaitUntil([&] {
            return ListItemState(list, row, LVIS_SELECTED) == LVIS_SELECTED;
        }));
    }

    Program target;
    HWND targetWindow = nullptr;
    HWND tool = nullptr;
    HWND list = nullptr;
};

// One start of both programs: the picker dragged forced and plain, the frame narrowed, then
// the chosen rows copied and inserted into the script.
TEST_F(ControlInfoTool, PickerFillsTheRowsForcedOrNotAndChosenRowsGoToClipboardAndScript) {
    Drag(kInsideButton, "control_info_drag.bmp");
    EXPECT_EQ(Value(kWindowTitle), L"Setup;; step 1");
    EXPECT_EQ(Value(kControlText), L"Inside") << "forced detection finds the button in the group";
    EXPECT_EQ(Value(kClassNN), L"Button2");
    EXPECT_EQ(Value(kAdvanced), L"[CLASS:Button; INSTANCE:2]");
    EXPECT_EQ(Value(kId), L"101");
    EXPECT_EQ(Value(kClickPos), L"60, 62");
    EXPECT_TRUE(IsWindowEnabled(FindChild(tool, L"Button", 2))) << "the buttons follow the values found";
    SaveScreenshot(BesideThisProgram("control_info_released.bmp"));

    const auto setForced = [&](bool forced) {
        ClickAt(tool, kForcedBox);
        return WaitUntil([&] {
            return SendMessageW(FindChild(tool, L"Button", 1), BM_GETCHECK, 0, 0) == (forced ? BST_CHECKED : BST_UNCHECKED);
        });
    };
    ASSERT_TRUE(setForced(false));
    Drag(kInsideButton);
    EXPECT_EQ(Value(kControlText), L"Options") << "plain detection stops at the group box";
    EXPECT_EQ(Value(kClassNN), L"Button1");
    EXPECT_EQ(Value(kId), L"100");

    // Narrowed by its frame, as a technician's drag would; then back.
    for (const int width : {400, 450}) {
        RECT frame{0, 0, width, 490};
        AdjustWindowRectEx(&frame, GetWindowLongW(tool, GWL_STYLE), FALSE,
                           GetWindowLongW(tool, GWL_EXSTYLE));
        SetWindowPos(tool, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const std::wstring start = width == 400 ? L"Use the Control Picker" : L"Click or tap";
        EXPECT_TRUE(WaitUntil([&] { return WindowText(FindChild(tool, L"Static")).starts_with(start); }))
            << width;
        Sleep(300);
        SaveScreenshot(BesideThisProgram(width == 400 ? "control_info_narrow.bmp" : "control_info_wide.bmp"));
    }

    ASSERT_TRUE(setForced(true));
    Drag(kInsideButton);
    ASSERT_EQ(Value(kClassNN), L"Button2");

    SelectRow(kClassNN);
    ASSERT_TRUE(scrutor::PutOnClipboard(CF_UNICODETEXT, L"", sizeof(wchar_t)));
    PressKey('C', true);
    EXPECT_TRUE(WaitUntil([&] { return scrutor::ClipboardText() == u"Button2"; })) << "Ctrl+C in the list";

    SelectRow(kId);
    ASSERT_TRUE(scrutor::PutOnClipboard(CF_UNICODETEXT, L"", sizeof(wchar_t)));
    ASSERT_TRUE(PressButton(tool, L"Copy selected"));
    EXPECT_TRUE(WaitUntil([&] { return scrutor::ClipboardText() == u"101"; }));

    SelectRow(kAdvanced);
    ASSERT_TRUE(PressButton(tool, L"Insert inline"));
    EXPECT_EQ(WaitForChange(editor, L"first\r\nsecond"), L"[CLASS:Button; INSTANCE:2]first\r\nsecond");
    EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);

    HWND functions = FindChild(tool, L"ComboBox");
    ASSERT_NE(SendMessageW(functions, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(L"->WaitControlState2")),
              CB_ERR);
    SetEditor(editor, L"first\r\nsecond", 3, 3);
    ASSERT_TRUE(PressButton(tool, L"Insert function"));
    const std::wstring expected = L"first\r\n->WaitControlState2([CLASS:Button; INSTANCE:2], 7)\r\nsecond";
    EXPECT_EQ(WaitForChange(editor, L"first\r\nsecond"), expected);
    DWORD caret = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    EXPECT_EQ(caret, expected.find(L"\r\nsecond") - 1) << "the caret stands just inside \")\"";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
}

}  // namespace
