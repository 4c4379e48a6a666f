#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver.h"
#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui/msgbox.h"
#include "ui/tip.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

// Acts on the open message box from a timer, inside the box's own modal loop.
std::function<void(HWND)> gAction;
int gRuns = 0;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowW(L"_WINDOW_MsgBoxClass", nullptr);
    if (box == nullptr) box = FindWindowW(L"_WndMsgTipClass", nullptr);
    if (box == nullptr && ++gRuns < 100) return;
    KillTimer(nullptr, timer);
    if (gAction) gAction(box);
}

int RunBox(Form* owner, const char16_t* text, int style, int height,
           std::function<void(HWND)> action) {
    gAction = std::move(action);
    gRuns = 0;
    SetTimer(nullptr, 0, 30, OnTimer);
    return static_cast<int>(MsgBox(owner, text, style, height));
}

using MsgBoxTest = test::FormFixture;

TEST_F(MsgBoxTest, EachButtonGivesItsResult) {
    const auto expectResult = [&](int style, const wchar_t* button, int result, const char* shot) {
        SCOPED_TRACE(style);
        bool found = false;
        EXPECT_EQ(RunBox(&form_, u"Save the changes to the script before closing?", style, 140,
                         [&](HWND box) {
                             if (shot != nullptr) test::SaveScreenshot(box, shot);
                             found = driver::PressButton(box, button);
                         }),
                  result);
        EXPECT_TRUE(found);
        EXPECT_EQ(FindWindowW(L"_WINDOW_MsgBoxClass", nullptr), nullptr) << "box is gone";
    };
    expectResult(kMsgBoxOk, L"OK", 1, "msgbox_style0");
    expectResult(kMsgBoxYesNo, L"No", 0, "msgbox_style1");
    expectResult(kMsgBoxOkCancel, L"Cancel", -1, "msgbox_style2");
    expectResult(kMsgBoxYesNoCancel, L"Yes", 1, "msgbox_style3");
    expectResult(kMsgBoxYesNoCancel, L"Cancel", -1, nullptr);
}

// The box takes the height asked for, follows its owner, and Enter presses the first button.
TEST_F(MsgBoxTest, GeometryMovingAndEnter) {
    RECT client{}, before{}, after{};
    const int result = RunBox(&form_, u"Proceed?", kMsgBoxYesNo, 100, [&](HWND box) {
        HWND focus = GetFocus();
        GetClientRect(box, &client);
        GetWindowRect(box, &before);
        RECT frame{};
        GetWindowRect(form_.Window(), &frame);
        SetWindowPos(form_.Window(), nullptr, frame.left + 40, frame.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(box, &after);
        PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_EQ(after.left - before.left, 40);
}

TEST_F(MsgBoxTest, ClosingAnswersNoAndAnEndedLoopPassesTheQuitOn) {
    EXPECT_EQ(RunBox(&form_, u"Really?", kMsgBoxYesNo, 100,
                     [&](HWND box) {
                         PostMessageW(form_.Window(), WM_CHAR, 'q', 0);
                         PostMessageW(form_.Window(), WM_CLOSE, 0, 0);
                         PostMessageW(box, WM_CLOSE, 0, 0);
                     }),
              0);
    EXPECT_FALSE(test::WaitForEvent(form_.Events(), kEventClose, 200))
        << "the owner's close went while the box was open";
    EXPECT_EQ(RunBox(&form_, u"Quit", kMsgBoxOk, 100, [](HWND) { PostQuitMessage(3); }),
              static_cast<int>(kMsgBoxNotShown));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(MsgBox(&form_, u"bad style", 9, 100), kMsgBoxNotShown);
}

// A click on the owner ends the tip and reaches the owner's loop; Escape closes it too;
// without a caption it says "Information"; a minimised owner or none shows nothing.
TEST_F(MsgBoxTest, TipCaptionAndEnding) {
    std::wstring title;
    EXPECT_EQ(RunBox(&form_, u"Body text\r\nsecond line||Title", kMsgBoxTip, 0,
                     [&](HWND tip) {
                         title = driver::WindowText(tip);
                         test::SaveScreenshot(tip, "msgbox_tip");
                         PostMessageW(form_.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                     }),
              1);
    EXPECT_EQ(title, L"Title");
    EXPECT_EQ(FindWindowW(L"_WndMsgTipClass", nullptr), nullptr);
    EXPECT_EQ(NextEvent(kEventLeftDown, 500).form, &form_);
    EXPECT_EQ(RunBox(&form_, u"Only a body", kMsgBoxTip, 0,
                     [&](HWND tip) {
                         title = driver::WindowText(tip);
                         PostMessageW(tip, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                     }),
              1);
    EXPECT_EQ(title, L"Information");
    ShowWindow(form_.Window(), SW_MINIMIZE);
    EXPECT_EQ(MsgBox(&form_, u"x", kMsgBoxTip, 0), kMsgBoxNotShown);
    EXPECT_EQ(MsgBox(nullptr, u"x", kMsgBoxTip, 0), kMsgBoxNotShown);
}

// Styles, colours and a minimised owner are the line help tip's tests; here ownership and
// replacement.
TEST_F(MsgBoxTest, ShowTipIsOwnedByTheTopWindowAndReplaced) {
    const int input = form_.CreateInput(u"line", 20, 20, 200, 22);
    ASSERT_TRUE(ShowTip(form_, {.text = u"Deletes the file.\nSecond line", .x = 140, .y = 160,
                                .title = u"Delete", .icon = TTI_INFO, .controlId = input}));
    HWND tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), form_.Window()) << "owned through the control's top window";
    test::SaveScreenshot(form_.Window(), "showtip_balloon");
    ASSERT_TRUE(ShowTip(form_, {.text = u"Plain", .x = 140, .y = 160, .controlId = input}));
    EXPECT_FALSE(IsWindow(tip)) << "the previous tip is destroyed";
    HWND plain = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(plain, nullptr);
    HideTip(form_);
    EXPECT_FALSE(IsWindow(plain));
}

}  // namespace
}  // namespace scrutor::ui
