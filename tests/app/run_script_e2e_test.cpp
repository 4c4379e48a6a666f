// The templates of the Tools menu and F5/F6 worked from the keyboard, with the ZEP stand-in
// beside a copy of the program: what ZEP is started with, from where, and what its open
// "Run script" window receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/script_templates.h"
#include "app/core/settings.h"
#include "e2e_support.h"
#include "foundation/registry_key.h"
#include "test_files.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;
using scrutor::FileBytes;
using scrutor::TestFolder;
using scrutor::WriteBytes;

constexpr wchar_t kZepWindowClass[] = L"ZepStandInScriptWindow";
constexpr int kToolsMenu = 2;
constexpr DWORD kNothingStartedGraceMs = 1500;

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                            out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

struct Entry {
    std::string name;
    std::string value;
};

// The stand-in's record: "name length:value\n" entries.
std::vector<Entry> ReadRecord(const std::wstring& path) {
    const std::string bytes = FileBytes(path);
    std::vector<Entry> entries;
    for (std::size_t at = 0; bytes != "<missing>" && at < bytes.size();) {
        const std::size_t space = bytes.find(' ', at);
        const std::size_t colon = bytes.find(':', space);
        if (colon == std::string::npos) break;
        const std::size_t length = std::stoul(bytes.substr(space + 1, colon - space - 1));
        entries.push_back({bytes.substr(at, space - at), bytes.substr(colon + 1, length)});
        at = colon + 1 + length + 1;
    }
    return entries;
}

std::vector<std::string> Values(const std::vector<Entry>& entries, const char* name) {
    std::vector<std::string> values;
    for (const Entry& entry : entries) {
        if (entry.name == name) values.push_back(entry.value);
    }
    return values;
}

class RunScriptTest : public ::testing::Test {
protected:
    // A copy of the program in its own folder, with the stand-in beside it when asked; the
    // stand-in records into that folder.
    void Install(const wchar_t* name, bool zepBeside) {
        folder = TestFolder(name);
        ASSERT_TRUE(CopyFileW(BesideThisProgram(SCRUTOR_EXE_RELATIVE).c_str(), (folder + L"\\scrutor.exe").c_str(), FALSE));
        if (zepBeside) {
            ASSERT_TRUE(CopyFileW(ZepStandIn().c_str(), (folder + L"\\ZEP_en.exe").c_str(), FALSE));
        }
        record = folder + L"\\zep-record.txt";
        ASSERT_TRUE(SetEnvironmentVariableW(L"SCRUTOR_ZEP_RECORD", record.c_str()));
    }

    void StartOnScript(const wchar_t* fileName) {
        script = folder + L"\\" + fileName;
        ASSERT_TRUE(WriteBytes(script, Utf16FileBytes(L"<ZEPCommandsScript>\r\n <Reboot>")));
        ASSERT_TRUE(scrutor.Start(folder + L"\\scrutor.exe", L"\"" + script + L"\""));
        window = WaitForTitle(scrutor.Id(), std::wstring(fileName) + L" - Scrutor");
        ASSERT_NE(window, nullptr);
        editor = FindChild(window, L"Edit");
        ASSERT_NE(editor, nullptr);
    }

    [[nodiscard]] static std::wstring ZepStandIn() { return BesideThisProgram(SCRUTOR_ZEP_RELATIVE); }

    // The command lines recorded once there are `count` of them (fewer when time is up).
    [[nodiscard]] std::vector<std::string> WaitForStarts(std::size_t count) const {
        std::vector<std::string> starts;
        (void)WaitUntil([&] { return (starts = Values(ReadRecord(record), "command")).size() >= count; }, 10000);
        return starts;
    }

    void Press(WORD key, bool ctrl = false) {
        ASSERT_TRUE(Activate(window));
        PressKey(key, ctrl);
    }

    // The editor text once the typed text has arrived.
    std::wstring TypeAtEnd(const std::wstring& text) {
        EXPECT_TRUE(Activate(window));
        PressKey(VK_END, true);
        TypeText(text);
        std::wstring now;
        EXPECT_TRUE(WaitUntil([&] { return (now = WindowText(editor)).ends_with(text); }));
        return now;
    }

    std::wstring folder, record, script;
    Program scrutor;
    HWND window = nullptr;
    HWND editor = nullptr;
};

