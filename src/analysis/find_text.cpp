#include "analysis/find_text.h"

#include <string>

namespace scrutor {

std::size_t FindNextOccurrence(const WideString& text, const char16_t* needle, std::size_t from) {
    const std::size_t needleLength = needle != nullptr ? std::char_traits<char16_t>::length(needle) : 0;
    if (needleLength == 0) return 0;
    const auto start = static_cast<std::int64_t>(from) + 1;
    if (const std::size_t hit = text.Find(needle, false, 1, start)) return hit;
    if (from < needleLength) return 0;
    // The wrap-around search stops where the first one started, so each hit is met once
    // per round.
    return text.Find(needle, false, 1, 1, static_cast<std::int64_t>(from) + 1);
}

}  // namespace scrutor
