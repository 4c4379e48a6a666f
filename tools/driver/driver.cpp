#include "driver.h"

#include <cstdio>

namespace scrutor::driver {

Program::~Program() {
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
        CloseHandle(process_);
    }
}

bool Program::Start(const std::wstring& exePath, const std::wstring& arguments) {
    std::wstring command = L"\"" + exePath + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    WaitForInputIdle(process_, 10000);
    return true;
}

int Program::WaitForExit(DWORD timeoutMs) {
    if (!process_) return -1;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

std::wstring BesideThisProgram(const char* relative) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path.resize(path.find_last_of(L"\\/") + 1);
    for (const char* p = relative; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

namespace {

struct WindowQuery {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
    auto* query = reinterpret_cast<WindowQuery*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (query->processId != 0 && owner != query->processId) return TRUE;
    wchar_t name[256];
    GetClassNameW(window, name, 256);
    if (lstrcmpW(name, query->className) != 0) return TRUE;
    if (query->title && WindowText(window) != query->title) return TRUE;
    query->found = window;
    return FALSE;
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// Input goes through the X server and the target's queue: give it time to land.
void Settle() { Sleep(120); }

}  // namespace

HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                   DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 50) {
        WindowQuery query{processId, className, title, nullptr};
        EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
        if (query.found || waited >= timeoutMs) return query.found;
        Sleep(50);
    }
}

std::wstring WindowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

HWND FindChild(HWND parent, const wchar_t* className, int instance) {
    HWND child = nullptr;
    for (int i = 0; i < instance; ++i) {
        child = FindWindowExW(parent, child, className, nullptr);
        if (!child) return nullptr;
    }
    return child;
}

// A window of the previous test still going away can take the foreground back once.
bool Activate(HWND window) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetForegroundWindow(window);
        Settle();
        if (GetForegroundWindow() == window) return true;
        if (!IsWindow(window)) return false;
        Sleep(100);
    }
    return false;
}

void PressKey(WORD virtualKey, bool ctrl, bool alt, bool shift) {
    if (ctrl) SendKey(VK_CONTROL, false);
    if (alt) SendKey(VK_MENU, false);
    if (shift) SendKey(VK_SHIFT, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (shift) SendKey(VK_SHIFT, true);
    if (alt) SendKey(VK_MENU, true);
    if (ctrl) SendKey(VK_CONTROL, true);
    Settle();
}

void TypeText(const std::wstring& text) {
    for (wchar_t unit : text) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wScan = input[1].ki.wScan = unit;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof input[0]);
    }
    Settle();
}

void MovePointer(POINT screen) {
    // Absolute coordinates run 0..65535 over the primary screen.
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int h = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65535 + w / 2) / w);
    input.mi.dy = static_cast<LONG>((screen.y * 65535 + h / 2) / h);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void PointerButton(bool down) {
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (down) {
        input.mi.dwFlags = swapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    } else {
        input.mi.dwFlags = swapped ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    }
    SendInput(1, &input, sizeof input);
    Settle();
}

void GlidePointer(POINT from, POINT to, int steps) {
    for (int i = 1; i <= steps; ++i) {
        MovePointer({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        Sleep(60);  // three ticks of a 20 ms poll
    }
    Settle();
}

void ClickAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    MovePointer(client);
    Settle();
    PointerButton(true);
    PointerButton(false);
}

void ChooseMenuItem(HWND window, int menuIndex, int itemIndex) {
    Activate(window);
    PressKey(VK_F10);
    for (int i = 0; i < menuIndex; ++i) PressKey(VK_RIGHT);
    PressKey(VK_DOWN);  // opens the menu on its first item
    for (int i = 0; i < itemIndex; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
}

bool PressButton(HWND dialog, const wchar_t* caption) {
    for (HWND child = nullptr; (child = FindWindowExW(dialog, child, nullptr, nullptr));) {
        if (WindowText(child) == caption) {
            PostMessageW(child, BM_CLICK, 0, 0);
            Settle();
            return true;
        }
    }
    return false;
}

bool SaveScreenshot(const std::wstring& path, DWORD settleMs) {
    Sleep(settleMs);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * height;
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) +
                                                    sizeof(BITMAPINFOHEADER) + imageSize),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    bool ok = false;
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
        ok = fwrite(&file, sizeof file, 1, out) == 1 &&
             fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             fwrite(bits, 1, imageSize, out) == imageSize;
        ok = fclose(out) == 0 && ok;
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace scrutor::driver
