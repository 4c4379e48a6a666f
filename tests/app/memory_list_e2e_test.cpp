// The memory list worked as a technician does: lines memorized from a log with Alt+M, put
// into the script with Ctrl+W or the window's buttons, deleted, and the window closed and
// opened again with Alt+W.
#include <windows.h>

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

}  // namespace
