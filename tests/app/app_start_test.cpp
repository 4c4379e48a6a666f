// Starts the real scrutor.exe, finds its main window as a technician's tools
// would (by class and title) and closes it the way the close box does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ScrutorPath() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path.resize(path.find_last_of(L"\\/") + 1);
    for (const char* p = SCRUTOR_EXE_RELATIVE; *p; ++p) path += *p == '/' ? L'\\' : wchar_t(*p);
    return path;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND window = FindWindowW(className, title)) return window;
        Sleep(50);
    }
    return nullptr;
}

TEST(ScrutorStart, ShowsTheNewScriptWindowAndClosesCleanly) {
    std::wstring command = L"\"" + ScrutorPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << "cannot start " << std::string(command.begin(), command.end());
    CloseHandle(process.hThread);

    HWND window = WaitForWindow(L"SCRUTOR_WND_CLASS", L"New script.zep - Scrutor", 15000);
    EXPECT_NE(window, nullptr) << "no main window with the new-script title";
    if (window) {
        EXPECT_TRUE(IsWindowVisible(window));
        HWND editor = FindWindowExW(window, nullptr, L"Edit", nullptr);
        EXPECT_NE(editor, nullptr) << "the main window has no editor";
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const DWORD waited = WaitForSingleObject(process.hProcess, 15000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "scrutor.exe did not end after WM_CLOSE";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
