#include "test_files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace scrutor {

std::string FileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}

std::wstring TestFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / name;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove(entry.path(), error);
    }
    std::filesystem::create_directory(folder, error);
    return folder.wstring();
}

int FilesIn(const std::wstring& folder) {
    std::error_code error;
    const std::filesystem::directory_iterator entries(folder, error);
    return static_cast<int>(std::count_if(begin(entries), end(entries), [](const auto& e) { return e.is_regular_file(); }));
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
