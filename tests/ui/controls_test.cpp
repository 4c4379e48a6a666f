#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <tuple>

#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

using test::WaitForEvent;
using ControlsTest = test::FormFixture;

LOGFONTW FontOf(HWND window) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

LONG Style(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

TEST_F(ControlsTest, CreationUsesClassesStylesAndDefaultFont) {
    const struct {
        int id;
        int type;
        const wchar_t* windowClass;
        LONG style;
    } rows[] = {
        {form_.CreateButton(u"B", 0, 0, 50, 20), kTypeButton, L"Button", WS_VISIBLE},
        {form_.CreateCheckBox(u"C", 0, 0, 50, 20), kTypeCheckBox, L"Button", BS_AUTOCHECKBOX},
        {form_.CreateComboBox(u"a", 0, 0, 50, 80), kTypeComboBox, L"ComboBox", CBS_DROPDOWNLIST},
        {form_.CreateEditor(0, 0, 50, 50), kTypeEditor, L"Edit", ES_MULTILINE | ES_WANTRETURN},
        {form_.CreateInput(u"i", 0, 0, 50, 20), kTypeInput, L"Edit", ES_AUTOHSCROLL},
        {form_.CreateLabel(u"l", 0, 0, 50, 20), kTypeLabel, L"Static", SS_NOTIFY},
        {form_.CreateListView(u"A", u"|", 0, 0, 50, 50, WS_VISIBLE | LVS_REPORT, 0),
         kTypeListView, L"SysListView32", LVS_REPORT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.type);
        ASSERT_NE(row.id, 0);
        EXPECT_EQ(form_.ControlType(row.id), row.type);
        wchar_t name[64]{};
        GetClassNameW(form_.ControlWindow(row.id), name, 64);
        EXPECT_STREQ(name, row.windowClass);
        const LONG wanted = row.style | WS_CHILD;
        EXPECT_EQ(Style(form_.ControlWindow(row.id)) & wanted, wanted);
        EXPECT_EQ(FontOf(form_.ControlWindow(row.id)).lfHeight, -12) << "Arial 9 points";
    }
    const int group = form_.CreateGroup(u"G", 0, 0, 100, 80);
    EXPECT_FALSE(Style(form_.ControlWindow(group)) & WS_TABSTOP);
}

TEST_F(ControlsTest, FontRuleAndReplacement) {
    const int id = form_.CreateLabel(u"x", 0, 0, 50, 20);
    ASSERT_TRUE(form_.SetFont(id, 0.5, 0, 2 | 4, u"Arial", 0));
    const LOGFONTW lf = FontOf(form_.ControlWindow(id));
    EXPECT_EQ(lf.lfHeight, -11) << "below one point means 8.5";
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && !lf.lfStrikeOut);
    form_.SetDefaultFont(0, 400, nullptr);
    const int plain = form_.CreateLabel(u"y", 0, 0, 50, 20);
    EXPECT_EQ(form_.SendToControl(plain, WM_GETFONT, 0, 0), 0) << "size 0 sets no font";
}

TEST_F(ControlsTest, TextSelectionPositionAndComboModes) {
    const int input = form_.CreateInput(u"hello", 12, 34, 100, 22);
    EXPECT_EQ(form_.GetText(input), WideString(u"hello"));
    ASSERT_TRUE(form_.SetText(input, u"scrutor"));
    form_.SendToControl(input, EM_SETSEL, 2, 5);
    const Selection s = form_.GetSelection(input);
    EXPECT_EQ(s.start, 2);
    EXPECT_EQ(s.end, 5);
    const RECT r = form_.GetPosition(input);
    EXPECT_EQ(r.left, 12);
    EXPECT_EQ(r.top, 34);
    EXPECT_EQ(r.right - r.left, 100);
    const int id = form_.CreateComboBox(u"alpha\nbeta\ngamma", 0, 0, 100, 120);
    const auto combo = [&](UINT message) { return form_.SendToControl(id, message, 0, 0); };
    EXPECT_EQ(combo(CB_GETCOUNT), 3);
    EXPECT_EQ(combo(CB_GETCURSEL), 0);
    EXPECT_TRUE(form_.SetText(id, u"beta", 2));
    EXPECT_EQ(combo(CB_GETCURSEL), 1);
    EXPECT_TRUE(form_.SetText(id, u"", 2));
    EXPECT_EQ(combo(CB_GETCURSEL), CB_ERR);
    EXPECT_TRUE(form_.SetText(id, u"delta\nepsilon", 1));
    EXPECT_EQ(combo(CB_GETCOUNT), 5);
    EXPECT_TRUE(form_.SetText(id, u"one", 0));
    EXPECT_EQ(combo(CB_GETCOUNT), 1);
}

