#pragma once

#include <string>

namespace scrutor {

// A file's bytes as they lie on disk, or "<missing>".
[[nodiscard]] std::string FileBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// A fresh folder under the temporary directory, emptied first.
[[nodiscard]] std::wstring TestFolder(const wchar_t* name);
// The files (not folders) directly in a folder.
[[nodiscard]] int FilesIn(const std::wstring& folder);

}  // namespace scrutor
