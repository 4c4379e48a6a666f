#pragma once

// Views of the program's char16_t text as the wchar_t text of the W functions (the same
// 16-bit units on Windows), without copying.

#include "foundation/wide_string.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows builds only");

namespace scrutor {

inline const wchar_t* AsWide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* AsWide(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}
inline const wchar_t* AsWide(const WideString& text) {
    return AsWide(text.CStr());
}
inline const char16_t* FromWide(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

}  // namespace scrutor
