#include "catalogue/command_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) { return std::u16string(text.View()); }

// Every text, keyword order and group size included, is pinned by the committed command
// reference (docs/script-commands.md, checked by catalogue_doc_current); here what it cannot
// show: group ids, unique keywords, each keyword's shape against its group, the blank row.
TEST(CommandCatalogue, StructureIsExact) {
    const auto groups = BuiltInCatalogue().Groups();
    ASSERT_EQ(groups.size(), 12u);
    std::vector<std::u16string> keywords, emptyExtended, blankNeighbours, misplaced;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].id, static_cast<std::int32_t>(8 + g));
        const auto& rows = groups[g].entries;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const CatalogueEntry& entry = rows[r];
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
    EXPECT_EQ(keywords.size(), 211u);
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
