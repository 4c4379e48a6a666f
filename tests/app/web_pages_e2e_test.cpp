// Ctrl+G, Ctrl+R and the Help menu against real process starts: the recorder stands beside a
// copy of the program as Vistro.exe and is registered as the default http and https browser.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "test_files.h"

namespace {

using namespace scrutor;
using namespace scrutor::driver;
using namespace scrutor::e2e;
using Lines = std::vector<std::wstring>;

const std::wstring kSearch = L"http://127.0.0.1:9/s/search?q=";
const std::wstring kLibrary = L"http://127.0.0.1:9/f/lib/";
const std::wstring kHelp = L"http://127.0.0.1:9/h/zep/help/";

// A registry value set for one test and put back afterwards.
class ValueGuard {
public:
    ValueGuard(HKEY root, std::wstring key, const wchar_t* name, DWORD type, const void* data, DWORD size)
        : root_(root), key_(std::move(key)), name_(name) {
        DWORD saved = sizeof old_;
        existed_ = RegGetValueW(root, key_.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type_,
                                old_.data(), &saved) == ERROR_SUCCESS;
        size_ = saved;
        EXPECT_EQ(RegSetKeyValueW(root, key_.c_str(), name, type, data, size), ERROR_SUCCESS);
    }
    ValueGuard(HKEY root, std::wstring key, const wchar_t* name, const std::wstring& text)
        : ValueGuard(root, std::move(key), name, REG_SZ, text.c_str(),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) {}
    ~ValueGuard() {
        if (existed_) RegSetKeyValueW(root_, key_.c_str(), name_, type_, old_.data(), size_);
        else RegDeleteKeyValueW(root_, key_.c_str(), name_);
    }

private:
    HKEY root_;
    std::wstring key_;
    const wchar_t* name_;
    bool existed_ = false;
    DWORD type_ = 0, size_ = 0;
    std::array<BYTE, 2048> old_{};
};

class WebPages : public ::testing::Test {
protected:
    void Start(DWORD dontUseVistro, bool withVistro, const std::wstring& text) {
        guards_.emplace_back(HKEY_LOCAL_MACHINE, L"Software\\ZEP - Zepharion", L"DontUseVistro",
                             REG_DWORD, &dontUseVistro, DWORD{sizeof dontUseVistro});
        const std::wstring program = L"Software\\ZEP - Zepharion\\Scrutor";
        guards_.emplace_back(HKEY_LOCAL_MACHINE, program, L"SearchUrl", L"http://127.0.0.1:9/s/");
        guards_.emplace_back(HKEY_LOCAL_MACHINE, program, L"FileLibraryUrl", L"http://127.0.0.1:9/f");
        guards_.emplace_back(HKEY_LOCAL_MACHINE, program, L"HelpSiteUrl", L"http://127.0.0.1:9/h");
        for (const wchar_t* scheme : {L"http", L"https"}) {
            guards_.emplace_back(HKEY_CLASSES_ROOT, std::wstring(scheme) + L"\\shell\\open\\command",
                                 nullptr, L"\"" + browser_ + L"\" \"%1\"");
        }
        ASSERT_TRUE(SetEnvironmentVariableW(L"SCRUTOR_URL_RECORD", record_.c_str()));
        ASSERT_TRUE(CopyFileW(BesideThisProgram(SCRUTOR_EXE_RELATIVE).c_str(),
                              (folder_ + L"\\scrutor.exe").c_str(), FALSE));
        if (withVistro) PutVistroBeside();
        ASSERT_TRUE(WriteBytes(folder_ + L"\\pages.log", Utf16FileBytes(text)));
        ASSERT_TRUE(scrutor.Start(folder_ + L"\\scrutor.exe", L"\"" + folder_ + L"\\pages.log\""));
        window = WaitForTitle(scrutor.Id(), L"pages.log - Scrutor");
        ASSERT_NE(window, nullptr);
        editor = FindChild(window, L"Edit");
        SendMessageW(editor, EM_SETSEL, 0, -1);
        ASSERT_TRUE(Activate(window));
    }
    void PutVistroBeside() {
        ASSERT_TRUE(CopyFileW(BesideThisProgram("../../tools/recorder/Vistro.exe").c_str(),
                              vistro_.c_str(), FALSE));
    }
    // The command lines of the browsers started since the last call, sorted.
    Lines Opened(std::size_t count) {
        Lines lines;
        const auto read = [&] {
            lines.clear();
            std::wstring line;
            for (const char c : FileBytes(record_)) {
                if (c != '\n') line += static_cast<wchar_t>(static_cast<unsigned char>(c));
                else lines.push_back(std::exchange(line, L""));
            }
            return lines.size() >= count;
        };
        (void)WaitUntil(read, 20000);
        Sleep(500);  // one page too many would come late
        (void)read();
        EXPECT_TRUE(WaitUntil([&] { return DeleteFileW(record_.c_str()) != FALSE; }));
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    static std::wstring In(const std::wstring& program, const std::wstring& url) {
        return L"\"" + program + L"\" \"" + url + L"\"";
    }

    const std::wstring folder_ = TestFolder(L"scrutor-web");
    const std::wstring record_ = folder_ + L"\\opened.txt";
    const std::wstring vistro_ = folder_ + L"\\Vistro.exe";
    const std::wstring browser_ = BesideThisProgram("../../tools/recorder/browser_recorder.exe");
    std::deque<ValueGuard> guards_;
    Program scrutor;
    HWND window = nullptr;
    HWND editor = nullptr;
};

TEST_F(WebPages, LookupsPreferVistroEvenWhenTheHelpPagesMayNot) {
    ASSERT_NO_FATAL_FAILURE(Start(1, true,
        L" <ContentsProgramfiles> | C:\\Program Files\\Foo Bar | x\r\n"
        L"<ContentsProgramfiles(x86)> | C:\\Program Files (x86)\\AT&T Setup.exe\r\n"
        L"<HKLM Uninstall> | {0A1B-22} | Tool Kit | 1.0\r\n"
        L"<Appdata> | C:\\Ab\\bcd.exe | x\r\n"  // 29 characters: too short to look up
        L"<Run> | HKLM | C:\\Tools\\scan.exe | File not found\r\n"));
    PressKey('G', true);
    EXPECT_EQ(Opened(4), (Lines{In(vistro_, kSearch + L"AT%26T+Setup.exe"), In(vistro_, kSearch + L"Foo+Bar"),
                                In(vistro_, kSearch + L"Tool+Kit"), In(vistro_, kSearch + L"scan.exe")}));
    PressKey('R', true);
    EXPECT_EQ(Opened(4), (Lines{In(vistro_, kLibrary + L"AT%26T Setup.exe.html"),
                                In(vistro_, kLibrary + L"Foo Bar.html"), In(vistro_, kLibrary + L"Tool Kit.html"),
                                In(vistro_, kLibrary + L"scan.exe.html")}));
    for (int item = 0; item < 7; ++item) ChooseMenuItem(window, 4, item);
    Lines help;
    for (const wchar_t* page : {L"", L"script_commands", L"script_commands/classnncontroldefinition.php",
                                L"script_commands/specialtitledefinition.php", L"scrutor.php",
                                L"scrutor.php?#Automation", L"scrutor.php?#Control_info_tool"}) {
        help.push_back(In(browser_, kHelp + page));
    }
    EXPECT_EQ(Opened(7), help) << "DontUseVistro = 1 sends the help pages to the default browser";
}

TEST_F(WebPages, TheDefaultBrowserStandsInForVistroAndManyPagesAskFirst) {
    std::wstring text;
    Lines pages;
    for (int i = 10; i <= 20; ++i) {
        text += L"<Run> | HKLM | C:\\Tools\\tool" + std::to_wstring(i) + L".exe | File not found\r\n";
        pages.push_back(In(browser_, kSearch + L"tool" + std::to_wstring(i) + L".exe"));
    }
    ASSERT_NO_FATAL_FAILURE(Start(0, false, text));
    PressKey('G', true);
    HWND box = WaitForMessageBox(scrutor.Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"Open 11 web pages?");
    ASSERT_TRUE(PressButton(box, L"No"));
    ASSERT_TRUE(Activate(window));
    PressKey('G', true);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    EXPECT_EQ(Opened(11), pages) << "No opens nothing, Yes every page";
    ASSERT_TRUE(Activate(window));
    PressKey(VK_F1);
    EXPECT_EQ(Opened(1), Lines{In(browser_, kHelp + L"scrutor.php")});
    PutVistroBeside();
    PressKey(VK_F1);
    EXPECT_EQ(Opened(1), Lines{In(vistro_, kHelp + L"scrutor.php")});
}

}  // namespace
