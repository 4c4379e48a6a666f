#include "app/core/settings.h"

#include <gtest/gtest.h>

#include <optional>

namespace scrutor {
namespace {

constexpr ScreenSize kScreen{1920, 1080};
constexpr std::uint32_t kNegativeOne = 0xFFFFFFFF;  // a stored -1 read as a DWORD
using Stored = std::optional<std::uint32_t>;

TEST(ValidateSettings, MissingValuesGiveDefaults) {
    // Font and size: the missing row of the ranges' table.
    const Settings s = ValidateSettings(RawSettings{}, kScreen);
    EXPECT_TRUE(s.CentreWindow());
    EXPECT_TRUE(s.useVistro);
    EXPECT_EQ(s.showInfoTip, 1u);
    // The default size divides first: 1366 / 3 * 2, not 1366 * 2 / 3 = 910.67.
    const Settings odd = ValidateSettings(RawSettings{}, ScreenSize{1366, 767});
    EXPECT_EQ(odd.windowWidth, 910);
    EXPECT_EQ(odd.windowHeight, 510);  // 767 / 3 * 2 = 510, not 511
}

// The zoom limits are the main window's tests.
TEST(ValidateSettings, FontAndWindowSizeRangesAndFlags) {
    const struct {
        Stored font, width, height;
        std::int32_t expectedFont, expectedWidth, expectedHeight;
    } cases[] = {
        {7, 249, 149, 9, 1280, 720},       {8, 250, 150, 8, 250, 150},
        {32, 1920, 1080, 32, 1920, 1080},  {33, 1921, 1081, 9, 1280, 720},
        {kNegativeOne, kNegativeOne, kNegativeOne, 9, 1280, 720},
        {std::nullopt, std::nullopt, std::nullopt, 9, 1280, 720},
    };
    for (const auto& c : cases) {
        RawSettings raw;
        raw.fontSize = c.font;
        raw.windowWidth = c.width;
        raw.windowHeight = c.height;
        const Settings s = ValidateSettings(raw, kScreen);
        EXPECT_EQ(s.fontSize, c.expectedFont) << (&c - cases);
        EXPECT_EQ(s.windowWidth, c.expectedWidth) << (&c - cases);
        EXPECT_EQ(s.windowHeight, c.expectedHeight) << (&c - cases);
    }
    for (const std::uint32_t flag : {0u, 1u, 7u}) {
        RawSettings raw;
        raw.dontUseVistro = flag;
        raw.showInfoTip = flag;
        const Settings s = ValidateSettings(raw, kScreen);
        EXPECT_EQ(s.useVistro, flag == 0);
        EXPECT_EQ(s.showInfoTip, flag);
    }
}

// The position must keep the window on screen, judged against the validated size: an
// 800 x 600 window may reach x 1120 and y 480; an invalid width of 100 counts as 1280.
TEST(ValidateSettings, WindowPositionMustKeepTheWindowOnScreen) {
    const struct {
        std::uint32_t width;
        Stored x, y;
        std::int32_t expectedX, expectedY;
        bool centre;
    } cases[] = {
        {800, 100, 50, 100, 50, false},    {800, 1, 1, 1, 1, false},
        {800, 1120, 480, 1120, 480, false}, {800, 0, 0, -1, -1, true},
        {800, 1121, 481, -1, -1, true},     {800, kNegativeOne, 50, -1, 50, false},
        {800, 100, std::nullopt, 100, -1, false},
        {100, 700, 10, -1, 10, false},      {100, 640, 10, 640, 10, false},
    };
    for (const auto& c : cases) {
        RawSettings raw;
        raw.windowWidth = c.width;
        raw.windowHeight = 600;
        raw.windowPosX = c.x;
        raw.windowPosY = c.y;
        const Settings s = ValidateSettings(raw, kScreen);
        EXPECT_EQ(s.windowPosX, c.expectedX) << (&c - cases);
        EXPECT_EQ(s.windowPosY, c.expectedY) << (&c - cases);
        EXPECT_EQ(s.CentreWindow(), c.centre) << (&c - cases);
    }
}

}  // namespace
}  // namespace scrutor
