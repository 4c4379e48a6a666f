#include <windows.h>

#include <gtest/gtest.h>

#include "demo_form.h"
#include "ui/form.h"
#include "ui/msgbox.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

TEST(DemoTest, DemoFormBuildsAndIsPhotographed) {
    Form form;
    uidemo::DemoIds ids;
    ASSERT_TRUE(uidemo::BuildDemoForm(form, ids));
    form.Show(SW_SHOW, kShowUpdate | kShowForeground);
    EXPECT_EQ(form.ItemCount(ids.list), 4);
    EXPECT_EQ(form.ItemGroup(ids.list, 3), 2);
    EXPECT_FALSE(test::SaveScreenshot(form.Window(), "demo_form").empty());
    RECT outer{};
    GetWindowRect(form.Window(), &outer);
    SetWindowPos(form.Window(), nullptr, 0, 0, outer.right - outer.left + 150,
                 outer.bottom - outer.top + 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(test::SaveScreenshot(form.Window(), "demo_form_resized").empty());
    const RECT list = form.GetPosition(ids.list);
    EXPECT_EQ(list.right - list.left, 350 + 150);
}

}  // namespace
}  // namespace scrutor::ui
