#include "foundation/registry_key.h"

#include <shlwapi.h>

#include <cstdint>
#include <string>

#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr DWORD kSubkeyNameUnits = 16400;
// REG_DWORD and REG_QWORD data are read into and written from these types byte for byte.
static_assert(sizeof(DWORD) == 4 && sizeof(std::uint32_t) == 4 && sizeof(std::uint64_t) == 8);
static_assert(sizeof(char16_t) == sizeof(WCHAR));
constexpr char16_t kAppPaths[] = u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

HKEY RootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::kLocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegistryRoot::kCurrentUser:
            return HKEY_CURRENT_USER;
        case RegistryRoot::kClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegistryRoot::kUsers:
            return HKEY_USERS;
        case RegistryRoot::kCurrentConfig:
            return HKEY_CURRENT_CONFIG;
    }
    return HKEY_LOCAL_MACHINE;
}

// No subkey argument for the root itself: the call then opens a new handle to the root.
const wchar_t* SubkeyArgument(const RegistryPath& path) {
    return path.subkey.IsEmpty() ? nullptr : AsWide(path.subkey);
}

bool IsTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

DWORD TextBytes(const char16_t* text) {
    return static_cast<DWORD>((TextLength(text) + 1) * sizeof(char16_t));
}

void StripQuotes(WideString& text) {
    const std::size_t length = text.Length();
    if (length >= 2 && text.CStr()[0] == u'"' && text.CStr()[length - 1] == u'"') {
        (void)text.Mid(WideString(text).CStr(), 2, static_cast<std::int64_t>(length) - 2);
    }
}

}  // namespace

bool RegistryKey::OpenParsed(const RegistryPath& path, std::int32_t access) {
    Close();
    HKEY key = nullptr;
    LONG status;
    if (access == kOpenOrCreate) {
        status = RegCreateKeyExW(RootKey(path.root), SubkeyArgument(path), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE | path.view, nullptr,
                                 &key, nullptr);
    } else {
        status = RegOpenKeyExW(RootKey(path.root), SubkeyArgument(path), 0,
                               static_cast<REGSAM>(access) | path.view, &key);
    }
    if (status != ERROR_SUCCESS) return false;
    key_ = key;
    return true;
}

bool RegistryKey::OpenRead(const char16_t* path) {
    return Open(path, KEY_READ);
}

bool RegistryKey::Open(const char16_t* path, std::int32_t access) {
    Close();
    RegistryPath parsed;
    return ParseRegistryPath(path, parsed) && OpenParsed(parsed, access);
}

bool RegistryKey::ReadDword(const char16_t* name, std::uint32_t& value) const {
    value = 0;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (!IsOpen() || RegQueryValueExW(key_.Get(), AsWide(name), nullptr, &type,
                                      reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_DWORD || size != sizeof data) return false;
    value = data;
    return true;
}

bool RegistryKey::ReadString(const char16_t* name, WideString& text) const {
    text.Clear();
    if (!IsOpen()) return false;
    // The value may grow between asking its size and reading it; try again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_.Get(), AsWide(name), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            !IsTextType(type)) {
            return false;
        }
        // Two zero units beyond the data terminate whatever was stored.
        std::u16string units((size + 4) / 2, u'\0');
        DWORD got = size;
        const LONG status = RegQueryValueExW(key_.Get(), AsWide(name), nullptr, &type,
                                             reinterpret_cast<BYTE*>(units.data()), &got);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || !IsTextType(type)) return false;
        if (type == REG_MULTI_SZ) {
            TextFromMultiString(units.data(), (got + 1) / 2, text);
        } else {
            text = units.c_str();
        }
        return true;
    }
    return false;
}

bool RegistryKey::WriteValue(const char16_t* name, DWORD type, const void* data) {
    if (!IsOpen()) return false;
    const auto* text = static_cast<const char16_t*>(data);
    const BYTE* bytes = static_cast<const BYTE*>(data);
    DWORD size = 0;
    std::u16string multi;
    switch (type) {
        case REG_DWORD:
        case REG_DWORD_BIG_ENDIAN:
            size = 4;
            break;
        case REG_QWORD:
            size = 8;
            break;
        case REG_SZ:
        case REG_EXPAND_SZ:
        case REG_LINK:
            size = TextBytes(text);
            break;
        case REG_MULTI_SZ:
            if (data == nullptr) break;
            multi = MultiStringFromText(text);
            bytes = reinterpret_cast<const BYTE*>(multi.data());
            size = static_cast<DWORD>(multi.size() * sizeof(char16_t));
            break;
        default:
            break;
    }
    if (data == nullptr) size = 0;
    return RegSetValueExW(key_.Get(), AsWide(name), 0, type, bytes, size) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char16_t* name) {
    return IsOpen() && RegDeleteValueW(key_.Get(), AsWide(name)) == ERROR_SUCCESS;
}

