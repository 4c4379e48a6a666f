#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui/listview.h"
#include "ui/listview_items.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

using test::CollectEvents;
using test::WaitForEvent;

class ListViewTest : public test::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        list_ = form_.CreateListView(u"File|Result", u"|", 10, 10, 320, 200,
                                     WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                     LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
        ASSERT_NE(list_, 0);
        window_ = form_.ControlWindow(list_);
    }
    LRESULT Notify(UINT code, int item, int subItem) {
        NMLISTVIEW n{};
        n.hdr = {window_, static_cast<UINT_PTR>(list_), code};
        n.iItem = item;
        n.iSubItem = subItem;
        return Send(n);
    }
    template <class Notification>
    LRESULT Send(Notification& n) {
        return SendMessageW(form_.Window(), WM_NOTIFY, static_cast<WPARAM>(list_),
                            reinterpret_cast<LPARAM>(&n));
    }
    std::vector<std::u16string> Column(int sub) {
        std::vector<std::u16string> texts;
        for (int i = 0; i < form_.ItemCount(list_); ++i) {
            texts.emplace_back(form_.ItemText(list_, i, sub).View());
        }
        return texts;
    }
    int list_ = 0;
    HWND window_ = nullptr;
};

TEST_F(ListViewTest, ColumnsSplitEvenlyAndItemsFillFields) {
    EXPECT_EQ(SendMessageW(window_, LVM_GETCOLUMNWIDTH, 0, 0), (320 - 20) / 2);
    EXPECT_EQ(SendMessageW(window_, LVM_GETCOLUMNWIDTH, 1, 0), (320 - 20) / 2);
    EXPECT_EQ(form_.AddItem(list_, u"a.exe|clean", u"|"), 0);
    EXPECT_EQ(form_.AddItem(list_, u"b.exe", u"|"), 1);
    EXPECT_EQ(Column(1), (std::vector<std::u16string>{u"clean", u""}));
    char16_t row[64];
    EXPECT_EQ(RowText(window_, 0, -1, row, 64), 11);
    EXPECT_EQ(std::u16string(row), u"a.exe|clean");
    EXPECT_EQ(RowText(window_, 0, -1, row, 4), 3) << "cut to the buffer";
    EXPECT_EQ(std::u16string(row), u"a.e");
    EXPECT_EQ(FindItemByText(window_, u"B.EXE"), 1);
    EXPECT_EQ(FindItemByText(window_, u"c.exe"), -1);
    EXPECT_EQ(form_.AddItem(99, u"x", u"|"), -1);
}

TEST_F(ListViewTest, SelectionCheckBoxesActivationAndLabelEditsRaiseEvents) {
    for (const char16_t* t : {u"one", u"two", u"three"}) (void)form_.AddItem(list_, t, u"|");
    (void)CollectEvents(form_.Events(), 50);
    ASSERT_TRUE(form_.SetItemState(list_, 2, LVIS_SELECTED, LVIS_SELECTED));
    const Event selected = NextEvent(kEventItemSelected);
    EXPECT_EQ(selected.value1, static_cast<WPARAM>(list_));
    EXPECT_EQ(selected.value2, 2);
    ASSERT_TRUE(form_.SetItemState(list_, 0, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(form_.SelectedItems(list_), (std::vector<int>{0, 2}));
    EXPECT_EQ(SelectedIndexArray(window_), (std::vector<int>{2, 0, 2}));
    EXPECT_EQ(form_.FirstSelected(list_), 0);
    (void)CollectEvents(form_.Events(), 50);
    ASSERT_TRUE(form_.SetItemState(list_, 1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK));
    EXPECT_EQ(NextEvent(kEventItemChecked).value2, 1);
    ASSERT_TRUE(form_.SetItemState(list_, 1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK));
    EXPECT_TRUE(WaitForEvent(form_.Events(), kEventItemUnchecked));
    ASSERT_TRUE(form_.SetItemState(list_, 2, 0, LVIS_SELECTED));
    EXPECT_TRUE(WaitForEvent(form_.Events(), kEventItemUnselected));
    ASSERT_TRUE(form_.DeleteItem(list_, 0));
    EXPECT_EQ(NextEvent(kEventItemDeleted).value2, 0);
    Notify(NM_DBLCLK, 0, 0);
    EXPECT_TRUE(WaitForEvent(form_.Events(), kEventDoubleClick));
    Notify(NM_RETURN, 0, 0);
    EXPECT_TRUE(WaitForEvent(form_.Events(), kEventReturn));
    NMLVDISPINFOW edit{};
    edit.hdr = {window_, static_cast<UINT_PTR>(list_), LVN_ENDLABELEDITW};
    wchar_t text[] = L"renamed";
    edit.item.pszText = text;
    EXPECT_TRUE(Send(edit));
    EXPECT_TRUE(WaitForEvent(form_.Events(), kEventLabelEdited));
    EXPECT_EQ(form_.EventText(), WideString(u"renamed"));
}

// Sizes sort by value, a second click reverses, other columns lose their arrow; a list
// without sorting ignores the clicks.
TEST_F(ListViewTest, ColumnClicksSort) {
    for (const char16_t* t : {u"x|2 GB", u"y|900 KB", u"z|1 TB", u"w|1,5 MB"}) {
        (void)form_.AddItem(list_, t, u"|");
    }
    Notify(LVN_COLUMNCLICK, -1, 0);
    EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"x", u"y", u"z", u"w"}));
    ASSERT_TRUE(form_.EnableSort(list_));
    Notify(LVN_COLUMNCLICK, -1, 1);
    EXPECT_EQ(Column(1), (std::vector<std::u16string>{u"900 KB", u"1,5 MB", u"2 GB", u"1 TB"}));
    HWND header = reinterpret_cast<HWND>(SendMessageW(window_, LVM_GETHEADER, 0, 0));
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.fmt & HDF_SORTUP);
    Notify(LVN_COLUMNCLICK, -1, 1);
    EXPECT_EQ(Column(1), (std::vector<std::u16string>{u"1 TB", u"2 GB", u"1,5 MB", u"900 KB"}));
    Notify(LVN_COLUMNCLICK, -1, 0);
    EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"w", u"x", u"y", u"z"}));
    SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_FALSE(item.fmt & (HDF_SORTUP | HDF_SORTDOWN));
}

