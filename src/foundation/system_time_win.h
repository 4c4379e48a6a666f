#pragma once

// Conversions between SYSTEMTIME, file-time counts and text.

#include <windows.h>

#include <cstdint>

#include "foundation/system_time.h"
#include "foundation/wide_string.h"

namespace scrutor {

// 0 when the time is not a valid date.
[[nodiscard]] std::uint64_t SystemTimeToU64(const SYSTEMTIME& time);
// Empty when the count is beyond what SYSTEMTIME holds.
[[nodiscard]] WideString FileTimeToText(std::uint64_t fileTime);
[[nodiscard]] WideString FormatTime(const SYSTEMTIME& time);
// The local time as a file-time count (not UTC); 0 on failure.
[[nodiscard]] std::uint64_t NowLocalAsU64();
// Calendar days from a to b; 0 when either is not a valid date.
[[nodiscard]] std::int64_t DaysBetween(const SYSTEMTIME& a, const SYSTEMTIME& b);

}  // namespace scrutor