TEST_F(RunScriptTest, F6AndF5StartZepWithTheSavedScriptOnlyWhenTheUserLetsThem) {
    ASSERT_NO_FATAL_FAILURE(Install(L"scrutor-run", true));
    ASSERT_NO_FATAL_FAILURE(StartOnScript(L"my script.zep"));
    const std::string zep = Utf8(folder + L"\\ZEP_en.exe");
    const std::string readFile = " -ReadFile \"" + Utf8(script) + "\"";

    // Saved and unchanged: no question, straight to ZEP, in ZEP's folder.
    Press(VK_F6);
    ASSERT_EQ(WaitForStarts(1), (std::vector<std::string>{zep + readFile + " -Auto"}));
    EXPECT_EQ(Values(ReadRecord(record), "directory"), std::vector<std::string>{Utf8(folder)});

    const std::wstring edited = TypeAtEnd(L" <Delete> | C:\\x.exe");
    Press(VK_F5);
    HWND box = WaitForMessageBox(scrutor.Id());
    ASSERT_NE(box, nullptr) << "a changed script is offered for saving first";
    EXPECT_EQ(MessageBoxText(box), L"Save changes to my script.zep?");
    ASSERT_TRUE(WaitUntil([&] { return PressButton(box, L"Cancel"); }));
    Press(VK_F5);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    const std::vector<std::string> starts = WaitForStarts(2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1], zep + readFile) << "F5 runs without -Auto";
    EXPECT_EQ(FileBytes(script), Utf16FileBytes(edited)) << "ZEP must read what the editor shows";
    Sleep(kNothingStartedGraceMs);
    EXPECT_EQ(Values(ReadRecord(record), "command").size(), 2u) << "Cancel must start nothing";

    // A new document answered "No": ZEP still starts, with an empty file name.
    Press('N', true);
    ASSERT_NE(WaitForTitle(scrutor.Id(), L"New script.zep - Scrutor"), nullptr);
    Press(VK_F6);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"No"));
    const std::vector<std::string> last = WaitForStarts(3);
    ASSERT_EQ(last.size(), 3u);
    EXPECT_EQ(last[2], zep + " -ReadFile \"\" -Auto");
    Press('Q', true);
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
}

TEST_F(RunScriptTest, F5FillsAnOpenRunScriptWindowAndStartsZepWhenTheWindowHangs) {
    ASSERT_NO_FATAL_FAILURE(Install(L"scrutor-run-window", true));
    ASSERT_NO_FATAL_FAILURE(StartOnScript(L"window.zep"));
    const std::string onDisk = FileBytes(script);
    Program zepWindow;
    ASSERT_TRUE(zepWindow.Start(ZepStandIn(), L"-Window"));
    HWND zepTop = WaitForWindow(zepWindow.Id(), kZepWindowClass, nullptr, kWindowTimeout);
    ASSERT_NE(zepTop, nullptr);
    ShowWindow(zepTop, SW_MINIMIZE);

    const std::wstring edited = TypeAtEnd(L" <Reboot>");
    Press(VK_F5);
    std::vector<std::string> texts;
    ASSERT_TRUE(WaitUntil([&] { return !(texts = Values(ReadRecord(record), "text")).empty(); }));
    EXPECT_EQ(texts, std::vector<std::string>{Utf8(edited)});
    EXPECT_FALSE(IsIconic(zepTop)) << "the window is restored";
    EXPECT_EQ(GetForegroundWindow(), zepTop);
    Sleep(kNothingStartedGraceMs);
    EXPECT_EQ(Values(ReadRecord(record), "command").size(), 1u) << "only the window's own start";
    EXPECT_EQ(FileBytes(script), onDisk) << "nothing is saved";
    EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
    PostMessageW(zepTop, WM_CLOSE, 0, 0);
    EXPECT_EQ(zepWindow.WaitForExit(kWindowTimeout), 0);

    // A ZEP that does not answer counts as refusing the text: Scrutor stays usable and
    // starts ZEP with the saved file instead, long before the window would answer.
    Program busyWindow;
    ASSERT_TRUE(busyWindow.Start(ZepStandIn(), L"-Window -Busy"));
    ASSERT_NE(WaitForWindow(busyWindow.Id(), kZepWindowClass, nullptr, kWindowTimeout), nullptr);
    const DWORD pressed = GetTickCount();
    Press(VK_F5);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    EXPECT_LT(GetTickCount() - pressed, 7000u) << "the prompt waited for the hung window";
    const std::vector<std::string> starts = WaitForStarts(3);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[2], Utf8(folder + L"\\ZEP_en.exe -ReadFile \"" + script + L"\""));
    Press('Q', true);
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
}

