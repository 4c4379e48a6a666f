// Builds the real main window inside the test process: menus, accelerators, the editor and
// the editor operations, read back through the Win32 API.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/commands.h"
#include "app/edit_commands.h"
#include "app/filter_commands.h"
#include "ui/editor.h"
#include "app/event_loop.h"
#include "app_test_support.h"
#include "ui/event_codes.h"
#include "ui/event_record.h"

namespace scrutor {
namespace {

std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256]{};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        texts.emplace_back(text[0] != 0 ? text : L"-");
    }
    return texts;
}

// Every row of the command table sits in its menu at its place with its text, enabled
// exactly when its feature exists (the run commands also need ZEP).
TEST_F(MainWindowTest, MenusFollowTheCommandTable) {
    HMENU bar = GetMenu(app.MainWindow());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuTexts(bar),
              (std::vector<std::wstring>{L"&File", L"Edit", L"Tools", L"Analyze log", L"Help"}));
    std::array<int, 5> position{};
    int enabledCount = 0;
    for (const CommandRow& row : CommandTable()) {
        if (row.menu == kHiddenControl) continue;
        HMENU menu = GetSubMenu(bar, row.menu);
        const auto at = static_cast<UINT>(position[static_cast<std::size_t>(row.menu)]++);
        const UINT state = GetMenuState(menu, at, MF_BYPOSITION);
        if (row.text == nullptr) {
            EXPECT_TRUE(state & MF_SEPARATOR) << row.menu << "/" << at;
            continue;
        }
        const std::wstring expected(row.text, row.text + std::char_traits<char16_t>::length(row.text));
        EXPECT_EQ(MenuTexts(menu)[at], expected);
        const bool enabled =
            row.handler != nullptr && !((row.flags & kNeedsZep) && app.Values().zepPath.IsEmpty());
        EXPECT_EQ((state & (MF_GRAYED | MF_DISABLED)) == 0, enabled) << std::string(expected.begin(), expected.end());
        enabledCount += enabled ? 1 : 0;
    }
    for (int menu = 0; menu < 5; ++menu) {
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, menu)), position[static_cast<std::size_t>(menu)]);
    }
    EXPECT_EQ(enabledCount, 44) << "items of features still to come stay disabled";
}

// Another process cannot read menus under Wine, so the count in these texts is read here.
TEST_F(MainWindowTest, MemoryMenuTextsFollowTheNumberOfLines) {
    const auto menuText = [&](CommandId id) {
        wchar_t text[128]{};
        GetMenuStringW(GetMenu(app.MainWindow()), static_cast<UINT>(app.Commands().ToolkitId(id)), text, 128,
                       MF_BYCOMMAND);
        return std::wstring(text);
    };
    SetEditorText(app.Editor(),
                  u"C:\\Users\\Maria\\upd.exe | Not signed\r\nshort\r\n"
                  u"<Run> | Updater | C:\\upd\\upd.exe /silent");
    SendMessageW(app.Editor(), EM_SETSEL, 0, -1);
    for (const int lines : {2, 4, 0}) {  // the second time with no duplicate check
        if (lines != 0) app.MemoryList().MemorizeSelectedLines();
        if (lines == 0) app.MemoryList().Reset();
        const std::wstring count = L" (" + std::to_wstring(lines) + L" lines)\t";
        EXPECT_EQ(menuText(CommandId::kManageMemoryList), L"Manage memory list" + count + L"Alt+W");
        EXPECT_EQ(menuText(CommandId::kInsertMemorizedLines), L"Insert memorized lines" + count + L"Ctrl+W");
    }
}

std::wstring KeyLabel(const ACCEL& entry) {
    std::wstring label;
    if (entry.fVirt & FCONTROL) label += L"Ctrl+";
    if (entry.fVirt & FALT) label += L"Alt+";
    if (entry.key >= VK_F1 && entry.key <= VK_F12) return label + L"F" + std::to_wstring(entry.key - VK_F1 + 1);
    if (entry.key == VK_DELETE) return label + L"Del";
    if (entry.key == VK_SPACE) return label + L"SpaceBar";
    return label + static_cast<wchar_t>(entry.key);
}

// A label that names other keys than the accelerator sends the user astray.
TEST_F(MainWindowTest, EveryShortcutLabelIsAWorkingAcceleratorOfItsItem) {
    const std::vector<ACCEL> entries = app.Commands().Accelerators();
    EXPECT_EQ(entries.size(), 34u);
    HMENU bar = GetMenu(app.MainWindow());
    int labelled = 0;
    std::set<std::pair<WORD, BYTE>> keys;
    for (const ACCEL& entry : entries) {
        EXPECT_TRUE(entry.fVirt & FVIRTKEY);
        EXPECT_TRUE(keys.emplace(entry.key, entry.fVirt).second) << "two commands on one key";
        wchar_t text[256]{};
        if (GetMenuStringW(bar, entry.cmd, text, 256, MF_BYCOMMAND) == 0) continue;  // hidden control
        const std::wstring item(text);
        const auto tab = item.find(L'\t');
        ASSERT_NE(tab, std::wstring::npos) << "accelerator on an unlabelled item";
        EXPECT_EQ(item.substr(tab + 1), KeyLabel(entry));
        ++labelled;
    }
    EXPECT_EQ(labelled, 32);
}

