// The editor's helper windows worked as a technician would. The insert-command dialog: Alt+I,
// rows checked or highlighted, the buttons and Enter; results read back from the editor and
// the tip. The memory list: lines memorized from a log with Alt+M, put into the script with
// Ctrl+W or the window's buttons, deleted, and the window closed and opened again with Alt+W.
// "Find" and "Find next": Ctrl+F, typing, Enter and F3.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
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

const std::wstring kA = L"C:\\Users\\Maria\\AppData\\Roaming\\upd.exe | Not signed";
const std::wstring kB = L"<Run> | Updater | C:\\ProgramData\\upd\\upd.exe /silent";
const std::wstring kC = L"<Services> | UpdSvc | Running - Auto | C:\\upd\\svc.exe";
const std::wstring kShort = L"C:\\Temp\\tool.exe | Not signed";  // one short of kept
const std::wstring kAnchor = L"anchor line";

std::wstring Lines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"\r\n") + line;
    return text;
}

bool HasItems(HWND list, const std::vector<std::wstring>& expected) {
    return WaitUntil([&] {
        std::vector<std::wstring> items;
        for (int i = 0; i < ListItemCount(list); ++i) items.push_back(ListItemText(list, i));
        return items == expected;
    });
}

// Memorizes the selection with Alt+M; answers the (possibly still hidden) window's list.
HWND Memorize(HWND window, DWORD processId, HWND& memory) {
    if (!Press(window, 'M', false, true)) return nullptr;
    memory = WaitForWindow(processId, L"SCRUTOR_INSERT_WND", L"Scrutor's memory list", kWindowTimeout);
    return memory != nullptr ? FindChild(memory, L"SysListView32") : nullptr;
}

bool ShowWithAltW(HWND window, HWND memory) {
    return Press(window, 'W', false, true) &&
           WaitUntil([&] { return IsWindowVisible(memory) != FALSE; });
}

// Double-clicks with the real mouse in the list's first row (just under its header).
bool DoubleClickFirstRow(HWND list) {
    RECT header{};
    GetClientRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
    for (int click = 0; click < 2; ++click) ClickAt(list, {60, header.bottom + 6});
    return true;
}

TEST_F(OpenedLog, MemorizedLinesGoInWithCtrlWOrTheButtonsAndStayThroughDeleteAndReopen) {
    ASSERT_NO_FATAL_FAILURE(Open(L"memory.log"));
    ASSERT_EQ(kShort.size(), 29u);
    SetWindowPos(window, nullptr, 510, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // room on its left
    const std::wstring log = Lines({kA, kShort, kB, kAnchor});
    // From inside the first line to inside the third: the lines are taken whole.
    SetEditor(editor, log, 3, static_cast<int>(kA.size() + kShort.size() + 8));
    HWND memory = nullptr;
    HWND list = Memorize(window, scrutor.Id(), memory);
    ASSERT_NE(list, nullptr) << "Alt+M made no memory list";
    EXPECT_TRUE(HasItems(list, {kA, kB})) << "the 29-character line must be left out";
    EXPECT_FALSE(IsWindowVisible(memory)) << "memorizing keeps the window hidden";
    RECT mainFrame{}, memoryFrame{};
    GetWindowRect(window, &mainFrame);
    GetWindowRect(memory, &memoryFrame);
    EXPECT_EQ(std::pair(memoryFrame.left, memoryFrame.top),
              std::pair(mainFrame.left - 500, mainFrame.top));

    // The caret in the first half of the last line: the items go in above it, in order.
    const int anchorStart = static_cast<int>(log.size() - kAnchor.size());
    SendMessageW(editor, EM_SETSEL, anchorStart + 2, anchorStart + 2);
    ASSERT_TRUE(Press(window, 'W', true));
    EXPECT_EQ(WaitForChange(editor, log), Lines({kA, kShort, kB, kA, kB, kAnchor}));
    EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0) << "Ctrl+W marks the document modified";

    ASSERT_TRUE(ShowWithAltW(window, memory));
    ASSERT_TRUE(CheckListItem(list, 0, true));
    Sleep(300);  // only for the picture: the check mark is painted a moment later
    SaveScreenshot(BesideThisProgram("memory_list.bmp"));
    ASSERT_TRUE(PressButton(memory, L"Delete checled"));
    EXPECT_TRUE(HasItems(list, {kB}));

    PostMessageW(memory, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(memory); })) << "closing must hide";
    ASSERT_TRUE(ShowWithAltW(window, memory));
    EXPECT_TRUE(HasItems(list, {kB})) << "reopening lost or changed the items";
    ASSERT_TRUE(PressButton(memory, L"Delete all"));
    EXPECT_TRUE(HasItems(list, {}));
    ASSERT_TRUE(Press(memory, VK_ESCAPE));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(memory); })) << "Esc must hide like close";

    // Every inserting action of the window, with the caret in the second half of the anchor
    // line: what it picks goes in below that line, in list order.
    const std::wstring more = Lines({kAnchor, kA, kB, kC});
    SetEditor(editor, more, static_cast<int>(kAnchor.size()) + 2, static_cast<int>(more.size()));
    ASSERT_EQ(Memorize(window, scrutor.Id(), memory), list);
    ASSERT_TRUE(HasItems(list, {kA, kB, kC}));
    ASSERT_TRUE(ShowWithAltW(window, memory));

    // The first click of a double click leaves only the row under the mouse selected.
    const struct {
        const char* name;
        std::function<bool()> act;
        std::wstring text;
    } cases[] = {
        {"insert checked",
         [&] {
             return CheckListItem(list, 0, true) && CheckListItem(list, 2, true) &&
                    PressButton(memory, L"Insert checled");
         },
         Lines({kAnchor, kA, kC})},
        {"insert highlighted",
         [&] {
             return SelectListItems(list, {1, 2}) && PressButton(memory, L"Insert hilighted");
         },
         Lines({kAnchor, kB, kC})},
        {"insert all", [&] { return PressButton(memory, L"Insert all"); },
         Lines({kAnchor, kA, kB, kC})},
        {"double click", [&] { return Activate(memory) && DoubleClickFirstRow(list); },
         Lines({kAnchor, kA})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEditor(editor, kAnchor, 7, 7);
        EXPECT_TRUE(c.act());
        EXPECT_EQ(WaitForChange(editor, kAnchor), c.text);
    }

    ASSERT_TRUE(SelectListItems(list, {0, 2}));
    ASSERT_TRUE(PressButton(memory, L"Delete hilighted"));
    EXPECT_TRUE(HasItems(list, {kB}));

    EXPECT_TRUE(Closes(scrutor, window, L"No")) << "inserting from the window must mark the document modified";
}

