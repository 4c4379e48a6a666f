// Code-page conversions and environment expansion for builds without Windows. They behave as
// the Windows calls used on that side do for the inputs the program meets: ANSI is taken as
// Latin-1, invalid UTF-8 becomes U+FFFD, code page 437 writes '?' for what it cannot show, and
// unknown %NAME% references stay as written.

#include "foundation/wide_string.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace scrutor {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Bytes 0x80-0xFF of code page 437; the lower half is ASCII.
// clang-format off
constexpr char16_t kCodePage437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};
// clang-format on

char ToCodePage437Byte(char16_t unit) {
    if (unit < 0x80) return static_cast<char>(unit);
    for (unsigned i = 0; i < 128; ++i) {
        if (kCodePage437High[i] == unit) return static_cast<char>(0x80 + i);
    }
    return '?';
}

// How a UTF-8 lead byte continues: the number of continuation bytes and the allowed range of
// the first one (narrower after E0, ED, F0 and F4, which rules out overlong forms, surrogates
// and values beyond U+10FFFF). False for bytes that cannot start a sequence.
bool Utf8Lead(unsigned lead, unsigned& follow, unsigned& low, unsigned& high) {
    low = 0x80;
    high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        follow = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        follow = 2;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        follow = 3;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return false;
    }
    return true;
}

std::size_t PutCodePoint(char32_t codePoint, char16_t* out) {
    if (codePoint < 0x10000) {
        out[0] = static_cast<char16_t>(codePoint);
        return 1;
    }
    codePoint -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    return 2;
}

// Each maximal invalid part of a sequence becomes one U+FFFD. Never writes more units than
// there are bytes.
std::size_t DecodeUtf8(const char* bytes, std::size_t count, char16_t* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < count) {
        const unsigned lead = in[i++];
        unsigned follow = 0, low = 0, high = 0;
        if (lead < 0x80 || !Utf8Lead(lead, follow, low, high)) {
            out[written++] = lead < 0x80 ? static_cast<char16_t>(lead) : kReplacement;
            continue;
        }
        char32_t codePoint = lead & (0x3F >> follow);
        unsigned taken = 0;
        for (; taken < follow && i < count && in[i] >= low && in[i] <= high; ++taken, ++i) {
            codePoint = (codePoint << 6) | (in[i] & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        if (taken == follow) {
            written += PutCodePoint(codePoint, out + written);
        } else {
            out[written++] = kReplacement;  // the offending byte starts the next round
        }
    }
    return written;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
        return;
    }
    const int follow = codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLeadMarks[4] = {0x00, 0xC0, 0xE0, 0xF0};
    out.push_back(static_cast<char>(kLeadMarks[follow] | (codePoint >> (6 * follow))));
    for (int shift = 6 * (follow - 1); shift >= 0; shift -= 6) {
        out.push_back(static_cast<char>(0x80 | ((codePoint >> shift) & 0x3F)));
    }
}

// A lone surrogate has no UTF-8 form; it becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i];
        const bool high = codePoint >= 0xD800 && codePoint <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint = kReplacement;
        }
        AppendUtf8(out, codePoint);
    }
    return out;
}

// Appends the value of one environment variable; false when it is not set.
bool AppendVariable(std::u16string& out, std::u16string_view name) {
    if (name.empty()) return false;
    const char* value = std::getenv(EncodeUtf8(name).c_str());
    if (value == nullptr) return false;
    const std::size_t count = ByteLength(value);
    std::u16string decoded(count, u'\0');
    decoded.resize(DecodeUtf8(value, count, decoded.data()));
    out += decoded;
    return true;
}

}  // namespace

bool WideString::FromAnsi(const char* bytes) {
    const std::size_t count = ByteLength(bytes);
    char16_t* buffer = AllocateBuffer(count);
    for (std::size_t i = 0; i < count; ++i) {
        buffer[i] = static_cast<unsigned char>(bytes[i]);
    }
    buffer[count] = 0;
    TakeBuffer(buffer, count);
    return status_ = count > 0;
}

bool WideString::FromUtf8(const char* bytes) {
    const std::size_t count = ByteLength(bytes);
    char16_t* buffer = AllocateBuffer(count);
    const std::size_t written = count == 0 ? 0 : DecodeUtf8(bytes, count, buffer);
    buffer[written] = 0;
    TakeBuffer(buffer, written);
    return status_ = written > 0;
}

// Like the Windows conversion: all or nothing, so a text that does not fit gives "".
bool WideString::ToCodePage437(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) return false;
    const std::size_t length = Length();
    if (length == 0 || length > size) {
        buffer[0] = 0;
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) buffer[i] = ToCodePage437Byte(buffer_[i]);
    buffer[length] = 0;
    return true;
}

std::string WideString::ToUtf8() const {
    return EncodeUtf8(View());
}

bool WideString::ExpandEnvironment() {
    if (buffer_ == nullptr) return status_ = true;
    std::u16string out;
    const std::u16string_view text = View();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find(u'%', at);
        const std::size_t close = open == text.npos ? text.npos : text.find(u'%', open + 1);
        if (close == text.npos) break;
        out.append(text.substr(at, open - at));
        if (!AppendVariable(out, text.substr(open + 1, close - open - 1))) {
            out.append(text.substr(open, close - open + 1));
        }
        at = close + 1;
    }
    out.append(text.substr(std::min(at, text.size())));
    AssignParts({out.c_str()});
    return status_ = true;
}

}  // namespace scrutor
