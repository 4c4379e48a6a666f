// The shared editor operations, the filter glue and where ZEP is found, on the real main
// window in the test process.
#include <windows.h>

#include <gtest/gtest.h>

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

// Each editing command on a text and selection: the text it leaves and whether the document
// then counts as changed. None can be undone: not even typing just before survives in the
// undo buffer.
TEST_F(MainWindowTest, EditCommandsReplaceWithoutUndo) {
    const struct {
        const char* name;
        const char16_t* text;
        int start, end;
        void (*command)(Application&);
        const char16_t* after;
        bool modified;
    } cases[] = {
        // The selection goes first: "keep line" with the caret past its middle.
        {"insert block", u"keep THIS line", 5, 10, [](Application& a) { InsertBlock(a.Editor(), u"<Comment>"); },
         u"keep line\r\n<Comment>", true},
        {"tab", u"ab", 1, 1, InsertTab, u"a\tb", true},
        {"clear all", u"text", 0, 0,
         [](Application& a) {
             SetEditorModified(a.Editor(), true);
             ClearAll(a);
         },
         u"", false},
        // The filters' results and marks are proved end to end; a too-short text is not even rewritten.
        {"too short to filter", u"B | Signed : X\r\nshort", 0, 0, HideAllSigned, u"B | Signed : X\r\nshort", false},
        {"ignore files in the whole line", u"top\r\n <ContentsProgramfiles> | C:\\a\\b.exe | Signed : X | y\r\nend", 0, 0,
         [](Application& a) {
             SendMessageW(a.Editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"the "));
             SendMessageW(a.Editor(), EM_SETSEL, 16, 16);
             IgnoreFiles(a);
             UndoEdit(a);
         },
         u"the top\r\n <ContentsProgramfiles> | Ignore:C:\\a\\b.exe | Signed : X | y\r\nend", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEditorText(app.Editor(), c.text);
        SendMessageW(app.Editor(), EM_SETSEL, c.start, c.end);
        c.command(app);
        EXPECT_EQ(EditorText(), c.after);
        EXPECT_EQ(IsEditorModified(app.Editor()), c.modified);
        EXPECT_FALSE(SendMessageW(app.Editor(), EM_CANUNDO, 0, 0));
    }
}

// A copy of whole lines takes in the line the selection ends on, even just after its line
// break, and selects what it copied.
TEST_F(MainWindowTest, CopyTakesTheSelectionOrItsWholeLines) {
    SetEditorText(app.Editor(), u"alpha\r\nbravo\r\ncharlie");
    const struct {
        int start, end;
        void (*copy)(Application&);
        const char16_t* copied;
        std::pair<int, int> selected;
    } cases[] = {
        {2, 3, CopySelection, u"p", {2, 3}},
        {3, 3, CopySelection, u"", {3, 3}},
        {2, 7, CopySelectedLines, u"alpha\r\nbravo", {0, 12}},
        {10, 10, CopySelectedLines, u"bravo", {7, 12}},
    };
    for (const auto& c : cases) {
        SendMessageW(app.Editor(), EM_SETSEL, c.start, c.end);
        c.copy(app);
        EXPECT_EQ(ClipboardText(), c.copied) << c.start << "-" << c.end;
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(app.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(std::pair(static_cast<int>(start), static_cast<int>(end)), c.selected) << c.start << "-" << c.end;
    }
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
