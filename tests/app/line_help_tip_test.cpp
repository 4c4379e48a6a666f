// The line help tip and the insert-command dialog inside the test process, read back from
// the tooltip and the list view. The tip texts themselves are the core's, tested there.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "app/event_loop.h"
#include "app_test_support.h"
#include "catalogue/command_catalogue.h"
#include "driver.h"
#include "ui/form_state.h"
#include "ui/listview_items.h"

namespace scrutor {
namespace {

// Not every tooltip answers TTM_GETTITLE, so titles are caught on their way in.
std::u16string lastTitle;
LRESULT CALLBACK RecordTitle(int code, WPARAM wParam, LPARAM lParam) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == TTM_SETTITLEW && call.wParam == TTI_INFO) {
        lastTitle = reinterpret_cast<const char16_t*>(call.lParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Settle(Application& app) {
    MSG msg;
    for (int i = 0; i < 1000; ++i) {
        if (ui::GetEvent(app.Events(), true) != 0) {
            DispatchEvent(app);
        } else if (!app.Events().Pending() && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            return;
        }
    }
}

class TipTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        lastTitle.clear();
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, RecordTitle, nullptr, GetCurrentThreadId());
    }
    void TearDown() override { UnhookWindowsHookEx(hook_); }
    HWND Tip() { return app.MainForm().State().tip.Get(); }
    HWND TipFor(const char16_t* text, int caret) {
        SetEditorText(app.Editor(), text);
        SendMessageW(app.Editor(), EM_SETSEL, caret, caret);
        app.ShowHelpTip();
        return Tip();
    }
    static std::u16string TipText(HWND tip, UINT& flags) {
        wchar_t text[4096]{};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
        flags = tool.uFlags;
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 4096, reinterpret_cast<LPARAM>(&tool));
        return std::u16string(text, text + lstrlenW(text));
    }
    HHOOK hook_ = nullptr;
};

// The caret's line is explained, in the shape the setting asks for, white on near-black; the
// rectangle stands 15 pixels in and one font size (as pixels) below the line's start. Moving
// the caret (PgUp to Down, the ends of the range) hides the tip. Which text a line gets is
// the catalogue's test.
TEST_F(TipTest, ExplainsTheCaretLineUntilTheCaretMoves) {
    struct Case {
        const char16_t* editor;
        int caret;
        const char16_t* title;  // null: no tip at all
        const char16_t* textStart;
        bool balloon;
        WPARAM key;
    };
    const Case cases[] = {
        {u"<Reboot>\r\n  <BackupRegistry> | 3", 14, u"<BackupRegistry>",
         u"Syntax: <BackupRegistry> | flag | username\r\n\r\n", true, VK_PRIOR},
        {u"<Run>\r\n->waitwindow(10, Notepad)", 9, u"->waitwindow", u"Syntax: ->waitwindow( timeout, title, text )",
         false, VK_DOWN},
        {u"<Reboot>\r\n", 10, nullptr, nullptr, true, 0},
    };
    app.Config().fontSize = 14;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        app.Config().showInfoTip = c.balloon ? 1 : 0;
        HWND tip = TipFor(c.editor, c.caret);
        ASSERT_EQ(tip != nullptr, c.title != nullptr);
        if (tip == nullptr) continue;
        UINT flags = 0;
        EXPECT_EQ(lastTitle, c.title);
        EXPECT_TRUE(TipText(tip, flags).starts_with(c.textStart));
        EXPECT_EQ((GetWindowLongW(tip, GWL_STYLE) & (TTS_BALLOON | TTS_ALWAYSTIP)), c.balloon ? TTS_BALLOON : TTS_ALWAYSTIP);
        EXPECT_EQ(flags & (TTF_ABSOLUTE | TTF_TRANSPARENT), c.balloon ? 0u : TTF_ABSOLUTE | TTF_TRANSPARENT);
        EXPECT_EQ(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0), RGB(0, 0, 16));
        const LRESULT first = SendMessageW(app.Editor(), EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
        const LRESULT at = SendMessageW(app.Editor(), EM_POSFROMCHAR, static_cast<WPARAM>(first), 0);
        POINT anchor{static_cast<short>(LOWORD(at)) + 15, static_cast<short>(HIWORD(at)) + 14};
        ClientToScreen(app.Editor(), &anchor);
        RECT frame{};
        GetWindowRect(tip, &frame);
        const long offset = std::abs(frame.left - anchor.x) + std::abs(frame.top - anchor.y);
        EXPECT_TRUE(c.balloon || offset <= 2) << "the rectangle is " << offset << " pixels off its anchor";
        ui::PumpMessages();
        if (&c - cases < 2) driver::SaveScreenshot(driver::BesideThisProgram(c.balloon ? "tip_balloon.bmp" : "tip_rectangle.bmp"));
        SendMessageW(app.Editor(), WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(Tip(), nullptr) << "the caret moved";
    }
    ShowWindow(app.MainWindow(), SW_MINIMIZE);
    EXPECT_EQ(TipFor(u"<Reboot>", 1), nullptr) << "a tip over a minimised window";
    ShowWindow(app.MainWindow(), SW_RESTORE);
}

