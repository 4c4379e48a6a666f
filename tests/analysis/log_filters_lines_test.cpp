#include <gtest/gtest.h>
#include <pcre2.h>

#include <string>

#include "analysis/log_filters.h"
#include "foundation/regex.h"

namespace scrutor {
namespace {

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
