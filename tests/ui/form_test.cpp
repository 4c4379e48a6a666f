#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

using test::CollectEvents;
using test::WaitForEvent;
using FormTest = test::FormFixture;

TEST_F(FormTest, CloseRequestsAreReportedAndTheWindowStays) {
    PostMessageW(form_.Window(), WM_CLOSE, 0, 0);
    const Event event = NextEvent(kEventClose);
    EXPECT_EQ(event.form, &form_);
    EXPECT_EQ(event.window, form_.Window());
    EXPECT_TRUE(IsWindowVisible(form_.Window()));
    // The close box reports it twice; handling it twice must be harmless.
    SendMessageW(form_.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::vector<Event> events = CollectEvents(form_.Events(), 300);
    EXPECT_EQ(std::ranges::count(events, kEventClose, &Event::code), 2);
    for (int i = 0; i < 2; ++i) form_.Show(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(form_.Window()));
    // Showing with kShowDrain drops what is pending.
    PostMessageW(form_.Window(), WM_CLOSE, 0, 0);
    PostMessageW(form_.Window(), WM_CHAR, 'a', 0);
    form_.Show(SW_SHOW, kShowDrain);
    EXPECT_FALSE(form_.Events().Pending());
    EXPECT_FALSE(WaitForEvent(form_.Events(), kEventClose, 100));
}

TEST_F(FormTest, MessagesBecomeEventsWithTheirValues) {
    const int id = form_.CreateButton(u"Press", 10, 10, 80, 25);
    SendMessageW(form_.ControlWindow(id), BM_CLICK, 0, 0);
    const Event click = NextEvent(id);
    EXPECT_EQ(click.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(click.value1, static_cast<WPARAM>(BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(click.value2), form_.ControlWindow(id));
    const int input = form_.CreateInput(u"", 10, 40, 100, 22);
    (void)form_.SetText(input, u"typed");
    EXPECT_EQ(NextEvent(kEventEditChange).value1, static_cast<WPARAM>(input));
    SendMessageW(form_.Window(), WM_CHAR, 'x', 0);
    EXPECT_EQ(NextEvent(kEventChar).value1, static_cast<WPARAM>('x'));
    SendMessageW(form_.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitForEvent(form_.Events(), kEventMinimise));
    SendMessageW(form_.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitForEvent(form_.Events(), kEventRestore));
    SendMessageW(form_.Window(), WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(7, 9));
    EXPECT_EQ(NextEvent(kEventMouseMove).value1, static_cast<WPARAM>(MK_SHIFT));
}

TEST_F(FormTest, TwoFormsShareOneRecord) {
    Form second;
    second.SetEventRecord(&form_);
    ASSERT_NE(second.Create(u"SCRUTOR_TEST_WND", u"Second", 500, 40, 200, 100), nullptr);
    PostMessageW(second.Window(), WM_CLOSE, 0, 0);
    PostMessageW(form_.Window(), WM_CLOSE, 0, 0);
    std::vector<Form*> closers;
    for (const Event& e : CollectEvents(form_.Events(), 300)) {
        if (e.code == kEventClose) closers.push_back(e.form);
    }
    EXPECT_EQ(closers, (std::vector<Form*>{&second, &form_}));
    EXPECT_FALSE(second.Events().Pending());
}

// After a message box or file dialog the user types on where they left off: the control that
// had the focus gets it back, not the bare window.
TEST_F(FormTest, ReactivationGivesTheFocusBackToTheControlThatHadIt) {
    const int first = form_.CreateInput(u"", 10, 10, 100, 22);
    const int second = form_.CreateInput(u"", 10, 40, 100, 22);
    ASSERT_TRUE(SetForegroundWindow(form_.Window()));
    SetFocus(form_.ControlWindow(second));
    Form other;
    ASSERT_NE(other.Create(u"SCRUTOR_TEST_WND", u"Other", 500, 40, 200, 100), nullptr);
    ASSERT_TRUE(test::PumpUntil([&] {
        SetForegroundWindow(other.Window());
        return GetActiveWindow() == other.Window();
    }));
    ASSERT_TRUE(test::PumpUntil([&] {
        SetForegroundWindow(form_.Window());
        return GetActiveWindow() == form_.Window();
    }));
    EXPECT_EQ(GetFocus(), form_.ControlWindow(second));
    EXPECT_NE(GetFocus(), form_.ControlWindow(first));
}

// Following the owner is the message box's test; here the slots.
TEST_F(FormTest, AttachedWindowSlotsRunOutAndFreeAgain) {
    Form satellite;
    ASSERT_NE(satellite.Create(u"SCRUTOR_TEST_WND", u"", 600, 400, 50, 50, WS_POPUP), nullptr);
    EXPECT_EQ(form_.AttachWindow(satellite.Window()), 1);
    HWND desktop = GetDesktopWindow();
    for (int slot = 2; slot <= kAttachedSlots; ++slot) EXPECT_EQ(form_.AttachWindow(desktop), slot);
    EXPECT_EQ(form_.AttachWindow(desktop), 0) << "the 49th window is refused";
    satellite.Destroy();
    EXPECT_EQ(form_.AttachWindow(desktop), 1) << "a slot whose window is gone is free again";
}

TEST_F(FormTest, ControlTableGrowsKeepsIdsAndIgnoresUnknownOnes) {
    for (int id = 1; id <= 600; ++id) {
        ASSERT_EQ(form_.CreateLabel(u"", id % 20, id / 20, 5, 5, 0), id);
    }
    // Asked after all the growing: each id still leads to its own window and back.
    for (int id = 1; id <= 600; ++id) {
        ASSERT_EQ(form_.ControlIdOfWindow(form_.ControlWindow(id)), id);
    }
    EXPECT_EQ(form_.ControlWindow(kLastControl), form_.ControlWindow(600));
    HWND seventh = form_.ControlWindow(7);
    for (int bad : {0, 601, -5}) {
        EXPECT_EQ(form_.ControlType(bad), 0) << bad;
        EXPECT_FALSE(form_.SetState(bad, kStateHide));
        EXPECT_FALSE(form_.Delete(bad));
        EXPECT_EQ(form_.SendToControl(bad, WM_GETTEXTLENGTH, 0, 0), 0);
    }
    EXPECT_EQ(form_.ControlWindow(0), form_.Window());
    EXPECT_TRUE(form_.Delete(7));
    EXPECT_FALSE(IsWindow(seventh));
    EXPECT_FALSE(form_.ControlExists(7));
    EXPECT_EQ(form_.ControlIdOfWindow(form_.Window()), 0);
}

// The group start applies to one control; Enter goes through dialog navigation to the
// default button; accelerators notify with 1.
TEST_F(FormTest, KeysReachTheDefaultButtonAndAccelerators) {
    const int input = form_.CreateInput(u"", 10, 10, 100, 22);
    form_.StartGroup();
    const int ok = form_.CreateButton(u"OK", 10, 50, 80, 25);
    const int other = form_.CreateButton(u"Other", 100, 50, 80, 25, WS_VISIBLE | BS_DEFPUSHBUTTON);
    EXPECT_FALSE(GetWindowLongW(form_.ControlWindow(other), GWL_STYLE) & WS_GROUP);
    EXPECT_EQ(form_.SetDefaultButton(ok), other);
    EXPECT_EQ(GetWindowLongW(form_.ControlWindow(other), GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
    form_.Show(SW_SHOW, kShowForeground | kShowActivate);
    (void)form_.SetState(input, kStateFocus);
    (void)CollectEvents(form_.Events(), 50);
    PostMessageW(form_.ControlWindow(input), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_TRUE(WaitForEvent(form_.Events(), ok));
    const ACCEL keys[] = {{FVIRTKEY, VK_F5, 77}};
    ASSERT_TRUE(form_.SetAccelerators(keys, 1));
    PostMessageW(form_.Window(), WM_KEYDOWN, VK_F5, 0x003F0001);
    EXPECT_EQ(NextEvent(77).value1, 1u);
    EXPECT_FALSE(form_.SetAccelerators(keys, 0));
}

TEST_F(FormTest, MinimumSizeDestroyAndCreateAgain) {
    form_.SetMinimumSize(320, 240);
    MINMAXINFO info{};
    SendMessageW(form_.Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 320);
    EXPECT_EQ(info.ptMinTrackSize.y, 240);
    (void)form_.CreateLabel(u"x", 0, 0, 50, 20);
    PostMessageW(form_.Window(), WM_CHAR, 'a', 0);
    PumpMessages();
    form_.Destroy();
    EXPECT_FALSE(form_.Events().Pending());
    EXPECT_EQ(form_.Window(), nullptr);
    EXPECT_EQ(form_.LastId(), 0);
    EXPECT_NE(form_.Create(u"SCRUTOR_TEST_WND", u"Again", -1, -1, 200, 100), nullptr);
}

}  // namespace
}  // namespace scrutor::ui
