#include "ui/layout.h"

#include <gtest/gtest.h>

namespace scrutor::ui {
namespace {

constexpr std::uint32_t kStretchBoth =
    kResizeStretchX | kResizeKeepRight | kResizeStretchY | kResizeKeepBottom;

Box Lay(const LayoutBase& base, std::uint32_t flags, int w, int h, Box current = {}) {
    return ComputeLayout(base, flags, w, h, current);
}

TEST(LayoutTest, StretchAndKeepRules) {
    const LayoutBase base{{10, 20, 300, 200}, 400, 300};  // margins 10, 20, 90, 80
    for (const auto& [w, h] : {std::pair{600, 500}, std::pair{350, 290}, std::pair{400, 300}}) {
        EXPECT_EQ(Lay(base, kStretchBoth, w, h), (Box{10, 20, w - 100, h - 100})) << w;
    }
    const LayoutBase corner{{300, 250, 80, 25}, 400, 300};
    EXPECT_EQ(Lay(corner, kResizeKeepRight | kResizeKeepBottom, 500, 340), (Box{400, 290, 80, 25}));
    // An axis without flags keeps the window's current rectangle.
    const Box current{17, 23, 111, 29};
    EXPECT_EQ(Lay(base, kResizeScaleWidth, 800, 600, current), current);
    EXPECT_EQ(Lay(base, kResizeStretchX, 800, 600, current), (Box{10, 23, 300, 29}));
}

TEST(LayoutTest, ScaledAndCentredPositionsTruncate) {
    const LayoutBase base{{33, 10, 100, 50}, 400, 300};
    EXPECT_EQ(Lay(base, kResizeScaleWidth | kResizeStretchX, 600, 300).width, 150);
    // 601 * 100 / 400 = 150.25 and 601 * 33 / 400 = 49.58: both truncate.
    EXPECT_EQ(Lay(base, kResizeScaleWidth | kResizeScaleX | kResizeStretchY, 601, 300),
              (Box{49, 10, 150, 50}));
    EXPECT_EQ(Lay(base, kResizeScaleHeight | kResizeScaleY | kResizeStretchX, 400, 451).height, 75);
    const LayoutBase centred{{50, 0, 100, 20}, 400, 300};
    // Offset from the centre: 500 / 2 + (50 + 50 - 50 - 200) = 100.
    EXPECT_EQ(Lay(centred, kResizeCentreOffsetX | kResizeStretchY, 500, 300).x, 100);
    // Fraction: (500 * 1000) / ((400 * 1000) / 100) - 50 = 75.
    EXPECT_EQ(Lay(centred, kResizeCentreFractionX | kResizeStretchY, 500, 300).x, 75);
    // A ratio that does not divide evenly: 333000 / (320000 / 105) - 25 = 84, truncating.
    const LayoutBase odd{{80, 0, 50, 20}, 320, 200};
    EXPECT_EQ(Lay(odd, kResizeCentreFractionX | kResizeStretchY, 333, 200).x, 84);
    // Zero base sizes do not divide by zero.
    const LayoutBase empty{{0, 0, 0, 0}, 0, 0};
    EXPECT_EQ(Lay(empty, kResizeScaleWidth | kResizeScaleX | kResizeCentreFractionY, 640, 480),
              Box{});
}

TEST(LayoutTest, ParticipationMaskAndFlickerFreeImpliesOwnBackground) {
    EXPECT_FALSE(TakesPartInLayout(kResizeStretchX | kResizeStretchY | kResizeDragsForm));
    EXPECT_FALSE(TakesPartInLayout(kResizeOwnBackground | kResizeFlickerFree | kResizeRepaintParent));
    EXPECT_TRUE(TakesPartInLayout(kResizeKeepRight | kResizeOwnBackground));
    EXPECT_EQ(NormaliseResizing(kResizeFlickerFree), kResizeFlickerFree | kResizeOwnBackground);
    EXPECT_EQ(NormaliseResizing(kResizeKeepRight), kResizeKeepRight);
}

TEST(LayoutTest, FontHeightsAndRoundedPaths) {
    EXPECT_EQ(FontHeightForPoints(9.0), -12);  // at 96 dpi
    EXPECT_EQ(FontHeightForPoints(10.0), -13);
    // Corners are diameters; each line ends where the next arc begins.
    const auto parts = RoundedPath(0, 0, 100, 50, 12);
    ASSERT_EQ(parts.size(), 8u);
    EXPECT_FLOAT_EQ(parts[0].x1, 6);
    EXPECT_FLOAT_EQ(parts[0].x2, 94);
    EXPECT_EQ(parts[1].kind, PathPart::Kind::kArc);
    EXPECT_FLOAT_EQ(parts[1].x1, 88);
    EXPECT_FLOAT_EQ(parts[3].y1, 38);
    EXPECT_FLOAT_EQ(parts[6].y2, 6);
}

}  // namespace
}  // namespace scrutor::ui
