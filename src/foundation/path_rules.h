#pragma once

// Decisions about path texts that the file-system helpers take before touching the disk.

#include "foundation/wide_string.h"

namespace scrutor {

// "*" or "?" anywhere in the text.
[[nodiscard]] bool HasWildcard(const char16_t* text);

// A drive ("C:", "C:\", "\\?\C:") or a network share ("\\server\share"): a folder whose
// whole content is a volume.
[[nodiscard]] bool IsVolumeRoot(const char16_t* directory);

// The path through which this process reaches the file a log names: for a 32-bit process on
// 64-bit Windows (wow64), "<windows>\System32" and what lies below it become
// "<windows>\Sysnative..."; every other path comes back as it is.
[[nodiscard]] WideString NativeSystemPath(const WideString& path,
                                          const WideString& windowsDirectory, bool wow64);

}  // namespace scrutor
