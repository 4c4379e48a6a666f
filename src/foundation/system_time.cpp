#include "foundation/system_time.h"

namespace scrutor {

namespace {

// The last `digits` decimal digits of value, zero-padded.
void PutDigits(char16_t* out, unsigned value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
}

}  // namespace

WideString FormatTime(const CivilTime& time) {
    char16_t text[] = u"0000/00/00 00:00:00";
    PutDigits(text, time.year, 4);
    PutDigits(text + 5, time.month, 2);
    PutDigits(text + 8, time.day, 2);
    PutDigits(text + 11, time.hour, 2);
    PutDigits(text + 14, time.minute, 2);
    PutDigits(text + 17, time.second, 2);
    return WideString(static_cast<const char16_t*>(text));
}

std::int64_t DaysBetweenFileTimes(std::uint64_t from, std::uint64_t to) {
    return static_cast<std::int64_t>(to / kFileTimeUnitsPerDay) -
           static_cast<std::int64_t>(from / kFileTimeUnitsPerDay);
}

}  // namespace scrutor
