// New, Open and Revert on a document with unsaved changes, worked from the keyboard: every
// answer to the prompts does what it says and nothing typed is lost unasked. Files a
// technician may hand the program by mistake, and saves that cannot succeed: each gets a
// clear result, nothing hangs, and no file is ever damaged.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "analysis/log_filters.h"
#include "app/core/document_rules.h"
#include "e2e_support.h"
#include "test_files.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;
using scrutor::FileBytes;
using scrutor::FilesIn;
using scrutor::TestFolder;
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

// GetWindowTextLength does not ask a control of another process.
int TextLength(HWND control) { return static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)); }

struct BadFile {
    const wchar_t* name;
    std::string bytes;
    const wchar_t* shown;
};

TEST(BadInput, OddFilesOpenWithWhatTheyHoldAndCloseUntouched) {
    std::string binary("MZ\x90\x00\x03\x00\x00\x00\x04\x00\x00\x00\xFF\xFF\x00\x00", 16);
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) & 0xFF);
    const BadFile cases[] = {
        // Reading stops at the first zero byte: what precedes it is all a text editor can show.
        {L"setup.exe", binary, L"MZ\x90"},
        {L"empty.log", "", L""},
        // The odd last byte is half a character and is left out (other encodings: TextFile's).
        {L"odd.log", std::string("\xFF\xFE" "A\0B\0C", 7), L"AB"},
    };
    const std::wstring folder = TestFolder(L"scrutor-bad");
    for (const BadFile& file : cases) {
        SCOPED_TRACE(std::string(file.name, file.name + wcslen(file.name)));
        const std::wstring path = folder + L"\\" + file.name;
        ASSERT_TRUE(WriteBytes(path, file.bytes));
        Program scrutor;
        HWND window = StartOn(scrutor, path, file.name);
        ASSERT_NE(window, nullptr) << "the title does not name the file";
        HWND editor = FindChild(window, L"Edit");
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(WindowText(editor), file.shown);
        EXPECT_TRUE(Closes(scrutor, window)) << "nothing was changed, so nothing is asked";
        EXPECT_EQ(FileBytes(path), file.bytes);
    }
    EXPECT_EQ(FilesIn(folder), static_cast<int>(std::size(cases)));
}

TEST(BadInput, ALockedFileOpensEmptyAndASaveThatCannotReplaceItSaysSoAndKeepsIt) {
    const std::wstring folder = TestFolder(L"scrutor-locked");
    const std::wstring path = folder + L"\\locked.log";
    const std::string content = "<Run> | pf | File not found: C:\\pf1.exe\r\n";
    ASSERT_TRUE(WriteBytes(path, content));
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    Program scrutor;
    HWND window = StartOn(scrutor, path, L"locked.log");
    ASSERT_NE(window, nullptr) << "a file that cannot be read still names the document";
    HWND editor = FindChild(window, L"Edit");
    EXPECT_EQ(WindowText(editor), L"");

    ASSERT_TRUE(Activate(window));
    TypeText(L"fix");
    PressKey('S', true);
    ASSERT_EQ(AnswerMessageBoxText(scrutor.Id(), L"OK"), Wide(scrutor::kCreateFailedMessage)) << "a failed save must say so";
    EXPECT_EQ(WindowText(window), L"locked.log - Scrutor");
    EXPECT_EQ(WindowText(editor), L"fix");
    CloseHandle(lock);
    EXPECT_EQ(FileBytes(path), content) << "the failed save damaged the file";
    EXPECT_EQ(FilesIn(folder), 1) << "the failed save left a temporary file behind";

    // Once the lock is gone the same command succeeds, in place, and what it wrote is what
    // Revert goes back to.
    ASSERT_TRUE(Press(window, 'S', true));
    EXPECT_TRUE(WaitUntil([&] { return FileBytes(path) == Utf16FileBytes(L"fix"); }));
    EXPECT_EQ(FilesIn(folder), 1) << "the temporary file was left behind";
    TypeText(L"!");
    ASSERT_TRUE(Press(window, 'T', true));
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(editor) == L"fix"; }));
    EXPECT_TRUE(Closes(scrutor, window));
}

