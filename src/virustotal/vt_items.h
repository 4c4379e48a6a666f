#pragma once

#include <vector>

#include "foundation/wide_string.h"

namespace scrutor {

// The items of "VirusTotal report of selected lines": from every line of at least 50
// characters, "path->hash" of a file line or the URL of a URL line, joined by "|";
// empty when no line names one.
[[nodiscard]] WideString ItemsFromLines(const std::vector<WideString>& lines);

// A whole item that is 32 to 64 hexadecimal digits.
[[nodiscard]] bool IsBareHash(const WideString& item);

// A URL with both "{" and "?" is looked up (and recorded) without its query.
void CutTemplatedQuery(WideString& url);

}  // namespace scrutor
