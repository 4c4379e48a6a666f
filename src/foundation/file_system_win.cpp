#include "foundation/file_system.h"

#include <windows.h>

#include <shlobj.h>

#include "foundation/file_search.h"
#include "foundation/handles.h"
#include "foundation/message_pump.h"
#include "foundation/path_rules.h"
#include "foundation/security.h"
#include "foundation/wide_string.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

using RemoveFunction = BOOL(WINAPI*)(LPCWSTR);

constexpr char16_t kLongPrefix[] = u"\\\\?\\";
constexpr std::size_t kLongPrefixLength = 4;
constexpr DWORD kProtectiveAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM;
// Deeper trees than this are refused rather than risking the thread's stack.
constexpr int kMaxTreeDepth = 256;

bool StartsWith(const WideString& text, const char16_t* prefix) {
    return text.View().starts_with(std::u16string_view(prefix));
}

DWORD AttributesOf(const char16_t* path) {
    return GetFileAttributesW(AsWide(path));
}

bool IsDirectory(const char16_t* path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsGone(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool CreateOneLevel(const WideString& path) {
    if (AttributesOf(path.CStr()) != INVALID_FILE_ATTRIBUTES) return true;
    return CreateDirectoryW(AsWide(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Creates each missing level from the first. Long-prefixed and UNC paths keep their leading
// part; a path without either is taken as relative to the current folder.
bool CreateLevels(const WideString& path, bool prefixed) {
    const bool unc = !prefixed && StartsWith(path, u"\\\\");
    const char16_t* leading = prefixed ? kLongPrefix : unc ? u"\\\\" : u"";
    const std::size_t skip = prefixed ? kLongPrefixLength : unc ? 2 : 0;
    const WideStringList parts(path.CStr() + skip, u"\\", false);
    if (parts.Count() < 2) return false;
    WideString current(leading, parts.Get(0));
    // A relative path's first part is a folder of ours; a drive or server is not made here.
    if (*leading == 0 && !current.IsEmpty() && !CreateOneLevel(current)) return false;
    for (std::size_t i = 1; i < parts.Count(); ++i) {
        if (*parts.Get(i) == 0) continue;
        current.Append(u"\\", parts.Get(i));
        if (!CreateOneLevel(current)) return false;
    }
    return IsDirectory(path.CStr());
}

// The shared steps of the forced deletions: plain, then without protective attributes, then
// as owner, then at the next restart.
DeleteResult ForceRemove(const char16_t* path, unsigned flags, RemoveFunction remove) {
    if (path == nullptr || *path == 0) return DeleteResult::kFailed;
    const wchar_t* name = AsWide(path);
    if (remove(name) || IsGone(GetLastError())) return DeleteResult::kDone;
    const DWORD attributes = GetFileAttributesW(name);
    // Zero would mean "no change" to the file system; NORMAL is the documented empty set.
    const DWORD cleared = (attributes & ~kProtectiveAttributes & ~FILE_ATTRIBUTE_DIRECTORY)
                              ? attributes & ~kProtectiveAttributes
                              : FILE_ATTRIBUTE_NORMAL;
    const bool unprotected = attributes != INVALID_FILE_ATTRIBUTES &&
                             (attributes & kProtectiveAttributes) &&
                             SetFileAttributesW(name, cleared);
    if (unprotected && remove(name)) return DeleteResult::kDone;
    if ((flags & kDeleteTakeOwnership) && TakeOwnershipAndGrantAccess(path) && remove(name)) {
        return DeleteResult::kDone;
    }
    if ((flags & kDeleteScheduleOnFailure) &&
        MoveFileExW(name, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        return DeleteResult::kScheduled;
    }
    // What could not go keeps its protection.
    if (unprotected) (void)SetFileAttributesW(name, attributes);
    return DeleteResult::kFailed;
}

struct Tally {
    bool failed = false;
    bool scheduled = false;
    void Add(DeleteResult result) {
        failed = failed || result == DeleteResult::kFailed;
        scheduled = scheduled || result == DeleteResult::kScheduled;
    }
    [[nodiscard]] DeleteResult Result() const {
        return failed      ? DeleteResult::kFailed
               : scheduled ? DeleteResult::kScheduled
                           : DeleteResult::kDone;
    }
};

DeleteResult DeleteTreeAt(const char16_t* directory, const char16_t* pattern, unsigned flags,
                          int depth);

DeleteResult DeleteEntry(const FileSearch& entry, const char16_t* directory,
                         const char16_t* pattern, unsigned flags, int depth) {
    const WideString path(directory, u"\\", entry.Name());
    const DWORD attributes = entry.Data().dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileForce(path.CStr(), flags);
    // A link or junction is removed itself; what it points to is not ours to delete.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return RemoveDirectoryForce(path.CStr(), flags);
    return DeleteTreeAt(path.CStr(), pattern, flags & ~kDeleteKeepTop, depth + 1);
}

DeleteResult DeleteTreeAt(const char16_t* directory, const char16_t* pattern, unsigned flags,
                          int depth) {
    if (directory == nullptr || *directory == 0 || depth > kMaxTreeDepth) {
        return DeleteResult::kFailed;
    }
    const WideString search(directory, u"\\", pattern);
    FileSearch entries;
    bool listed = entries.Open(search.CStr());
    if (!listed && (flags & kDeleteTakeOwnership) && !IsGone(GetLastError()) &&
        TakeOwnershipAndGrantAccess(directory)) {
        listed = entries.Open(search.CStr());
    }
    Tally tally;
    for (bool more = listed; more; more = entries.Next()) {
        tally.Add(DeleteEntry(entries, directory, pattern, flags, depth));
        DispatchPendingMessages();
    }
    entries.Close();
    if (!(flags & kDeleteKeepTop)) tally.Add(RemoveDirectoryForce(directory, flags));
    return tally.Result();
}

}  // namespace

bool CreateDirectoryPath(const char16_t* path) {
    WideString full(path);
    full.AddLongPathPrefix();
    full.StripTrailingBackslashes();
    const std::size_t length = full.Length();
    if (length < 3) return false;
    const bool prefixed = StartsWith(full, kLongPrefix);
    if (prefixed && length < 6) return false;
    if (prefixed && length == 6) {
        // A bare drive exists when its root folder does.
        full.Append(u"\\");
        return IsDirectory(full.CStr());
    }
    if (IsDirectory(full.CStr())) return true;
    if (CreateDirectoryW(AsWide(full), nullptr)) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) return IsDirectory(full.CStr());
    return CreateLevels(full, prefixed);
}

std::uint64_t FileSizeByName(const char16_t* path) {
    if (path == nullptr || *path == 0) return 0;
    const HandleHolder file(CreateFileW(AsWide(path), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.Get(), &size)) return static_cast<std::uint64_t>(size.QuadPart);
    // A file locked against every opening still shows its size in its folder's listing.
    WIN32_FIND_DATAW data{};
    const FindHandle search(FindFirstFileW(AsWide(path), &data));
    if (!search) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

DeleteResult DeleteFileForce(const char16_t* path, unsigned flags) {
    return ForceRemove(path, flags, DeleteFileW);
}

DeleteResult RemoveDirectoryForce(const char16_t* path, unsigned flags) {
    return ForceRemove(path, flags, RemoveDirectoryW);
}

DeleteResult DeleteTree(const char16_t* directory, const char16_t* pattern, unsigned flags) {
    return DeleteTreeAt(directory, pattern, flags, 0);
}

DeleteResult DeletePath(const char16_t* path) {
    WideString full(path);
    full.StripTrailingBackslashes();
    const std::size_t slash = full.Find(u"\\", true, -1);
    if (slash == 0) return DeleteResult::kDone;
    WideString last(full);
    last.FileNamePart();
    if (HasWildcard(last.CStr())) {
        WideString directory(full);
        (void)directory.Left(static_cast<std::int64_t>(slash) - 1);
        directory.AddLongPathPrefix();
        // Emptying a whole drive or share is never what a caller means.
        if (IsVolumeRoot(directory.CStr())) return DeleteResult::kFailed;
        return DeleteTree(directory.CStr(), last.CStr(), kDeleteKeepTop);
    }
    WideString prefixed(full);
    prefixed.AddLongPathPrefix();
    const DWORD attributes = AttributesOf(prefixed.CStr());
    const bool directory =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    DeleteResult result;
    if (directory && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        result = RemoveDirectoryForce(prefixed.CStr(), 0);
    } else if (directory) {
        result = DeleteTree(prefixed.CStr(), u"*", 0);
    } else {
        result = DeleteFileForce(prefixed.CStr(), 0);
    }
    if (result == DeleteResult::kDone) {
        SHChangeNotify(directory ? SHCNE_RMDIR : SHCNE_DELETE, SHCNF_PATHW, AsWide(full), nullptr);
    }
    return result;
}

}  // namespace scrutor
