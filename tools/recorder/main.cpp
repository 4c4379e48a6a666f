// Stands in for a browser: appends its whole command line, as UTF-8 and one line per start,
// to the file that SCRUTOR_URL_RECORD names, and ends. Built as "Vistro.exe" (the maker's
// browser) and as "browser_recorder.exe" (registered as the default http/https handler).
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kRetryMs = 10;
constexpr int kAttempts = 6000;

// Several copies may start at once: each waits until it has the file to itself. A loaded
// machine can keep the file busy for seconds, and a file being deleted by the test reports
// access denied rather than a sharing violation, so every failure is retried for a minute.
HANDLE OpenRecordAlone(const wchar_t* path) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        HANDLE file = CreateFileW(path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        if (error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) return nullptr;
        Sleep(kRetryMs);
    }
    return nullptr;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH]{};
    const DWORD length = GetEnvironmentVariableW(L"SCRUTOR_URL_RECORD", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    const wchar_t* commandLine = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line.data(), size, nullptr, nullptr);
    line.back() = '\n';
    HANDLE file = OpenRecordAlone(path);
    if (file == nullptr) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == line.size() ? 0 : 1;
}
