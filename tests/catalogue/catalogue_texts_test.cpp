// Pins the texts that other parts of the program and scripts in the field rely on, and
// the writing conventions of every catalogue text.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "catalogue/command_catalogue.h"

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) {
    return std::u16string(text.View());
}

struct KeywordText {
    const char16_t* keyword;
    const char16_t* text;
};

// clang-format off
// A representative part; the committed command reference pins the rest (catalogue_doc_current).
constexpr KeywordText kParameterTemplates[] = {
    {u"<BackupRegistry>", u" | flag | username"},
    {u"<FileExtension>", u" | ('File Extension' or 'All')"},
    {u"<ImunizeSystem>", u"0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|AllUsers"},
    {u"<Run>", u" -h -x86 -x64"}, {u"<AutoItScript>", u"-h"}, {u"<Download>", u"-x86 -x64"},
    {u"<SASScan>", u" -full -StartOnly"}, {u"<AdwCleanerScan>", u" -StartOnly"},
    {u"<IEStartPages>", u" | Start page | (Google or Yahoo)"},
    {u"<UnhideDir>", u"'All Drives' or 'Full Path'"}, {u"<PatchMyPC>", u" -auto -StartOnly"},
    {u"<ClearAllBrowsersHistory>", u"Allusers"}, {u"<DeleteBrowsersCookies>", u"-AllUsers"},
    {u"<DefragDrive>", u"[Drive]"}, {u"<RebootSafeMode>", u"1"}, {u"<Sleep>", u"[seconds]"},
    {u"->WaitWindow2()", u"( timeout, flag, size, class, title)"},
    {u"->WaitControlState2()", u"( ClassNN/ID, state, timeout, winIndex )"},
    {u"->ClickWindowPos()", u"( xPos , yPos , winIndex , Button , Clicks )"},
    {u"->Sleep()", u"( time, inms = 1 )"}, {u"->CloseProcess()", u"( pathorname )"},
};

// Descriptions with the quirks scripts and users know them by.
constexpr KeywordText kCoreDescriptions[] = {
    {u"<Reg>", u"Merge the regedit code specified in the lines listed below this keyword."},
    {u"<ReplaceFile>", u"Replace the files listed in the lines below this keyword."},
    {u"<SReplaceFile>", u"Replace the files listed in the lines below this keyword."},
    {u"<RunWait>", u"Run the commands specified in the lines below this keyword, and wait \r\nuntil each command ends execution before stepping to the next one."},
    {u"<KillProcess>", u"Kill the processes listed in the lines in the lines below this keyword."},
    {u"<VBScript>", u"Run the Visual basic script code specified in the lines listed below this keyword."},
    {u"<UpdateSoftware>", u"Download files from the internet only if the local files are not updated."},
    {u"<Sleep>", u"Pause the script for a given number of seconds."},
    {u"->WaitWindow2()", u"Wait for a specific window, and add it to the managed windows list (advanced)"},
    {u"->WaitWindowState()", u"Wait until a window is on the specified state(s)"},
    {u"->WaitControlAt()", u"Wait for a control to be visible at a specific position, and optionally with a specific class name."},
    {u"->ClickWindowPos()", u"Simmulate a mouse click at the specified position within a window."},
    {u"->CloseProcess()", u"Terminate a process."},
};

