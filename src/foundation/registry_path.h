#pragma once

// Registry paths as text ("HKLM64\Software\X") and the multi-string convention, without the
// registry itself.

#include <cstdint>
#include <string>

#include "foundation/wide_string.h"

namespace scrutor {

enum class RegistryRoot { kLocalMachine, kCurrentUser, kClassesRoot, kUsers, kCurrentConfig };

// Access-mask bits of the registry views.
inline constexpr std::uint32_t kRegistryView64 = 0x100;  // KEY_WOW64_64KEY
inline constexpr std::uint32_t kRegistryView32 = 0x200;  // KEY_WOW64_32KEY

struct RegistryPath {
    RegistryRoot root = RegistryRoot::kLocalMachine;
    std::uint32_t view = 0;  // 0 or one of the view bits
    WideString subkey;       // empty for the root itself
};

// Root name (short or long, any case, optionally ending in "64" or "32"), a backslash and the
// subkey. False for an unknown root; `out` is then unchanged.
[[nodiscard]] bool ParseRegistryPath(const char16_t* path, RegistryPath& out);

// Multi-strings travel as one text with line feeds. To the stored form: trailing line feeds
// dropped (one character always stays), each line feed a zero, two zeros at the end.
[[nodiscard]] std::u16string MultiStringFromText(const char16_t* text);
// From the stored units (terminators included or not): the strings joined by line feeds.
// An empty string inside the value stays an empty line.
void TextFromMultiString(const char16_t* units, std::size_t count, WideString& out);

}  // namespace scrutor
