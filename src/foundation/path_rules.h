#pragma once

// Decisions about path texts that the file-system helpers take before touching the disk.

namespace scrutor {

// "*" or "?" anywhere in the text.
[[nodiscard]] bool HasWildcard(const char16_t* text);

// A drive ("C:", "C:\", "\\?\C:") or a network share ("\\server\share"): a folder whose
// whole content is a volume.
[[nodiscard]] bool IsVolumeRoot(const char16_t* directory);

}  // namespace scrutor