// Leaves the maker's key without InstallDir, as a fresh machine has it.
struct InstallDirValue {
    explicit InstallDirValue(const std::wstring& folder) {
        EXPECT_TRUE(maker.Open(scrutor::kMakerKeyPath, scrutor::kOpenOrCreate));
        EXPECT_TRUE(maker.WriteString(scrutor::kInstallDirValue, reinterpret_cast<const char16_t*>(folder.c_str())));
    }
    ~InstallDirValue() { (void)maker.DeleteValue(scrutor::kInstallDirValue); }
    scrutor::RegistryKey maker;
};

TEST_F(RunScriptTest, ZepUnderAnInstallDirWithSpacesStartsQuotedInItsFolder) {
    const std::wstring zepFolder = TestFolder(L"ZEP install dir");
    ASSERT_TRUE(CopyFileW(ZepStandIn().c_str(), (zepFolder + L"\\ZEP_en.exe").c_str(), FALSE));
    const InstallDirValue installDir(zepFolder);
    ASSERT_NO_FATAL_FAILURE(Install(L"scrutor-run-alone", false));
    ASSERT_NO_FATAL_FAILURE(StartOnScript(L"installed.zep"));
    Press(VK_F6);
    ASSERT_EQ(WaitForStarts(1),
              std::vector<std::string>{Utf8(L"\"" + zepFolder + L"\\ZEP_en.exe\" -ReadFile \"" + script + L"\" -Auto")});
    EXPECT_EQ(Values(ReadRecord(record), "directory"), std::vector<std::string>{Utf8(zepFolder)});
    Press('Q', true);
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
}

// Above the caret's line from its first half, below it from its second; the caret ends after
// the block and the document counts as changed.
TEST_F(OpenedLog, TemplatesGoAboveOrBelowTheCaretLine) {
    ASSERT_NO_FATAL_FAILURE(Open(L"templates.log"));
    const std::wstring line = L"<Processes> | C:\\x\\a.exe | Not signed";
    const std::wstring first = L"first\r\n";
    const struct {
        int item;  // in the Tools menu
        std::wstring block;
        std::size_t caret;  // in the line
    } cases[] = {
        {1, Wide(std::u16string(scrutor::RepairTemplate().View())), 3},
        {1, Wide(std::u16string(scrutor::RepairTemplate().View())), line.size() / 2},
        {2, Wide(std::u16string(scrutor::MaintenanceTemplate().View())), 0},
        {2, Wide(std::u16string(scrutor::MaintenanceTemplate().View())), line.size()},
        {3, Wide(std::u16string(scrutor::RepairAndMaintenanceTemplate().View())), 1},
        {3, Wide(std::u16string(scrutor::RepairAndMaintenanceTemplate().View())), line.size() - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "item " << c.item << ", caret " << c.caret);
        const std::wstring before = first + line + L"\r\nlast";
        SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before.c_str()));
        SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
        const auto caret = static_cast<WPARAM>(first.size() + c.caret);
        SendMessageW(editor, EM_SETSEL, caret, static_cast<LPARAM>(caret));
        ChooseMenuItem(window, kToolsMenu, c.item);
        const std::wstring after = WaitForChange(editor, before);
        const bool above = c.caret < line.size() / 2;
        const std::wstring expected = above ? first + c.block + L"\r\n" + line + L"\r\nlast"
                                            : first + line + L"\r\n" + c.block + L"\r\nlast";
        EXPECT_EQ(after, expected);
        const std::size_t end = first.size() + c.block.size() + 2 + (above ? 0 : line.size());
        EXPECT_EQ(LOWORD(SendMessageW(editor, EM_GETSEL, 0, 0)), end);
        EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
    }
    EXPECT_NE(WindowText(editor).find(L"\r\n <RunSfcScan>\r\n"), std::wstring::npos);
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    ASSERT_TRUE(Activate(window));
    PressKey('Q', true);
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
}

}  // namespace
