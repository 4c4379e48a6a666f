#include <gtest/gtest.h>
#include <pcre2.h>

#include <random>
#include <string>

#include "foundation/regex.h"

namespace scrutor {
namespace {

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