constexpr wchar_t kText[] = L"abc ABC abc";

HWND OpenFindWindow(HWND window, DWORD processId) {
    if (!Press(window, 'F', true)) return nullptr;
    HWND find = WaitForWindow(processId, L"SCRUTOR_FIND_WND", L"Find text", kWindowTimeout);
    if (find == nullptr || !WaitUntil([&] { return IsWindowVisible(find) != FALSE; }))
        return nullptr;
    return find;
}

TEST_F(OpenedLog, FindProposesTheSelectionWalksEveryOccurrenceAndReportsWhatItCannotDo) {
    ASSERT_NO_FATAL_FAILURE(Open(L"find.log"));
    SetEditor(editor, kText, 4, 7);
    ASSERT_TRUE(Press(window, VK_F3));
    EXPECT_EQ(AnswerMessageBoxText(scrutor.Id(), L"OK"), L"Can not find an empty string! Try again.");
    EXPECT_EQ(WaitForWindow(scrutor.Id(), L"SCRUTOR_FIND_WND", nullptr, 500), nullptr)
        << "F3 alone must not open the find window";

    HWND find = OpenFindWindow(window, scrutor.Id());
    ASSERT_NE(find, nullptr);
    HWND input = FindChild(find, L"Edit");
    EXPECT_EQ(WindowText(input), L"ABC") << "the selection is the proposed text";
    SaveScreenshot(BesideThisProgram("find_window.bmp"));
    SendMessageW(editor, EM_SETSEL, 0, 0);
    SendMessageW(input, EM_SETSEL, 0, -1);
    TypeText(L"abc");
    PressKey(VK_RETURN);  // "Find next" of the window
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(find); })) << "Find next hides the window";
    EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == std::pair(0, 3); }));
    for (const std::pair<int, int>& next : {std::pair(4, 7), std::pair(8, 11), std::pair(0, 3)}) {
        PressKey(VK_F3);
        EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == next; }))
            << "expected " << next.first << "-" << next.second << ", got "
            << Selection(editor).first << "-" << Selection(editor).second;
    }

    ASSERT_EQ(OpenFindWindow(window, scrutor.Id()), find);
    EXPECT_EQ(WindowText(input), L"abc");
    SendMessageW(input, EM_SETSEL, 0, -1);
    TypeText(L"xyz");
    PressKey(VK_RETURN);
    EXPECT_EQ(AnswerMessageBoxText(scrutor.Id(), L"OK"),
              L"Find Text reached the starting point. No occurrences found.");
    EXPECT_TRUE(WaitUntil([&] {
        const auto [start, end] = Selection(editor);
        return start == end;
    })) << "a failed search leaves no selection";
    EXPECT_EQ(WindowText(editor), kText);
}

}  // namespace
