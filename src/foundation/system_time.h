#pragma once

// Calendar times and file-time counts without the operating system.

#include <cstdint>

#include "foundation/wide_string.h"

namespace scrutor {

// The fields of a Windows SYSTEMTIME, in its order.
struct CivilTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// 100-ns intervals per day.
inline constexpr std::uint64_t kFileTimeUnitsPerDay = 864000000000ULL;

// "YYYY/MM/DD hh:mm:ss": the year as its last 4 digits, the rest as their last 2; no time-zone
// conversion.
[[nodiscard]] WideString FormatTime(const CivilTime& time);

// Whole days between the days of two file-time counts (not 24-hour spans).
[[nodiscard]] std::int64_t DaysBetweenFileTimes(std::uint64_t from, std::uint64_t to);

}  // namespace scrutor
