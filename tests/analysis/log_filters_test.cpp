#include "analysis/log_filters.h"

#include <gtest/gtest.h>
#include <pcre2.h>

#include <string>
#include <vector>

#include "foundation/regex.h"

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) { return std::u16string(text.View()); }

// A line no filter touches, long enough to lift any text over the hiding threshold.
const std::u16string kKeep = u"<Winlogon> | Shell | explorer.exe | keep this line";

// Each matching line loses its text and its CR; its LF stays behind.
TEST(ApplyLineFilter, EachFilterDeletesOnlyItsKindOfLine) {
    using enum LineFilter;
    const struct {
        LineFilter filter;
        const char16_t* line;
        bool hidden;
    } cases[] = {
        {kMicrosoftSigned, u"C:\\a.dll | Signed :  Microsoft Corporation | x", true},
        {kMicrosoftSigned, u"C:\\a.dll | Signed : Microsoft Corporation | x", false},
        {kMicrosoftSigned, u"C:\\a.dll | SIGNED :  microsoft corp", true},
        {kAllSigned, u"C:\\a.dll | Signed : Acme Ltd | x", true},
        {kAllSigned, u"C:\\a.dll | Not signed | x", false},
        {kUninstallEntries, u"<HKLM\\Software\\...Uninstall> | 7-Zip", true},
        {kUninstallEntries, u"  <@Maria\\Uninstall> | Zoom", true},
        {kUninstallEntries, u"<HKLM\\...\\Uninstall> | 7-Zip", false},
        {kUninstallEntries, u"<HKLM\\...Uninstall>|no spaces", false},
        {kFolderContents, u"<ContentsProgramfiles(x86)> | C:\\a", true},
        {kFolderContents, u"<contentssystemdrive> | C:\\a", true},
        {kFolderContents, u" <@Maria\\Appdata> | C:\\a", true},
        {kFolderContents, u"<@Maria\\LocalAppdata> | C:\\a", true},
        {kFolderContents, u"<@Maria\\Documents> | C:\\a", false},
        {kStoppedServices, u"<Services> | Fax | Stopped - Manual | C:\\f.exe", true},
        {kStoppedServices, u"<Services> | Fax | Running - Manual | C:\\f.exe", false},
        {kStoppedServices, u"<Services> | Fax | Stopped - Manual", false},
        {kRecentItems, u"<RecentFiles> | C:\\a.docx", true},
        {kRecentItems, u"<RecentFolder> | C:\\a", true},
        {kRecentItems, u"<RecentDocs> | C:\\a", false},
    };
    for (const auto& c : cases) {
        const std::u16string line(c.line);
        WideString text(line + u"\r\n" + kKeep);
        ASSERT_TRUE(ApplyLineFilter(c.filter, text));
        EXPECT_EQ(Str(text), c.hidden ? u"\n" + kKeep : line + u"\r\n" + kKeep)
            << static_cast<int>(c.filter) << ": " << WideString(c.line).ToUtf8();
    }
}

TEST(ApplyLineFilter, ThresholdNothingMatchedAndUnknownFilters) {
    // The threshold counts the whole text: 49 characters stay untouched, 50 are filtered.
    const std::u16string line = u"C:\\a.dll | Signed :  Microsoft Corporation\r\n";
    for (const std::size_t length : {std::size_t{49}, std::size_t{50}}) {
        const std::u16string original = line + std::u16string(length - line.size(), u'x');
        WideString text(original);
        const bool applies = ApplyLineFilter(LineFilter::kMicrosoftSigned, text);
        EXPECT_EQ(applies, length == 50) << length;
        EXPECT_EQ(Str(text), applies ? original.substr(line.size() - 1) : original) << length;
    }
    // Nothing matched: the text is unchanged but the editor is still to be replaced.
    WideString text(kKeep + u"\r\n" + kKeep);
    EXPECT_TRUE(ApplyLineFilter(LineFilter::kRecentItems, text));
    EXPECT_EQ(Str(text), kKeep + u"\r\n" + kKeep);
    EXPECT_EQ(LineFilterPattern(static_cast<LineFilter>(7)), nullptr);
    EXPECT_FALSE(ApplyLineFilter(static_cast<LineFilter>(0), text));
    EXPECT_EQ(Str(text), kKeep + u"\r\n" + kKeep);
}