// The upper zoom limit is the end-to-end test's (25 x Ctrl+I stores 32).
TEST_F(MainWindowTest, EditorIsAPlainMultiLineEditWithTheWorkbenchFontThatZoomsOutToEight) {
    HWND editor = app.Editor();
    const LONG_PTR style = GetWindowLongPtrW(editor, GWL_STYLE);
    for (LONG_PTR bit : {LONG_PTR{ES_MULTILINE}, LONG_PTR{ES_WANTRETURN}, LONG_PTR{WS_VSCROLL},
                         LONG_PTR{WS_HSCROLL}, LONG_PTR{WS_TABSTOP}, LONG_PTR{ES_AUTOHSCROLL}}) {
        EXPECT_EQ(style & bit, bit);
    }
    EXPECT_GT(SendMessageW(editor, EM_GETLIMITTEXT, 0, 0), 0x10000);  // not the 32 KB default
    EXPECT_EQ(LOWORD(SendMessageW(editor, EM_GETMARGINS, 0, 0)), 5);
    const auto font = [&] {
        LOGFONTW f{};
        EXPECT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(editor, WM_GETFONT, 0, 0)), sizeof f, &f));
        return f;
    };
    EXPECT_EQ(_wcsicmp(font().lfFaceName, L"Courier new"), 0);
    EXPECT_EQ(font().lfWeight, 800);
    RECT client{};
    GetClientRect(app.MainWindow(), &client);
    RECT frame{};
    GetWindowRect(editor, &frame);
    EXPECT_EQ(frame.right - frame.left, client.right) << "the editor does not fill the window";
    EXPECT_EQ(frame.bottom - frame.top, client.bottom);
    app.Config().fontSize = 9;
    ZoomOut(app);
    ZoomOut(app);
    EXPECT_EQ(app.Config().fontSize, 8);
    EXPECT_EQ(font().lfHeight, -8 * 96 / 72);
}

// Unicode text arrives unit for unit, a surrogate pair included; ANSI-only text is read in the
// ANSI code page (1252: "\xE9" is e acute, "\x80" the euro sign).
TEST_F(MainWindowTest, PasteTakesUnicodeOrAnsiText) {
    const std::u16string unicode = u"\u041F\u0440\u0438\u0432\u0435\u0442 \u691C\u67FB \U0001F50D";
    const char ansi[] = "caf\xE9 \x80 x";
    ASSERT_EQ(GetACP(), 1252u);
    const struct {
        UINT format;
        const void* data;
        std::size_t bytes;
        std::u16string pasted;
    } cases[] = {{CF_UNICODETEXT, unicode.c_str(), (unicode.size() + 1) * 2, unicode},
                 {CF_TEXT, ansi, sizeof ansi, u"caf\u00E9 \u20AC x"}};
    for (const auto& c : cases) {
        SetEditorText(app.Editor(), u"[]");
        SendMessageW(app.Editor(), EM_SETSEL, 1, 1);
        ASSERT_TRUE(PutOnClipboard(c.format, c.data, c.bytes));
        PasteText(app);
        EXPECT_EQ(EditorText(), u"[" + c.pasted + u"]") << c.format;
    }
}

// Each editing command on a text and selection: the text it leaves and whether the document
// then counts as changed. None can be undone: not even typing just before survives in the
// undo buffer.
TEST_F(MainWindowTest, EditCommandsReplaceWithoutUndo) {
    const struct {
        const char* name;
        const char16_t* text;
        int start, end;
        void (*command)(Application&);
        const char16_t* after;
        bool modified;
    } cases[] = {
        // The selection goes first: "keep line" with the caret past its middle.
        {"insert block", u"keep THIS line", 5, 10, [](Application& a) { InsertBlock(a.Editor(), u"<Comment>"); },
         u"keep line\r\n<Comment>", true},
        {"tab", u"ab", 1, 1, InsertTab, u"a\tb", true},
        {"clear all", u"text", 0, 0,
         [](Application& a) {
             SetEditorModified(a.Editor(), true);
             ClearAll(a);
         },
         u"", false},
        // The filters' results and marks are proved end to end; a too-short text is not even rewritten.
        {"too short to filter", u"B | Signed : X\r\nshort", 0, 0, HideAllSigned, u"B | Signed : X\r\nshort", false},
        {"ignore files in the whole line", u"top\r\n <ContentsProgramfiles> | C:\\a\\b.exe | Signed : X | y\r\nend", 0, 0,
         [](Application& a) {
             SendMessageW(a.Editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"the "));
             SendMessageW(a.Editor(), EM_SETSEL, 16, 16);
             IgnoreFiles(a);
             UndoEdit(a);
         },
         u"the top\r\n <ContentsProgramfiles> | Ignore:C:\\a\\b.exe | Signed : X | y\r\nend", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEditorText(app.Editor(), c.text);
        SendMessageW(app.Editor(), EM_SETSEL, c.start, c.end);
        c.command(app);
        EXPECT_EQ(EditorText(), c.after);
        EXPECT_EQ(IsEditorModified(app.Editor()), c.modified);
        EXPECT_FALSE(SendMessageW(app.Editor(), EM_CANUNDO, 0, 0));
    }
}

