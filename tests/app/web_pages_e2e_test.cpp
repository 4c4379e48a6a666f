// Ctrl+G, Ctrl+R and the Help menu against real process starts: the recorder stands beside a
// copy of the program as Vistro.exe and is registered as the default http and https browser.
// "VirusTotal report of selected lines" against the web stand-in: the requests that go out,
// the cache they fill, the report that opens, and a second run answered from the cache.
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
#include "foundation/registry_key.h"
#include "test_files.h"
#include "webstub_client.h"

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

constexpr char16_t kCacheRoot[] = u"HKLM32\\SOFTWARE\\ZEP - Zepharion backups\\VirusTotal reports";
// One batch of each kind: the batch sizes are the engine's tests (26 files, 11 URLs).
constexpr int kFiles = 3;
constexpr int kUrls = 2;

std::string Md5(int i) {
    char text[40];
    std::snprintf(text, sizeof text, "%08X%024X", 0xC0FFEE00 + i, i);
    return text;
}
std::string Url(int i) {  // the first line has "?q=1" after the address
    return i == 0 ? "http://site00.test/{id}" : "http://site01.test/a?x=1&y=2";
}
std::wstring W(const std::string& s) { return {s.begin(), s.end()}; }

std::string PartnerReply() {
    std::string data;
    for (int i = 0; i < kFiles; ++i) {
        const int positives = 5 - i;
        data += (i != 0 ? ", " : "") + std::string(R"({"hash": ")") + Md5(i) + R"(", "found": true, "positives": )" +
                std::to_string(positives) + R"(, "total": 70, "detection_ratio": ")" + std::to_string(positives) +
                R"(/70", "permalink": "https://vt.test/file/)" + Md5(i) + R"(/", "scan_date": "2024-01-15 10:20:30"})";
    }
    return R"({"data": [)" + data + "]}";
}

std::string UrlReply() {
    std::string list;
    for (int i = 0; i < kUrls; ++i) {
        list += (i != 0 ? ", " : "") + std::string(R"({"response_code": 1, "url": ")") + Url(i) +
                R"(", "scan_date": "2024-01-15 10:20:30", "positives": 0, "total": 2, "permalink": "https://vt.test/url/)" +
                std::to_string(i) + R"(/", "scans": {"Engine A": {"detected": false, "result": "clean site", "update": "20240114"}, "Engine B": {"detected": false, "result": null}}})";
    }
    return "[" + list + "]";
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    return out + "\"";
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class VirusTotal : public WebPages {
protected:
    void SetUp() override {
        ASSERT_TRUE(stub_.Connect());
        base_ = test::UniquePath("vt");
        const std::u16string url = stub_.Url(base_);
        const std::wstring api(url.begin(), url.end());
        const std::wstring maker = L"Software\\ZEP - Zepharion\\Scrutor";
        for (const auto& [name, value] : {std::pair{L"VirusTotalApiUrl", api}, {L"ReportServiceUrl", api + L"/notice"},
                                          {L"VirusTotalApiKey", std::wstring(L"0123abcd")}}) {
            ASSERT_TRUE(guards_.emplace_back(HKEY_LOCAL_MACHINE, maker, name).SetText(value));
        }
        // Slow enough for a picture of the progress window.
        ASSERT_TRUE(stub_.AddRoutes("[{\"path\": \"" + base_ + "/partners/\", \"prefix\": true, \"delay_ms\": 1500, \"body\": " +
                                    JsonString(PartnerReply()) + "}, {\"path\": \"" + base_ + "/vtapi/v2/url/report\", \"body\": " +
                                    JsonString(UrlReply()) + "}, {\"path\": \"" + base_ + "/notice/\", \"prefix\": true, \"body\": \"ok\"}]"));
        RegistryKey cache;
        (void)cache.DeleteKeyTree(kCacheRoot);
        std::wstring text = L"Scan of a test machine\r\n";
        for (int i = 0; i < kFiles; ++i) {
            text += L"<Run> | HKLM | C:\\Tools\\tool" + std::to_wstring(i) + L".exe | Not signed | " + W(Md5(i)) + L" | 2024-01-01\r\n";
        }
        for (int i = 0; i < kUrls; ++i) {
            text += L"<Trusted sites> | " + W(Url(i)) + (i == 0 ? L"?q=1" : L"") + L" | added by a toolbar\r\n";
        }
        ASSERT_NO_FATAL_FAILURE(Start(0, true, text));
    }

    // Selects everything, presses Alt+V and answers the report the browser was handed.
    std::string RunReport(const char* screenshot = nullptr) {
        DeleteFileW(record_.c_str());
        SendMessageW(FindChild(window, L"Edit"), EM_SETSEL, 0, -1);
        EXPECT_TRUE(Activate(window));
        PressKey('V', false, true);
        if (screenshot != nullptr) {
            EXPECT_NE(WaitForWindow(scrutor.Id(), L"Tolvanex_VT_Analyzer", L"VirusTotal analysis", 5000), nullptr);
            Sleep(300);
            SaveScreenshot(BesideThisProgram(screenshot));
        }
        std::string opened;
        EXPECT_TRUE(WaitUntil([&] { return (opened = FileBytes(record_)).find('\n') != std::string::npos; }, 30000));
        std::string prefix(1, '"');  // built step by step: i686 GCC misreads "x" + string
        prefix.append(vistro_.begin(), vistro_.end());
        prefix.append("\" \"");
        EXPECT_EQ(opened.substr(0, prefix.size()), prefix);
        const std::string path = opened.substr(prefix.size(), opened.find('"', prefix.size()) - prefix.size());
        EXPECT_TRUE(path.ends_with("MD5Report.htm")) << path;
        return FileBytes(W(path));
    }

    test::WebStub stub_;
    std::string base_;
};