UINT StateImage(HWND list, int row) { return ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) >> 12; }

std::u16string Cell(HWND list, int row, int column) {
    wchar_t text[4096]{};
    ListView_GetItemText(list, row, column, text, 4096);
    return std::u16string(text, text + lstrlenW(text));
}

// The blank row, told by its empty keyword, never gets a check box, also after sorting, and
// a double click beside a command row does not count it.
TEST_F(TipTest, InsertDialogHoldsTheCatalogueAndNeverTheBlankRow) {
    app.InsertDialog().Open(0);
    HWND dialog = app.InsertDialog().Window();
    HWND list = app.InsertDialog().List();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "Open(0) shows nothing";
    RECT client{}, frame{}, main{};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &frame);
    GetWindowRect(app.MainWindow(), &main);
    EXPECT_EQ((std::array{client.right, client.bottom, frame.left, frame.top}), (std::array{700L, 650L, main.right - 500, main.top}));
    ASSERT_EQ(ListView_GetItemCount(list), 212);
    int row = 0;
    int unsorted = -1;
    for (const CatalogueGroup& group : BuiltInCatalogue().Groups()) {
        for (const CatalogueEntry& entry : group.entries) {
            for (int column = 0; column < 4; ++column) {
                ASSERT_EQ(Cell(list, row, column), entry.Field(static_cast<CatalogueField>(column)).View()) << row;
            }
            EXPECT_EQ(ui::ItemRecord(list, row)->group, group.id) << row;
            if (entry.IsBlank()) unsorted = row;
            EXPECT_EQ(StateImage(list, row++), entry.IsBlank() ? 15u : 1u);
        }
    }
    NMLISTVIEW sort{};
    sort.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_COLUMNCLICK};
    SendMessageW(dialog, WM_NOTIFY, sort.hdr.idFrom, reinterpret_cast<LPARAM>(&sort));
    const int blank = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    ASSERT_EQ(Cell(list, blank, 0), u"") << "the blank row holds the focus mark";
    ASSERT_NE(blank, unsorted) << "sorting did not move the blank row";
    HWND checkAll = FindWindowExW(dialog, nullptr, L"Button", L"Check All/None");
    for (const UINT checked : {2u, 1u}) {
        SendMessageW(checkAll, BM_CLICK, 0, 0);
        Settle(app);
        for (row = 0; row < 212; ++row) EXPECT_EQ(StateImage(list, row), row == blank ? 15u : checked) << row;
    }
    SetEditorText(app.Editor(), u"ABCDEF");
    LVFINDINFOW reboot{LVFI_STRING, L"<Reboot>", 0, {}, 0};
    ListView_SetItemState(list, blank, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(list, ListView_FindItem(list, -1, &reboot), LVIS_SELECTED, LVIS_SELECTED);
    NMHDR click{list, sort.hdr.idFrom, NM_DBLCLK};
    SendMessageW(dialog, WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    Settle(app);
    EXPECT_EQ(EditorText(), u"<Reboot>\r\nABCDEF");
    EXPECT_EQ(lastTitle, u"<Reboot>") << "the tip explains the inserted line";
    EXPECT_NE(Tip(), nullptr);
}

}  // namespace
}  // namespace scrutor
