#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "foundation/win_text.h"

namespace scrutor::test {

namespace {

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        const LONG_PTR count = GetWindowLongPtrW(window, GWLP_USERDATA);
        SetWindowLongPtrW(window, GWLP_USERDATA, count + 1);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Read-only entries would stop the removal.
void ClearAttributes(const std::filesystem::path& root) {
    std::error_code error;
    SetFileAttributesW(root.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

}  // namespace

TempDir::TempDir() {
    static int counter = 0;
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    const std::wstring name = std::wstring(base) + L"scrutor-test-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
    CreateDirectoryW(name.c_str(), nullptr);
    path_.assign(name.begin(), name.end());
}

TempDir::~TempDir() {
    const std::filesystem::path root(std::wstring(path_.begin(), path_.end()));
    ClearAttributes(root);
    std::error_code error;
    std::filesystem::remove_all(root, error);
}

std::u16string TempDir::Child(std::u16string_view name) const {
    return path_ + u"\\" + std::u16string(name);
}

std::string ReadFileBytes(const std::u16string& path) {
    std::ifstream file(std::filesystem::path(std::wstring(path.begin(), path.end())),
                       std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::u16string& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(std::wstring(path.begin(), path.end())),
                       std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool PathExists(const std::u16string& path) {
    return GetFileAttributesW(AsWide(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

HandleHolder OpenExisting(const std::u16string& path, DWORD access, DWORD sharing) {
    return HandleHolder(
        CreateFileW(AsWide(path.c_str()), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
}

std::u16string HostPathFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == 0) return {};
    std::u16string path = u"Z:";
    for (const char* c = value; *c != 0; ++c) path += *c == '/' ? u'\\' : char16_t(*c);
    return path;
}

std::u16string ExecutableFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::u16string path(reinterpret_cast<const char16_t*>(buffer), length);
    return path.substr(0, path.rfind(u'\\'));
}

std::string Hex(const std::string& bytes) {
    std::string hex;
    static const char digits[] = "0123456789ABCDEF";
    for (unsigned char byte : bytes) hex += {digits[byte >> 4], digits[byte & 15]};
    return hex;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

CountingWindow::CountingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ScrutorTestCounter";
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, L"ScrutorTestCounter", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
}

CountingWindow::~CountingWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

int CountingWindow::Count() const {
    return static_cast<int>(GetWindowLongPtrW(window_, GWLP_USERDATA));
}

bool ForgetPendingDeletions(const std::u16string& folder) {
    constexpr wchar_t kManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
    constexpr wchar_t kPending[] = L"PendingFileRenameOperations";
    // Sized by the system: other programs' pending entries may make the list long.
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kManager, kPending, RRF_RT_REG_MULTI_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS) {
        return false;
    }
    std::u16string units(size / 2 + 2, u'\0');
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kManager, kPending, RRF_RT_REG_MULTI_SZ, nullptr,
                     units.data(), &size) != ERROR_SUCCESS) {
        return false;
    }
    // Pairs of terminated strings, source and target (empty to delete), up to an empty one.
    std::u16string kept;
    bool found = false;
    for (const char16_t* at = units.c_str(); *at != 0;) {
        const std::u16string source(at);
        const std::u16string target(at + source.size() + 1);
        at += source.size() + target.size() + 2;
        if (source.find(folder) != std::u16string::npos) {
            found = true;
        } else {
            kept += source + u'\0' + target + u'\0';
        }
    }
    if (found && kept.empty()) {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kManager, kPending);
    } else if (found) {
        kept += u'\0';
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kManager, kPending, REG_MULTI_SZ, kept.data(),
                        static_cast<DWORD>(kept.size() * 2));
    }
    return found;
}

}  // namespace scrutor::test
