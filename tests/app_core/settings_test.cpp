#include "app/core/settings.h"

#include <gtest/gtest.h>

#include <optional>

namespace scrutor {
namespace {

constexpr ScreenSize kScreen{1920, 1080};
constexpr std::uint32_t kNegativeOne = 0xFFFFFFFF;  // a stored -1 read as a DWORD

TEST(ValidateSettings, MissingValuesGiveDefaults) {
    const Settings s = ValidateSettings(RawSettings{}, kScreen);
    EXPECT_EQ(s.fontSize, 9);
    EXPECT_EQ(s.windowWidth, 1280);
    EXPECT_EQ(s.windowHeight, 720);
    EXPECT_EQ(s.windowPosX, -1);
    EXPECT_EQ(s.windowPosY, -1);
    EXPECT_TRUE(s.CentreWindow());
    EXPECT_TRUE(s.useVistro);
    EXPECT_EQ(s.showInfoTip, 1u);
}

TEST(ValidateSettings, DefaultSizeDividesFirst) {
    const Settings s = ValidateSettings(RawSettings{}, ScreenSize{1366, 767});
    EXPECT_EQ(s.windowWidth, 910);   // 1366 / 3 * 2, not 1366 * 2 / 3 = 910.67
    EXPECT_EQ(s.windowHeight, 510);  // 767 / 3 * 2 = 510, not 511
}

struct FontCase {
    std::optional<std::uint32_t> stored;
    std::int32_t expected;
};

TEST(ValidateSettings, FontSizeRange) {
    const FontCase cases[] = {{7, 9}, {8, 8}, {20, 20}, {32, 32}, {33, 9}, {kNegativeOne, 9},
                              {std::nullopt, 9}};
    for (const FontCase& c : cases) {
        RawSettings raw;
        raw.fontSize = c.stored;
        EXPECT_EQ(ValidateSettings(raw, kScreen).fontSize, c.expected) << c.stored.value_or(0);
    }
}

struct SizeCase {
    std::uint32_t width;
    std::uint32_t height;
    std::int32_t expectedWidth;
    std::int32_t expectedHeight;
};

TEST(ValidateSettings, WindowSizeRange) {
    const SizeCase cases[] = {
        {249, 149, 1280, 720},   {250, 150, 250, 150},          {1920, 1080, 1920, 1080},
        {1921, 1081, 1280, 720}, {kNegativeOne, kNegativeOne, 1280, 720},
    };
    for (const SizeCase& c : cases) {
        RawSettings raw;
        raw.windowWidth = c.width;
        raw.windowHeight = c.height;
        const Settings s = ValidateSettings(raw, kScreen);
        EXPECT_EQ(s.windowWidth, c.expectedWidth) << c.width;
        EXPECT_EQ(s.windowHeight, c.expectedHeight) << c.height;
    }
}

struct PositionCase {
    std::optional<std::uint32_t> x;
    std::optional<std::uint32_t> y;
    std::int32_t expectedX;
    std::int32_t expectedY;
    bool centre;
};

// The window is 800 x 600 on a 1920 x 1080 screen, so x may reach 1120 and y 480.
TEST(ValidateSettings, WindowPositionMustKeepTheWindowOnScreen) {
    const PositionCase cases[] = {
        {100, 50, 100, 50, false},      {1, 1, 1, 1, false},
        {1120, 480, 1120, 480, false},  {0, 0, -1, -1, true},
        {1121, 481, -1, -1, true},      {kNegativeOne, 50, -1, 50, false},
        {100, std::nullopt, 100, -1, false},
    };
    for (const PositionCase& c : cases) {
        RawSettings raw;
        raw.windowWidth = 800;
        raw.windowHeight = 600;
        raw.windowPosX = c.x;
        raw.windowPosY = c.y;
        const Settings s = ValidateSettings(raw, kScreen);
        EXPECT_EQ(s.windowPosX, c.expectedX) << c.x.value_or(0);
        EXPECT_EQ(s.windowPosY, c.expectedY) << c.y.value_or(0);
        EXPECT_EQ(s.CentreWindow(), c.centre) << c.x.value_or(0);
    }
}

// A stored size that is invalid falls back first; the position is judged against that.
TEST(ValidateSettings, PositionUsesTheValidatedSize) {
    RawSettings raw;
    raw.windowWidth = 100;  // invalid: 1280 wide
    raw.windowPosX = 700;   // 700 > 1920 - 1280
    EXPECT_EQ(ValidateSettings(raw, kScreen).windowPosX, -1);
    raw.windowPosX = 640;
    EXPECT_EQ(ValidateSettings(raw, kScreen).windowPosX, 640);
}

TEST(ValidateSettings, VistroAndInfoTip) {
    RawSettings raw;
    raw.dontUseVistro = 1;
    raw.showInfoTip = 0;
    Settings s = ValidateSettings(raw, kScreen);
    EXPECT_FALSE(s.useVistro);
    EXPECT_EQ(s.showInfoTip, 0u);
    raw.dontUseVistro = 0;
    raw.showInfoTip = 7;
    s = ValidateSettings(raw, kScreen);
    EXPECT_TRUE(s.useVistro);
    EXPECT_EQ(s.showInfoTip, 7u);
}

TEST(ZoomedFontSize, StopsAtTheLimits) {
    EXPECT_EQ(ZoomedFontSize(31, true), 32);
    EXPECT_EQ(ZoomedFontSize(32, true), 32);
    EXPECT_EQ(ZoomedFontSize(9, false), 8);
    EXPECT_EQ(ZoomedFontSize(8, false), 8);
}

}  // namespace
}  // namespace scrutor
