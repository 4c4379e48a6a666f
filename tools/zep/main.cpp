// A stand-in for ZEP. Every start appends two lines, its command line and its working
// directory, to the UTF-8 file named by SCRUTOR_ZEP_RECORD. With -Window it shows a "Run
// script" window (three Static controls, the third reading "Run script", and an Edit
// control) and writes each text its Edit control is given to that file name plus ".text";
// with -Busy as well, the control answers only after kBusyMs, as a hung ZEP would.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kRecordVariable[] = L"SCRUTOR_ZEP_RECORD";
constexpr wchar_t kWindowClass[] = L"ZepStandInScriptWindow";
constexpr DWORD kBusyMs = 8000;
constexpr UINT kLifetimeMs = 120000;  // no stand-in outlives a test run

bool busy = false;
WNDPROC editProc = nullptr;

std::string Utf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    out.pop_back();
    return out;
}

std::wstring RecordPath(const wchar_t* suffix) {
    wchar_t path[MAX_PATH]{};
    const DWORD length = GetEnvironmentVariableW(kRecordVariable, path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : path + std::wstring(suffix);
}

void Write(const std::wstring& path, DWORD disposition, const std::wstring& text) {
    if (path.empty()) return;
    const std::string bytes = Utf8(text.c_str());
    const DWORD access = disposition == OPEN_ALWAYS ? FILE_APPEND_DATA : GENERIC_WRITE;
    HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        if (busy) Sleep(kBusyMs);
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        Write(RecordPath(L".text"), CREATE_ALWAYS, text != nullptr ? text : L"");
    }
    return CallWindowProcW(editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateScriptWindow(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);
    HWND top = CreateWindowExW(0, kWindowClass, L"ZEP - Run script", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               240, 160, 520, 380, nullptr, nullptr, instance, nullptr);
    if (top == nullptr) return nullptr;
    const wchar_t* labels[] = {L"ZEP", L"Script commands:", L"Run script"};
    for (int i = 0; i < 3; ++i) {
        CreateWindowExW(0, L"Static", labels[i], WS_CHILD | WS_VISIBLE, 10, 10 + 24 * i, 300, 20, top,
                        nullptr, instance, nullptr);
    }
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                10, 90, 480, 230, top, nullptr, instance, nullptr);
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    SetTimer(top, 1, kLifetimeMs, nullptr);
    return top;
}

bool HasSwitch(const wchar_t* commandLine, const wchar_t* name) {
    return commandLine != nullptr && wcsstr(commandLine, name) != nullptr;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    wchar_t directory[MAX_PATH]{};
    GetCurrentDirectoryW(MAX_PATH, directory);
    Write(RecordPath(L""), OPEN_ALWAYS, std::wstring(GetCommandLineW()) + L"\n" + directory + L"\n");
    if (!HasSwitch(arguments, L"-Window")) return 0;
    busy = HasSwitch(arguments, L"-Busy");
    if (CreateScriptWindow(instance) == nullptr) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
