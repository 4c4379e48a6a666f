#include "e2e_support.h"

#include "foundation/text_file.h"
#include "app/core/document_rules.h"
#include "test_support.h"

namespace scrutor::e2e {

using namespace driver;

std::wstring SampleLog() {
    return Wide(test::HostPathFromEnvironment("SCRUTOR_SOURCE_DIR") + u"\\samples\\sample-scan.log");
}

std::u16string ReadDocument(const std::wstring& path) {
    TextFile file(reinterpret_cast<const char16_t*>(path.c_str()), kDocumentReadMode);
    WideString text;
    (void)file.ReadText(text);
    return std::u16string(text.View());
}

std::string Utf16FileBytes(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        Sleep(50);
    }
    return true;
}

std::wstring WaitForChange(HWND editor, const std::wstring& before) {
    std::wstring now = before;
    (void)WaitUntil([&] { return (now = WindowText(editor)) != before; });
    return now;
}

bool Press(HWND window, WORD key, bool ctrl, bool alt) {
    if (!Activate(window)) return false;
    PressKey(key, ctrl, alt);
    return true;
}

void SetEditor(HWND editor, const std::wstring& text, int selStart, int selEnd) {
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(selStart), selEnd);
}

std::pair<int, int> Selection(HWND editor) {
    const auto packed = static_cast<DWORD>(SendMessageW(editor, EM_GETSEL, 0, 0));
    return {LOWORD(packed), HIWORD(packed)};
}

std::wstring AnswerMessageBoxText(DWORD processId, const wchar_t* button, const char* screenshot) {
    HWND box = WaitForWindow(processId, L"_WINDOW_MsgBoxClass", nullptr, 5000);
    // The box may be found before its buttons exist.
    if (box == nullptr || !WaitUntil([&] { return FindChild(box, L"Button") != nullptr; })) return L"<no box>";
    HWND label = FindChild(box, L"Static");
    const std::wstring text = label != nullptr ? WindowText(label) : L"";
    if (screenshot != nullptr) SaveScreenshot(BesideThisProgram(screenshot));
    // A box still closing would swallow the next keystroke or take the next answer.
    const bool answered =
        WaitUntil([&] { return PressButton(box, button); }) && WaitUntil([&] { return !IsWindow(box); });
    return answered ? text : L"<no box>";
}

HWND WaitForFileDialog(DWORD processId, const wchar_t* title) {
    return WaitForWindow(processId, L"#32770", title, kWindowTimeout);
}

namespace {

BOOL CALLBACK FindEdit(HWND child, LPARAM data) {
    wchar_t name[16]{};
    GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

}  // namespace

// The dialog's only edit sits inside the name combo box, and appears a little later.
HWND FileDialogNameBox(HWND dialog) {
    HWND edit = nullptr;
    (void)WaitUntil([&] {
        EnumChildWindows(dialog, FindEdit, reinterpret_cast<LPARAM>(&edit));
        return edit != nullptr;
    });
    return edit;
}

bool ChooseFileInDialog(HWND dialog, const std::wstring& path) {
    HWND nameBox = FileDialogNameBox(dialog);
    if (nameBox == nullptr) return false;
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return true;
}

::testing::AssertionResult Closes(Program& scrutor, HWND window, const wchar_t* answer) {
    if (!Activate(window)) return ::testing::AssertionFailure() << "the window cannot be activated";
    PressKey('Q', true);
    if (answer != nullptr && !AnswerMessageBox(scrutor.Id(), answer)) return ::testing::AssertionFailure() << "no save prompt";
    const int code = scrutor.WaitForExit(kWindowTimeout);
    return code == 0 ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "exit code " << code;
}

HWND WaitForTitle(DWORD processId, const std::wstring& title, DWORD timeoutMs) {
    return WaitForWindow(processId, L"SCRUTOR_WND_CLASS", title.c_str(), timeoutMs);
}

HWND StartOn(Program& scrutor, const std::wstring& path, const std::wstring& fileName, DWORD timeoutMs) {
    if (!scrutor.Start(BesideThisProgram(SCRUTOR_EXE_RELATIVE), L"\"" + path + L"\"")) return nullptr;
    return WaitForTitle(scrutor.Id(), fileName + L" - Scrutor", timeoutMs);
}

HWND StartCopyOn(Program& scrutor, const std::wstring& folder, const wchar_t* logName, const std::wstring& text) {
    const std::wstring log = folder + L"\\" + logName;
    if (!CopyFileW(BesideThisProgram(SCRUTOR_EXE_RELATIVE).c_str(), (folder + L"\\scrutor.exe").c_str(), FALSE) ||
        !WriteBytes(log, Utf16FileBytes(text)) || !scrutor.Start(folder + L"\\scrutor.exe", L"\"" + log + L"\"")) {
        return nullptr;
    }
    return WaitForTitle(scrutor.Id(), logName + std::wstring(L" - Scrutor"));
}

void OpenedLog::Open(const wchar_t* fileName) {
    folder = TestFolder(L"scrutor-e2e");
    path = folder + L"\\" + fileName;
    ASSERT_TRUE(CopyFileW(SampleLog().c_str(), path.c_str(), FALSE));
    window = StartOn(scrutor, path, fileName);
    ASSERT_NE(window, nullptr) << "the program did not start on the copy, or its title lacks the file";
    editor = FindChild(window, L"Edit");
    ASSERT_NE(editor, nullptr);
}

}  // namespace scrutor::e2e