TEST(EditControlLines, OnlyCarriageReturnLineFeedEndsALine) {
    using Lines = std::vector<std::u16string_view>;
    EXPECT_EQ(EditControlLines(u""), Lines{u""});
    EXPECT_EQ(EditControlLines(u"a\nb\rc\r\nd"), (Lines{u"a\nb\rc", u"d"}));
    EXPECT_EQ(EditControlLines(u"a\r\n\r\n"), (Lines{u"a", u"", u""}));
    EXPECT_EQ(EditControlLines(u"a\r\r\nb"), (Lines{u"a\r", u"b"}));
}

// A '>' at position 43 still closes a keyword; at 44 it does not.
TEST(ClearUnnecessaryLines, KeepsCommandLinesGrouped) {
    const std::u16string tag43 = u"<" + std::u16string(41, u'K') + u">";
    const std::u16string tag44 = u"<" + std::u16string(42, u'K') + u">";
    const struct {
        std::u16string text;
        std::u16string expected;
    } cases[] = {
        // The header and comments go; the keep list keeps data lines under its commands.
        {u"<ZEPCommandsScript>\r\n<Comment>\r\nclean up the\r\nleft-overs\r\n<Delete>\r\n"
         u"C:\\a.exe\r\nC:\\b.dll\r\n<Reboot>",
         u"\r\n<Delete>\r\nC:\\a.exe\r\nC:\\b.dll\r\n\r\n<Reboot>\r\n"},
        {u"<Run> -h\r\ncmd /c x\r\n<Reboot>\r\nxyz abc\r\n",
         u"\r\n<Run> -h\r\ncmd /c x\r\n\r\n<Reboot>\r\n"},
        // A five-character keyword line is dropped.
        {u"<Delete>\r\nC:\\a.exe\r\n<Reg>\r\nHKLM\\Software\\Bad\r\n<Reboot>\r\n<Run>\r\ncmd /c x\r\n",
         u"\r\n<Delete>\r\nC:\\a.exe\r\nHKLM\\Software\\Bad\r\n\r\n<Reboot>\r\n"},
        // The same keyword in any case is one group.
        {u"  <Delete> C:\\a.exe\r\n\t<DELETE> C:\\b.exe  \r\n",
         u"\r\n<Delete> C:\\a.exe\r\n<DELETE> C:\\b.exe\r\n"},
        {u"plain text line\r\n\r\n<Reboot>", u"\r\n<Reboot>\r\n"},
        {u"<Delete>\r\n" + tag43 + u" x\r\n", u"\r\n<Delete>\r\n\r\n" + tag43 + u" x\r\n"},
        {u"<Delete>\r\n" + tag44 + u" x\r\n", u"\r\n<Delete>\r\n" + tag44 + u" x\r\n"},
        // Split at every LF, "abc" would be a 3-character line and dropped.
        {u"<Delete>\r\n\n\n\nabc\r\n<Reboot>\n\r\n", u"\r\n<Delete>\r\nabc\r\n\r\n<Reboot>\r\n"},
        {u"\r\n", u""},
    };
    for (const auto& c : cases) {
        WideString text(c.text);
        ASSERT_TRUE(ClearUnnecessaryLines(text));
        EXPECT_EQ(Str(text), c.expected) << (&c - cases);
    }
    WideString empty;
    EXPECT_FALSE(ClearUnnecessaryLines(empty));
}