std::uint32_t RegistryKey::SubkeyCount() const {
    DWORD count = 0;
    if (!IsOpen() ||
        RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return 0;
    }
    return count;
}

bool RegistryKey::EnumSubkey(std::uint32_t index, WideString& name) const {
    name.Clear();
    if (!IsOpen()) return false;
    char16_t* buffer = name.GetBuffer(kSubkeyNameUnits, nullptr, true);
    DWORD units = kSubkeyNameUnits;
    if (RegEnumKeyExW(key_.Get(), index, AsWide(buffer), &units, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
        name.Clear();
        return false;
    }
    return !name.IsEmpty();
}

bool RegistryKey::DeleteKeyTree(const char16_t* path) {
    WideString full(path);
    full.StripTrailingBackslashes();
    RegistryPath parsed;
    if (!ParseRegistryPath(full.CStr(), parsed) || parsed.subkey.IsEmpty()) return false;
    if (OpenParsed(parsed, KEY_READ)) {
        // From the last index down, so that each deletion leaves the lower indexes in place.
        for (std::uint32_t index = SubkeyCount(); index > 0; --index) {
            WideString name;
            if (EnumSubkey(index - 1, name)) {
                (void)DeleteKeyTree(WideString(full.CStr(), u"\\", name.CStr()).CStr());
            }
        }
    }
    const std::size_t slash = full.Find(u"\\", true, -1);
    WideString last(full.PointerAt(static_cast<std::int64_t>(slash) + 1));
    WideString parent(full);
    (void)parent.Left(static_cast<std::int64_t>(slash) - 1);
    if (!Open(parent.CStr(), KEY_READ)) return false;
    // The Ex form deletes in the path's view; the plain one would use the process's own.
    return RegDeleteKeyExW(key_.Get(), AsWide(last), parsed.view, 0) == ERROR_SUCCESS;
}

bool RegistryKey::Exists(const char16_t* path, const char16_t* valueName) {
    RegistryPath parsed;
    if (!ParseRegistryPath(path, parsed)) return false;
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExW(RootKey(parsed.root), SubkeyArgument(parsed), 0,
                                      KEY_QUERY_VALUE | parsed.view, &key);
    if (status != ERROR_SUCCESS) return valueName == nullptr && status != ERROR_FILE_NOT_FOUND;
    const RegistryHandle holder(key);
    if (valueName == nullptr) return true;
    return RegQueryValueExW(key, AsWide(valueName), nullptr, nullptr, nullptr, nullptr) !=
           ERROR_FILE_NOT_FOUND;
}

bool RegistryKey::FindAppPath(WideString& name) {
    const std::size_t length = name.Length();
    if (length > 0 && length < MAX_PATH) {
        wchar_t buffer[MAX_PATH] = {};
        (void)name.CopyTo(reinterpret_cast<char16_t*>(buffer), MAX_PATH);
        if (PathFindOnPathW(buffer, nullptr)) {
            name = FromWide(buffer);
            return true;
        }
    }
    const char16_t* text = name.CStr();
    if (length < 2 || text[1] == u':' || name.Find(u"\\") != 0) return false;
    WideString program(name);
    if (const std::size_t space = program.Find(u" "); space != 0) {
        (void)program.Left(static_cast<std::int64_t>(space) - 1);
    }
    const std::size_t programLength = program.Length();
    if (programLength < 4 || program.CStr()[programLength - 4] != u'.') program.Append(u".exe");
    RegistryKey key;
    WideString value;
    if (!key.OpenRead(WideString(kAppPaths, program.CStr()).CStr()) ||
        !key.ReadString(nullptr, value) || value.IsEmpty()) {
        return false;
    }
    // Installers often store the path quoted; callers quote it themselves where needed.
    StripQuotes(value);
    if (!value.ExpandEnvironment()) return false;
    name = value;
    return true;
}

}  // namespace scrutor
