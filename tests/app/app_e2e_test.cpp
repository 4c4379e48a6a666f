// Works the real scrutor.exe as a technician would: opens a log from the command line,
// chooses menu items with the keyboard, types accelerators and answers the save prompt.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/log_filters.h"
#include "e2e_support.h"
#include "test_files.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;
using scrutor::FileBytes;

// Pictures for people: each menu dropped down over the sample log.
TEST_F(OpenedLog, EachMenuOpensFromTheKeyboard) {
    Open(L"menus.log");
    for (int menu = 0; menu < 5; ++menu) {
        ASSERT_TRUE(Activate(window));
        PressKey(VK_F10);
        for (int i = 0; i < menu; ++i) PressKey(VK_RIGHT);
        PressKey(VK_DOWN);
        EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; }))
            << "menu " << menu << " did not drop down";
        // Built by appending: GCC 12's -Wrestrict misfires on literal + temporary at -O2.
        std::string name = "app_menu_";
        name += std::to_string(menu) + ".bmp";
        EXPECT_TRUE(SaveScreenshot(BesideThisProgram(name.c_str())));
        PressKey(VK_ESCAPE);
        PressKey(VK_ESCAPE);
    }
    EXPECT_TRUE(Closes(scrutor, window)) << "an unmodified document closes at once";
}

// Every entry of the "Analyze log" menu that rewrites the whole text, in menu order, with the
// core function that must give the same text.
struct FilterCase {
    int item;
    const char* name;
    bool (*expected)(scrutor::WideString&);
};

template <scrutor::LineFilter kFilter>
bool Hide(scrutor::WideString& text) {
    return scrutor::ApplyLineFilter(kFilter, text);
}

TEST(AnalyzeMenu, EveryFilterGivesExactlyTheCoreResultOnTheSample) {
    using scrutor::LineFilter;
    const FilterCase cases[] = {
        {0, "Hide Microsoft signed files", Hide<LineFilter::kMicrosoftSigned>},
        {1, "Hide all signed files", Hide<LineFilter::kAllSigned>},
        {2, "Hide uninstall entries", Hide<LineFilter::kUninstallEntries>},
        {3, "Hide folder contents", Hide<LineFilter::kFolderContents>},
        {4, "Hide stopped services", Hide<LineFilter::kStoppedServices>},
        {5, "Hide recent files and folders", Hide<LineFilter::kRecentItems>},
        {6, "Clear unnecessary lines", scrutor::ClearUnnecessaryLines},
        {7, "Only \"File not found\" lines", scrutor::KeepFileNotFoundLines},
    };
    for (const FilterCase& filter : cases) {
        SCOPED_TRACE(filter.name);
        Program scrutor;
        std::wstring path;
        HWND window = StartOnSampleCopy(scrutor, L"filter.log", path);
        ASSERT_NE(window, nullptr);
        HWND editor = FindChild(window, L"Edit");
        ASSERT_NE(editor, nullptr);
        const std::u16string original = ReadDocument(path);
        ASSERT_EQ(WindowText(editor), Wide(original));

        // Typed just before the filter, so an undo buffer left behind would have work to do.
        ASSERT_TRUE(Activate(window));
        PressKey(VK_END, true);
        TypeText(L"Z");
        const std::wstring typed = WaitForChange(editor, Wide(original));
        scrutor::WideString expected(std::u16string(typed.begin(), typed.end()));
        ASSERT_TRUE(filter.expected(expected));
        const std::wstring filtered = Wide(std::u16string(expected.View()));
        ASSERT_NE(filtered, typed) << "the sample has nothing to remove";

        ChooseMenuItem(window, 3, filter.item);
        EXPECT_EQ(WaitForChange(editor, typed), filtered);
        // A filter cannot be undone, and Ctrl+Z must not leave half of one. Keys are taken in
        // order, so once the "Q" typed after it shows, Ctrl+Z has had its turn.
        PressKey('Z', true);
        PressKey(VK_END, true);
        TypeText(L"Q");
        EXPECT_EQ(WaitForChange(editor, filtered), filtered + L"Q");
        if (filter.item == 0) SaveScreenshot(BesideThisProgram("app_filtered.bmp"));

        ASSERT_TRUE(Closes(scrutor, window, L"No")) << "the rewritten text is not marked modified";
        EXPECT_EQ(ReadDocument(path), original) << "\"No\" must not save";
    }
}

