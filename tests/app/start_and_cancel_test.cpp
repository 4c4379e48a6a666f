// Start-up paths (the command line, the window's first place and smallest size, the settings)
// and every way of cancelling the save dialog, on the real main window in the test process;
// and what the program finds on the machine: the console user behind it (compared with what
// Windows says of the test process's own account), that user's Explorer setting for info
// tips, and where ZEP is installed.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/core/settings.h"
#include "app/documents.h"
#include "app/event_loop.h"
#include "app/settings_win.h"
#include "driver.h"
#include "foundation/handles.h"
#include "foundation/win_text.h"
#include "test_files.h"
#include "ui/editor.h"
#include "ui/event_record.h"

namespace scrutor {
namespace {

constexpr wchar_t kProgramKey[] = L"Software\\ZEP - Zepharion\\Scrutor";

std::wstring Text(HWND window) { return driver::WindowText(window); }

// Works in a fresh folder, so a file the program writes or opens by a relative name lies there.
class InFolder {
public:
    explicit InFolder(const wchar_t* name) : folder(TestFolder(name)) {
        GetCurrentDirectoryW(MAX_PATH, previous_);
        SetCurrentDirectoryW(folder.c_str());
    }
    ~InFolder() { SetCurrentDirectoryW(previous_); }
    const std::wstring folder;

private:
    wchar_t previous_[MAX_PATH]{};
};

// Three characters are too few to split into arguments, even when they name a file.
TEST(StartUp, ACommandLineOfThreeCharactersOrFewerOpensNothing) {
    InFolder here(L"scrutor-args");
    ASSERT_TRUE(WriteBytes(L"a.z", "short name"));
    ASSERT_TRUE(WriteBytes(L"ab.z", "long name"));
    const struct {
        const char16_t* commandLine;
        const wchar_t* title;
        const wchar_t* text;
    } cases[] = {{u"a.z", L"New script.zep - Scrutor", L""}, {u"ab.z", L"ab.z - Scrutor", L"long name"}};
    for (const auto& c : cases) {
        Application app;
        app.Start(GetModuleHandleW(nullptr), c.commandLine);
        EXPECT_EQ(Text(app.MainWindow()), c.title);
        EXPECT_EQ(Text(app.Editor()), c.text);
        ui::PumpMessages();  // painted, for the picture of a fresh start
        if (c.text[0] == 0) driver::SaveScreenshot(driver::BesideThisProgram("app_start.bmp"));
    }
}

// Settings are read at start and written at shutdown. Both coordinates unset: centred in the
// work area; one unset: it stays -1. Invalid values fall back; however small the user drags
// the window, it keeps 200 x 80; a minimised window does not overwrite the stored geometry.
TEST(StartUp, SettingsPlaceTheWindowAndAreWrittenAtShutdown) {
    std::deque<RegistryValueGuard> stored;  // put back as they were found
    for (const wchar_t* name : {L"FontSize", L"WindowWidth", L"WindowHeight", L"WindowPosX", L"WindowPosY"}) {
        stored.emplace_back(HKEY_LOCAL_MACHINE, kProgramKey, name);
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG fallback = GetSystemMetrics(SM_CXSCREEN) / 3 * 2;
    const struct {
        DWORD width, x, y;
        LONG shownWidth, left, top;
    } cases[] = {
        {249, 0, 0, fallback, work.left + (work.right - work.left - fallback) / 2,
         work.top + (work.bottom - work.top - 300) / 2},
        {400, 30, 0, 400, 30, -1},
        {400, 0, 40, 400, -1, 40},
    };
    ASSERT_TRUE(stored[2].SetDword(300));
    for (const auto& c : cases) {
        ASSERT_TRUE(stored[0].SetDword(33) && stored[1].SetDword(c.width) && stored[3].SetDword(c.x) &&
                    stored[4].SetDword(c.y));
        Application app;
        app.Start(GetModuleHandleW(nullptr), nullptr);
        EXPECT_EQ(app.Config().fontSize, kDefaultFontSize);
        RECT r{};
        GetWindowRect(app.MainWindow(), &r);
        EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::array{c.left, c.top, c.shownWidth, 300L}))
            << c.x << "," << c.y;
        SetWindowPos(app.MainWindow(), nullptr, 0, 0, 20, 10, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(app.MainWindow(), &r);
        EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top), std::pair(200L, 80L));
        app.Config().fontSize = 12;
        ShowWindow(app.MainWindow(), SW_MINIMIZE);
        app.Shutdown();
        EXPECT_EQ(stored[0].Dword(), std::optional<DWORD>(12));
        EXPECT_EQ(stored[1].Dword(), std::optional<DWORD>(c.width)) << "the minimised window overwrote the geometry";
    }
    Application app;
    app.Start(GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(app.Config().fontSize, 12);
    SetWindowPos(app.MainWindow(), nullptr, 20, 30, 410, 250, SWP_NOZORDER);
    app.Shutdown();
    EXPECT_EQ(stored[1].Dword(), std::optional<DWORD>(410));
    EXPECT_EQ(stored[4].Dword(), std::optional<DWORD>(30));
}

std::wstring OwnSidText() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return L"";
    const HandleHolder token(raw);
    alignas(TOKEN_USER) std::array<BYTE, 1024> buffer{};
    DWORD size = 0;
    std::wstring text;
    wchar_t* sid = nullptr;
    if (GetTokenInformation(token.Get(), TokenUser, buffer.data(), buffer.size(), &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    return text;
}

std::wstring Wide(const char16_t* text) { return AsWide(text); }

TEST(ConsoleUser, IsTheAccountThisProcessRunsAsWithItsSidAsText) {
    EXPECT_EQ(FindConsoleUserToken(nullptr, nullptr), nullptr) << "no name buffer, no answer";

    std::array<char16_t, kAccountTextUnits> user{};
    std::array<char16_t, kAccountTextUnits> sid{};
    HandleHolder token(FindConsoleUserToken(user.data(), sid.data()));
    ASSERT_TRUE(token.IsValid()) << "the test runs in the console session as its user";
    wchar_t own[256]{};
    DWORD ownSize = 256;
    ASSERT_TRUE(GetUserNameW(own, &ownSize));
    EXPECT_EQ(Wide(user.data()), own);
    EXPECT_EQ(Wide(sid.data()), OwnSidText());
    EXPECT_EQ(Wide(sid.data()).rfind(L"S-1-5-", 0), 0u);

    // Without a SID buffer the user is still found.
    std::array<char16_t, kAccountTextUnits> again{};
    HandleHolder second(FindConsoleUserToken(again.data(), nullptr));
    EXPECT_TRUE(second.IsValid());
    EXPECT_EQ(Wide(again.data()), own);
}

TEST(ExplorerSetting, ShowInfoTipIsReadFromTheConsoleUsersKeyAndDefaultsToOne) {
    // The user's own Explorer key, reached here through HKCU; put back as found.
    const RegistryValueGuard value(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                                   L"ShowInfoTip");
    ASSERT_TRUE(value.SetDword(0));
    EXPECT_EQ(ReadShowInfoTip(), 0u);
    ASSERT_TRUE(value.SetDword(7));
    EXPECT_EQ(ReadShowInfoTip(), 7u);
    ASSERT_TRUE(value.SetText(L"0"));
    EXPECT_EQ(ReadShowInfoTip(), 1u) << "a value of the wrong type counts as unreadable";
    ASSERT_TRUE(value.Delete());
    EXPECT_EQ(ReadShowInfoTip(), 1u);
}

TEST(ZepLocation, BesideTheProgramOrUnderInstallDir) {
    const std::wstring beside = TestFolder(L"scrutor-zep-beside");
    const std::wstring installed = TestFolder(L"scrutor-zep-installed");
    const RegistryValueGuard installDir(HKEY_LOCAL_MACHINE, L"Software\\ZEP - Zepharion", L"InstallDir");
    ASSERT_TRUE(installDir.SetText(installed));
    const WideString besideDir(reinterpret_cast<const char16_t*>((beside + L"\\").c_str()));
    EXPECT_TRUE(LocateZep(besideDir).IsEmpty()) << "neither place has ZEP yet";
    ASSERT_TRUE(WriteBytes(installed + L"\\ZEP_en.exe", "MZ"));
    EXPECT_EQ(std::u16string(LocateZep(besideDir).View()),
              reinterpret_cast<const char16_t*>((installed + L"\\ZEP_en.exe").c_str()));
    ASSERT_TRUE(WriteBytes(beside + L"\\ZEP_en.exe", "MZ"));
    EXPECT_EQ(std::u16string(LocateZep(besideDir).View()),
              reinterpret_cast<const char16_t*>((beside + L"\\ZEP_en.exe").c_str()));
}

// What the user does with each box and file dialog that comes up while a command runs: the
// save prompt gets `promptAnswer`, every file dialog is cancelled. Runs from a thread timer
// inside their modal loops; records the title of every dialog and the text of every prompt.
struct Answers {
    const wchar_t* promptAnswer;
    std::vector<std::wstring> seen;
    HWND last = nullptr;
};
Answers* gAnswers = nullptr;

void CALLBACK AnswerWhatIsOpen(HWND, UINT, UINT_PTR, DWORD) {
    const DWORD self = GetCurrentProcessId();
    HWND box = driver::WaitForWindow(self, L"_WINDOW_MsgBoxClass", nullptr, 0);
    HWND dialog = driver::WaitForWindow(self, L"#32770", nullptr, 0);
    HWND open = box != nullptr ? box : dialog;
    if (open == nullptr || open == gAnswers->last) return;
    if (box != nullptr) {
        HWND label = driver::FindChild(box, L"Static");
        if (label == nullptr || !driver::PressButton(box, gAnswers->promptAnswer)) return;  // not built yet
        gAnswers->seen.push_back(Text(label));
    } else {
        gAnswers->seen.push_back(Text(dialog));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    gAnswers->last = open;
}

// A command that would bind, replace or close the document, with the save prompt or the save
// dialog cancelled: the typed text stays, still marked modified, nothing is written and the
// window stays.
TEST(CancelledSaveDialog, LosesNothingAndClosesNothing) {
    InFolder here(L"scrutor-cancel");
    const std::wstring prompt = L"Save changes to New script.zep?";
    const std::wstring save = L"Please choose the file to save to";
    const struct {
        const char* name;
        void (*command)(Application&);
        const wchar_t* promptAnswer;
        std::vector<std::wstring> seen;
        const char16_t* document = u"New script.zep";
    } cases[] = {
        {"Save", SaveCommand, L"Yes", {save}},
        {"Save as script", SaveAsScript, L"Yes", {save}},
        // A log keeps its name, so a later Save does not put the script header into it.
        {"Save as script, a log", SaveAsScript, L"Yes", {save}, u"scan.log"},
        {"Close", RequestClose, L"Yes", {prompt, save}},
        {"Close, Cancel", RequestClose, L"Cancel", {prompt}},
        {"New script", NewDocument, L"Yes", {prompt, save}},
        {"New script, Cancel", NewDocument, L"Cancel", {prompt}},
        {"Open", OpenDocument, L"Yes", {prompt, save}},
    };
    Application app;
    app.Start(GetModuleHandleW(nullptr), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEditorText(app.Editor(), u"<Delete>\r\nC:\\typed.exe");
        SetEditorModified(app.Editor(), true);
        app.CurrentDocument().name = c.document;
        Answers answers{c.promptAnswer, {}, nullptr};
        gAnswers = &answers;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerWhatIsOpen);
        c.command(app);
        KillTimer(nullptr, timer);
        EXPECT_EQ(answers.seen, c.seen);
        EXPECT_EQ(Text(app.Editor()), L"<Delete>\r\nC:\\typed.exe");
        EXPECT_TRUE(IsEditorModified(app.Editor()));
        EXPECT_EQ(Text(app.MainWindow()), L"New script.zep - Scrutor");
        EXPECT_TRUE(app.CurrentDocument().path.IsEmpty());
        EXPECT_EQ(app.CurrentDocument().name, WideString(c.document));
        EXPECT_FALSE(app.LoopEnded());
        EXPECT_EQ(FilesIn(here.folder), 0);
    }
}

}  // namespace
}  // namespace scrutor
