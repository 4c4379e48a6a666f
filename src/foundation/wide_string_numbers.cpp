#include "foundation/wide_string.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace scrutor {

namespace {

// White space as the C library's "C" locale knows it.
bool IsCSpace(char16_t unit) {
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

bool IsHexDigit(char16_t unit) {
    return IsDigit(unit) || (unit >= u'a' && unit <= u'f') || (unit >= u'A' && unit <= u'F');
}

// Leading white space, optional sign, decimal digits; stops at anything else and saturates
// at the 32-bit limits, which is what the C library's conversions give.
std::int32_t ParseInt32(const char16_t* text) {
    while (IsCSpace(*text)) ++text;
    const bool negative = *text == u'-';
    if (*text == u'-' || *text == u'+') ++text;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    std::int64_t value = 0;
    for (; IsDigit(*text); ++text) {
        value = value * 10 + (*text - u'0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

constexpr double kFractionTolerance = 9e-11;
constexpr double kTwoTo63 = 9223372036854775808.0;

// Values the truncating algorithm cannot take (it needs a 64-bit integral part).
void FormatOutOfRange(double v, char16_t* out) {
    if (std::isnan(v)) {
        std::char_traits<char16_t>::copy(out, u"nan", 4);
        return;
    }
    if (std::isinf(v)) {
        std::char_traits<char16_t>::copy(out, v < 0 ? u"-inf" : u"inf", v < 0 ? 5 : 4);
        return;
    }
    // Beyond 2^63 every double is an integer; print it exactly.
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, 0);
    std::size_t count = static_cast<std::size_t>(result.ptr - digits);
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<char16_t>(digits[i]);
    out[count] = 0;
}

}  // namespace

// Counts the digits first so the buffer is allocated exactly, then writes from the end.
void WideString::WriteDecimal(std::uint64_t magnitude, bool negative) {
    std::size_t digits = 1;
    for (std::uint64_t rest = magnitude / 10; rest != 0; rest /= 10) ++digits;
    const std::size_t total = digits + (negative ? 1 : 0);
    char16_t* out = GetBuffer(total);
    if (negative) out[0] = u'-';
    for (std::size_t i = total; i-- > total - digits; magnitude /= 10) {
        out[i] = static_cast<char16_t>(u'0' + magnitude % 10);
    }
    length_ = total;
    status_ = true;
}

void WideString::FromInt32(std::int32_t v) {
    FromInt64(v);
}

void WideString::FromInt64(std::int64_t v) {
    // Negated in unsigned arithmetic so that INT64_MIN has a magnitude too.
    const auto magnitude =
        v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    WriteDecimal(magnitude, v < 0);
}

void WideString::FromUInt32(std::uint32_t v) {
    WriteDecimal(v, false);
}

void WideString::FromUInt64(std::uint64_t v) {
    WriteDecimal(v, false);
}

// Decimal digits are produced by truncation, never rounding. The tolerance grows tenfold with
// every digit, which stops the expansion of binary fractions: 0.1 gives "0.1", not
// "0.1000000000000000055".
void WideString::FromDouble(double v) {
    if (!(std::fabs(v) < kTwoTo63)) {
        char16_t text[400];
        FormatOutOfRange(v, text);
        AssignParts({text});
        return;
    }
    const auto integral = static_cast<std::int64_t>(v);
    const double fraction = std::fabs(v - static_cast<double>(integral));
    if (fraction <= kFractionTolerance) {
        FromInt64(integral);
        return;
    }
    double tolerance = kFractionTolerance;
    double scaled = fraction;
    std::size_t decimals = 0;
    while (scaled - std::trunc(scaled) > tolerance) {
        tolerance *= 10;
        scaled *= 10;
        ++decimals;
    }
    WideString whole;
    whole.FromUInt64(integral < 0 ? 0 - static_cast<std::uint64_t>(integral)
                                  : static_cast<std::uint64_t>(integral));
    char16_t decimalText[24] = {};
    auto digits = static_cast<std::uint64_t>(scaled);
    for (std::size_t i = decimals; i-- > 0; digits /= 10) {
        decimalText[i] = static_cast<char16_t>(u'0' + digits % 10);
    }
    AssignParts({v < 0 ? u"-" : u"", whole, u".", decimalText});
}

int WideString::ToInt() {
    status_ = !IsEmpty();
    return status_ ? ParseInt32(buffer_) : 0;
}

std::int32_t WideString::ToLong() {
    status_ = !IsEmpty();
    return status_ ? ParseInt32(buffer_) : 0;
}

// strtod reads only ASCII; the first other unit ends the number as it would end it anyway.
double WideString::ToDouble() {
    status_ = !IsEmpty();
    if (!status_) return 0.0;
    std::string ascii;
    for (const char16_t* unit = buffer_; *unit != 0 && *unit < 0x80; ++unit) {
        ascii.push_back(static_cast<char>(*unit));
    }
    return std::strtod(ascii.c_str(), nullptr);
}

bool WideString::IsDigits(bool all) const {
    if (IsEmpty()) return false;
    if (!all) return IsDigit(buffer_[0]);
    for (const char16_t* unit = buffer_; *unit != 0; ++unit) {
        if (!IsDigit(*unit)) return false;
    }
    return true;
}

bool WideString::IsHex() const {
    if (Length() < 2) return false;
    const char16_t* unit = buffer_;
    if (unit[0] == u'0' && (unit[1] == u'x' || unit[1] == u'X')) unit += 2;
    if (*unit == 0) return false;  // a bare "0x" has no digits
    for (; *unit != 0; ++unit) {
        if (!IsHexDigit(*unit)) return false;
    }
    return true;
}

bool WideString::FromHexBytes(const std::uint8_t* bytes, std::size_t count, unsigned flags) {
    if (count > (static_cast<std::size_t>(-1) - 8) / 2) return status_ = false;
    const std::size_t size = count * 2 + 4;
    char16_t* buffer = GetBuffer(size);
    if (!BytesToHex(bytes, count, buffer, size, flags)) {
        Clear();
        return status_ = false;
    }
    return status_ = true;
}

bool WideString::FromUtf16BigEndian(const char16_t* units, std::int64_t count) {
    if (units == nullptr) {
        Clear();
        return status_ = false;
    }
    std::size_t length = 0;
    while ((count < 1 || length < static_cast<std::uint64_t>(count)) && units[length] != 0) {
        ++length;
    }
    char16_t* buffer = AllocateBuffer(length);
    for (std::size_t i = 0; i < length; ++i) {
        buffer[i] = static_cast<char16_t>((units[i] >> 8) | (units[i] << 8));
    }
    buffer[length] = 0;
    TakeBuffer(buffer, length);
    return status_ = true;
}

}  // namespace scrutor
