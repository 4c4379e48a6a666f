#include "test_files.h"

#include <windows.h>

#include <cstring>
#include <utility>

namespace scrutor {

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::wstring TestFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring path = folder + L"\\" + found.cFileName;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

int FilesIn(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

// Another process (the program under test) may hold the clipboard for a moment.
bool OpenTheClipboard() {
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(50)) {
        if (OpenClipboard(nullptr)) return true;
    }
    return false;
}

bool PutOnClipboard(UINT format, const void* data, std::size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    std::memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    if (!OpenTheClipboard()) return false;
    EmptyClipboard();
    const bool put = SetClipboardData(format, memory) != nullptr;
    CloseClipboard();
    return put;
}

std::u16string ClipboardText() {
    std::u16string text = u"<no clipboard text>";
    if (!OpenTheClipboard()) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

RegistryValueGuard::RegistryValueGuard(HKEY root, std::wstring key, std::wstring name)
    : root_(root), key_(std::move(key)), name_(std::move(name)), oldSize_(sizeof old_) {
    existed_ = RegGetValueW(root_, key_.c_str(), Name(), RRF_RT_ANY | RRF_NOEXPAND, &oldType_,
                            old_.data(), &oldSize_) == ERROR_SUCCESS;
}

RegistryValueGuard::~RegistryValueGuard() {
    if (existed_) (void)Set(oldType_, old_.data(), oldSize_);
    else (void)Delete();
}

bool RegistryValueGuard::Set(DWORD type, const void* data, DWORD size) const {
    return RegSetKeyValueW(root_, key_.c_str(), Name(), type, data, size) == ERROR_SUCCESS;
}

bool RegistryValueGuard::SetText(const std::wstring& text) const {
    return Set(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool RegistryValueGuard::Delete() const {
    return RegDeleteKeyValueW(root_, key_.c_str(), Name()) == ERROR_SUCCESS;
}

std::optional<DWORD> RegistryValueGuard::Dword() const {
    DWORD value = 0, size = sizeof value;
    const LSTATUS status = RegGetValueW(root_, key_.c_str(), Name(), RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS ? std::optional<DWORD>(value) : std::nullopt;
}

}  // namespace scrutor
