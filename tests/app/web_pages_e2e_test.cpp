// Ctrl+G, Ctrl+R and the Help menu against real process starts: the recorder stands beside a
// copy of the program as Vistro.exe and is registered as the default http and https browser.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "foundation/endpoints.h"
#include "test_files.h"

namespace {

using namespace scrutor;
using namespace scrutor::driver;
using namespace scrutor::e2e;
using Lines = std::vector<std::wstring>;

const std::wstring kSite = L"http://127.0.0.1:9";
const std::wstring kSearch = kSite + L"/s/search?q=";
const std::wstring kHelp = kSite + L"/h/zep/help/";

class WebPages : public ::testing::Test {
protected:
    void Start(DWORD dontUseVistro, bool withVistro, const std::wstring& text) {
        const std::wstring maker = L"Software\\ZEP - Zepharion";
        ASSERT_TRUE(guards_.emplace_back(HKEY_LOCAL_MACHINE, maker, L"DontUseVistro").SetDword(dontUseVistro));
        ASSERT_TRUE(guards_.emplace_back(HKEY_LOCAL_MACHINE, maker + L"\\Scrutor", L"SearchUrl").SetText(kSite + L"/s/"));
        ASSERT_TRUE(guards_.emplace_back(HKEY_LOCAL_MACHINE, maker + L"\\Scrutor", L"FileLibraryUrl").SetText(L"library"));
        ASSERT_TRUE(guards_.emplace_back(HKEY_LOCAL_MACHINE, maker + L"\\Scrutor", L"HelpSiteUrl").SetText(kSite + L"/h"));
        for (const std::wstring scheme : {L"http", L"https"}) {
            ASSERT_TRUE(guards_.emplace_back(HKEY_CLASSES_ROOT, scheme + L"\\shell\\open\\command", L"").SetText(L"\"" + browser_ + L"\" \"%1\""));
        }
        ASSERT_TRUE(SetEnvironmentVariableW(L"SCRUTOR_URL_RECORD", record_.c_str()));
        ASSERT_TRUE(!withVistro || CopyFileW(vistroBuilt_.c_str(), vistro_.c_str(), FALSE));
        ASSERT_NE(window = StartCopyOn(scrutor, folder_, L"pages.log", text), nullptr);
        SendMessageW(FindChild(window, L"Edit"), EM_SETSEL, 0, -1);
        ASSERT_TRUE(Activate(window));
    }
    // Waits for `program` to be started with each page and with nothing else.
    void ExpectOpened(const std::wstring& program, const std::wstring& prefix, Lines pages, const wchar_t* suffix = L"") {
        for (std::wstring& page : pages) page = L"\"" + program + L"\" \"" + prefix + page + suffix + L"\"";
        std::string bytes;
        const auto read = [&] {
            bytes = FileBytes(record_);
            return std::count(bytes.begin(), bytes.end(), '\n') >= std::ssize(pages);
        };
        (void)WaitUntil(read, 60000);  // eleven process starts under a loaded Wine can take long
        Sleep(500);  // one page too many would come late
        (void)read();
        EXPECT_TRUE(WaitUntil([&] { return DeleteFileW(record_.c_str()) != FALSE; }));
        Lines lines;
        std::istringstream in(bytes);
        for (std::string line; std::getline(in, line);) lines.emplace_back(line.begin(), line.end());
        EXPECT_THAT(lines, ::testing::UnorderedElementsAreArray(pages));
    }

    const std::wstring folder_ = TestFolder(L"scrutor-web");
    const std::wstring record_ = folder_ + L"\\opened.txt";
    const std::wstring vistro_ = folder_ + L"\\Vistro.exe";
    const std::wstring vistroBuilt_ = BesideThisProgram("../../tools/recorder/Vistro.exe");
    const std::wstring browser_ = BesideThisProgram("../../tools/recorder/browser_recorder.exe");
    std::deque<RegistryValueGuard> guards_;
    Program scrutor;
    HWND window = nullptr;
};

TEST_F(WebPages, LookupsPreferVistroEvenWhenTheHelpPagesMayNot) {
    ASSERT_NO_FATAL_FAILURE(Start(1, true,
        L" <ContentsProgramfiles> | C:\\Program Files\\Foo Bar | x\r\n"
        L"<ContentsProgramfiles(x86)> | C:\\Program Files (x86)\\AT&T Setup.exe\r\n"
        L"<HKLM Uninstall> | {0A1B-22} | Tool Kit | 1.0\r\n"
        L"<Appdata> | C:\\Ab\\bcd.exe | x\r\n"  // 29 characters: too short to look up
        L"<Run> | HKLM | C:\\Tools\\scan.exe | File not found\r\n"));
    PressKey('G', true);
    ExpectOpened(vistro_, kSearch, {L"Foo+Bar", L"AT%26T+Setup.exe", L"Tool+Kit", L"scan.exe"});
    PressKey('R', true);
    // Not a web address: the default library serves.
    ExpectOpened(vistro_, Wide(DefaultEndpointUrl(Endpoint::kFileLibrary) + std::u16string(u"/lib/")),
                 {L"Foo Bar", L"AT%26T Setup.exe", L"Tool Kit", L"scan.exe"}, L".html");
    // One page at a time: keys sent while the program is still handing a page over may be lost.
    for (int item = 0; item < 7; ++item) {
        ChooseMenuItem(window, 4, item);
        const auto recorded = [&] {
            const std::string bytes = FileBytes(record_);
            return std::count(bytes.begin(), bytes.end(), '\n') > item;
        };
        (void)WaitUntil(recorded, 10000);
    }
    ExpectOpened(browser_, kHelp, {L"scrutor.php", L"", L"script_commands", L"scrutor.php?#Automation",
        L"scrutor.php?#Control_info_tool", L"script_commands/specialtitledefinition.php",
        L"script_commands/classnncontroldefinition.php"});
}

TEST_F(WebPages, TheDefaultBrowserStandsInForVistroAndManyPagesAskFirst) {
    std::wstring text;
    Lines names;
    for (int i = 10; i <= 20; ++i) {
        names.push_back(L"tool" + std::to_wstring(i) + L".exe");
        text += L"<Run> | HKLM | C:\\Tools\\" + names.back() + L" | File not found\r\n";
    }
    ASSERT_NO_FATAL_FAILURE(Start(0, false, text));
    for (const wchar_t* answer : {L"No", L"Yes"}) {
        ASSERT_TRUE(Press(window, 'G', true));
        ASSERT_EQ(AnswerMessageBoxText(scrutor.Id(), answer, "many_pages_question.bmp"), L"Open 11 web pages?");
    }
    ExpectOpened(browser_, kSearch, names);  // No opened nothing, Yes every page
    ASSERT_TRUE(CopyFileW(vistroBuilt_.c_str(), vistro_.c_str(), FALSE));
    ASSERT_TRUE(Press(window, VK_F1));
    ExpectOpened(vistro_, kHelp, {L"scrutor.php"});
}

}  // namespace
