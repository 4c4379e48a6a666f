// Started by the process tests: writes its process id (UTF-16LE) to the file named by
// SCRUTOR_CHILD_RECORD, holding the file without sharing until it is written.

#include <windows.h>

#include <string>

int main() {
    wchar_t record[MAX_PATH];
    if (GetEnvironmentVariableW(L"SCRUTOR_CHILD_RECORD", record, MAX_PATH) == 0) return 2;
    const std::wstring id = std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(file, id.data(), static_cast<DWORD>(id.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
