// Started by the process tests: writes how it was started (command line, working folder and
// process id, one per line, UTF-16LE) to the file named by SCRUTOR_CHILD_RECORD.

#include <windows.h>

#include <string>

int main() {
    wchar_t record[MAX_PATH];
    if (GetEnvironmentVariableW(L"SCRUTOR_CHILD_RECORD", record, MAX_PATH) == 0) return 2;
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring text = std::wstring(GetCommandLineW()) + L"\n" + folder + L"\n" +
                              std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(file);
    return 0;
}
