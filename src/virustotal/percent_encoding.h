#pragma once

// Percent-encoding of values put into a URL's query.
#include "foundation/wide_string.h"

namespace scrutor {

// The text's UTF-8 bytes, every byte but A-Z, a-z, 0-9, "-", "_", "." and "~" as "%XX".
[[nodiscard]] WideString PercentEncode(const WideString& text);

}  // namespace scrutor
