#include <windows.h>

#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

using MenuTest = test::FormFixture;

HMENU FileMenu(const Form& form) { return GetSubMenu(GetMenu(form.Window()), 0); }

// The bar keeps the client size; a choice arrives as the item's id with 0; flags and states
// reach the real menu.
TEST_F(MenuTest, MenuBarItemsAndChoices) {
    const int file = form_.CreateMenuBar();
    RECT client{};
    GetClientRect(form_.Window(), &client);
    EXPECT_EQ(client.bottom, 300);
    const int open = form_.AddMenuItem(file, u"&Open", -1, 0);
    const int wrap = form_.AddMenuItem(file, u"&Wrap", -1, kMenuChecked);
    (void)form_.AddMenuItem(file, nullptr, -1, kMenuSeparator);
    (void)form_.AddMenuItem(file, u"Radio", -1, kMenuRadio);
    EXPECT_EQ(form_.GetState(wrap, kStateChecked | kStateUnchecked), kStateChecked);
    ASSERT_TRUE(form_.SetState(open, kStateChecked | kStateDisable));
    EXPECT_EQ(form_.GetState(open, 0xFF), kStateChecked | kStateDisable);
    EXPECT_TRUE(GetMenuState(FileMenu(form_), 3, MF_BYPOSITION) & MFT_RADIOCHECK);
    (void)form_.SetDefaultButton(open);
    EXPECT_EQ(GetMenuDefaultItem(FileMenu(form_), FALSE, GMDI_USEDISABLED),
              static_cast<UINT>(open));
    SendMessageW(form_.Window(), WM_COMMAND, MAKEWPARAM(wrap, 0), 0);
    EXPECT_EQ(NextEvent(wrap).value1, 0u);
}

// Items go under menus only; deleting a submenu frees everything below it.
TEST_F(MenuTest, ParentsAndDeletion) {
    const int file = form_.CreateMenuBar();
    const int item = form_.AddMenuItem(file, u"Item", -1, 0);
    const int sub = form_.AddMenuItem(file, u"Recent", -1, kMenuSubmenu);
    const int a = form_.AddMenuItem(sub, u"a", -1, 0);
    const int deeper = form_.AddMenuItem(sub, u"More", -1, kMenuSubmenu);
    const int b = form_.AddMenuItem(deeper, u"b", -1, 0);
    const int label = form_.CreateLabel(u"x", 0, 0, 10, 10);
    EXPECT_EQ(form_.AddMenuItem(item, u"child", -1, 0), 0);
    EXPECT_EQ(form_.AddMenuItem(label, u"child", -1, 0), 0);
    EXPECT_EQ(form_.AddMenuItem(-1, u"child", -1, 0), 0) << "the last control is a label";
    ASSERT_TRUE(form_.Delete(sub));
    for (int id : {sub, a, deeper, b}) EXPECT_FALSE(form_.ControlExists(id)) << id;
    EXPECT_EQ(GetMenuItemCount(FileMenu(form_)), 1);
    EXPECT_TRUE(form_.ControlExists(file) && form_.ControlExists(item));
    Form bare;
    ASSERT_NE(bare.Create(u"SCRUTOR_TEST_WND", u"", 0, 0, 10, 10), nullptr);
    EXPECT_EQ(bare.AddMenuItem(0, u"no bar", -1, 0), 0);
}

}  // namespace
}  // namespace scrutor::ui
