#include "foundation/wide_string.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scrutor {
namespace {

std::vector<std::u16string> Fields(const WideStringList& list) {
    std::vector<std::u16string> fields;
    for (std::size_t i = 0; i < list.Count(); ++i) fields.emplace_back(list.Get(i));
    return fields;
}

TEST(WideStringList, SplitCases) {
    using F = std::vector<std::u16string>;
    const struct {
        const char16_t* text;
        const char16_t* separators;
        bool whole;
        F expected;
    } cases[] = {
        {u"a;", u";", false, {u"a"}},  // a trailing separator adds no empty field
        {u";a", u";", false, {u"", u"a"}},          {u"a;;b", u";", false, {u"a", u"", u"b"}},
        {u"a\r\nb", u"\r\n", false, {u"a", u"", u"b"}},
        {u"a,b;c", u",;", false, {u"a", u"b", u"c"}},
        {u"", u";", false, {u""}},                  {nullptr, u";", false, {u""}},
        {u"a;b", u"", false, {u"a;b"}},             {u"a||b", u"||", true, {u"a", u"b"}},
        {u"a||||b", u"||", true, {u"a", u"", u"b"}}, {u"a||", u"||", true, {u"a"}},
        {u"a|b", u"||", true, {u"a|b"}},            {u"a|||b", u"||", true, {u"a", u"|b"}},
        {u"x | y | ", u" | ", true, {u"x", u"y"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Fields(WideStringList(c.text, c.separators, c.whole)), c.expected)
            << "case " << (&c - cases) << (c.whole ? " whole" : " any-of");
    }
}

TEST(WideStringArray, AppendCopiesPastTheFirstAllocation) {
    WideStringArray array;
    WideString value;
    for (int i = 0; i < 30; ++i) {
        value.FromInt32(i);
        array.Append(value);
    }
    value.Append(u"-changed");
    ASSERT_EQ(array.Count(), 30u);
    EXPECT_EQ(array.Get(29).View(), u"29");
}

}  // namespace
}  // namespace scrutor
