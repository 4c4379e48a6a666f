#include "inspector/automation_snippet.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/command_catalogue.h"

namespace scrutor {
namespace {

std::u16string Snippet(PropertyRow row, const char16_t* value, const char16_t* function) {
    return std::u16string(BuildAutomationSnippet(row, value, function).View());
}

TEST(AutomationSnippet, SnippetsFollowTheirFunctionsFormat) {
    using enum PropertyRow;
    struct Case {
        PropertyRow row;
        const char16_t* value;
        const char16_t* function;
        const char16_t* snippet;  // empty: nothing is built
    };
    const Case cases[] = {
        {WindowClass, u"Notepad", u"->WaitWindow2", u"->WaitWindow2(1000, 3, 0, Notepad)"},
        // A title lands in the title argument; the class argument stays empty.
        {WindowTitle, u"Untitled - Notepad", u"->WaitWindow2",
         u"->WaitWindow2(1000, 3, 0, , Untitled - Notepad)"},
        {WindowAdvancedMode, u"[CLASS:Notepad;TITLE:a;;b]", u"->WaitWindow",
         u"->WaitWindow(1000, [CLASS:Notepad;TITLE:a;;b])"},
        {WindowClassMode, u"[CLASS:Notepad]", u"->WinSend", u"->WinSend(Text to send here)"},
        {ControlClassNN, u"Edit1", u"->WaitControl", u"->WaitControl(Edit1)"},
        {ControlClassNN, u"Edit1", u"->WaitControlState", u"->WaitControlState(Edit1, Visible)"},
        {ControlClassNN, u"Edit1", u"->WaitControlState2", u"->WaitControlState2(Edit1, 7)"},
        {ControlId, u"-1", u"->ClickControl", u"->ClickControl(-1)"},
        {ControlClassNN, u"Edit1", u"->ControlSend",
         u"->ControlSend(Edit1, Insert the text to send here)"},
        {ClickWindowPos, u"120, 45", u"->ClickWindowPos", u"->ClickWindowPos(120, 45)"},
        {ControlText, u"a\\r\\nb", u"->WaitControl", u"->WaitControl(a\\r\\nb)"},  // verbatim
        // Names compare without case; the plain forms keep the name as chosen.
        {ControlClassNN, u"Edit1", u"->waitcontrol", u"->waitcontrol(Edit1)"},
        {WindowTitle, u"T", u"->WAITWINDOW2", u"->WaitWindow2(1000, 3, 0, , T)"},
        // Whole names only, and nothing without a value or a function.
        {ControlClassNN, u"Edit1", u"->WaitControl ", u""},
        {ControlClassNN, u"Edit1", u"->WaitControl()", u""},
        {ControlClassNN, u"Edit1", u"->WaitControlState3", u""},
        {ControlClassNN, u"", u"->WaitControl", u""},
        {WindowClassMode, nullptr, u"->WinSend", u""},
        {ControlClassNN, u"Edit1", nullptr, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Snippet(c.row, c.value, c.function), c.snippet);
    }
}

// Rows are told apart by group and position. Every function a row offers builds a snippet and is documented in the catalogue's
// Automation group, so the line help tip can explain the inserted line.
TEST(AutomationSnippet, RowsOfferOnlyDocumentedFunctions) {
    std::size_t offered = 0;
    for (int group = 1; group <= 2; ++group) {
        for (int index = 0; index < 5; ++index) {
            const std::optional<PropertyRow> row = PropertyRowAt(group, index);
            ASSERT_TRUE(row);
            const WideString list = AutomationFunctionList(*row);
            const WideStringList functions(list.CStr(), u"\n", false);
            for (std::size_t i = 0; !list.IsEmpty() && i < functions.Count(); ++i, ++offered) {
                const std::u16string name(functions.Get(i));
                EXPECT_FALSE(Snippet(*row, u"v", name.c_str()).empty()) << group << index;
                const CatalogueMatch match =
                    BuiltInCatalogue().FindCatalogueEntry((name + u"()").c_str());
                EXPECT_EQ(match.groupId, kAutomationGroupId) << group << index;
            }
        }
    }
    EXPECT_EQ(offered, 29u);
    EXPECT_EQ(PropertyRowAt(1, 0), PropertyRow::WindowClass);
    EXPECT_EQ(PropertyRowAt(2, 4), PropertyRow::ClickWindowPos);
    for (const auto& [group, index] : {std::pair{1, 5}, {2, -1}, {0, 0}, {3, 1}}) {
        EXPECT_FALSE(PropertyRowAt(group, index));
    }
}

}  // namespace
}  // namespace scrutor
