#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <tuple>

#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

using ControlsTest = test::FormFixture;

LOGFONTW FontOf(HWND window) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
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

// Mode 2 selects an item by its text, 1 appends lines, 0 replaces the list.
TEST_F(ControlsTest, ComboTextModes) {
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
        EXPECT_EQ(NextEvent(expected).value1, static_cast<WPARAM>(id));
    }
}

}  // namespace
}  // namespace scrutor::ui
