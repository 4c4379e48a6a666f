// The shared editor operations, the file side of documents, the filter glue and the
// settings round trip, on the real main window in the test process.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>

#include "app/core/document_rules.h"
#include "app/documents.h"
#include "app/edit_commands.h"
#include "app/filter_commands.h"
#include "app/settings_win.h"
#include "app_test_support.h"
#include "foundation/registry_key.h"

namespace scrutor {
namespace {

void Select(HWND editor, int start, int end) { SendMessageW(editor, EM_SETSEL, start, end); }

TEST_F(MainWindowTest, InsertionDeletesTheSelectionFirst) {
    SetEditorText(app.Editor(), u"keep THIS line");
    Select(app.Editor(), 5, 10);  // leaves "keep line" with the caret past its middle
    InsertBlock(app.Editor(), u"<Comment>");
    EXPECT_EQ(EditorText(), u"keep line\r\n<Comment>");
}

TEST_F(MainWindowTest, SelectedTextWidensToWholeLinesIncludingTheEndLine) {
    HWND editor = app.Editor();
    SetEditorText(editor, u"alpha\r\nbravo\r\ncharlie");
    WideString text;
    Select(editor, 2, 3);
    ASSERT_TRUE(GetSelectedText(editor, text, false));
    EXPECT_EQ(std::u16string(text.View()), u"p");
    // Ends right after the first line break: the line it ends on is taken in as well.
    Select(editor, 2, 7);
    ASSERT_TRUE(GetSelectedText(editor, text, true));
    EXPECT_EQ(std::u16string(text.View()), u"alpha\r\nbravo");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 12u);
}

// The filters' results and marks are proved end to end; a too-short text is not even rewritten.
TEST_F(MainWindowTest, FilterCommandsLeaveATooShortTextAlone) {
    SetEditorText(app.Editor(), u"B | Signed : X\r\nshort");
    HideAllSigned(app);
    EXPECT_EQ(EditorText(), u"B | Signed : X\r\nshort");
    EXPECT_FALSE(IsEditorModified(app.Editor())) << "a too-short text is left alone";
}

// Typed just before: an undo afterwards has nothing left to take back, not even the typing.
TEST_F(MainWindowTest, IgnoreFilesMarksTheWholeSelectedLinesForGood) {
    SetEditorText(app.Editor(), u"top\r\n <ContentsProgramfiles> | C:\\a\\b.exe | Signed : X | y\r\nend");
    Select(app.Editor(), 0, 0);
    SendMessageW(app.Editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"the "));
    Select(app.Editor(), 16, 16);
    IgnoreFiles(app);
    UndoEdit(app);
    EXPECT_EQ(EditorText(),
              u"the top\r\n <ContentsProgramfiles> | Ignore:C:\\a\\b.exe | Signed : X | y\r\nend");
    EXPECT_TRUE(IsEditorModified(app.Editor()));
}

// Settings are read at start and written at shutdown; minimised windows keep the geometry.
TEST(SettingsRoundTrip, InvalidValuesFallBackAndTheZoomedSizeIsWritten) {
    std::deque<RegistryValueGuard> stored;  // put back as they were found
    for (const auto& [name, value] : {std::pair{L"FontSize", 33u}, {L"WindowWidth", 249u}, {L"WindowHeight", 300u},
                                      {L"WindowPosX", 0u}, {L"WindowPosY", 0u}}) {
        ASSERT_TRUE(stored.emplace_back(HKEY_LOCAL_MACHINE, L"Software\\ZEP - Zepharion\\Scrutor", name).SetDword(value));
    }
    {
        Application app;
        app.Start(GetModuleHandleW(nullptr), nullptr);
        EXPECT_EQ(app.Config().fontSize, kDefaultFontSize);
        RECT r{};
        GetWindowRect(app.MainWindow(), &r);
        EXPECT_EQ(r.right - r.left, app.Values().screen.width / 3 * 2);
        EXPECT_EQ(r.bottom - r.top, 300);
        app.Config().fontSize = 12;
        ShowWindow(app.MainWindow(), SW_MINIMIZE);
        app.Shutdown();
    }
    EXPECT_EQ(stored[0].Dword().value_or(0), 12u);
    EXPECT_EQ(stored[1].Dword().value_or(0), 249u) << "a minimised window must not overwrite the geometry";
    {
        Application app;
        app.Start(GetModuleHandleW(nullptr), nullptr);
        EXPECT_EQ(app.Config().fontSize, 12);
        SetWindowPos(app.MainWindow(), nullptr, 20, 30, 400, 250, SWP_NOZORDER);
        app.Shutdown();
    }
    EXPECT_EQ(stored[1].Dword().value_or(0), 400u);
    EXPECT_EQ(stored[4].Dword().value_or(0), 30u);
}

TEST(ZepLocation, BesideTheProgramOrUnderInstallDir) {
    const std::wstring beside = TestFolder(L"scrutor-zep-beside");
    const std::wstring installed = TestFolder(L"scrutor-zep-installed");
    RegistryKey maker;
    ASSERT_TRUE(maker.Open(kMakerKeyPath, kOpenOrCreate));
    ASSERT_TRUE(maker.WriteString(kInstallDirValue, reinterpret_cast<const char16_t*>(installed.c_str())));
    const WideString besideDir(reinterpret_cast<const char16_t*>((beside + L"\\").c_str()));
    EXPECT_TRUE(LocateZep(besideDir).IsEmpty()) << "neither place has ZEP yet";
    ASSERT_TRUE(WriteBytes(installed + L"\\ZEP_en.exe", "MZ"));
    EXPECT_EQ(std::u16string(LocateZep(besideDir).View()),
              reinterpret_cast<const char16_t*>((installed + L"\\ZEP_en.exe").c_str()));
    ASSERT_TRUE(WriteBytes(beside + L"\\ZEP_en.exe", "MZ"));
    EXPECT_EQ(std::u16string(LocateZep(besideDir).View()),
              reinterpret_cast<const char16_t*>((beside + L"\\ZEP_en.exe").c_str()));
    EXPECT_TRUE(maker.DeleteValue(kInstallDirValue));
}

}  // namespace
}  // namespace scrutor
