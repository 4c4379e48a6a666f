#include "catalogue/line_help_text.h"

#include <gtest/gtest.h>

#include <string>

namespace scrutor {
namespace {

const std::u16string kScriptSuffix =
    u"\r\n\r\nPress Ctrl+SpaceBar to display this tip again.\r\n"
    u"For more info, select Help -> Script commands documentation.";
const std::u16string kAutomationSuffix =
    u"\r\n\r\nPress Ctrl+SpaceBar to display this tip again.\r\n"
    u"For more info, select Help -> Automation help.";

LineHelpTip Tip(const char16_t* line) {
    return BuildLineHelpTip(line, BuiltInCatalogue());
}

// The title as typed, the syntax line joining it with the template, then a paragraph only for
// fields that say something (an empty extended description adds no second break). Rows
// marked whole give the entire tip; the others its beginning. The suffix follows the line's
// form, not the group: <Sleep> is a script command.
TEST(LineHelpTip, FoundKeysGiveSyntaxDocumentationAndSuffix) {
    struct Case {
        const char16_t* line;
        const char16_t* title;
        std::u16string start;
        bool whole;
    };
    const Case cases[] = {
        {u"<Delete>", u"<Delete>",
         u"Syntax: <Delete>\r\n\r\nMove the files listed in the lines below this keyword to the "
         u"recycle bin.\r\n\r\nRemarks:\r\nYou can use environment variables, but only one path "
         u"per line.\r\nTip: Drag a file to the text box to quickly insert its path." +
             kScriptSuffix,
         true},
        {u"<ResetNumLockOn>", u"<ResetNumLockOn>",
         u"Syntax: <ResetNumLockOn>\r\n\r\nSet the NumLock state ON at Winlogon for all users." +
             kScriptSuffix,
         true},
        {u"\t<ENABLEUAC>", u"<ENABLEUAC>",
         u"Syntax: <ENABLEUAC>\r\n\r\nEnable the User Account Control." + kScriptSuffix, true},
        {u"<Reg>", u"<Reg>", u"Syntax: <Reg>\r\n", false},
        // The command reference loses the blank before a break inside a description.
        {u"<RunWait>", u"<RunWait>",
         u"Syntax: <RunWait> -h -x86 -x64\r\n\r\nRun the commands specified in the lines below "
         u"this keyword, and wait \r\nuntil each command ends execution before stepping to the "
         u"next one.\r\n\r\n",
         false},
        {u"  <BackupRegistry> | 3 | All users", u"<BackupRegistry>",
         u"Syntax: <BackupRegistry> | flag | username\r\n", false},
        {u"<Sleep> 5", u"<Sleep>", u"Syntax: <Sleep>[seconds]\r\n", false},
        {u"->Sleep(5, 0)", u"->Sleep", u"Syntax: ->Sleep( time, inms = 1 )\r\n", false},
        {u"  ->waitwindow(10, Notepad)\r\n", u"->waitwindow",
         u"Syntax: ->waitwindow( timeout, title, text )\r\n\r\nWait until the specified window "
         u"exists, and add it to the managed windows list.\r\n\r\nParameters:\r\n",
         false},
        {u"<Run> -h ; a comment > with a bracket", u"<Run>", u"Syntax: <Run> -h -x86 -x64\r\n",
         false},
    };
    for (const Case& c : cases) {
        const LineHelpTip tip = Tip(c.line);
        const std::u16string text(tip.text.View());
        EXPECT_EQ(std::u16string(tip.title.View()), c.title);
        EXPECT_EQ(c.whole ? text : text.substr(0, c.start.size()), c.start);
        const bool function = c.title[0] == u'-';
        EXPECT_EQ(tip.kind, function ? LineHelpTipKind::Automation : LineHelpTipKind::Script);
        EXPECT_TRUE(text.ends_with(function ? kAutomationSuffix : kScriptSuffix));
    }
}

TEST(LineHelpTip, LinesWithoutAKnownKeyGetTheNoHelpOrLogLineTip) {
    const std::u16string logLineText =
        u"This is a line from the ZEP log.\r\n\r\nRemarks:\r\nSpecifying this line in a script "
        u"will delete the file(s) listed in the info fields, and the associated registry "
        u"entries, where applicable.\r\nIn some cases, you can delete only the registry entry if "
        u"you click Analyze log -> Ignore files in the selected lines." +
        kScriptSuffix;
    const char16_t* tail = u" | info field 1 | info field 2 | info field 3 | info field 4";
    struct Case {
        const char16_t* line;
        const char16_t* title;  // before the tail; null for the no-help tip
    };
    const Case cases[] = {
        {nullptr, nullptr},
        {u"\t \r\n", nullptr},
        {u"   <Run \t\r\n", nullptr},  // four characters once trimmed
        {u"->WaitWindow", nullptr},    // a function without "("
        {u"C:\\Windows\\evil.exe | 12 KB | 2024-01-01 | Unsigned", nullptr},  // no ">"
        {u"->Foo(1)", u"->Foo"},
        {u"->(x)", u"->"},                         // "(" right after the arrow
        {u"->WaitWindow (10)", u"->WaitWindow "},  // the blank is part of the name
        {u"HKLM\\...\\Run: [Updater] => C:\\x\\a.exe", u"HKLM\\...\\Run: [Updater] =>"},
        {u"<Reg >", u"<Reg >"},
        {u"- <Reg>", u"- <Reg>"},  // one dash is not an arrow
        {u"<Ärger>", u"<Ärger>"},
    };
    for (const Case& c : cases) {
        const LineHelpTip tip = Tip(c.line);
        const bool noHelp = c.title == nullptr;
        EXPECT_EQ(tip.kind, noHelp ? LineHelpTipKind::NoHelp : LineHelpTipKind::LogLine);
        EXPECT_EQ(std::u16string(tip.title.View()),
                  noHelp ? u"Information" : std::u16string(c.title) + tail);
        EXPECT_EQ(std::u16string(tip.text.View()),
                  noHelp ? u"There is no help available for this line." : logLineText);
    }
}

}  // namespace
}  // namespace scrutor
