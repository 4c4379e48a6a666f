#include "foundation/regex.h"

#include <gtest/gtest.h>
#include <pcre2.h>

#include <random>
#include <string>
#include <utility>

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) { return std::u16string(text.View()); }

TEST(Regex, MatchesAndMatchCompiled) {
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

// Units whose low bytes collide ('A' + 0x100, 'a' + 0x100) share skips with letters of the
// literal; only A-Z may fold.
TEST(LiteralFinder, AgreesWithAPlainFoldedSearch) {
    const std::u16string alphabet = u"aAbB| \u0141\u0161";
    const auto fold = [](char16_t u) { return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u; };
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::u16string text(random() % 40, u' '), literal(1 + random() % 4, u' ');
        for (char16_t& u : text) u = alphabet[random() % alphabet.size()];
        for (char16_t& u : literal) u = alphabet[random() % alphabet.size()];
        const bool caseless = round % 2 == 0;
        std::u16string foldedText = text, foldedLiteral = literal;
        for (char16_t& u : foldedText) u = caseless ? fold(u) : u;
        for (char16_t& u : foldedLiteral) u = caseless ? fold(u) : u;
        const std::size_t from = random() % 8;
        ASSERT_EQ(LiteralFinder(literal, caseless).Find(text, from), foldedText.find(foldedLiteral, from))
            << "round " << round;
    }
}

// A long run of a repeated group overflows the JIT's default stack; the interpreter's
// result must come back, not "no match".
TEST(RegexJit, AnyJitErrorFallsBackToTheInterpreter) {
    std::u16string subject = u"x";
    for (int i = 0; i < 100000; ++i) subject += u"ab";
    subject += u"c\nrest";
    RegexCode code = CompileRegex(u"x(a|b)*c", 0);
    if (!code.CompileJit()) GTEST_SKIP() << "this PCRE2 has no JIT";
    pcre2_match_data_16* data = pcre2_match_data_create_from_pattern_16(code.Get(), nullptr);
    EXPECT_EQ(pcre2_match_16(code.Get(), reinterpret_cast<PCRE2_SPTR16>(subject.c_str()),
                             subject.size(), 0, 0, data, nullptr),
              PCRE2_ERROR_JIT_STACKLIMIT);
    pcre2_match_data_free_16(data);

    WideString text(subject);
    EXPECT_EQ(DeleteMatchesInLines(text, code.Get(), u"x", false), 1);
    EXPECT_EQ(text.View(), u"\nrest");
    text = WideString(subject);
    EXPECT_EQ(text.ReplaceRegex(u"x(a|b)*c", u"y", 0), 1);  // long enough for the JIT
    EXPECT_EQ(text.View(), u"y\nrest");
}

}  // namespace
}  // namespace scrutor
