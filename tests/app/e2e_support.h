#pragma once

// Shared by the end-to-end tests: files for the program to open, and the answers a
// technician gives to its boxes and file dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "driver.h"
#include "test_files.h"

namespace scrutor::e2e {

inline constexpr DWORD kWindowTimeout = 15000;

// The repository's sample log as a Windows path.
[[nodiscard]] std::wstring SampleLog();
// A document as the program reads it (encoding from its mark).
[[nodiscard]] std::u16string ReadDocument(const std::wstring& path);
// What a UTF-16LE document with a byte order mark holds on disk.
[[nodiscard]] std::string Utf16FileBytes(const std::wstring& text);
[[nodiscard]] inline std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

// Polls until `done` holds or the time is up; answers the last result.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Waits for the editor to show something other than `before`.
[[nodiscard]] std::wstring WaitForChange(HWND editor, const std::wstring& before);
// Brings the window to the front and presses the key there.
bool Press(HWND window, WORD key, bool ctrl = false, bool alt = false);
// Sets the editor's text and selection from outside, as a test's starting point.
void SetEditor(HWND editor, const std::wstring& text, int selStart = 0, int selEnd = 0);
[[nodiscard]] std::pair<int, int> Selection(HWND editor);

// Clicks a button of the program's next message box, once its buttons exist, and waits for the
// box to close; the text it showed, or "<no box>" when none came or it did not close.
std::wstring AnswerMessageBoxText(DWORD processId, const wchar_t* button, const char* screenshot = nullptr);
inline bool AnswerMessageBox(DWORD processId, const wchar_t* button) {
    return AnswerMessageBoxText(processId, button) != L"<no box>";
}

// The program's file dialog with that title, and the file name typed into it and confirmed.
inline constexpr wchar_t kOpenTitle[] = L"Open file";
inline constexpr wchar_t kSaveTitle[] = L"Please choose the file to save to";
[[nodiscard]] HWND WaitForFileDialog(DWORD processId, const wchar_t* title);
[[nodiscard]] HWND FileDialogNameBox(HWND dialog);
bool ChooseFileInDialog(HWND dialog, const std::wstring& path);

// Closes with Ctrl+Q, answering the save prompt when `answer` is given (else none may come);
// succeeds when the program then ends with exit code 0.
::testing::AssertionResult Closes(driver::Program& scrutor, HWND window, const wchar_t* answer = nullptr);

// Starts the program on `path`; answers the main window once its title names the file.
HWND StartOn(driver::Program& scrutor, const std::wstring& path, const std::wstring& fileName,
            DWORD timeoutMs = kWindowTimeout);
// Copies the program into `folder` (so it finds the stand-ins put beside it), writes `text` as
// a UTF-16 log there and starts the copy on it.
HWND StartCopyOn(driver::Program& scrutor, const std::wstring& folder, const wchar_t* logName,
                 const std::wstring& text);
[[nodiscard]] HWND WaitForTitle(DWORD processId, const std::wstring& title,
                                DWORD timeoutMs = kWindowTimeout);

// The program started on a copy of the sample log in a fresh folder.
class OpenedLog : public ::testing::Test {
protected:
    void Open(const wchar_t* fileName);

    driver::Program scrutor;
    std::wstring folder;
    std::wstring path;
    HWND window = nullptr;
    HWND editor = nullptr;
};

}  // namespace scrutor::e2e
