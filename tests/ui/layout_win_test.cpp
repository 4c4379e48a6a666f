#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "ui/drawing.h"
#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui/layout.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

constexpr std::uint32_t kStretchBoth =
    kResizeStretchX | kResizeKeepRight | kResizeStretchY | kResizeKeepBottom;

class LayoutWinTest : public test::FormFixture {
protected:
    void SetUp() override { Open(WS_OVERLAPPEDWINDOW); }
    void ResizeClient(int w, int h) {
        RECT outer{0, 0, w, h};
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_ACCEPTFILES);
        SetWindowPos(form_.Window(), nullptr, 0, 0, outer.right - outer.left,
                     outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    }
    RECT Position(int id) { return form_.GetPosition(id); }
};

// The arithmetic is the portable layout's; here the flags must reach it from a real resize,
// from the geometry a control has when its flags are set (keep-right also in the next test).
TEST_F(LayoutWinTest, ResizingMovesControlsByTheirFlagsFromTheirBase) {
    form_.SetDefaultResizing(kStretchBoth);
    const int editor = form_.CreateEditor(10, 10, 300, 200);
    form_.SetDefaultResizing(0);
    const int label = form_.CreateLabel(u"x", 20, 20, 50, 20);
    SetWindowPos(form_.ControlWindow(label), nullptr, 100, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(form_.SetResizing(label, kResizeKeepRight | kResizeStretchY));
    EXPECT_FALSE(form_.SetResizing(42, kResizeKeepRight));
    ResizeClient(600, 450);
    EXPECT_TRUE(test::WaitForEvent(form_.Events(), kEventResized));
    const RECT e = Position(editor);
    EXPECT_EQ(e.left, 10);
    EXPECT_EQ(600 - e.right, 90);
    EXPECT_EQ(450 - e.bottom, 90);
    EXPECT_EQ(Position(label).left, 300);
    EXPECT_EQ(Position(label).top, 40);
}

TEST_F(LayoutWinTest, SameSizeLaysOutOnceAndMinimiseMovesNothing) {
    form_.SetDefaultResizing(kResizeKeepRight);
    const int button = form_.CreateButton(u"OK", 300, 10, 80, 25);
    ResizeClient(500, 300);
    EXPECT_EQ(Position(button).left, 400);
    // Moved by hand: a layout at the same size would put it back.
    SetWindowPos(form_.ControlWindow(button), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ResizeClient(500, 300);
    SendMessageW(form_.Window(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(Position(button).left, 5);
    ShowWindow(form_.Window(), SW_MINIMIZE);
    ShowWindow(form_.Window(), SW_RESTORE);
    EXPECT_EQ(Position(button).left, 5);
}

// A group box keeps its click-through frame region after layout; rounded and form regions.
TEST_F(LayoutWinTest, Regions) {
    form_.SetDefaultResizing(kStretchBoth);
    const int group = form_.CreateGroup(u"Group", 10, 10, 200, 150);
    ResizeClient(500, 400);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    ASSERT_NE(GetWindowRgn(form_.ControlWindow(group), region), ERROR);
    GetRgnBox(region, &box);
    EXPECT_EQ(box.right, 300) << "the region follows the new size";
    EXPECT_FALSE(PtInRegion(region, 150, 150)) << "inner area stays click-through";
    EXPECT_TRUE(PtInRegion(region, 2, 150));
    ASSERT_TRUE(SetRoundedRegion(form_.Window(), 200, 100, 12));
    ASSERT_NE(GetWindowRgn(form_.Window(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "corner cut";
    EXPECT_TRUE(PtInRegion(region, 100, 50));
    EXPECT_TRUE(PtInRegion(region, 6, 1));
    ASSERT_TRUE(form_.SetFormRegion(1));
    ASSERT_NE(GetWindowRgn(form_.Window(), region), ERROR);
    GetRgnBox(region, &box);
    EXPECT_EQ(box.right - box.left, 500) << "the client rectangle only";
    DeleteObject(region);
}

// The form's background leaves own painters alone; the flicker-free subclass comes and goes
// with its flag (its removal on destruction is the leak test's).
TEST_F(LayoutWinTest, BackgroundAndFlickerFreePainting) {
    form_.SetBackgroundBrush(CreateSolidBrush(0x00FF00), true);
    form_.SetDefaultResizing(kResizeOwnBackground);
    (void)form_.CreateLabel(u"", 50, 50, 60, 40, WS_VISIBLE);
    HDC dc = GetDC(form_.Window());
    SetPixel(dc, 70, 60, 0x0000FF);
    SendMessageW(form_.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(GetPixel(dc, 10, 10), 0x00FF00u);
    EXPECT_EQ(GetPixel(dc, 70, 60), 0x0000FFu) << "the control's area is left alone";
    ReleaseDC(form_.Window(), dc);
    form_.SetDefaultResizing(0);
    // Edits and labels answer the erase without erasing anyway; a list view really erases.
    const int list = form_.CreateListView(u"A", u"|", 10, 10, 100, 80, WS_VISIBLE | LVS_LIST, 0);
    HWND window = form_.ControlWindow(list);
    const auto erased = [&] {
        HDC listDc = GetDC(window);
        SetPixel(listDc, 50, 40, 0x0000FF);
        SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(listDc), 0);
        const bool changed = GetPixel(listDc, 50, 40) != 0x0000FFu;
        ReleaseDC(window, listDc);
        return changed;
    };
    ASSERT_TRUE(erased());
    ASSERT_TRUE(form_.SetResizing(list, kResizeFlickerFree));
    EXPECT_FALSE(erased());
    ASSERT_TRUE(form_.SetResizing(list, 0));
    EXPECT_TRUE(erased()) << "the subclass goes with its flag";
}

}  // namespace
}  // namespace scrutor::ui
