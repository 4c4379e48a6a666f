#include <gtest/gtest.h>

#include "ui/event_codes.h"
#include "ui/list_compare.h"
#include "ui/msgbox_layout.h"

namespace scrutor::ui {
namespace {

TEST(CellCompareTest, SizesOrderByValue) {
    EXPECT_LT(CompareCellTexts(u"900 KB", u"1,5 MB", false), 0);
    EXPECT_LT(CompareCellTexts(u"2 GB", u"1 TB", false), 0);
    EXPECT_GT(CompareCellTexts(u"2 GB", u"1 TB", true), 0);
    EXPECT_DOUBLE_EQ(CellNumber(u"1,5 MB"), 1.5 * 1024 * 1024);
    EXPECT_DOUBLE_EQ(CellNumber(u"3 KB"), 3 * 1024.0);
    EXPECT_DOUBLE_EQ(CellNumber(u"12"), 12.0);
}

TEST(CellCompareTest, NumbersBeforeTextCaseIgnored) {
    EXPECT_LT(CompareCellTexts(u"9", u"10", false), 0) << "numerically, not as text";
    EXPECT_EQ(CompareCellTexts(u"apple", u"APPLE", false), 0);
    EXPECT_LT(CompareCellTexts(u"apple", u"Banana", false), 0);
    EXPECT_GT(CompareCellTexts(u"apple", u"Banana", true), 0);
    // Equal numbers fall back to the text.
    EXPECT_LT(CompareCellTexts(u"1.0", u"1.00", false), 0);
    EXPECT_EQ(CompareCellTexts(u"", u"", false), 0);
}

TEST(MsgBoxLayoutTest, ButtonsAndResultsPerStyle) {
    struct Row {
        int style;
        std::vector<int> xs;
        std::vector<int> results;
    };
    const Row rows[] = {{kMsgBoxOk, {225}, {1}},
                        {kMsgBoxYesNo, {66, 212}, {1, 0}},
                        {kMsgBoxOkCancel, {66, 212}, {1, -1}},
                        {kMsgBoxYesNoCancel, {30, 140, 250}, {1, 0, -1}}};
    for (const Row& row : rows) {
        const auto buttons = MsgBoxButtons(row.style);
        ASSERT_EQ(buttons.size(), row.xs.size()) << row.style;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i].x, row.xs[i]);
            EXPECT_EQ(MsgBoxButtonResult(row.style, static_cast<int>(i)), row.results[i]);
        }
    }
    EXPECT_TRUE(MsgBoxButtons(kMsgBoxTip).empty());
    EXPECT_EQ(std::u16string(MsgBoxButtons(kMsgBoxYesNoCancel)[2].text), u"Cancel");
}

TEST(MsgBoxLayoutTest, TipEndsOnMeaningfulEventsOnly) {
    for (int code : {kEventMouseMove, kEventSetCursor, kEventSizing, kEventResized, kEventClose,
                     kEventReturn, 0}) {
        EXPECT_TRUE(TipSurvivesEvent(code)) << code;
    }
    for (int code : {5, kEventLeftDown, kEventDeactivated, kEventMoved, kEventNcActivated,
                     kEventChar, kEventItemSelected, -2}) {
        EXPECT_FALSE(TipSurvivesEvent(code)) << code;
    }
}

TEST(MsgBoxLayoutTest, TipSizeHasFloors) {
    EXPECT_EQ(TipSize(1, 10, 8), (Size{75, 61}));
    EXPECT_EQ(TipSize(3, 180, 18), (Size{200, 99}));
}

}  // namespace
}  // namespace scrutor::ui
