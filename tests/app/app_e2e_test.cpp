// Works the real scrutor.exe as a technician would: opens a log from the command line,
// chooses menu items with the keyboard, types accelerators and answers the save prompt.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "analysis/log_filters.h"
#include "e2e_support.h"
#include "test_files.h"

namespace {

using namespace scrutor::driver;
using namespace scrutor::e2e;
using scrutor::FileBytes;
using scrutor::RegistryValueGuard;

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

// One program: each menu dropped down from the keyboard (pictures for people), every filter
// on the whole sample again, zoomed, then saved on closing; the exit path writes the settings
// (their rules are the in-process round trip's).
TEST_F(OpenedLog, MenusFiltersZoomAndSavingOnClose) {
    std::deque<RegistryValueGuard> settings;
    for (const auto& [name, initial] : {std::pair{L"FontSize", 500u}, {L"WindowWidth", 5u},
                                        {L"WindowHeight", 100000u}, {L"WindowPosX", 0xFFFFFFFFu}, {L"WindowPosY", 0u}}) {
        settings.emplace_back(HKEY_LOCAL_MACHINE, L"Software\\ZEP - Zepharion\\Scrutor", name);
        ASSERT_TRUE(settings.back().SetDword(initial));
    }
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
    ASSERT_NO_FATAL_FAILURE(Open(L"filter.log"));
    RECT frame{};
    GetWindowRect(window, &frame);
    for (int menu = 0; menu < 5; ++menu) {
        ASSERT_TRUE(Press(window, VK_F10));
        for (int i = 0; i < menu; ++i) PressKey(VK_RIGHT);
        PressKey(VK_DOWN);
        EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; })) << "menu " << menu;
        // Built by appending: GCC 12's -Wrestrict misfires on literal + temporary at -O2.
        std::string name = "app_menu_";
        name += std::to_string(menu) + ".bmp";
        EXPECT_TRUE(SaveScreenshot(BesideThisProgram(name.c_str())));
        PressKey(VK_ESCAPE);
        PressKey(VK_ESCAPE);
    }
    const std::u16string original = ReadDocument(path);
    ASSERT_EQ(WindowText(editor), Wide(original));
    for (const FilterCase& filter : cases) {
        SCOPED_TRACE(filter.name);
        SetEditor(editor, Wide(original));
        // Typed just before the filter, so an undo buffer left behind would have work to do.
        ASSERT_TRUE(Press(window, VK_END, true));
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
    }

    for (int i = 0; i < 25; ++i) PressKey('I', true);  // 9 (the fallback) + 23 reaches 32
    // Tab reaches the editor (the focus stays there: a second tab character), and Yes on
    // closing saves to the file without a dialog.
    const std::wstring last = WindowText(editor);
    PressKey(VK_HOME, true);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    EXPECT_EQ(WaitForChange(editor, last), L"\t\t" + last);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerMessageBox(scrutor.Id(), L"Yes"));
    EXPECT_EQ(scrutor.WaitForExit(kWindowTimeout), 0);
    EXPECT_EQ(FileBytes(path), Utf16FileBytes(L"\t\t" + last));
    const DWORD written[] = {32, static_cast<DWORD>(frame.right - frame.left), static_cast<DWORD>(frame.bottom - frame.top),
                             static_cast<DWORD>(frame.left), static_cast<DWORD>(frame.top)};
    for (std::size_t i = 0; i < settings.size(); ++i) EXPECT_EQ(settings[i].Dword(), std::optional<DWORD>(written[i])) << i;
}

}  // namespace
