#pragma once

#include "foundation/wide_string.h"

namespace scrutor {

// Shortest line that "Memorize selected lines" keeps.
inline constexpr int kMinimumMemorizedLength = 30;

// The two menu texts that carry the number of memorized lines.
[[nodiscard]] WideString ManageMemoryMenuText(int count);
[[nodiscard]] WideString InsertMemorizedMenuText(int count);

}  // namespace scrutor
