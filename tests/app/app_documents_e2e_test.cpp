// New, Open and Revert on a document with unsaved changes, worked from the keyboard: every
// answer to the prompts does what it says and nothing typed is lost unasked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "test_files.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;
using scrutor::FileBytes;
using scrutor::WriteBytes;

constexpr wchar_t kRevertQuestion[] =
    L"Are you sure you want to undo all changes made to this document?\r\n\r\n"
    L"This operation can not be undone.";

void AppendAtEnd(HWND window, const wchar_t* text) {
    ASSERT_TRUE(Press(window, VK_END, true));
    TypeText(text);
}

TEST_F(OpenedLog, NewRevertAndOpenAskFirstAndDoWhatTheAnswerSays) {
    ASSERT_NO_FATAL_FAILURE(Open(L"first.log"));
    const std::wstring original = Wide(ReadDocument(path));
    AppendAtEnd(window, L"X");
    (void)WaitForChange(editor, original);

    PressKey('N', true);
    ASSERT_EQ(AnswerMessageBoxText(scrutor.Id(), L"No", "save_prompt.bmp"), L"Save changes to first.log?") << "New on a modified document must ask";
    ASSERT_NE(WaitForTitle(scrutor.Id(), L"New script.zep - Scrutor"), nullptr);
    EXPECT_EQ(WindowText(editor), L"");
    EXPECT_EQ(Wide(ReadDocument(path)), original) << "\"No\" must not save";

    ASSERT_TRUE(Activate(window));
    TypeText(L"abc");
    PressKey('T', true);
    ASSERT_EQ(AnswerMessageBoxText(scrutor.Id(), L"No", "revert_question.bmp"), kRevertQuestion);
    Sleep(300);
    EXPECT_EQ(WindowText(editor), L"abc") << "\"No\" must leave the text alone";

    ASSERT_TRUE(Press(window, 'T', true));
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    EXPECT_EQ(WaitForChange(editor, L"abc"), original) << "the text last read, not an empty one";
    EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0) << "a reverted document is unmodified";

    // Open: "No" discards, "Yes" saves through the save dialog first; an empty file opened
    // keeps the text.
    const std::wstring second = folder + L"\\second.log";
    const std::wstring saved = folder + L"\\kept-changes.log";
    const std::wstring empty = folder + L"\\empty.log";
    ASSERT_TRUE(WriteBytes(second, "\xEF\xBB\xBF<Processes> | C:\\caf\xC3\xA9\\a.exe | Not signed"));
    ASSERT_TRUE(WriteBytes(empty, ""));

    AppendAtEnd(window, L"X");
    (void)WaitForChange(editor, original);
    PressKey('O', true);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"No"));
    HWND dialog = WaitForFileDialog(scrutor.Id(), kOpenTitle);
    SaveScreenshot(BesideThisProgram("open_dialog.bmp"), 700);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseFileInDialog(dialog, second));
    ASSERT_NE(WaitForTitle(scrutor.Id(), L"second.log - Scrutor"), nullptr);
    EXPECT_EQ(WindowText(editor), L"<Processes> | C:\\caf\u00E9\\a.exe | Not signed");

    AppendAtEnd(window, L"Y");
    const std::wstring changed = WaitForChange(editor, L"<Processes> | C:\\caf\u00E9\\a.exe | Not signed");
    PressKey('O', true);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    dialog = WaitForFileDialog(scrutor.Id(), kSaveTitle);
    ASSERT_NE(dialog, nullptr) << "\"Yes\" before Open always asks where to save";
    ASSERT_TRUE(ChooseFileInDialog(dialog, saved));
    ASSERT_TRUE(WaitUntil([&] { return FileBytes(saved) == Utf16FileBytes(changed); }))
        << "the changes were not saved before opening";

    dialog = WaitForFileDialog(scrutor.Id(), kOpenTitle);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseFileInDialog(dialog, empty));
    ASSERT_NE(WaitForTitle(scrutor.Id(), L"empty.log - Scrutor"), nullptr);
    EXPECT_EQ(WindowText(editor), changed) << "an empty file leaves the previous text in place";

    EXPECT_TRUE(Closes(scrutor, window)) << "the text was saved, so Close asks nothing";
    EXPECT_EQ(FileBytes(empty), "") << "opening never writes";
}

}  // namespace
