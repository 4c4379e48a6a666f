#include "analysis/find_text.h"

#include <gtest/gtest.h>

namespace scrutor {
namespace {

TEST(FindNextOccurrence, WalksForwardWrapsOnceAndFoldsOnlyAsciiLetters) {
    const struct {
        const char16_t* text;
        const char16_t* needle;
        std::size_t from;
        std::size_t expected;  // 1-based; 0 = none
    } cases[] = {
        // Each search starts at the end of the previous hit.
        {u"abc ABC abc", u"abc", 0, 1},
        {u"abc ABC abc", u"abc", 3, 5},
        {u"abc ABC abc", u"abc", 7, 9},
        {u"abc ABC abc", u"abc", 11, 1},
        // The wrap-around takes only a hit that ends by the old start (from + 1 characters).
        {u"xabc", u"abc", 4, 2},
        {u"xabcx", u"abc", 3, 2},
        {u"xxabc", u"abc", 3, 0},
        // A needle longer than `from` skips the wrap-around altogether.
        {u"abcdef", u"abc", 2, 0},
        {u"abc", u"", 0, 0},
        // Folding joins A-Z with a-z and nothing else.
        {u"x[Y]", u"{y}", 0, 0},
        {u"x@", u"`", 0, 0},
        {u"\u00C9t\u00E9", u"\u00E9T\u00C9", 0, 0},
        {u"xMiXeD", u"mixed", 0, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindNextOccurrence(WideString(c.text), c.needle, c.from), c.expected)
            << "case " << &c - cases;
    }
}

}  // namespace
}  // namespace scrutor
