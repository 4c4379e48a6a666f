#pragma once

// Plain file-system helpers that go with TextFile: folder paths, sizes, forced deletion.

#include <cstdint>

namespace scrutor {

// Flags of the forced deletions; they combine.
inline constexpr unsigned kDeleteScheduleOnFailure = 1;  // at the next restart
inline constexpr unsigned kDeleteTakeOwnership = 2;      // take ownership, grant access, retry
inline constexpr unsigned kDeleteKeepTop = 4;            // DeleteTree keeps the folder itself

enum class DeleteResult : int { kFailed = 0, kDone = 1, kScheduled = 2 };

// True when the folder exists afterwards; creates every missing level.
[[nodiscard]] bool CreateDirectoryPath(const char16_t* path);
// 0 when the size cannot be determined.
[[nodiscard]] std::uint64_t FileSizeByName(const char16_t* path);

[[nodiscard]] DeleteResult DeleteFileForce(const char16_t* path, unsigned flags);
[[nodiscard]] DeleteResult RemoveDirectoryForce(const char16_t* path, unsigned flags);
// Deletes what matches `pattern` in `directory`, recursing into real subfolders (links are
// removed, not followed), then the folder itself unless kDeleteKeepTop.
[[nodiscard]] DeleteResult DeleteTree(const char16_t* directory, const char16_t* pattern,
                                      unsigned flags);
// A file, a folder with its content, or the matches of a wildcard last component.
[[nodiscard]] DeleteResult DeletePath(const char16_t* path);

}  // namespace scrutor
