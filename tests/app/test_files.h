#pragma once

#include <string>

namespace scrutor {

// A file's bytes as they lie on disk, or "<missing>".
[[nodiscard]] std::string FileBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

}  // namespace scrutor
