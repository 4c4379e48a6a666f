#include "catalogue/command_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) { return std::u16string(text.View()); }

// Every text, keyword order included, is also pinned by the committed command reference
// (docs/script-commands.md, checked by catalogue_doc_current); here the shape of the
// catalogue, each group's first and last keyword and the blank row's place.
struct Group {
    std::int32_t id;
    const char16_t* name;
    std::size_t rows;
    const char16_t* first;
    const char16_t* last;
};
constexpr Group kGroups[] = {
    {8, u"Pre-repair actions", 29, u"<KillNonTrustedProcesses>", u"<DisableMsiInSafeMode>"},
    {9, u"Multi-line commands", 15, u"<Comment>", u"<UnzipFile>"},
    {10, u"Built-in scans", 8, u"<PELScan>", u"<AvastBCScan>"},
    {11, u"Reset actions", 20, u"<IEStartPages>", u"<ResetFileAssociations>"},
    {12, u"Windows fixes", 21, u"<FixInstallProblems>", u"<FixChromeBlackWindow>"},
    {13, u"File system actions", 5, u"<RebuildIconCache>", u"<CancelChkdskOnReboot>"},
    {14, u"Essential updates", 13, u"<UpdateChrome>", u"<PatchMyPC>"},
    {15, u"Privacy/Maintenance", 28, u"<CleanupRecentList>", u"<CleanupSystemProfile>"},
    {16, u"Repair and optimize", 16, u"<CleanupRegistry>", u"<CheckDiskGUI>"},
    {17, u"Windows troubleshooters", 28, u"<AeroEffectsTroubleshooter>",
     u"<WMPLibraryTroubleshooter>"},
    {18, u"Post repair actions", 10, u"<RestartWindowsShell>", u"<RestoreDesktopIcons>"},
    {19, u"Automation", 19, u"<Sleep>", u"->WaitProcessClose()"},
};

// One walk over the catalogue: groups, field counts, unique keywords and each keyword's
// shape against its group.
TEST(CommandCatalogue, StructureIsExact) {
    const auto groups = BuiltInCatalogue().Groups();
    ASSERT_EQ(groups.size(), std::size(kGroups));
    std::size_t byFieldCount[5] = {};
    std::vector<std::u16string> keywords, emptyExtended, blankNeighbours, misplaced;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].id, kGroups[g].id);
        EXPECT_EQ(std::u16string(groups[g].name), kGroups[g].name);
        const auto& rows = groups[g].entries;
        ASSERT_EQ(rows.size(), kGroups[g].rows) << groups[g].id;
        EXPECT_EQ(Str(rows.front().Keyword()), kGroups[g].first);
        EXPECT_EQ(Str(rows.back().Keyword()), kGroups[g].last);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const CatalogueEntry& entry = rows[r];
            ++byFieldCount[std::min<std::size_t>(entry.FieldCount(), 4)];
            const std::u16string keyword = Str(entry.Keyword());
            if (entry.IsBlank()) {
                blankNeighbours = {r > 0 ? Str(rows[r - 1].Keyword()) : u"",
                                   r + 1 < rows.size() ? Str(rows[r + 1].Keyword()) : u""};
                continue;
            }
            if (entry.FieldCount() == 3 && entry.ExtendedDescription().IsEmpty()) {
                emptyExtended.push_back(keyword);
            }
            for (const std::u16string& other : keywords) {
                EXPECT_FALSE(EqualsNoCase(other.c_str(), keyword.c_str()));
            }
            keywords.push_back(keyword);
            // "->Name()" only in Automation, which holds nothing else but <Sleep>.
            const bool function = keyword.starts_with(u"->") && keyword.ends_with(u"()");
            const bool command = keyword.starts_with(u"<") &&
                                 keyword.find_first_of(u"<> \t", 1) == keyword.size() - 1;
            const bool automationGroup = groups[g].id == kAutomationGroupId;
            if (!(function || command) || function != entry.IsAutomationFunction() ||
                (function && !automationGroup) ||
                (automationGroup && function == (keyword == u"<Sleep>"))) {
                misplaced.push_back(keyword);
            }
        }
    }
    EXPECT_EQ(BuiltInCatalogue().RowCount(), 212u);
    EXPECT_EQ(keywords.size(), 211u);
    EXPECT_EQ(byFieldCount[0], 1u);  // the blank row
    EXPECT_EQ(byFieldCount[2], 79u);
    EXPECT_EQ(byFieldCount[3], 84u);
    EXPECT_EQ(byFieldCount[4], 48u);
    EXPECT_EQ(emptyExtended,
              (std::vector<std::u16string>{u"<ResetNumLockOn>", u"<FixChromeBlackWindow>"}));
    EXPECT_EQ(blankNeighbours,
              (std::vector<std::u16string>{u"<CleanupMUICache>", u"<FreeStorageSpaceGUI>"}));
    EXPECT_EQ(misplaced, std::vector<std::u16string>());
}

