#include "foundation/system_time_win.h"

namespace scrutor {

namespace {

CivilTime ToCivil(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
            time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

}  // namespace

std::uint64_t SystemTimeToU64(const SYSTEMTIME& time) {
    FILETIME fileTime{};
    if (!SystemTimeToFileTime(&time, &fileTime)) return 0;
    return (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
}

WideString FileTimeToText(std::uint64_t fileTime) {
    FILETIME split{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME time{};
    if (!FileTimeToSystemTime(&split, &time)) return WideString();
    return FormatTime(time);
}

WideString FormatTime(const SYSTEMTIME& time) {
    return FormatTime(ToCivil(time));
}

std::uint64_t NowLocalAsU64() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return SystemTimeToU64(now);
}

std::int64_t DaysBetween(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    const std::uint64_t from = SystemTimeToU64(a);
    const std::uint64_t to = SystemTimeToU64(b);
    if (from == 0 || to == 0) return 0;
    return DaysBetweenFileTimes(from, to);
}

}  // namespace scrutor
