// The line help tip and the insert-command dialog inside the test process: tips read back
// from the tooltip window, the dialog's list read back from the list view.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/event_loop.h"
#include "app_test_support.h"
#include "catalogue/command_catalogue.h"
#include "driver.h"
#include "ui/event_record.h"
#include "ui/listview_items.h"

namespace scrutor {
namespace {

constexpr char16_t kScriptSuffix[] =
    u"\r\n\r\nPress Ctrl+SpaceBar to display this tip again.\r\n"
    u"For more info, select Help -> Script commands documentation.";
constexpr char16_t kAutomationSuffix[] =
    u"\r\n\r\nPress Ctrl+SpaceBar to display this tip again.\r\n"
    u"For more info, select Help -> Automation help.";

struct SeenTip {
    HWND window = nullptr;
    std::u16string title;
    std::u16string text;
    UINT toolFlags = 0;
};

// The tip is a popup, so its owner is the main window, not the editor it points at.
HWND FindTip(HWND main) {
    struct Query {
        HWND main;
        HWND found;
    } query{main, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& q = *reinterpret_cast<Query*>(data);
            wchar_t name[64]{};
            GetClassNameW(window, name, 64);
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 || GetWindow(window, GW_OWNER) != q.main) return TRUE;
            q.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// Records the titles given to tips on this thread: not every tooltip answers TTM_GETTITLE.
class TitleRecorder {
public:
    TitleRecorder() { hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId()); }
    ~TitleRecorder() { UnhookWindowsHookEx(hook_); }
    TitleRecorder(const TitleRecorder&) = delete;
    TitleRecorder& operator=(const TitleRecorder&) = delete;

    static inline std::u16string title;
    static inline WPARAM icon = 0;

private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call.message == TTM_SETTITLEW) {
            const auto* text = reinterpret_cast<const char16_t*>(call.lParam);
            title = text != nullptr ? text : u"";
            icon = call.wParam;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_ = nullptr;
};

SeenTip ReadTip(HWND main) {
    SeenTip seen;
    seen.window = FindTip(main);
    if (seen.window == nullptr) return seen;
    seen.title = TitleRecorder::title;
    std::vector<wchar_t> buffer(32768);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    SendMessageW(seen.window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    seen.toolFlags = tool.uFlags;
    buffer[0] = 0;
    tool.lpszText = buffer.data();
    SendMessageW(seen.window, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    seen.text.assign(buffer.data(), buffer.data() + lstrlenW(buffer.data()));
    return seen;
}

// Fetches and dispatches until neither events nor messages wait.
void Settle(Application& app) {
    for (int i = 0; i < 1000; ++i) {
        MSG msg;
        if (ui::GetEvent(app.Events(), true) != 0) {
            DispatchEvent(app);
        } else if (!app.Events().Pending() && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            return;
        }
    }
}

class LineHelpTipTest : public MainWindowTest {
protected:
    // Puts the text in the editor with the caret at `caret` and asks for the tip.
    SeenTip TipFor(const char16_t* text, int caret) {
        SetEditorText(app.Editor(), text);
        SendMessageW(app.Editor(), EM_SETSEL, caret, caret);
        TitleRecorder::title.clear();
        app.ShowHelpTip();
        return ReadTip(app.MainWindow());
    }
    TitleRecorder titles;
};

struct TipCase {
    const char16_t* editor;
    int caret;
    const char16_t* title;  // null: no tip at all
    const char16_t* textStart;
    const char16_t* textEnd;
};

// The caret's line is the one explained, whichever line that is.
TEST_F(LineHelpTipTest, ExplainsTheCaretLine) {
    const TipCase cases[] = {
        {u"<Reboot>\r\n  <BackupRegistry> | 3 | All users\r\n", 14, u"<BackupRegistry>",
         u"Syntax: <BackupRegistry> | flag | username\r\n\r\n", kScriptSuffix},
        {u"<Run>\r\n->waitwindow(10, Notepad)", 9, u"->waitwindow",
         u"Syntax: ->waitwindow( timeout, title, text )\r\n\r\n", kAutomationSuffix},
        {u"C:\\Temp\\a.exe > started | 3 | x", 4,
         u"C:\\Temp\\a.exe > | info field 1 | info field 2 | info field 3 | info field 4",
         u"This is a line from the ZEP log.\r\n", u"Help -> Script commands documentation."},
        {u"<Reg>\r\n<Run", 8, u"Information", u"There is no help available for this line.",
         u"There is no help available for this line."},
        {u"\t<Reg> \r\n", 1, u"<Reg>", u"Syntax: <Reg>", kScriptSuffix},
        {u"<Reboot>\r\n", 10, nullptr, nullptr, nullptr},
    };
    for (const TipCase& c : cases) {
        const std::u16string editor(c.editor);
        SCOPED_TRACE(std::string(editor.begin(), editor.end()));
        const SeenTip tip = TipFor(c.editor, c.caret);
        if (c.title == nullptr) {
            EXPECT_EQ(tip.window, nullptr) << "a tip for the empty last line";
            continue;
        }
        ASSERT_NE(tip.window, nullptr);
        EXPECT_TRUE(IsWindowVisible(tip.window));
        EXPECT_EQ(tip.title, c.title);
        EXPECT_EQ(TitleRecorder::icon, static_cast<WPARAM>(TTI_INFO));
        EXPECT_TRUE(tip.text.starts_with(c.textStart)) << std::string(tip.text.begin(), tip.text.end());
        EXPECT_TRUE(tip.text.ends_with(c.textEnd));
    }
}

struct StyleCase {
    std::uint32_t showInfoTip;
    bool balloon;
    const char* screenshot;
};

// The setting picks the shape; both are white on near-black, and the rectangle stands exactly
// at the anchor, 15 pixels in and one font size below the line's start.
TEST_F(LineHelpTipTest, ShowInfoTipPicksBalloonOrRectangle) {
    app.Config().fontSize = 14;
    for (const StyleCase c : {StyleCase{1, true, "tip_balloon.bmp"}, StyleCase{0, false, "tip_rectangle.bmp"}}) {
        SCOPED_TRACE(c.screenshot);
        app.Config().showInfoTip = c.showInfoTip;
        const SeenTip tip = TipFor(u"<Reboot>\r\n<Sleep> 5", 12);
        ASSERT_NE(tip.window, nullptr);
        const LONG style = GetWindowLongW(tip.window, GWL_STYLE);
        EXPECT_EQ((style & TTS_BALLOON) != 0, c.balloon);
        EXPECT_EQ((style & TTS_ALWAYSTIP) != 0, !c.balloon);
        EXPECT_EQ(tip.toolFlags & (TTF_ABSOLUTE | TTF_TRANSPARENT), c.balloon ? 0u : TTF_ABSOLUTE | TTF_TRANSPARENT);
        EXPECT_EQ(SendMessageW(tip.window, TTM_GETTIPTEXTCOLOR, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(SendMessageW(tip.window, TTM_GETTIPBKCOLOR, 0, 0), RGB(0, 0, 16));
        if (!c.balloon) {
            const LRESULT at = SendMessageW(app.Editor(), EM_POSFROMCHAR, 10, 0);
            POINT anchor{static_cast<short>(LOWORD(at)) + 15, static_cast<short>(HIWORD(at)) + 14};
            ClientToScreen(app.Editor(), &anchor);
            RECT frame{};
            GetWindowRect(tip.window, &frame);
            // Some tooltips put their one-pixel border outside the point.
            EXPECT_LE(std::abs(frame.left - anchor.x), 1);
            EXPECT_LE(std::abs(frame.top - anchor.y), 1);
        }
        ui::PumpMessages();
        EXPECT_TRUE(driver::SaveScreenshot(driver::BesideThisProgram(c.screenshot)));
    }
    ShowWindow(app.MainWindow(), SW_MINIMIZE);
    EXPECT_EQ(TipFor(u"<Reboot>", 1).window, nullptr) << "a tip over a minimised window";
    ShowWindow(app.MainWindow(), SW_RESTORE);
}

// Moving the caret away leaves the tip explaining a line it no longer stands on.
TEST_F(LineHelpTipTest, CaretKeysHideTheTip) {
    for (const WPARAM key : {VK_DOWN, VK_LEFT, VK_HOME, VK_END, VK_NEXT, VK_RETURN}) {
        ASSERT_NE(TipFor(u"<Reboot>\r\n<Shutdown>", 1).window, nullptr);
        SendMessageW(app.Editor(), WM_KEYDOWN, key, 0);
        EXPECT_EQ(FindTip(app.MainWindow()), nullptr) << "key " << key;
    }
}

class InsertDialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        app.InsertDialog().Open(0);
        dialog = app.InsertDialog().Window();
        list = app.InsertDialog().List();
        ASSERT_NE(list, nullptr);
    }
    void Click(const wchar_t* caption) {
        HWND button = FindWindowExW(dialog, nullptr, L"Button", caption);
        ASSERT_NE(button, nullptr) << "no control " << std::string(caption, caption + lstrlenW(caption));
        SendMessageW(button, BM_CLICK, 0, 0);
        Settle(app);
    }
    bool Checked(const wchar_t* caption) const {
        return SendMessageW(FindWindowExW(dialog, nullptr, L"Button", caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    UINT StateImage(int row) const {
        return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)) >> 12;
    }
    int BlankRow() const {
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            wchar_t text[8]{};
            ListView_GetItemText(list, row, 0, text, 8);
            if (text[0] == 0) return row;
        }
        return -1;
    }
    HWND dialog = nullptr;
    HWND list = nullptr;
    TitleRecorder titles;
};

TEST_F(InsertDialogTest, OpensHiddenBesideTheMainWindowWithTheWholeCatalogue) {
    EXPECT_FALSE(IsWindowVisible(dialog)) << "Open(0) shows nothing";
    wchar_t name[64]{};
    GetClassNameW(dialog, name, 64);
    EXPECT_STREQ(name, L"SCRUTOR_INSERT_WND");
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & 0x00CF0000, 0x00CE0000) << "sizable, no maximise box";
    RECT client{}, frame{}, main{};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &frame);
    GetWindowRect(app.MainWindow(), &main);
    EXPECT_EQ(client.right, 700);
    EXPECT_EQ(client.bottom, 650);
    EXPECT_EQ(frame.left, main.right - 500);
    EXPECT_EQ(frame.top, main.top);

    ASSERT_EQ(ListView_GetItemCount(list), 212);
    int row = 0;
    for (const CatalogueGroup& group : BuiltInCatalogue().Groups()) {
        for (const CatalogueEntry& entry : group.entries) {
            for (int column = 0; column < 4; ++column) {
                wchar_t text[4096]{};
                ListView_GetItemText(list, row, column, text, 4096);
                const WideString expected = entry.Field(static_cast<CatalogueField>(column));
                ASSERT_EQ(std::u16string(text, text + lstrlenW(text)), expected.View()) << row << "/" << column;
            }
            EXPECT_EQ(ui::ItemRecord(list, row)->group, group.id) << row;
            EXPECT_EQ(StateImage(row), entry.IsBlank() ? 15u : 1u) << row;
            ++row;
        }
    }
    const int widths[] = {200, 1000, 0, 0};
    for (int column = 0; column < 4; ++column) EXPECT_EQ(ListView_GetColumnWidth(list, column), widths[column]);
}

// The blank row keeps no check box wherever sorting puts it.
TEST_F(InsertDialogTest, CheckAllNeverChecksTheBlankRowAlsoAfterSorting) {
    const int before = BlankRow();
    NMLISTVIEW click{};
    click.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_COLUMNCLICK};
    click.iSubItem = 0;
    SendMessageW(dialog, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    const int blank = BlankRow();
    ASSERT_NE(blank, before) << "sorting by keyword did not move the blank row";
    for (bool checked : {true, false}) {
        Click(L"Check All/None");
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            EXPECT_EQ(StateImage(row), row == blank ? 15u : (checked ? 2u : 1u)) << row;
        }
    }
}

TEST_F(InsertDialogTest, ExpandAllSetsEveryGroupBox) {
    const auto groups = BuiltInCatalogue().Groups();
    EXPECT_TRUE(Checked(L"Expand All/None"));
    Click(L"Expand All/None");
    for (const CatalogueGroup& group : groups) EXPECT_FALSE(Checked(AsWide(group.name))) << group.id;
    Click(AsWide(groups[3].name));
    EXPECT_TRUE(Checked(AsWide(groups[3].name)));
    if (!SendMessageW(list, LVM_ISGROUPVIEWENABLED, 0, 0)) {
        std::cout << "[ note ] this list view keeps no groups: collapsed states not checked\n";
        return;
    }
    for (const CatalogueGroup& group : groups) {
        const UINT state = ListView_GetGroupState(list, group.id, LVGS_COLLAPSED);
        EXPECT_EQ(state, group.id == groups[3].id ? 0u : static_cast<UINT>(LVGS_COLLAPSED)) << group.id;
    }
}

// A double click on the blank row alone is an empty choice: the editor's selection survives.
TEST_F(InsertDialogTest, DoubleClickInsertsTheSelectionButNeverTheBlankRow) {
    SetEditorText(app.Editor(), u"<Delete>\r\nABCDEF");
    SendMessageW(app.Editor(), EM_SETSEL, 10, 12);
    NMHDR click{list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), NM_DBLCLK};
    const auto doubleClick = [&](int row) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        SendMessageW(dialog, WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
        Settle(app);
    };
    doubleClick(BlankRow());
    EXPECT_EQ(EditorText(), u"<Delete>\r\nABCDEF");
    DWORD start = 0, end = 0;
    SendMessageW(app.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 10u);
    EXPECT_EQ(end, 12u);
    EXPECT_FALSE(IsEditorModified(app.Editor()));
    EXPECT_EQ(FindTip(app.MainWindow()), nullptr);

    doubleClick(BlankRow() + 1);
    wchar_t keyword[64]{};
    ListView_GetItemText(list, BlankRow() + 1, 0, keyword, 64);
    const std::u16string row(keyword, keyword + lstrlenW(keyword));
    EXPECT_EQ(EditorText(), u"<Delete>\r\n" + row + u"\r\nCDEF") << "the selection goes, the row lands above";
    EXPECT_TRUE(IsEditorModified(app.Editor()));
    EXPECT_EQ(GetFocus(), app.Editor());
    EXPECT_EQ(ReadTip(app.MainWindow()).title, row) << "the tip explains the inserted line";
}

}  // namespace
}  // namespace scrutor