TEST_F(OpenedLog, TabInsertsTabsAndYesSavesThemBeforeClosing) {
    ASSERT_NO_FATAL_FAILURE(Open(L"tabs.log"));
    const std::u16string original = ReadDocument(path);
    ASSERT_TRUE(Activate(window));
    PressKey(VK_HOME, true);
    PressKey(VK_TAB);
    PressKey(VK_TAB);  // the focus stayed in the editor: a second tab character
    const std::wstring edited = L"\t\t" + Wide(original);
    EXPECT_EQ(WaitForChange(editor, Wide(original)), edited);

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0) << "the file exists: Yes saves without a dialog";
    EXPECT_EQ(FileBytes(path), Utf16FileBytes(edited));
}

TEST_F(OpenedLog, SaveAsScriptWritesUtf16WithTheScriptHeader) {
    ASSERT_NO_FATAL_FAILURE(Open(L"report.log"));
    const std::u16string original = ReadDocument(path);
    const std::wstring target = TempFolder(L"scrutor-e2e") + L"\\report.zep";
    DeleteFileW(target.c_str());

    ChooseMenuItem(window, 0, 3);
    HWND dialog = WaitForFileDialog(scrutor.Id(), kSaveTitle);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    HWND nameBox = FileDialogNameBox(dialog);
    ASSERT_NE(nameBox, nullptr);
    EXPECT_EQ(WindowText(nameBox), L"report") << "the dialog offers the log's name without extension";
    SaveScreenshot(BesideThisProgram("save_dialog.bmp"), 700);
    ASSERT_TRUE(ChooseFileInDialog(dialog, target));

    EXPECT_NE(WaitForWindow(scrutor.Id(), L"SCRUTOR_WND_CLASS", L"report.zep - Scrutor", kWindowTimeout),
              nullptr)
        << "the title does not follow the saved script";
    EXPECT_EQ(FileBytes(target), Utf16FileBytes(L"<ZEPCommandsScript>\r\n" + Wide(original)));
    EXPECT_EQ(ReadDocument(path), original) << "the log itself must stay as it was";

    EXPECT_TRUE(Closes(scrutor, window)) << "just saved: Close asks nothing";
}

// The program's own registry values, put back as they were when the test ends.
class ProgramSettings : public ::testing::Test {
protected:
    void Write(const wchar_t* name, DWORD value) { EXPECT_TRUE(Value(name).SetDword(value)); }
    [[nodiscard]] std::optional<DWORD> Read(const wchar_t* name) { return Value(name).Dword(); }
    scrutor::RegistryValueGuard& Value(const wchar_t* name) {
        return values.try_emplace(name, HKEY_LOCAL_MACHINE, L"Software\\ZEP - Zepharion\\Scrutor", name)
            .first->second;
    }

    std::map<std::wstring, scrutor::RegistryValueGuard> values;
};

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

TEST_F(ProgramSettings, TheZoomedSizeAndTheGeometryAreWrittenAtExit) {
    Write(L"FontSize", 500);
    Write(L"WindowWidth", 5);
    Write(L"WindowHeight", 100000);
    Write(L"WindowPosX", 0xFFFFFFFF);
    Write(L"WindowPosY", 0);

    RECT first{};
    {
        Program scrutor;
        std::wstring path;
        HWND window = StartOnSampleCopy(scrutor, L"zoom.log", path);
        ASSERT_NE(window, nullptr);
        first = WindowRect(window);
        ASSERT_TRUE(Activate(window));
        for (int i = 0; i < 25; ++i) PressKey('I', true);  // 9 (the fallback) + 23 reaches 32
        EXPECT_TRUE(Closes(scrutor, window)) << "zooming does not modify the document";
    }
    EXPECT_EQ(Read(L"FontSize"), std::optional<DWORD>(32));
    EXPECT_EQ(Read(L"WindowWidth"), std::optional<DWORD>(first.right - first.left));
    EXPECT_EQ(Read(L"WindowHeight"), std::optional<DWORD>(first.bottom - first.top));
    EXPECT_EQ(Read(L"WindowPosX"), std::optional<DWORD>(first.left));
    EXPECT_EQ(Read(L"WindowPosY"), std::optional<DWORD>(first.top));
}

}  // namespace
