#include "virustotal/file_facts_win.h"

#include <windows.h>

#include <shlwapi.h>

#include "foundation/crypto.h"
#include "foundation/handles.h"
#include "foundation/path_rules.h"
#include "foundation/system_time_win.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

WideString SystemWindowsDirectory() {
    wchar_t buffer[MAX_PATH + 1]{};
    const UINT length = GetSystemWindowsDirectoryW(buffer, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? WideString{} : WideString(FromWide(buffer));
}

bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

Win32FileFacts::Win32FileFacts() : windowsDirectory_(SystemWindowsDirectory()), wow64_(IsWow64()) {}

WideString Win32FileFacts::Native(const WideString& path) const {
    return NativeSystemPath(path, windowsDirectory_, wow64_);
}

bool Win32FileFacts::Exists(const WideString& path) const {
    return PathFileExistsW(AsWide(Native(path))) != FALSE;
}

bool Win32FileFacts::Size(const WideString& path, std::uint64_t& bytes) const {
    bytes = 0;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(AsWide(Native(path)), GetFileExInfoStandard, &data)) return false;
    bytes = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool Win32FileFacts::Md5(const WideString& path, WideString& hex) const {
    return HashFileMd5(Native(path).CStr(), hex);
}

// Files held open for writing by another program, and folders, still answer.
bool Win32FileFacts::CreationTime(const WideString& path, WideString& text) const {
    text.Clear();
    const HandleHolder file(CreateFileW(
        AsWide(Native(path)), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    FILETIME created{};
    if (!file || !GetFileTime(file.Get(), &created, nullptr, nullptr)) return false;
    text = FileTimeToText((static_cast<std::uint64_t>(created.dwHighDateTime) << 32) |
                          created.dwLowDateTime);
    return !text.IsEmpty();
}

}  // namespace scrutor