TEST_F(VirusTotal, SelectedLinesAreLookedUpInBatchesCachedAndReported) {
    const std::string report = RunReport("virustotal_progress.bmp");
    const std::string partner = stub_.Requests(base_ + "/partners/");
    EXPECT_EQ(Count(partner, "POST " + base_ + "/partners/sysinternals/file-reports?apikey=0123abcd"), 1u);
    const std::string urls = stub_.Requests(base_ + "/vtapi/v2/url/report");
    EXPECT_EQ(Count(urls, "POST "), 1u);
    EXPECT_EQ(Count(urls, "content-type: application/x-www-form-urlencoded"), 1u);
    EXPECT_EQ(Count(stub_.Requests(base_ + "/notice/"), "/zep/md5_vreports/index.php?md5=" + Md5(0) + "&type="), 1u)
        << "five detections are told to the maker once";

    // The report's layout is the golden page's; here the service's answers reach it.
    EXPECT_NE(report.find("background:red\">5/70 (7.14%)"), std::string::npos);
    EXPECT_EQ(Count(report, "background:green\">&nbsp;0/2 (0%)"), 2u) << "every URL has its verdict";
    EXPECT_NE(report.find("End of the global report. 5 items analyzed."), std::string::npos);

    RegistryKey cache;
    ASSERT_TRUE(cache.OpenRead(kCacheRoot));
    EXPECT_EQ(cache.SubkeyCount(), static_cast<std::uint32_t>(kFiles + kUrls)) << "one entry per report, no run key left";
    EXPECT_TRUE(RegistryKey::Exists((std::u16string(kCacheRoot) + u"\\" + std::u16string(u"http://site00.test/{id}")).c_str(), u""));

    // Everything is cached now: a second run asks nothing and reports the same verdicts.
    const std::string again = RunReport();
    EXPECT_EQ(Count(stub_.Requests(base_ + "/"), "POST "), 2u);
    EXPECT_NE(again.find("background:red\">5/70 (7.14%)"), std::string::npos);
    EXPECT_NE(again.find("End of the global report. 5 items analyzed."), std::string::npos);
}

}  // namespace
