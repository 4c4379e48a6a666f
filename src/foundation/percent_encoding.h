#pragma once

#include "foundation/wide_string.h"

namespace scrutor {

// Every character but the unreserved ones (letters, digits, "-", "_", ".", "~") as "%XX"
// of its UTF-8 bytes, for a query value or a form field. An unpaired surrogate is
// encoded as U+FFFD.
[[nodiscard]] WideString PercentEncode(const WideString& text);

}  // namespace scrutor
