#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace scrutor {

// A file's bytes as they lie on disk, or "<missing>".
[[nodiscard]] std::string FileBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// A fresh folder under the temporary directory, emptied first.
[[nodiscard]] std::wstring TestFolder(const wchar_t* name);
// The files (not folders) directly in a folder.
[[nodiscard]] int FilesIn(const std::wstring& folder);

// Puts one block of `bytes` (terminator included) on the clipboard as the only format.
bool PutOnClipboard(UINT format, const void* data, std::size_t bytes);
[[nodiscard]] std::u16string ClipboardText();

// One registry value that a test changes; the old value, or its absence, comes back when the
// guard ends.
class RegistryValueGuard {
public:
    RegistryValueGuard(HKEY root, std::wstring key, std::wstring name);  // empty: the default value
    ~RegistryValueGuard();

    bool Set(DWORD type, const void* data, DWORD size) const;
    bool SetDword(DWORD value) const { return Set(REG_DWORD, &value, sizeof value); }
    bool SetText(const std::wstring& text) const;
    bool Delete() const;
    [[nodiscard]] std::optional<DWORD> Dword() const;  // empty when missing or of another type

private:
    [[nodiscard]] const wchar_t* Name() const { return name_.empty() ? nullptr : name_.c_str(); }

    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    std::array<BYTE, 4096> old_{};
    DWORD oldType_ = 0, oldSize_ = 0;
    bool existed_ = false;
};

}  // namespace scrutor
