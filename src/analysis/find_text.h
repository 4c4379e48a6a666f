#pragma once

#include "foundation/wide_string.h"

namespace scrutor {

// "Find next": the first occurrence of `needle` (A-Z folded) that starts at or after
// 0-based index `from` (the end of the editor's selection); failing that, when `from` is at
// least the needle's length, one that lies wholly within the first from + 1 characters.
// Answers a 1-based position, or 0 when there is none (or the needle is empty).
[[nodiscard]] std::size_t FindNextOccurrence(const WideString& text, const char16_t* needle,
                                             std::size_t from);

}  // namespace scrutor
