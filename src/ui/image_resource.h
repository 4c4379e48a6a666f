#pragma once

#include <cstddef>
#include <span>

// The embedded logo: resource type "IMAGE", id 11, language 1033. Executables that
// need it list ui/resources/ui_resources.rc among their sources, or include it from their
// own resource script.
namespace scrutor::ui {

inline constexpr int kImageResourceId = 11;

// The resource's bytes; empty when the executable carries none.
[[nodiscard]] std::span<const std::byte> LoadImageResource();
[[nodiscard]] std::size_t ImageResourceSize();
// Writes the bytes to a file (created or truncated); true when all were written.
[[nodiscard]] bool WriteImageResource(const char16_t* path);

}  // namespace scrutor::ui