// A copy of whole lines takes in the line the selection ends on, even just after its line
// break, and selects what it copied.
TEST_F(MainWindowTest, CopyTakesTheSelectionOrItsWholeLines) {
    SetEditorText(app.Editor(), u"alpha\r\nbravo\r\ncharlie");
    const struct {
        int start, end;
        void (*copy)(Application&);
        const char16_t* copied;
        std::pair<int, int> selected;
    } cases[] = {
        {2, 3, CopySelection, u"p", {2, 3}},
        {3, 3, CopySelection, u"", {3, 3}},
        {2, 7, CopySelectedLines, u"alpha\r\nbravo", {0, 12}},
        {10, 10, CopySelectedLines, u"bravo", {7, 12}},
    };
    for (const auto& c : cases) {
        SendMessageW(app.Editor(), EM_SETSEL, c.start, c.end);
        c.copy(app);
        EXPECT_EQ(ClipboardText(), c.copied) << c.start << "-" << c.end;
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(app.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(std::pair(static_cast<int>(start), static_cast<int>(end)), c.selected) << c.start << "-" << c.end;
    }
}

// What Explorer hands a window when files are dropped on it: a DROPFILES block with the
// paths, wide, at a point in the window's client area.
HGLOBAL DropOf(const std::vector<std::wstring>& paths, POINT at) {
    std::size_t units = 1;
    for (const std::wstring& path : paths) units += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + units * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& path : paths) {
        std::copy(path.begin(), path.end(), out);
        out += path.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

TEST_F(MainWindowTest, DroppedFilesArriveAsLinesAtTheCaret) {
    SetEditorText(app.Editor(), u"<Delete>\r\n<Reboot>");
    SendMessageW(app.Editor(), EM_SETSEL, 10, 10);
    DrainPendingEvents(app);
    RECT editor{};
    GetWindowRect(app.Editor(), &editor);
    POINT inside{editor.left + 30, editor.top + 30};
    ScreenToClient(app.MainWindow(), &inside);
    SendMessageW(app.MainWindow(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({L"C:\\Users\\Zo\u00EB\\AppData\\Roaming\\qxwtrhvz\\qxwtrhvz.exe",
                                                  L"C:\\ProgramData\\SysHealthHost\\shhost.exe"},
                                                 inside)),
                 0);
    ASSERT_NE(ui::GetEvent(app.Events(), true), 0);
    ASSERT_EQ(app.Events().code, ui::kEventFilesDropped);
    DispatchEvent(app);
    EXPECT_EQ(EditorText(),
              u"<Delete>\r\nC:\\Users\\Zo\u00EB\\AppData\\Roaming\\qxwtrhvz\\qxwtrhvz.exe\r\n"
              u"C:\\ProgramData\\SysHealthHost\\shhost.exe\r\n<Reboot>");
    EXPECT_TRUE(IsEditorModified(app.Editor()));
    EXPECT_FALSE(SendMessageW(app.Editor(), EM_CANUNDO, 0, 0)) << "the insertion is not undoable";

    // A block whose name list runs off its end, or a handle of another process (meaningless
    // here), is not read at all.
    HGLOBAL open = DropOf({L"C:\\a.exe"}, inside);
    auto* header = static_cast<DROPFILES*>(GlobalLock(open));
    const SIZE_T units = (GlobalSize(open) - sizeof(DROPFILES)) / sizeof(wchar_t);
    std::fill_n(reinterpret_cast<wchar_t*>(header + 1), units, L'x');
    GlobalUnlock(open);
    while (ui::GetEvent(app.Events(), true) != 0) {
    }
    SendMessageW(app.MainWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(open), 0);
    SendMessageW(app.MainWindow(), WM_DROPFILES, 0x7FFF0000, 0);
    while (ui::GetEvent(app.Events(), true) != 0) {
        EXPECT_NE(app.Events().code, ui::kEventFilesDropped) << "a drop that cannot be trusted was read";
    }
    GlobalFree(open);
}

}  // namespace
}  // namespace scrutor
