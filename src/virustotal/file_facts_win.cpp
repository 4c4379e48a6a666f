#include "virustotal/file_facts_win.h"

#include <windows.h>

#include <shlwapi.h>

#include "foundation/crypto.h"
#include "foundation/handles.h"
#include "foundation/system_time_win.h"
#include "foundation/win_text.h"

namespace scrutor {

bool Win32FileFacts::Exists(const WideString& path) const {
    return PathFileExistsW(AsWide(path)) != FALSE;
}

bool Win32FileFacts::Size(const WideString& path, std::uint64_t& bytes) const {
    bytes = 0;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) return false;
    bytes = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool Win32FileFacts::Md5(const WideString& path, WideString& hex) const {
    return HashFileMd5(path.CStr(), hex);
}

// Files held open for writing by another program, and folders, still answer.
bool Win32FileFacts::CreationTime(const WideString& path, WideString& text) const {
    text.Clear();
    const HandleHolder file(CreateFileW(
        AsWide(path), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    FILETIME created{};
    if (!file || !GetFileTime(file.Get(), &created, nullptr, nullptr)) return false;
    text = FileTimeToText((static_cast<std::uint64_t>(created.dwHighDateTime) << 32) |
                          created.dwLowDateTime);
    return !text.IsEmpty();
}

}  // namespace scrutor
