#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

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
    // A control that failed shows as too few handles in the test.
    const int firstButton = form.LastId() + 1;
    for (int i = 0; i < 12; ++i) {
        (void)form.CreateButton(u"Button", 5, 5 + i * 2, 60, 20);
        (void)form.SetFont(-1, 10, 700, 2, u"Arial", 0);
    }
    form.SetDefaultResizing(0);
    for (int i = 0; i < 60; ++i) {  // each with its own font and background brush
        (void)form.CreateLabel(u"label", 300, 5 + i, 80, 16);
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
    (void)form.SetBackgroundBitmap(CreateBitmap(64, 64, 1, 32, nullptr));
    form.Show(SW_SHOWNOACTIVATE);
    return ShowTip(form, {.text = u"tip", .x = 20, .y = 20, .title = u"Title", .icon = 1,
                         .textColour = 0, .backgroundColour = 0xFFFFFF, .controlId = firstButton});
}

// Every handle the form held is invalid after Destroy; Wine's stale GDI handles carry
// a generation and read back as no object.
TEST(LeakTest, DestroyReleasesEveryHandleItHeld) {
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    Form form;
    ASSERT_TRUE(BuildBusyForm(form, bitmap, LoadIconW(nullptr, IDI_WARNING)));
    std::vector<HGDIOBJ> objects;
    std::vector<HWND> windows{form.Window()};
    HICON icon = nullptr;
    for (int id = 1; id <= form.LastId(); ++id) {
        HWND w = form.ControlWindow(id);
        if (w == nullptr) continue;
        windows.push_back(w);
        if (auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0))) objects.push_back(font);
        if (form.ControlType(id) == kTypePicture) {
            objects.push_back(reinterpret_cast<HGDIOBJ>(SendMessageW(w, STM_GETIMAGE, IMAGE_BITMAP, 0)));
        }
        if (form.ControlType(id) == kTypeIcon) {
            icon = reinterpret_cast<HICON>(SendMessageW(w, STM_GETIMAGE, IMAGE_ICON, 0));
        }
    }
    HMENU menu = GetMenu(form.Window());
    HWND tip = FindWindowW(L"tooltips_class32", nullptr);
    ASSERT_GT(objects.size(), 70u);
    for (HGDIOBJ o : objects) ASSERT_NE(GetObjectType(o), 0u);
    form.Destroy();
    for (HGDIOBJ o : objects) EXPECT_EQ(GetObjectType(o), 0u) << o;
    for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
    ICONINFO info{};
    EXPECT_FALSE(icon != nullptr && GetIconInfo(icon, &info)) << "the icon copy is destroyed";
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsWindow(tip));
    BITMAP still{};
    EXPECT_TRUE(GetObjectW(bitmap, sizeof still, &still)) << "the caller's bitmap stays";
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace scrutor::ui
