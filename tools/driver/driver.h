#pragma once

// Works a running Scrutor the way a technician does: finds its windows, types
// real keystrokes, chooses menu items with the keyboard, answers message boxes
// and takes screenshots. Used by the end-to-end tests under Wine.
#include <windows.h>

#include <string>
#include <vector>

namespace scrutor::driver {

class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // Starts an executable with arguments (already quoted as needed).
    [[nodiscard]] bool Start(const std::wstring& exePath, const std::wstring& arguments = L"");
    // Waits for the process to end; kills it after the timeout. Answers its exit code or -1.
    [[nodiscard]] int WaitForExit(DWORD timeoutMs);
    [[nodiscard]] DWORD Id() const { return processId_; }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// The path of a file relative to the running executable's folder ("/" allowed).
[[nodiscard]] std::wstring BesideThisProgram(const char* relative);

// Top-level window of the class (and title, when given) owned by the process.
[[nodiscard]] HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                                 DWORD timeoutMs);
[[nodiscard]] std::wstring WindowText(HWND window);
[[nodiscard]] HWND FindChild(HWND parent, const wchar_t* className, int instance = 1);

// Brings the window to the front and types keys. A key is a virtual-key code;
// modifiers are held around it.
bool Activate(HWND window);
void PressKey(WORD virtualKey, bool ctrl = false, bool alt = false, bool shift = false);
void TypeText(const std::wstring& text);
// Moves the pointer to a screen point, and presses or releases the primary button
// where it stands, as a real mouse would (absolute SendInput moves).
void MovePointer(POINT screen);
void PointerButton(bool down);
// Moves the pointer in even steps, giving the program time to follow each one.
void GlidePointer(POINT from, POINT to, int steps);
// Presses and releases the primary button at a window's client point.
void ClickAt(HWND window, POINT client);

// Opens menu `menuIndex` (0-based) with F10 and chooses item `itemIndex`
// (0-based, separators not counted), exactly as with the keyboard.
void ChooseMenuItem(HWND window, int menuIndex, int itemIndex);

// Clicks the button with the given caption inside a dialog-like window.
[[nodiscard]] bool PressButton(HWND dialog, const wchar_t* caption);

// Saves the whole screen as a 24-bit BMP, after `settleMs` for windows that have just
// opened to finish painting (Wine paints a file dialog's controls late).
bool SaveScreenshot(const std::wstring& path, DWORD settleMs = 0);

}  // namespace scrutor::driver
