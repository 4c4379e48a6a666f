#include "foundation/wide_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace scrutor {
namespace {

using testing::PrintToString;

// One operation on a fresh string: the text after it and the result it reports. The cached
// length must agree with the text after every edit.
struct EditCase {
    const char16_t* text;
    std::function<bool(WideString&)> edit;
    const char16_t* expected;
    bool result;
};

void CheckEdits(const char* name, std::initializer_list<EditCase> cases) {
    for (const EditCase& c : cases) {
        SCOPED_TRACE(testing::Message() << name << " of " << PrintToString(c.text));
        WideString s(c.text);
        EXPECT_EQ(c.edit(s), c.result);
        EXPECT_EQ(s.View(), c.expected);
        EXPECT_EQ(s.Length(), TextLength(s.CStr()));
    }
}

template <class Op>
std::function<bool(WideString&)> Void(Op op) {
    return [op](WideString& s) { op(s); return true; };
}

TEST(WideStringStorage, NullBufferReadsAsEmptyEverywhere) {
    WideString s;
    ASSERT_NE(s.CStr(), nullptr);
    EXPECT_TRUE(s.CStr()[0] == u'\0' && s.Length() == 0 && s.PointerAt(5) == s.CStr());
    EXPECT_EQ(s.Find(u"a"), 0u);
    EXPECT_TRUE(s == nullptr && s.EqualsNoCase(nullptr));
    EXPECT_EQ(s.CompareNoCase(u"a"), -1);
    EXPECT_FALSE(s.Trim() || s.Replace(u"a", u"b"));
    EXPECT_TRUE(s.ExpandEnvironment());
    EXPECT_EQ(s.Detach(), nullptr);

    WideString parts(nullptr, u"a", nullptr, u"b");
    parts.Prepend(nullptr, u"<");
    EXPECT_EQ(parts.View(), u"<ab");
    EXPECT_FALSE(parts.Mid(nullptr, 1, 2));
    EXPECT_TRUE(parts.IsEmpty());
}

TEST(WideStringStorage, ConcatenationMayReadItsOwnOldContent) {
    WideString s(u"abc");
    s.Assign(s, u"-", s.CStr() + 1, s.PointerAt(3), s);
    EXPECT_EQ(s.View(), u"abc-bccabc");
    s = u"xy";
    s.Append(s, s.CStr(), u"!");
    EXPECT_EQ(s.View(), u"xyxyxy!");
    s = u"ab";
    s.Prepend(s, u"|");
    EXPECT_EQ(s.View(), u"ab|ab");
    s = s.CStr() + 3;
    EXPECT_EQ(s.View(), u"ab");
    s.Assign(u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", s);
    EXPECT_EQ(s.View(), u"12345678910ab");  // the view is as long as the cached length
}

// Writable buffers reset the cached length; ownership moves; copying out.
TEST(WideStringStorage, BuffersOwnershipAndCopyingOut) {
    WideString s(u"abcdef");
    *s.CharAt(2) = 0;
    EXPECT_EQ(s.Length(), 2u);
    EXPECT_EQ(s.CharAt(99), s.CStr() + 2);  // clamped to the terminator

    char16_t* buffer = s.GetBuffer(4, s.CStr());  // the source is the old buffer
    EXPECT_EQ(buffer[2], u'\0');
    EXPECT_EQ(buffer[4], u'\0');
    buffer[2] = u'c';
    buffer[3] = u'd';
    EXPECT_EQ(s.View(), u"abcd");
    s.GetBuffer(3, u"longer source");
    EXPECT_EQ(s.View(), u"lon");
    buffer = s.GetBuffer(5, nullptr, true);
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(buffer[i], u'\0') << i;

    s = u"owned";
    WideString other(s.Detach(), false);
    EXPECT_TRUE(s.IsEmpty());
    s.Attach(other.Detach());
    EXPECT_TRUE(other.IsEmpty() && s == u"owned");
    s = u"abcdef";
    char16_t out[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
    EXPECT_TRUE(s.CopyTo(out, 4));
    EXPECT_EQ(std::u16string(out), u"abc");
    EXPECT_FALSE(s.CopyTo(nullptr, 4) || s.Status());
    EXPECT_EQ(*s.PointerAt(-3), u'a');  // 1-based, clamped at both ends
    EXPECT_EQ(*s.PointerAt(6), u'f');
    EXPECT_EQ(s.PointerAt(1000), s.CStr() + 6);
}

TEST(WideStringCompare, FoldsOnlyAsciiCapitals) {
    const char16_t* same = u"x";
    EXPECT_EQ(Compare(same, same, true), 0);
    EXPECT_EQ(Compare(nullptr, u"", true), -1);
    EXPECT_EQ(Compare(u"", nullptr, true), 1);
    EXPECT_EQ(Compare(u"abc", u"ab", false), 1);
    EXPECT_EQ(Compare(u"ABC", u"abc", false), 0);
    EXPECT_EQ(Compare(u"[", u"A", true), 1);    // '[' lies between 'Z' and 'a'
    EXPECT_EQ(Compare(u"[", u"A", false), -1);  // 'A' folds to 'a', above '['
    EXPECT_TRUE(EqualsNoCase(u"AB", u"ab"));
    EXPECT_FALSE(EqualsNoCase(u"\u00C4B", u"\u00E4b"));
    EXPECT_FALSE(EqualsNoCase(nullptr, u""));

    WideString s(u"Path\\File");
    EXPECT_TRUE(s.EqualsNoCase(WideString(u"PATH\\file")));
    EXPECT_EQ(s.CompareNoCase(u"PATH\\G"), -1);
    EXPECT_FALSE(s == u"path\\file");
}

struct FindCase {
    const char16_t* text;
    const char16_t* needle;
    bool caseSensitive;
    int occurrence;
    std::int64_t start;
    std::int64_t count;
    std::size_t expected;
};

// The program asks only for the first or the last occurrence.
TEST(WideStringFind, PositionsOccurrencesAndWindows) {
    const FindCase cases[] = {
        {u"aaa", u"aa", true, -1, 1, 0, 2},  // overlapping
        {u"abcdef", u"de", true, 1, 3, 3, 4},
        {u"abcdef", u"de", true, -1, 3, 100, 4},  // a count past the end, searched backwards
        {u"abcdef", u"de", true, 1, 3, 1, 0},   // window shorter than the needle
        {u"abcdef", u"de", true, 1, 3, 2, 0},   // window "cd"
        {u"abcdef", u"ef", true, 1, 6, 0, 0},   // start leaves no room
        {u"abcdef", u"ab", true, 1, -7, 0, 1},  // start below 1 counts as 1
        {u"abab", u"ab", true, -1, 2, 0, 3},
        {u"ababab", u"ab", true, -1, 1, 4, 3},  // backwards inside a window
        {u"xABc", u"ab", false, 1, 1, 0, 2},    {u"aBxAb", u"AB", false, -1, 1, 0, 4},
        {u"x\u00C4", u"\u00E4", false, 1, 1, 0, 0}, {u"ab", nullptr, true, 1, 1, 0, 0},
        {u"C:\\dir\\file", u"\\", true, -1, 1, 0, 7},
        {u"1|Uninstall> | x", u"uninstall> | ", false, 1, 3, 30, 3},
        {u"1|xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxUninstall> | x", u"uninstall> | ", false, 1, 3, 30, 0},
    };
    for (const FindCase& c : cases) {
        EXPECT_EQ(WideString(c.text).Find(c.needle, c.caseSensitive, c.occurrence, c.start,
                                          c.count),
                  c.expected)
            << PrintToString(c.text) << " / " << PrintToString(c.needle) << " occurrence "
            << c.occurrence << " start " << c.start << " count " << c.count;
    }
}

TEST(WideStringEdit, SubstringsTrimAndLower) {
    using S = WideString&;
    CheckEdits("Left", {{u"abcdef", [](S s) { return s.Left(4); }, u"abcd", true},
                        {u"abc", [](S s) { return s.Left(4); }, u"abc", false},
                        {u"", [](S s) { return s.Left(0); }, u"", true}});
    CheckEdits("Remove", {{u"abcdef", [](S s) { return s.RemoveLeft(2); }, u"cdef", true},
                          {u"abc", [](S s) { return s.RemoveLeft(9); }, u"", true},
                          {u"abc", [](S s) { return s.RemoveRight(-1); }, u"abc", true},
                          {u"abcdef", [](S s) { return s.RemoveRight(2); }, u"abcd", true}});
    auto mid = [](std::int64_t start, std::int64_t count) {
        return [=](S s) { return s.Mid(u"abcdef", start, count); };
    };
    CheckEdits("Mid", {{u"", mid(2, 3), u"bcd", true},   {u"", mid(0, 2), u"ab", true},
                       {u"", mid(4, 0), u"def", true},   {u"", mid(5, 10), u"ef", true},
                       {u"x", mid(9, 0), u"", true},
                       {u"own text", [](S s) { return s.Mid(s.CStr(), 5, 0); }, u"text", true}});
    CheckEdits("Trim", {{u" \t\r\nmid dle\n\r\t ", [](S s) { return s.Trim(); }, u"mid dle", true},
                        {u" \r\n\t ", [](S s) { return s.Trim(); }, u"", true},
                        {u"", [](S s) { return s.Trim(); }, u"", false},
                        {u"\u00A0x\v", [](S s) { return s.Trim(); }, u"\u00A0x\v", true}});
    CheckEdits("ToLower", {{u"\u00C4BC-xyZ@[", Void([](S s) { s.ToLower(); }),
                            u"\u00C4bc-xyz@[", true}});
}

TEST(WideStringEdit, ReplaceAll) {
    // The program replaces every match, case-sensitively.
    auto replace = [](const char16_t* find, const char16_t* by) {
        return [=](WideString& s) { return s.Replace(find, by); };
    };
    CheckEdits("Replace", {
        {u"xabyab", replace(u"ab", u""), u"xy", true},
        {u"xabyab", replace(u"zz", u"Q"), u"xabyab", false},
        {u"aaaa", replace(u"aa", u"b"), u"bb", true},  // matches do not overlap
        {u"aaa", replace(u"aa", u"X"), u"Xa", true},
        {u".", replace(u".", u"<long>"), u"<long>", true},
        {u"abc", replace(u"", u"x"), u"abc", false},
        {u"", replace(u"a", u"x"), u"", false},
        // The texts point into the string that is being rewritten.
        {u"abXab", [](WideString& s) { return s.Replace(s.PointerAt(4), u""); }, u"X", true},
        {u"ab-ab", [](WideString& s) { return s.Replace(u"-", s.CStr()); }, u"abab-abab", true},
    });
    WideString s(u"one, two, three");
    const char16_t* before = s.CStr();
    EXPECT_TRUE(s.Replace(u", ", u";"));
    EXPECT_EQ(s.CStr(), before);  // not growing: rewritten in place
}

TEST(WideStringPath, PartsOfPaths) {
    auto strip = Void([](WideString& s) { s.StripTrailingBackslashes(); });
    auto name = Void([](WideString& s) { s.FileNamePart(); });
    auto parentKeep = Void([](WideString& s) { s.ParentDirectory(true); });
    auto extension = Void([](WideString& s) { s.ExtensionPart(); });
    auto prefix = Void([](WideString& s) { s.AddLongPathPrefix(); });
    CheckEdits("paths", {
        {u"C:\\a\\\\\\", strip, u"C:\\a", true},       {u"a/", strip, u"a/", true},
        {u"C:\\dir\\f.txt", name, u"f.txt", true},      {u"C:\\dir\\", name, u"", true},
        {u"C:", name, u"", true},                       {u":", name, u":", true},
        {u"dir/file", name, u"dir/file", true},
        {u"C:\\a\\b\\", parentKeep, u"C:\\a\\", true},  {u"C:\\\\", parentKeep, u"C:\\", true},
        {u"\\\\srv", parentKeep, u"\\\\srv\\", true},   {u"C:\\dir.x\\file", extension, u"", true},
        {u"file.tar.gz", extension, u"gz", true},       {u"file.", extension, u"", true},
        {u"C:\\d\\.profile", extension, u"profile", true},
        {u"C:\\x", prefix, u"\\\\?\\C:\\x", true},      {u"x:", prefix, u"\\\\?\\x:", true},
        {u"\\\\srv\\share", prefix, u"\\\\srv\\share", true},
        {u"\\\\?\\C:\\x", prefix, u"\\\\?\\C:\\x", true},
        {u"rel\\x", prefix, u"rel\\x", true},
    });
}

TEST(WideStringNumber, NumbersToText) {
    using S = WideString&;
    CheckEdits("integers", {
        {u"x", Void([](S s) { s.FromInt32(INT32_MIN); }), u"-2147483648", true},
        {u"x", Void([](S s) { s.FromInt64(INT64_MIN); }), u"-9223372036854775808", true},
        {u"x", Void([](S s) { s.FromInt64(0); }), u"0", true},
        {u"x", Void([](S s) { s.FromUInt64(UINT64_MAX); }), u"18446744073709551615", true},
    });
    WideString s;

    const struct {
        double value;
        const char16_t* expected;
    } doubles[] = {
        {2.5, u"2.5"},    {-2.5, u"-2.5"},   {-0.5, u"-0.5"},        {0.1, u"0.1"},
        {1.05, u"1.05"},  {3.0, u"3"},       {-0.0, u"0"},           {123.456, u"123.456"},
        {7.00000000001, u"7"},
        {2.0 / 3.0, u"0.6666666666"},       {-1.0 / 3.0, u"-0.3333333333"},
        {1e15 + 0.5, u"1000000000000000.5"}, {1e20, u"100000000000000000000"},
        {-INFINITY, u"-inf"},
    };
    for (const auto& c : doubles) {
        s.FromDouble(c.value);
        EXPECT_EQ(s.View(), c.expected) << c.value;
    }
}

TEST(WideStringNumber, TextToNumbers) {
    const struct {
        const char16_t* text;
        int expected;
    } ints[] = {
        {u"42", 42},     {u" \t\n-17abc", -17},       {u"+5", 5},
        {u"abc", 0},     {u"99999999999", INT32_MAX}, {u"-99999999999", INT32_MIN},
        {u"\u00A05", 0}, {u"- 5", 0},                 {u"-2147483648", INT32_MIN},
    };
    for (const auto& c : ints) {
        WideString s(c.text);
        EXPECT_EQ(s.ToInt(), c.expected) << PrintToString(c.text);
        EXPECT_TRUE(s.Status());
        EXPECT_EQ(s.ToLong(), c.expected) << PrintToString(c.text);
    }
    WideString empty;
    EXPECT_EQ(empty.ToInt(), 0);
    EXPECT_FALSE(empty.Status());
    EXPECT_TRUE(empty.ToDouble() == 0.0 && !empty.Status());
    EXPECT_EQ(WideString(u" -1.5e3x").ToDouble(), -1500.0);
    EXPECT_EQ(WideString(u"2.25\u00E9").ToDouble(), 2.25);

    EXPECT_FALSE(WideString().IsDigits(true) || WideString(u"12a").IsDigits(true));
    EXPECT_TRUE(WideString(u"0123").IsDigits(true) && WideString(u"1ab").IsDigits(false));
    EXPECT_FALSE(WideString(u"\u0661").IsDigits(false));  // Arabic-Indic one: not ASCII
}

TEST(WideStringConvert, IntoTheString) {
    using S = WideString&;
    static const std::uint8_t bytes[] = {0x01, 0xAB};
    CheckEdits("conversion", {
        {u"", [](S s) { return s.FromHexBytes(bytes, 2); }, u"01AB", true},
        {u"x", [](S s) { return s.FromHexBytes(nullptr, 3); }, u"", false},
        {u"", [](S s) { return s.FromUtf8("h\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"); },
         u"h\u00E9 \u20AC \U0001F600", true},
        {u"", [](S s) { return s.FromUtf8("a\xFF" "b"); }, u"a\uFFFDb", true},
        {u"x", [](S s) { return s.FromUtf8(""); }, u"", false},
        {u"", [](S s) { return s.FromAnsi("plain"); }, u"plain", true},
#ifndef _WIN32
        // This build's own decoders: each maximal broken piece becomes one U+FFFD.
        {u"", [](S s) { return s.FromUtf8("\xE2\x82|\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80"); },
         u"\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD", true},
        {u"", [](S s) { return s.FromUtf8("\xE2\x82x\x80"); }, u"\uFFFDx\uFFFD", true},
        {u"", [](S s) { return s.FromAnsi("caf\xE9"); }, u"caf\u00E9", true},
#endif
    });
}

TEST(WideStringConvert, OutOfTheString) {
    const std::uint8_t bytes[] = {0x01, 0xAB};
    char16_t hex[5] = {u'#'};
    EXPECT_FALSE(BytesToHex(bytes, 2, hex, 4, 0));  // one unit too small
    EXPECT_EQ(hex[0], u'#');

    WideString s(u"h\u00E9 \u20AC \U0001F600 \xD800.");  // a lone surrogate has no UTF-8 form
    EXPECT_EQ(s.ToUtf8(), "h\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBD.");
}

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    SetEnvironmentVariableW(wideName.c_str(), std::wstring(value.begin(), value.end()).c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

TEST(WideStringConvert, ExpandEnvironment) {
    SetVariable("SCRUTOR_WS_TEST", "C:\\Tools");
    WideString s(u"%SCRUTOR_WS_TEST%\\x %SCRUTOR_WS_UNSET% 100% %%");
    EXPECT_TRUE(s.ExpandEnvironment());
    EXPECT_EQ(s.View(), u"C:\\Tools\\x %SCRUTOR_WS_UNSET% 100% %%");
    // Longer than the first 4,096-unit try.
    SetVariable("SCRUTOR_WS_LONG", std::string(3000, 'v'));
    s = u"%SCRUTOR_WS_LONG%-%SCRUTOR_WS_LONG%";
    EXPECT_TRUE(s.ExpandEnvironment());
    EXPECT_EQ(s.Length(), 6001u);
    EXPECT_EQ(*s.PointerAt(3001), u'-');
}

}  // namespace
}  // namespace scrutor
