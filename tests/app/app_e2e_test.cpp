// Works the real scrutor.exe as a technician would: opens a log from the command line,
// chooses menu items with the keyboard, types accelerators and answers the save prompt.
#include <gtest/gtest.h>

#include <string>

#include "analysis/log_filters.h"
#include "app/core/document_rules.h"
#include "driver.h"
#include "foundation/text_file.h"

namespace {

using namespace scrutor::driver;

constexpr DWORD kWindowTimeout = 15000;

std::wstring TempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// The repository's sample as a Windows path (Wine maps the Unix root to Z:).
std::wstring SampleLog() {
    const char* source = std::getenv("SCRUTOR_SOURCE_DIR");
    std::wstring path = L"Z:";
    for (const char* c = source != nullptr ? source : ""; *c != 0; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path + L"\\samples\\sample-scan.log";
}

std::u16string ReadDocument(const std::wstring& path) {
    scrutor::TextFile file(reinterpret_cast<const char16_t*>(path.c_str()), scrutor::kDocumentReadMode);
    scrutor::WideString text;
    (void)file.ReadText(text);
    return std::u16string(text.View());
}

std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

// Waits for the editor to show something other than `before`.
std::wstring WaitForChange(HWND editor, const std::wstring& before) {
    for (int i = 0; i < 100; ++i) {
        std::wstring now = WindowText(editor);
        if (now != before) return now;
        Sleep(50);
    }
    return before;
}

// Answers the save prompt that closing a modified document brings up.
bool AnswerSavePrompt(DWORD processId, const wchar_t* button) {
    HWND box = WaitForWindow(processId, L"_WINDOW_MsgBoxClass", nullptr, 5000);
    return box != nullptr && PressButton(box, button);
}

class OpenedLog : public ::testing::Test {
protected:
    void Open(const wchar_t* fileName) {
        path = TempFolder(L"scrutor-e2e") + L"\\" + fileName;
        ASSERT_TRUE(CopyFileW(SampleLog().c_str(), path.c_str(), FALSE)) << "no sample log";
        ASSERT_TRUE(scrutor.Start(BesideThisProgram(SCRUTOR_EXE_RELATIVE), L"\"" + path + L"\""));
        window = WaitForWindow(scrutor.Id(), L"SCRUTOR_WND_CLASS",
                               (std::wstring(fileName) + L" - Scrutor").c_str(), kWindowTimeout);
        ASSERT_NE(window, nullptr) << "the title does not show the opened file";
        editor = FindChild(window, L"Edit");
        ASSERT_NE(editor, nullptr);
    }

    Program scrutor;
    std::wstring path;
    HWND window = nullptr;
    HWND editor = nullptr;
};

TEST_F(OpenedLog, HideMicrosoftSignedFilesGivesExactlyTheFiltersResult) {
    Open(L"scan.log");
    const std::u16string original = ReadDocument(path);
    ASSERT_FALSE(original.empty());
    EXPECT_EQ(WindowText(editor), Wide(original)) << "the command-line file was not loaded as read";

    ChooseMenuItem(window, 3, 0);
    const std::wstring filtered = WaitForChange(editor, Wide(original));
    scrutor::WideString expected(original);
    ASSERT_TRUE(scrutor::ApplyLineFilter(scrutor::LineFilter::kMicrosoftSigned, expected));
    ASSERT_NE(expected.View(), std::u16string_view(original)) << "the sample has no such lines";
    EXPECT_EQ(filtered, Wide(std::u16string(expected.View())));
    SaveScreenshot(BesideThisProgram("app_filtered.bmp"));

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerSavePrompt(scrutor.Id(), L"No"));
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
    EXPECT_EQ(ReadDocument(path), original) << "\"No\" must not save";
}

TEST_F(OpenedLog, CancelKeepsTheWindowAndCtrlSSavesAsUtf16) {
    Open(L"keep.log");
    ASSERT_TRUE(Activate(window));
    PressKey(VK_END, true);
    TypeText(L"X");
    const std::wstring edited = WindowText(editor);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerSavePrompt(scrutor.Id(), L"Cancel"));
    Sleep(300);
    EXPECT_TRUE(IsWindow(window)) << "Cancel closed the program";
    EXPECT_EQ(WindowText(editor), edited);

    ASSERT_TRUE(Activate(window));
    PressKey('S', true);  // Save: the file exists, so no dialog
    EXPECT_EQ(ReadDocument(path), std::u16string(edited.begin(), edited.end()));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    unsigned char mark[2]{};
    DWORD read = 0;
    ReadFile(file, mark, 2, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(mark[0], 0xFF);
    EXPECT_EQ(mark[1], 0xFE);

    PressKey('Q', true);  // saved, so Close asks nothing
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
}

// Pictures for people: each menu dropped down over the sample log.
TEST_F(OpenedLog, EachMenuOpensFromTheKeyboard) {
    Open(L"menus.log");
    for (int menu = 0; menu < 5; ++menu) {
        ASSERT_TRUE(Activate(window));
        PressKey(VK_F10);
        for (int i = 0; i < menu; ++i) PressKey(VK_RIGHT);
        PressKey(VK_DOWN);
        Sleep(200);
        const std::string name = "app_menu_" + std::to_string(menu) + ".bmp";
        EXPECT_TRUE(SaveScreenshot(BesideThisProgram(name.c_str())));
        PressKey(VK_ESCAPE);
        PressKey(VK_ESCAPE);
    }
    PressKey('Q', true);
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0) << "an unmodified document closes at once";
}

}  // namespace