// Whole rows, all fields.
constexpr const char16_t* kTellingRows[] = {
    u"<EnableUAC>\tEnable the User Account Control.",
    u"<ResetNumLockOn>\tSet the NumLock state ON at Winlogon for all users.\t",
    u"<Delete>\tMove the files listed in the lines below this keyword to the recycle bin.\tRemarks:\r\nYou can use environment variables, but only one path per line.\r\nTip: Drag a file to the text box to quickly insert its path.",
    u"<Comment>\tInsert comments in the script.\tRemarks:\r\nEnter your comments in the lines below this keyword.\r\nYou can also enter comments anywhere by preceeding them with a semi-colon.",
    u"<BackupRegistry>\tPerform a registry backup in a specific part of the script.\tRemarks:\r\nSpecifying only <BackupRegistry> will backup the HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE rootkeys.\r\nYou can customize the registry backup by specifying a flag and username in the following format:\r\n\r\n<BackupRegistry> | flag | username\r\n\r\nThe 'flag' parameter is set as follows:\r\n\r\n0: Don't backup HKEY_CURRENT_USER neither HKEY_LOCAL_MACHINE.\r\n1: Backup only HKEY_CURRENT_USER.\r\n2 : Backup only HKEY_LOCAL_MACHINE.\r\n3 : Backup both HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.\r\n\r\nThe username parameter should be the name of an extra user to backup the config from.\r\nThis can not be the current user name. You can specify 'All users' if you want to backup all users hives.\t | flag | username",
    u"<Run>\tRun the commands or automation functions specified in the lines below this keyword.\tParameters:\r\n-h - Run the commands in a hidden window.\r\n-x86 - Run the commands only if the OS is 32 bits.\r\n-x64 - Run the commands only if the OS is 64 bits.\r\n\r\nRemarks:\r\n<Run> must be specified before any Automation functions.\r\nThe -h, -x86 and -x64 parameters are optional.\t -h -x86 -x64",
    u"->WaitWindow()\tWait until the specified window exists, and add it to the managed windows list.\tParameters:\r\n\r\ntimeout (optional) - The maximum time to wait, in seconds.Default is 7200 (2hours).\r\ntitle (optional) - The title, Class or Advanced mode of the window to wait for.\r\ntext (optional) - The text to search for (within the window).\r\n\r\nRemarks:\r\n\r\nOptional parameters do not need to be specified.\r\nUse the Control info tool to easily get the title and text.\r\nIf title is not specified, the function will wait for a new window belonging to the last <Run> command.\t( timeout, title, text )",
};
// clang-format on

std::u16string FieldOf(const char16_t* keyword, CatalogueField field) {
    const CatalogueMatch match = BuiltInCatalogue().FindCatalogueEntry(keyword);
    return match ? Str(match.entry->Field(field)) : u"(missing)";
}

TEST(CatalogueTexts, QuotedTextsAreExact) {
    for (const KeywordText& row : kParameterTemplates) {
        EXPECT_EQ(FieldOf(row.keyword, CatalogueField::Parameters), row.text);
    }
    for (const KeywordText& row : kCoreDescriptions) {
        EXPECT_EQ(FieldOf(row.keyword, CatalogueField::Description), row.text);
    }
    for (const char16_t* row : kTellingRows) {
        const std::u16string text(row);
        const std::u16string keyword = text.substr(0, text.find(u'\t'));
        const CatalogueMatch match = BuiltInCatalogue().FindCatalogueEntry(keyword.c_str());
        EXPECT_EQ(match ? std::u16string(match.entry->Text()) : u"(missing)", text);
    }
}

// The keywords of rows that break a writing convention, so a failure names them.
TEST(CatalogueTexts, EveryTextFollowsTheConventions) {
    std::vector<std::u16string> loneBreaks, unlabelled, placeholders, repeated;
    std::set<std::u16string> descriptions, extendedTexts;
    for (const CatalogueGroup& group : BuiltInCatalogue().Groups()) {
        for (const CatalogueEntry& entry : group.entries) {
            if (entry.IsBlank()) {
                continue;
            }
            const std::u16string keyword = Str(entry.Keyword());
            const std::u16string text(entry.Text());
            // A lone CR or LF shows as a box or a missing break in the tip and the list.
            for (std::size_t i = text.find_first_of(u"\r\n"); i != std::u16string::npos;
                 i = text.find_first_of(u"\r\n", i + 2)) {
                if (text.compare(i, 2, u"\r\n") != 0) {
                    loneBreaks.push_back(keyword);
                    break;
                }
            }
            const std::u16string extended = Str(entry.ExtendedDescription());
            if (!extended.empty() && !extended.starts_with(u"Remarks:\r\n") &&
                !extended.starts_with(u"Parameters:\r\n") && !extended.starts_with(u"Note:\r\n")) {
                unlabelled.push_back(keyword);
            }
            for (const char16_t* banned : {u"TODO", u"TBD", u"XXX", u"Lorem", u"Scrutor", u"  "}) {
                if (text.find(banned) != std::u16string::npos) {
                    placeholders.push_back(keyword);
                }
            }
            // Copied texts would tell nothing about the command at hand. The two replace
            // commands share their description; their remarks tell them apart.
            const bool newDescription = descriptions.insert(Str(entry.Description())).second;
            if ((!newDescription && keyword != u"<SReplaceFile>") ||
                (!extended.empty() && !extendedTexts.insert(extended).second)) {
                repeated.push_back(keyword);
            }
        }
    }
    const std::vector<std::u16string> none;
    EXPECT_EQ(loneBreaks, none);
    EXPECT_EQ(unlabelled, none);
    EXPECT_EQ(placeholders, none);
    EXPECT_EQ(repeated, none);
}

}  // namespace
}  // namespace scrutor
