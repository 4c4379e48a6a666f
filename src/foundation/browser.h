#pragma once

// Opening web pages and local files in a browser.

#include <windows.h>

#include <cstdint>

#include "foundation/wide_string.h"

namespace scrutor {

// OpenUrl flag: use the maker's browser when it stands beside the program.
inline constexpr std::uint32_t kPreferVistro = 1;

// Opens a URL or a local path: in "Vistro.exe" beside the program when kPreferVistro is set
// and it starts, otherwise with the shell. Answers the process id, 1 when the shell started
// no process of its own, 0 on failure.
[[nodiscard]] DWORD OpenUrl(const WideString& url, std::uint32_t flags);

}  // namespace scrutor