TEST_F(ControlsTest, StatesReadBackWithinTheMask) {
    const int box = form_.CreateCheckBox(u"Check", 0, 0, 80, 20);
    EXPECT_EQ(form_.GetState(box, kStateChecked | kStateUnchecked), kStateUnchecked);
    ASSERT_TRUE(form_.SetState(box, kStateChecked | kStateDisable | kStateHide));
    constexpr unsigned kMask = kStateChecked | kStateUnchecked | kStateEnable | kStateDisable |
                               kStateShow | kStateHide;
    EXPECT_EQ(form_.GetState(box, kMask), kStateChecked | kStateDisable | kStateHide);
    EXPECT_FALSE(Style(form_.ControlWindow(box)) & WS_VISIBLE);
    ASSERT_TRUE(form_.SetState(box, kStateUnchecked | kStateEnable | kStateShow));
    EXPECT_EQ(form_.GetState(box, kMask), kStateUnchecked | kStateEnable | kStateShow);
    form_.Show(SW_SHOW, kShowForeground | kShowActivate);
    ASSERT_TRUE(form_.SetState(box, kStateFocus));
    EXPECT_EQ(form_.GetState(box, kStateFocus | kStateFormFocus), kStateFocus);
}

// Colours answer the control-colour message; label double clicks and combo selections
// become events carrying the control's id.
TEST_F(ControlsTest, ColoursAndNotifications) {
    const int label = form_.CreateLabel(u"Coloured", 0, 0, 100, 20);
    HWND window = form_.ControlWindow(label);
    ASSERT_TRUE(form_.SetTextColour(label, 0x0000FF));
    ASSERT_TRUE(form_.SetBackgroundColour(label, 0x00FF00));
    HDC dc = GetDC(window);
    EXPECT_NE(SendMessageW(form_.Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(window)),
              0);
    EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
    EXPECT_EQ(GetBkColor(dc), 0x00FF00u);
    ReleaseDC(window, dc);
    const int combo = form_.CreateComboBox(u"a\nb", 0, 30, 100, 80);
    for (const auto& [id, code, expected] :
         {std::tuple{label, STN_DBLCLK, kEventDoubleClick},
          std::tuple{combo, CBN_SELCHANGE, kEventComboSelChange}}) {
        SendMessageW(form_.Window(), WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(form_.ControlWindow(id)));
        auto event = WaitForEvent(form_.Events(), expected);
        ASSERT_TRUE(event);
        EXPECT_EQ(event->value1, static_cast<WPARAM>(id));
    }
}

TEST_F(ControlsTest, ImagesAreCopiedAndOwned) {
    HICON icon = LoadIconW(nullptr, IDI_INFORMATION);
    const int id = form_.CreateIcon(icon, 0, 0, 32, 32);
    HANDLE shown = reinterpret_cast<HANDLE>(form_.SendToControl(id, STM_GETIMAGE, IMAGE_ICON, 0));
    EXPECT_NE(shown, nullptr);
    EXPECT_NE(shown, icon) << "the control keeps its own copy";
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 10);
    ReleaseDC(nullptr, screen);
    const int picture = form_.CreatePicture(bitmap, 0, 40, 20, 10);
    EXPECT_NE(form_.SendToControl(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    BITMAP info{};
    EXPECT_TRUE(GetObjectW(bitmap, sizeof info, &info)) << "the caller's bitmap stays the caller's";
    DeleteObject(bitmap);
}

// The group box's inner area is not the group's: clicks reach its contents, and
// ChildAtPoint finds the lowest visible child.
TEST_F(ControlsTest, GroupBoxLetsClicksThroughToItsContents) {
    (void)form_.CreateGroup(u"Options", 10, 10, 200, 150);
    const int inside = form_.CreateButton(u"Inside", 40, 60, 80, 25);
    POINT p{60, 70}, empty{150, 120}, outside{-5000, -5000};
    ClientToScreen(form_.Window(), &p);
    ClientToScreen(form_.Window(), &empty);
    EXPECT_EQ(WindowFromPoint(p), form_.ControlWindow(inside));
    EXPECT_EQ(WindowFromPoint(empty), form_.Window());
    EXPECT_EQ(ChildAtPoint(form_.Window(), p, true), form_.ControlWindow(inside));
    EXPECT_EQ(ChildAtPoint(form_.Window(), outside, false), nullptr);
    EXPECT_EQ(ChildAtPoint(nullptr, p, true), nullptr);
}

}  // namespace
}  // namespace scrutor::ui
