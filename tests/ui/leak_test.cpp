#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/layout.h"
#include "ui/listview.h"
#include "ui/tip.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

// A form that holds one of everything that owns a handle: fonts, brushes, bitmaps,
// icons, a background picture, item colour records, a menu, a tip and subclasses.
bool BuildBusyForm(Form& form, HBITMAP bitmap, HICON icon) {
    if (form.Create(u"SCRUTOR_LEAK_WND", u"Busy", 10, 10, 420, 320) == nullptr) return false;
    form.SetDefaultBackgroundColour(0xEEEEEE);
    const int file = form.CreateMenuBar();
    for (int i = 0; i < 4; ++i) (void)form.AddMenuItem(file, u"Item", -1, i == 0 ? kMenuChecked : 0);
    (void)form.SetBackgroundColour(file, 0xF0F0F0);
    form.SetDefaultResizing(kResizeFlickerFree | kResizeKeepRight);
    int firstButton = 0;
    for (int i = 0; i < 12; ++i) {
        const int button = form.CreateButton(u"Button", 5, 5 + i * 2, 60, 20);
        if (button == 0) return false;
        if (firstButton == 0) firstButton = button;
        (void)form.SetFont(-1, 10, 700, 2, u"Arial", 0);
    }
    form.SetDefaultResizing(0);
    for (int i = 0; i < 60; ++i) {  // each with its own font and background brush
        if (form.CreateLabel(u"label", 300, 5 + i, 80, 16) == 0) return false;
    }
    if (form.CreateIcon(icon, 100, 5, 32, 32) == 0 || form.CreatePicture(bitmap, 140, 5, 16, 16) == 0) {
        return false;
    }
    (void)form.CreateGroup(u"Group", 100, 50, 200, 100);
    (void)form.CreateComboBox(u"a\nb\nc", 100, 160, 100, 100);
    (void)form.CreateEditor(220, 160, 100, 60);
    const int list = form.CreateListView(u"A|B", u"|", 100, 230, 200, 80, WS_VISIBLE | LVS_REPORT, 0);
    for (int i = 0; i < 6; ++i) {
        const int item = form.AddItem(list, u"x|y", u"|");
        (void)SetItemColours(form.ControlWindow(list), item, i % 2, 0x0000FF, 0xE0E0E0);
    }
    HDC screen = GetDC(nullptr);
    (void)form.SetBackgroundBitmap(CreateCompatibleBitmap(screen, 64, 64));
    ReleaseDC(nullptr, screen);
    form.Show(SW_SHOWNOACTIVATE);
    return ShowTip(form, u"tip", 20, 20, u"Title", 1, -1, 0, 0, 0xFFFFFF, firstButton);
}

// GetGuiResources answers 0 under Wine, so the proof is exhaustion: Wine's GDI table
// holds about 16,000 handles and each round makes about 170 GDI objects (fonts,
// brushes, bitmaps, device contexts), 51,000 in all. A leak of any of them makes a
// later round fail to build.
TEST(LeakTest, BusyFormCreatedAndDestroyedManyTimes) {
    constexpr int kRounds = 300;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HICON icon = LoadIconW(nullptr, IDI_WARNING);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int round = 0; round < kRounds; ++round) {
        Form form;
        ASSERT_TRUE(BuildBusyForm(form, bitmap, icon)) << "round " << round;
        PumpMessages();
        form.Destroy();
    }
    const DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdiBefore != 0) {  // real Windows counts them
        EXPECT_LE(gdiAfter, gdiBefore + 5);
        EXPECT_LE(userAfter, userBefore + 5);
    }
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace scrutor::ui