TEST_F(ListViewTest, ItemGroupsAreKeptByTheToolkit) {
    (void)form_.AddGroup(list_, 7, u"Windows", 0);
    (void)form_.AddGroup(list_, 8, u"Controls", 0);
    EXPECT_TRUE(form_.EnableGroupView(list_));
    (void)form_.AddItem(list_, u"w", u"|", 7);
    (void)form_.AddItem(list_, u"c", u"|", 8);
    EXPECT_EQ(form_.ItemGroup(list_, 0), 7);
    EXPECT_EQ(form_.ItemGroup(list_, 1), 8);
    EXPECT_EQ(form_.ItemGroup(list_, -1), -1) << "nothing selected";
    (void)form_.SetItemState(list_, 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(form_.ItemGroup(list_, -1), 8);
    if (!SendMessageW(window_, LVM_ISGROUPVIEWENABLED, 0, 0)) {
        GTEST_SKIP() << "this list view (Wine's) does not keep or draw groups";
    }
    LVITEMW query{};
    query.mask = LVIF_GROUPID;
    ASSERT_TRUE(SendMessageW(window_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)));
    EXPECT_EQ(query.iGroupId, 7);
}

TEST_F(ListViewTest, HighlightColoursTheRowThroughCustomDraw) {
    (void)form_.AddItem(list_, u"plain|x", u"|");
    (void)form_.AddItem(list_, u"marked|y", u"|");
    ASSERT_TRUE(HighlightItem(window_, 1, -1));
    ASSERT_TRUE(HighlightItem(window_, 0, 1));
    EXPECT_FALSE(HighlightItem(window_, 0, 5)) << "beyond the columns";
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {window_, static_cast<UINT_PTR>(list_), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(Send(draw), CDRF_NOTIFYITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.lItemlParam = reinterpret_cast<LPARAM>(ItemRecord(window_, 1));
    EXPECT_EQ(Send(draw), CDRF_NEWFONT);
    EXPECT_EQ(draw.clrText, kHighlightColour);
    draw.nmcd.lItemlParam = reinterpret_cast<LPARAM>(ItemRecord(window_, 0));
    EXPECT_EQ(Send(draw), CDRF_NOTIFYSUBITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.iSubItem = 1;
    EXPECT_EQ(Send(draw), CDRF_NEWFONT);
    EXPECT_EQ(draw.clrText, kHighlightColour);
    draw.iSubItem = 0;
    (void)Send(draw);
    EXPECT_NE(draw.clrText, kHighlightColour) << "colours do not carry to other cells";
    test::SaveScreenshot(form_.Window(), "listview_highlight");
}

}  // namespace
}  // namespace scrutor::ui