TEST(KeepFileNotFoundLines, KeepsLongEnoughLinesWhole) {
    const std::u16string line39 = u"<Run> | pf | File not found: C:\\pf1.exe";
    const std::u16string line40 = u" <Run> | pf | file NOT found: C:\\pf1.exe";
    const std::u16string withFeed = u"\n<Tasks> | t | File not found: C:\\t\\task.exe";
    ASSERT_EQ(line39.size(), 39u);
    WideString text(line39 + u"\r\n" + line40 + u"\r\n" + kKeep + u"\r\n" + withFeed);
    ASSERT_TRUE(KeepFileNotFoundLines(text));
    EXPECT_EQ(Str(text), line40 + u"\r\n" + withFeed + u"\r\n");
    // Texts under nine characters are left alone.
    WideString eight(u"12345678"), nine(u"123456789");
    EXPECT_FALSE(KeepFileNotFoundLines(eight));
    EXPECT_EQ(Str(eight), u"12345678");
    EXPECT_TRUE(KeepFileNotFoundLines(nine));
    EXPECT_EQ(Str(nine), u"");
    // Reading lines through EM_GETLINE with a buffer of text length + 10 would hand the
    // control a 16-bit size of 0 for a text of 65,526 characters and lose every line.
    const std::u16string head = u"<Files> | C:\\a.exe | File not found: C:\\";
    const std::u16string longLine = head + std::u16string(65526 - 2 - head.size(), u'x');
    text = WideString(longLine + u"\r\n");
    ASSERT_EQ(text.Length(), 65526u);
    ASSERT_TRUE(KeepFileNotFoundLines(text));
    EXPECT_EQ(Str(text), longLine + u"\r\n");
}

TEST(IgnoreFilesInSelection, MarksThePathField) {
    const struct {
        const char16_t* selection;
        const char16_t* expected;
        int changed;
    } cases[] = {
        {u" <ContentsProgramfiles> | C:\\a\\b.exe | Signed : X | y",
         u" <ContentsProgramfiles> | Ignore:C:\\a\\b.exe | Signed : X | y", 1},
        {u"<Tasks> | C:\\a.exe | d:\\b.dll | y", u"<Tasks> | C:\\a.exe | Ignore:d:\\b.dll | y", 1},
        {u"<Tasks> | T1 | C:\\a.exe", u"<Tasks> | T1 | C:\\a.exe", 0},
        {u"<A> | C:\\a.exe | x\r\n<B> | none | y\r\n<C> | E:\\c.sys | z\r\n",
         u"<A> | Ignore:C:\\a.exe | x\r\n<B> | none | y\r\n<C> | Ignore:E:\\c.sys | z\r\n", 2},
        {u"", u"", 0},
    };
    for (const auto& c : cases) {
        WideString text(c.selection);
        EXPECT_EQ(IgnoreFilesInSelection(text), c.changed) << (&c - cases);
        EXPECT_EQ(Str(text), c.expected);
    }
}

// The filters look only at lines holding their literal; the text must come out as PCRE2's
// interpreter leaves it after substituting over the whole text. Long enough for the JIT.
TEST(ApplyLineFilter, GivesTheWholeTextSubstitutionsResult) {
    const std::u16string block =
        u"C:\\a.dll | Signed :  MICROSOFT corp | Signed :  Microsoft Corp\r\n"
        u"C:\\b.dll | Signed :  Microsoft Co | Signed : Acme\r"
        u"  x <RecentFiles> | a | <RecentFolder> | b\r\n"
        u"<HKLM\\...Uninstall> | Uninstall> | z\n\n"
        u"<ContentsX> y> | <@u\\Appdata> | q\r\n"
        u"S | Fax | Stopped - M | C:\\f | Stopped - N | g\r\n"
        u"\u00e4<Recent> | no\r\n";
    std::u16string text;
    while (text.size() < kJitMinSubjectUnits) text += block;
    text += u"tail | Signed :  Microsoft Corp | Stopped - a | <RecentFiles> | Uninstall> | ";
    for (int filter = 1; filter <= 6; ++filter) {
        WideString expected(text), actual(text);
        (void)SubstituteAll(expected, CompileRegex(LineFilterPattern(LineFilter(filter)),
                                                   PCRE2_CASELESS).Get(), u"");
        ASSERT_TRUE(ApplyLineFilter(LineFilter(filter), actual));
        EXPECT_NE(expected.View(), text) << "filter " << filter;
        EXPECT_EQ(actual.View(), expected.View()) << "filter " << filter;
    }
}

}  // namespace
}  // namespace scrutor