// A target that cannot be created is reported and changes nothing; the next choice saves.
TEST_F(OpenedLog, SaveAsScriptSaysWhenItCannotAndThenWritesUtf16WithTheHeader) {
    ASSERT_NO_FATAL_FAILURE(Open(L"report.log"));
    const std::u16string original = ReadDocument(path);
    const std::wstring blocker = folder + L"\\not-a-folder.txt";
    const std::wstring target = folder + L"\\report.zep";
    ASSERT_TRUE(WriteBytes(blocker, "a file where the folder would go"));

    ASSERT_TRUE(Press(window, 'S', false, true));  // Save as script
    HWND dialog = WaitForFileDialog(scrutor.Id(), kSaveTitle);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseFileInDialog(dialog, blocker + L"\\report.zep"));
    ASSERT_EQ(AnswerMessageBoxText(scrutor.Id(), L"OK"), Wide(scrutor::kCreateFailedMessage))
        << "a target that cannot be created must be reported";
    EXPECT_EQ(WindowText(window), L"report.log - Scrutor");
    EXPECT_EQ(FileBytes(blocker), "a file where the folder would go");

    ChooseMenuItem(window, 0, 3);
    dialog = WaitForFileDialog(scrutor.Id(), kSaveTitle);
    ASSERT_NE(dialog, nullptr);
    HWND nameBox = FileDialogNameBox(dialog);
    ASSERT_NE(nameBox, nullptr);
    EXPECT_EQ(WindowText(nameBox), L"report") << "the dialog offers the log's name without extension";
    SaveScreenshot(BesideThisProgram("save_dialog.bmp"), 700);
    ASSERT_TRUE(ChooseFileInDialog(dialog, target));
    EXPECT_NE(WaitForTitle(scrutor.Id(), L"report.zep - Scrutor"), nullptr) << "the title does not follow the saved script";
    EXPECT_EQ(FileBytes(target), Utf16FileBytes(L"<ZEPCommandsScript>\r\n" + Wide(original)));
    EXPECT_EQ(ReadDocument(path), original) << "the log itself must stay as it was";
    EXPECT_TRUE(Closes(scrutor, window)) << "just saved: Close asks nothing";
}

// A 50 MB scan log (UTF-16, as the scanner writes it) loads whole and filters whole. Wine's
// edit control lays out the whole text before the window shows, which takes tens of seconds
// for this size, hence the long waits.
TEST(BadInput, AFiftyMegabyteLogLoadsAndFiltersCompletely) {
    const std::u16string sample = ReadDocument(SampleLog());
    ASSERT_FALSE(sample.empty());
    std::u16string text;
    while (text.size() * 2 < 50u * 1000 * 1000) text += sample + u"\r\n";
    const std::wstring path = TestFolder(L"scrutor-huge") + L"\\huge.log";
    ASSERT_TRUE(WriteBytes(path, Utf16FileBytes(Wide(text))));
    scrutor::WideString filtered(text);
    ASSERT_TRUE(scrutor::ApplyLineFilter(scrutor::LineFilter::kMicrosoftSigned, filtered));

    Program scrutor;
    const DWORD start = GetTickCount();
    HWND window = StartOn(scrutor, path, L"huge.log", 180000);
    ASSERT_NE(window, nullptr);
    HWND editor = FindChild(window, L"Edit");
    ASSERT_TRUE(WaitUntil([&] { return TextLength(editor) == static_cast<int>(text.size()); },
                          120000))
        << "loaded " << TextLength(editor) << " of " << text.size() << " characters";
    std::printf("50 MB log shown after %lu ms\n", GetTickCount() - start);

    const DWORD filterStart = GetTickCount();
    ChooseMenuItem(window, 3, 0);  // Hide Microsoft signed files
    EXPECT_TRUE(WaitUntil(
        [&] { return TextLength(editor) == static_cast<int>(filtered.Length()); }, 180000))
        << "filtered length " << TextLength(editor) << ", expected " << filtered.Length();
    std::printf("filtered in %lu ms\n", GetTickCount() - filterStart);
    EXPECT_EQ(WindowText(editor), Wide(std::u16string(filtered.View())));

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"No"));
    EXPECT_EQ(scrutor.WaitForExit(60000), 0);
    DeleteFileW(path.c_str());
}

}  // namespace
