// The Tools menu's templates, and F5/F6 with the ZEP stand-in under an InstallDir with spaces:
// what ZEP starts with, where, and what its open "Run script" window receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis/script_templates.h"
#include "e2e_support.h"
#include "test_files.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;
using scrutor::FileBytes;

constexpr wchar_t kZepWindowClass[] = L"ZepStandInScriptWindow";
constexpr DWORD kGraceMs = 1500;  // for a start that must not come

std::string Narrow(const std::wstring& ascii) { return {ascii.begin(), ascii.end()}; }
using Start = std::pair<std::string, std::string>;  // command line, working directory

// What the stand-in recorded once it was started `count` times (fewer when time is up).
std::vector<Start> Starts(const std::wstring& record, std::size_t count = 0) {
    std::vector<Start> starts;
    (void)WaitUntil([&] {
        starts.clear();
        std::istringstream lines(FileBytes(record));
        for (Start s; std::getline(lines, s.first) && std::getline(lines, s.second);) starts.push_back(s);
        return starts.size() >= count;
    }, 10000);
    return starts;
}

TEST_F(OpenedLog, ZepGetsTheScriptOnlyAsTheUserLetsIt) {
    const std::wstring zepFolder = scrutor::TestFolder(L"ZEP install dir"), zepPath = zepFolder + L"\\ZEP_en.exe";
    const std::wstring record = zepFolder + L"\\starts.txt";
    ASSERT_TRUE(CopyFileW(BesideThisProgram(SCRUTOR_ZEP_RELATIVE).c_str(), zepPath.c_str(), FALSE));
    ASSERT_TRUE(SetEnvironmentVariableW(L"SCRUTOR_ZEP_RECORD", record.c_str()));
    const scrutor::RegistryValueGuard installDir(HKEY_LOCAL_MACHINE, L"Software\\ZEP - Zepharion", L"InstallDir");
    ASSERT_TRUE(installDir.SetText(zepFolder));
    ASSERT_NO_FATAL_FAILURE(Open(L"run.log"));
    const std::string zep = Narrow(L"\"" + zepPath + L"\""), readFile = Narrow(L" -ReadFile \"" + path + L"\"");
    const auto press = [&](WORD key, bool ctrl = false) { EXPECT_TRUE(Press(window, key, ctrl)); };
    const auto typeAtEnd = [&](const std::wstring& text) {  // the editor text once it arrived
        press(VK_END, true);
        TypeText(text);
        std::wstring now;
        EXPECT_TRUE(WaitUntil([&] { return (now = WindowText(editor)).ends_with(text); }));
        return now;
    };

    // Saved and unchanged: no question, straight to ZEP, in ZEP's folder.
    press(VK_F6);
    ASSERT_EQ(Starts(record, 1), (std::vector<Start>{{zep + readFile + " -Auto", Narrow(zepFolder)}}));

    std::wstring edited = typeAtEnd(L" <Delete> | C:\\x.exe");
    press(VK_F5);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Cancel")) << "a changed script is offered for saving";
    press(VK_F5);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    ASSERT_EQ(Starts(record, 2).size(), 2u);
    EXPECT_EQ(Starts(record)[1].first, zep + readFile) << "F5 runs without -Auto";
    EXPECT_EQ(FileBytes(path), Utf16FileBytes(edited)) << "ZEP must read what the editor shows";
    Sleep(kGraceMs);
    EXPECT_EQ(Starts(record).size(), 2u) << "Cancel must start nothing";

    // An open "Run script" window takes the text as it stands: nothing is saved or started.
    Program zepWindow;
    ASSERT_TRUE(zepWindow.Start(zepPath, L"-Window"));
    HWND zepTop = WaitForWindow(zepWindow.Id(), kZepWindowClass, nullptr, kWindowTimeout);
    ASSERT_NE(zepTop, nullptr);
    ShowWindow(zepTop, SW_MINIMIZE);
    const std::string saved = FileBytes(path);
    edited = typeAtEnd(L" <Reboot>");
    press(VK_F5);
    EXPECT_TRUE(WaitUntil([&] { return FileBytes(record + L".text") == Narrow(edited); }));
    EXPECT_FALSE(IsIconic(zepTop)) << "the window is restored";
    EXPECT_EQ(GetForegroundWindow(), zepTop);
    Sleep(kGraceMs);
    EXPECT_EQ(Starts(record).size(), 3u) << "only the window's own start";
    EXPECT_EQ(FileBytes(path), saved) << "nothing is saved";
    PostMessageW(zepTop, WM_CLOSE, 0, 0);
    EXPECT_EQ(zepWindow.WaitForExit(kWindowTimeout), 0);

    {  // A window that does not answer counts as refusing: the prompt comes long before it
       // would (the stand-in answers after 8 s, the box is awaited for 5).
        Program busyWindow;
        ASSERT_TRUE(busyWindow.Start(zepPath, L"-Window -Busy"));
        ASSERT_NE(WaitForWindow(busyWindow.Id(), kZepWindowClass, nullptr, kWindowTimeout), nullptr);
        press(VK_F5);
        ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes")) << "still waiting for the busy window";
        ASSERT_EQ(Starts(record, 5).size(), 5u);
        EXPECT_EQ(Starts(record)[4].first, zep + readFile);
    }  // ended before it wakes and takes the foreground

    // Each template item inserts its own block: above the caret's line from its first half,
    // below it from its second (where the line splits is the insert dialog's test); the caret
    // ends after the block and the document counts as changed.
    const std::wstring first = L"first\r\n", line = L"<Processes> | C:\\x\\a.exe | Not signed";
    const std::wstring before = first + line + L"\r\nlast";
    using scrutor::RepairTemplate, scrutor::MaintenanceTemplate, scrutor::RepairAndMaintenanceTemplate;
    for (std::size_t item = 1; item <= 3; ++item) {
        SCOPED_TRACE(testing::Message() << "item " << item);
        const auto block = Wide(std::u16string(
            (item == 1 ? RepairTemplate() : item == 2 ? MaintenanceTemplate() : RepairAndMaintenanceTemplate()).View()));
        const bool above = item != 2;
        const int caret = static_cast<int>(first.size() + (above ? item - 1 : line.size() - 1));
        SetEditor(editor, before, caret, caret);
        SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
        ChooseMenuItem(window, 2, static_cast<int>(item));
        EXPECT_EQ(WaitForChange(editor, before), above ? first + block + L"\r\n" + line + L"\r\nlast"
                                                       : first + line + L"\r\n" + block + L"\r\nlast");
        if (item == 1) SaveScreenshot(BesideThisProgram("template_inserted.bmp"), 700);
        const std::size_t end = first.size() + block.size() + 2 + (above ? 0 : line.size());
        EXPECT_EQ(LOWORD(SendMessageW(editor, EM_GETSEL, 0, 0)), end);
        EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
    }
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);

    // A new document answered "No" still runs, with an empty file name.
    press('N', true);
    ASSERT_NE(WaitForTitle(scrutor.Id(), L"New script.zep - Scrutor"), nullptr);
    press(VK_F6);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"No"));
    ASSERT_EQ(Starts(record, 6).size(), 6u);
    EXPECT_EQ(Starts(record)[5].first, zep + " -ReadFile \"\" -Auto");
    EXPECT_TRUE(Closes(scrutor, window));
}

}  // namespace
