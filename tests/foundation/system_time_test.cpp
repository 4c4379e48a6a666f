#include "foundation/system_time.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/os_version.h"

namespace scrutor {
namespace {

std::u16string Format(std::uint16_t year, std::uint16_t month, std::uint16_t hour) {
    return std::u16string(FormatTime(CivilTime{year, month, 6, 1, hour, 0, 0, 999}).View());
}

TEST(FormatTime, PadsAndCutsEachField) {
    EXPECT_EQ(std::u16string(FormatTime(CivilTime{2024, 3, 6, 5, 7, 8, 9, 999}).View()),
              u"2024/03/05 07:08:09");
    EXPECT_EQ(std::u16string(FormatTime(CivilTime{}).View()), u"0000/00/00 00:00:00");
    EXPECT_EQ(Format(7, 1, 0), u"0007/01/01 00:00:00");
    EXPECT_EQ(Format(12345, 1, 0), u"2345/01/01 00:00:00");
    // Out-of-range fields keep the fixed width rather than pushing the text apart.
    EXPECT_EQ(Format(2024, 123, 100), u"2024/23/01 00:00:00");
}

// Counts for 2024-03-05 and 2024-03-06 in 100-ns units since 1601.
TEST(DaysBetween, CountsCalendarDaysNotSpans) {
    constexpr std::uint64_t kMarch5At2359 = 133541567400000000ULL;
    constexpr std::uint64_t kMarch6At0001 = 133541568600000000ULL;
    constexpr std::uint64_t kMarch5At0000 = 133540704000000000ULL;
    constexpr std::uint64_t kMarch5LastTick = 133541567999999999ULL;
    EXPECT_EQ(DaysBetweenFileTimes(kMarch5At2359, kMarch6At0001), 1);
    EXPECT_EQ(DaysBetweenFileTimes(kMarch5At0000, kMarch5LastTick), 0);
    EXPECT_EQ(DaysBetweenFileTimes(kMarch5LastTick, kMarch5LastTick + 1), 1);
    EXPECT_EQ(DaysBetweenFileTimes(kMarch6At0001, kMarch5At2359), -1);
    EXPECT_EQ(DaysBetweenFileTimes(kMarch5At0000, kMarch5At0000 + 11 * kFileTimeUnitsPerDay), 11);
}

// Answers as a system of the given version would, counting the questions.
struct FakeProbe final : VersionProbe {
    FakeProbe(unsigned major, unsigned minor) : major(major), minor(minor) {}
    bool MajorAtLeast(unsigned m) const override { return ++calls, major >= m; }
    bool MajorEquals(unsigned m) const override { return ++calls, major == m; }
    bool MinorEquals(unsigned m) const override { return ++calls, minor == m; }
    unsigned major, minor;
    mutable int calls = 0;
};

// Reports up to 6.2 are trusted without asking; above it, or without one, the system is asked.
TEST(OsVersion, TrustsReportsUpTo62AndAsksAboveIt) {
    const struct {
        unsigned reportedMajor, reportedMinor, realMajor, realMinor;
        double expected;
        bool asks;
    } cases[] = {
        {6, 1, 10, 0, 6.1, false},  {5, 1, 10, 0, 5.1, false}, {6, 2, 10, 0, 6.2, false},
        {10, 0, 10, 0, 10.0, true}, {6, 3, 6, 3, 6.3, true},   {0, 0, 6, 1, 6.1, true},
        {0, 0, 6, 0, 6.0, true},    {0, 0, 5, 2, 5.2, true},   {0, 0, 4, 0, 0.0, true},
        {0, 0, 11, 0, 10.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.reportedMajor << "." << c.reportedMinor << " on "
                                        << c.realMajor << "." << c.realMinor);
        const FakeProbe probe(c.realMajor, c.realMinor);
        EXPECT_DOUBLE_EQ(ResolveOsVersion(c.reportedMajor, c.reportedMinor, probe), c.expected);
        EXPECT_EQ(probe.calls > 0, c.asks);
    }
}

}  // namespace
}  // namespace scrutor
