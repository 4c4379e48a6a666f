// The insert-command dialog worked as a technician would: Alt+I, rows checked or
// highlighted, the buttons and Enter; results read back from the editor and the tip.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "remote_list.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;

enum class Way { kChecked, kHilighted, kEnter };

struct InsertCase {
    const wchar_t* before;
    int selectionStart;
    int selectionEnd;
    std::vector<std::wstring> rows;  // keywords; L"" is the blank row
    bool parameters;
    Way way;
    const wchar_t* after;  // '^' marks the caret; null: nothing may change
    const wchar_t* tipStart;
};

std::wstring VisibleTipText(DWORD processId) {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tip, &owner);
        if (owner == processId && IsWindowVisible(tip)) return WindowText(tip);
    }
    return L"";
}

class InsertDialog : public OpenedLog {
protected:
    void OpenDialog() {
        ASSERT_TRUE(Press(window, 'I', false, true));
        dialog = WaitForWindow(scrutor.Id(), L"SCRUTOR_INSERT_WND", L"Insert command", kWindowTimeout);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; })) << "Alt+I showed no dialog";
        list = FindChild(dialog, WC_LISTVIEWW);
    }
    void Insert(const InsertCase& c) {
        SendMessageW(FindWindowExW(dialog, nullptr, L"Button", L"Insert parameters"), BM_SETCHECK, c.parameters, 0);
        SetListItemState(list, -1, 0, LVIS_SELECTED);
        for (const std::wstring& keyword : c.rows) {
            const int row = FindListItem(list, keyword);
            ASSERT_GE(row, 0);
            if (c.way == Way::kChecked) CheckListItem(list, row, true);
            if (c.way != Way::kChecked) SetListItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        }
        if (c.way != Way::kEnter) {
            EXPECT_TRUE(PressButton(dialog, c.way == Way::kChecked ? L"Insert checked" : L"Insert hilighted"));
            return;
        }
        ASSERT_TRUE(Press(dialog, VK_RETURN));
    }
    HWND dialog = nullptr;
    HWND list = nullptr;
};

TEST_F(InsertDialog, InsertsChosenRowsAboveOrBelowTheCaretLineAndEscHides) {
    ASSERT_NO_FATAL_FAILURE(Open(L"insert.log"));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    const InsertCase cases[] = {
        {L"ABCDEF", 1, 1, {L"<Reboot>", L"<Shutdown>"}, false, Way::kChecked,  // first half: above
         L"<Reboot>\r\n<Shutdown>^\r\nABCDEF", L"Syntax: <Shutdown>"},
        {L"ABCDEF", 5, 5, {L"<Reboot>", L"<Shutdown>"}, false, Way::kChecked,  // second half: below
         L"ABCDEF\r\n<Reboot>\r\n<Shutdown>^", L"Syntax: <Shutdown>"},
        {L"", 0, 0, {L"<BackupRegistry>", L"<Sleep>", L"->WaitWindow()"}, true, Way::kHilighted,
         L"<BackupRegistry> | flag | username\r\n<Sleep>[seconds]\r\n->WaitWindow( timeout, title, text ^)\r\n",
         L"Syntax: ->WaitWindow( timeout, title, text )"},
        {L"X1234", 5, 5, {L"->ClickControl()"}, false, Way::kEnter, L"X1234\r\n->ClickControl(^)",
         L"Syntax: ->ClickControl"},
        {L"<Delete>\r\nABCDEF", 10, 12, {L""}, false, Way::kHilighted, nullptr, nullptr},
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        SetEditor(editor, c.before, c.selectionStart, c.selectionEnd);
        SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
        ASSERT_NO_FATAL_FAILURE(Insert(c));
        if (c.after == nullptr) {  // the blank row alone: no deletion, no mark, no caret move
            EXPECT_FALSE(WaitUntil([&] { return WindowText(editor) != c.before || SendMessageW(editor, EM_GETMODIFY, 0, 0); }, 1000));
            EXPECT_EQ(Selection(editor), std::pair(c.selectionStart, c.selectionEnd));
            continue;
        }
        std::wstring expected = c.after;
        const auto caret = static_cast<int>(expected.find(L'^'));
        expected.erase(static_cast<std::size_t>(caret), 1);
        EXPECT_TRUE(WaitUntil([&] { return WindowText(editor) == expected; }));
        EXPECT_EQ(Selection(editor), std::pair(caret, caret));
        EXPECT_TRUE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
        EXPECT_TRUE(WaitUntil([&] { return VisibleTipText(scrutor.Id()).starts_with(c.tipStart); }));
    }
    // A picture for people: the whole list, two rows checked, the groups and the buttons.
    SetWindowPos(dialog, nullptr, 560, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // the screen is short
    ASSERT_TRUE(Activate(dialog));
    EXPECT_TRUE(SaveScreenshot(BesideThisProgram("insert_dialog.bmp")));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); })) << "Esc left the dialog open";
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_TRUE(ListItemChecked(list, FindListItem(list, L"<Reboot>"))) << "hiding lost the checks";
    PostMessageW(window, WM_CLOSE, 0, 0);  // the empty choice left the document unmodified
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
}

}  // namespace