TEST(CommandCatalogue, FieldsOfARowAreSplitAtTabs) {
    const CatalogueEntry twoFields(u"<A>\tDescription.");
    EXPECT_EQ(Str(twoFields.Description()), u"Description.");
    // Absent fields read empty, never as the last field that is present.
    EXPECT_TRUE(twoFields.ExtendedDescription().IsEmpty());
    EXPECT_TRUE(twoFields.Parameters().IsEmpty());
    const CatalogueEntry emptyThird(u"<B>\tDescription.\t\t -p");
    EXPECT_EQ(emptyThird.FieldCount(), 4u);
    EXPECT_TRUE(emptyThird.ExtendedDescription().IsEmpty());
    EXPECT_EQ(Str(emptyThird.Parameters()), u" -p");  // leading blank kept
    const CatalogueEntry blank(u"");
    EXPECT_EQ(blank.FieldCount(), 0u);
    EXPECT_TRUE(blank.Keyword().IsEmpty());
}

TEST(CommandCatalogue, LookupFoldsOnlyAsciiCaseAndMatchesWholeKeywords) {
    const struct {
        const char16_t* key;
        const char16_t* found;  // keyword of the row found; null for none
        std::int32_t groupId;
    } cases[] = {
        {u"<reg>", u"<Reg>", 9},
        {u"->waitwindow()", u"->WaitWindow()", 19},
        {u"<STARTMENUTROUBLESHOOTER>", u"<StartMenutroubleshooter>", 17},
        {u"<installvc++>", u"<InstallVC++>", 14},
        {u"<Sleep>", u"<Sleep>", 19},
        {u"->Sleep()", u"->Sleep()", 19},
        {u"<FreeStorageSpaceGUI>", u"<FreeStorageSpaceGUI>", 15},
        // Spellings scripts in the field depend on, odd as they are.
        {u"<ImunizeSystem>", u"<ImunizeSystem>", 8},
        {u"<UpdateKLiteCodeckPack>", u"<UpdateKLiteCodeckPack>", 14},
        {u"<RunScfScan>", u"<RunScfScan>", 16},
        {u"<ScheduleChkDskOnReboot>", u"<ScheduleChkDskOnReboot>", 13},
        {u"->WaitWindow", nullptr, 0},  // the parentheses belong to the keyword
        {u"->WaitWindow( timeout, title, text )", nullptr, 0},
        {u"<Reg> ", nullptr, 0},
        {u"<Reg> | x", nullptr, 0},
        {u" <Reg>", nullptr, 0},
        {u"<Re>", nullptr, 0},
        {u"<\uFF32eg>", nullptr, 0},  // full-width letter: not folded
        {u"", nullptr, 0},             // the blank row never matches
        {nullptr, nullptr, 0},
    };
    for (const auto& c : cases) {
        const CatalogueMatch match = BuiltInCatalogue().FindCatalogueEntry(c.key);
        const std::u16string found = match ? Str(match.entry->Keyword()) : u"(none)";
        EXPECT_EQ(found, c.found ? c.found : u"(none)");
        EXPECT_EQ(match.groupId, c.groupId) << found.size();
    }
}

// Templates go into scripts that the other program reads, so their blanks and quirks are
// exact; the whitespace inside a description is lost in the generated command reference.
TEST(CatalogueTexts, TemplatesAndWhitespaceAreExact) {
    const std::pair<const char16_t*, const char16_t*> templates[] = {
        {u"<FileExtension>", u" | ('File Extension' or 'All')"},
        {u"<ImunizeSystem>", u"0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|AllUsers"},
        {u"<AutoItScript>", u"-h"}, {u"<Download>", u"-x86 -x64"},
        {u"<SASScan>", u" -full -StartOnly"}, {u"<AdwCleanerScan>", u" -StartOnly"},
        {u"<IEStartPages>", u" | Start page | (Google or Yahoo)"},
        {u"<UnhideDir>", u"'All Drives' or 'Full Path'"}, {u"<PatchMyPC>", u" -auto -StartOnly"},
        {u"<ClearAllBrowsersHistory>", u"Allusers"}, {u"<DeleteBrowsersCookies>", u"-AllUsers"},
        {u"<DefragDrive>", u"[Drive]"}, {u"<RebootSafeMode>", u"1"},
        {u"->WaitWindow2()", u"( timeout, flag, size, class, title)"},
        {u"->WaitControlState2()", u"( ClassNN/ID, state, timeout, winIndex )"},
        {u"->ClickWindowPos()", u"( xPos , yPos , winIndex , Button , Clicks )"},
        {u"->CloseProcess()", u"( pathorname )"},
    };
    for (const auto& [keyword, text] : templates) {
        const CatalogueMatch match = BuiltInCatalogue().FindCatalogueEntry(keyword);
        EXPECT_EQ(match ? Str(match.entry->Parameters()) : u"(missing)", text);
    }
    const CatalogueMatch runWait = BuiltInCatalogue().FindCatalogueEntry(u"<RunWait>");
    ASSERT_TRUE(runWait);
    EXPECT_EQ(Str(runWait.entry->Description()),
              u"Run the commands specified in the lines below this keyword, and wait \r\nuntil "
              u"each command ends execution before stepping to the next one.");
}

// The keywords of rows that break a writing convention, so a failure names them.
TEST(CatalogueTexts, EveryTextFollowsTheConventions) {
    std::vector<std::u16string> loneBreaks, unlabelled, placeholders, repeated;
    std::set<std::u16string> descriptions, extendedTexts;
    for (const CatalogueGroup& group : BuiltInCatalogue().Groups()) {
        for (const CatalogueEntry& entry : group.entries) {
            if (entry.IsBlank()) continue;
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
