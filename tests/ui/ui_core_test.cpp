#include <gtest/gtest.h>

#include "ui/event_codes.h"
#include "ui/list_compare.h"
#include "ui/msgbox_layout.h"

namespace scrutor::ui {
namespace {

// Sizes order by value, numbers numerically and before text, text without case; equal
// numbers fall back to the text.
TEST(CellCompareTest, Ordering) {
    EXPECT_DOUBLE_EQ(CellNumber(u"1,5 MB"), 1.5 * 1024 * 1024);
    EXPECT_DOUBLE_EQ(CellNumber(u"3 KB"), 3 * 1024.0);
    EXPECT_DOUBLE_EQ(CellNumber(u"12"), 12.0);
    const struct {
        const char16_t* a;
        const char16_t* b;
        int order;  // sign, ascending
    } cases[] = {{u"900 KB", u"1,5 MB", -1}, {u"2 GB", u"1 TB", -1}, {u"9", u"10", -1},
                 {u"apple", u"APPLE", 0},     {u"apple", u"Banana", -1}, {u"1.0", u"1.00", -1},
                 {u"", u"", 0}};
    for (const auto& c : cases) {
        const int ascending = CompareCellTexts(c.a, c.b, false);
        EXPECT_EQ((ascending > 0) - (ascending < 0), c.order) << (&c - cases);
        const int descending = CompareCellTexts(c.a, c.b, true);
        EXPECT_EQ((descending > 0) - (descending < 0), -c.order) << (&c - cases);
    }
}

// Hovering or resizing must not end the tip; a click, a move or losing the focus must, and
// codes outside the event range end it.
TEST(MsgBoxLayoutTest, TipEndsOnMeaningfulEventsOnly) {
    for (int code : {kEventMouseMove, kEventSetCursor, kEventResized, kEventReturn, 0}) {
        EXPECT_TRUE(TipSurvivesEvent(code)) << code;
    }
    for (int code : {5, kEventLeftDown, kEventDeactivated, kEventMoved, kEventChar, -2}) {
        EXPECT_FALSE(TipSurvivesEvent(code)) << code;
    }
}

TEST(MsgBoxLayoutTest, TipSizeHasFloors) {
    EXPECT_EQ(TipSize(1, 10, 8), (Size{75, 61}));
    EXPECT_EQ(TipSize(3, 180, 18), (Size{200, 99}));
}

}  // namespace
}  // namespace scrutor::ui
