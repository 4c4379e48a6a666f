#include "foundation/regex.h"

#include <gtest/gtest.h>
#include <pcre2.h>

#include <string>
#include <utility>

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) { return std::u16string(text.View()); }

TEST(Regex, MatchesMatchCompiledAndExecutableNames) {
    // The empty text matches only the empty pattern, not even '^$'.
    EXPECT_FALSE(WideString().Matches(u"^$"));
    EXPECT_TRUE(WideString().Matches(u""));
    EXPECT_TRUE(WideString().Matches(nullptr));
    EXPECT_FALSE(WideString(u"abc").Matches(nullptr));
    EXPECT_FALSE(WideString(u"(abc").Matches(u"(abc"));  // does not compile
    const char16_t* hex = u"^[A-Fa-f0-9]{32,64}$";
    EXPECT_TRUE(WideString(u"0123456789abcdef0123456789ABCDEF").Matches(hex));
    EXPECT_FALSE(WideString(u"0123456789abcdef0123456789abcde").Matches(hex));
    EXPECT_TRUE(WideString(u"SETUP").Matches(u"^setup$"));  // always caseless
    // One code unit is one character: a lone surrogate is data, only ASCII folds.
    EXPECT_TRUE(WideString(u"x\xD800y").Matches(u"^x.y$"));
    EXPECT_FALSE(WideString(u"\u03A3").Matches(u"\u03C3"));

    EXPECT_FALSE(WideString(u"abc").MatchCompiled(nullptr));
    RegexCode moved = CompileRegex(u"^b+$", 0);
    const RegexCode code = std::move(moved);
    EXPECT_FALSE(moved);
    EXPECT_TRUE(WideString(u"bbb").MatchCompiled(code.Get()));
    EXPECT_FALSE(WideString(u"BBB").MatchCompiled(code.Get()));
    EXPECT_TRUE(WideString().MatchCompiled(CompileRegex(u"^$", 0).Get()));

    ExecutableNameTest test;
    EXPECT_FALSE(test.Test(WideString(u"C:\\x\\setup.exe")));  // nothing compiled yet
    ASSERT_TRUE(test.Initialise());
    ASSERT_TRUE(test.Initialise());  // again: the old pattern is released first
    for (const char16_t* path :
         {u"C:\\x\\SETUP.EXE", u"a.Wsf", u"a.chminx", u"a.ps1xml", u"a.exe\n"}) {
        EXPECT_TRUE(test.Test(WideString(path))) << testing::PrintToString(std::u16string(path));
    }
    for (const char16_t* path : {u"C:\\x\\file.exe.txt", u"C:\\x\\notes.chm", u"a.exe\r\n", u""}) {
        EXPECT_FALSE(test.Test(WideString(path))) << testing::PrintToString(std::u16string(path));
    }
    test.Release();
    EXPECT_FALSE(test.Test(WideString(u"C:\\x\\setup.exe")));
}

// The log filters' own patterns are pinned by the analysis tests (web look-up paths,
// IgnoreFilesInSelection, ApplyLineFilter); these pin the regex layer's rules.
TEST(Regex, ReplaceRegex) {
    const struct {
        const char16_t* subject;
        const char16_t* pattern;
        const char16_t* replacement;
        std::uint32_t options;
        int count;
        const char16_t* result;
    } cases[] = {
        // Without the multiline option '$' is the end or just before a final LF.
        {u"a\na\n", u"a$", u"X", 0, 1, u"a\nX\n"},
        {u"a\r\n", u"a$", u"X", 0, 0, u"a\r\n"},
        {u"20240131", uR"((\d{4})(\d{2})(\d{2}))", u"$1-$2-$3", 0, 1, u"2024-01-31"},
        {u"cost 5", u"(\\d)", u"$$${1}0", 0, 1, u"cost $50"},
        {u"ABC abc", u"abc", u"X", PCRE2_CASELESS, 2, u"X X"},
        {u"ABC abc", u"abc", u"X", 0, 1, u"ABC X"},
        {u"abcb", u"b", nullptr, 0, 2, u"ac"},
        // "ab" gets 6 units at first, then 10, 18 and 34.
        {u"ab", u".", u"0123456789", 0, 2, u"01234567890123456789"},
        // Errors leave the text as it was.
        {u"(abc", u"(abc", u"x", 0, 0, u"(abc"},
        {u"abc", u"(b)", u"$2", 0, 0, u"abc"},
        {u"abc", nullptr, u"y", 0, 0, u"abc"},
        // The empty text never reaches PCRE2, where '^$' would match it.
        {u"", u"^$", u"x", 0, 0, u""},
    };
    for (const auto& c : cases) {
        WideString text(c.subject);
        EXPECT_EQ(text.ReplaceRegex(c.pattern, c.replacement, c.options), c.count)
            << testing::PrintToString(std::u16string(c.subject));
        EXPECT_EQ(Str(text), c.result);
    }
}

TEST(Regex, OutputGrowsByDoublingUpToTheCap) {
    const std::u16string block(50, u'#');
    std::u16string expected;
    for (int i = 0; i < 1000; ++i) expected += block;
    WideString text(std::u16string(1000, u'x'));
    EXPECT_EQ(text.ReplaceRegex(u"x", block.c_str(), 0), 1000);
    EXPECT_EQ(Str(text), expected);

    // 20 units and the terminator need the 34-unit buffer; a cap of 18 stops before it.
    const RegexCode anyChar = CompileRegex(u".", 0);
    WideString pair(u"ab");
    EXPECT_EQ(SubstituteAll(pair, anyChar.Get(), u"0123456789", 18), 0);
    EXPECT_EQ(Str(pair), u"ab");
    EXPECT_EQ(SubstituteAll(pair, anyChar.Get(), u"0123456789", 34), 2);
    // The first buffer is always tried, whatever the cap.
    pair = u"xab";
    EXPECT_EQ(SubstituteAll(pair, CompileRegex(u"(a)(b)", 0).Get(), u"$2$1", 0), 1);
    EXPECT_EQ(Str(pair), u"xba");
}

}  // namespace
}  // namespace scrutor
