#pragma once

// Registry access by textual paths: "HKLM64\Software\X", "hkcu32\…", "HKEY_USERS".

#include <windows.h>

#include <cstdint>

#include "foundation/handles.h"
#include "foundation/registry_path.h"
#include "foundation/wide_string.h"

namespace scrutor {

// Open's access value that opens the key or creates it, for reading and writing.
inline constexpr std::int32_t kOpenOrCreate = -1;

class RegistryKey {
public:
    [[nodiscard]] bool OpenRead(const char16_t* path);
    // `access` is a REGSAM mask, or kOpenOrCreate.
    [[nodiscard]] bool Open(const char16_t* path, std::int32_t access);
    void Close() { (void)key_.Close(); }
    [[nodiscard]] bool IsOpen() const { return key_.IsValid(); }
    [[nodiscard]] HKEY Get() const { return key_.Get(); }

    // A null or empty name is the key's default value. Reads clear their output first.
    [[nodiscard]] bool ReadDword(const char16_t* name, std::uint32_t& value) const;
    // REG_SZ, REG_EXPAND_SZ (unexpanded) and REG_MULTI_SZ (strings joined by line feeds).
    [[nodiscard]] bool ReadString(const char16_t* name, WideString& text) const;
    // `data` points to 4 bytes (REG_DWORD, REG_DWORD_BIG_ENDIAN), 8 bytes (REG_QWORD) or a
    // terminated text (REG_SZ, REG_EXPAND_SZ, REG_LINK, REG_MULTI_SZ with line feeds). Other
    // types are written with no data.
    [[nodiscard]] bool WriteValue(const char16_t* name, DWORD type, const void* data);
    [[nodiscard]] bool WriteDword(const char16_t* name, std::uint32_t value) {
        return WriteValue(name, REG_DWORD, &value);
    }
    [[nodiscard]] bool WriteString(const char16_t* name, const char16_t* text) {
        return WriteValue(name, REG_SZ, text);
    }
    [[nodiscard]] bool DeleteValue(const char16_t* name);

    [[nodiscard]] std::uint32_t SubkeyCount() const;
    [[nodiscard]] bool EnumSubkey(std::uint32_t index, WideString& name) const;

    // Deletes the key and everything below it; the object is left open on the parent. A path
    // without a subkey is refused.
    [[nodiscard]] bool DeleteKeyTree(const char16_t* path);

    // A key that exists but may not be opened exists. With a value name: whether the value
    // exists (the empty name is the default value).
    [[nodiscard]] static bool Exists(const char16_t* path, const char16_t* valueName);
    // Resolves a program name through the search path, then "App Paths"; `name` becomes the
    // full path on success.
    [[nodiscard]] static bool FindAppPath(WideString& name);

private:
    [[nodiscard]] bool OpenParsed(const RegistryPath& path, std::int32_t access);

    RegistryHandle key_;
};

}  // namespace scrutor
