#include "analysis/web_lookup.h"

#include <gtest/gtest.h>

#include <string>

namespace scrutor {
namespace {

const WebEndpoints kSites{u"https://s.test", u"https://f.test", u"http://h.test"};

// Which field a line is looked up by, and how the name reaches both kinds of page.
TEST(WebLookup, EachLineOpensThePagesOfTheFileItNames) {
    const struct {
        const char16_t* line;
        const char16_t* search;   // null: the line yields no page
        const char16_t* library;
    } cases[] = {
        {u" <ContentsProgramfiles> | C:\\Program Files\\Foo Bar | x", u"Foo+Bar", u"Foo Bar"},
        {u"<ContentsProgramfiles(x86)> | C:\\Program Files (x86)\\Kit", u"Kit", u"Kit"},
        {u"<APPDATA> | C:\\Users\\a\\AppData\\x.exe", u"x.exe", u"x.exe"},
        {u"<HKLM Uninstall> | {0A1B} | AT&T Setup.exe | 1.0", u"AT%26T+Setup.exe", u"AT%26T Setup.exe"},
        {u"<HKLM Uninstall> | only two fields", nullptr, nullptr},
        {u"<HKLM\\Software\\Microsoft\\Windows\\Uninstall> | a | C:\\x\\late.exe | y", u"late.exe", u"late.exe"},
        {u"Uninstall> | {0A1B} | Early | C:\\x\\e.exe | y", u"e.exe", u"e.exe"},
        {u"<Run> | HKLM | C:\\T\\c++ 100%#1?.exe | File not found", u"c%2B%2B+100%25%231%3F.exe", u"c%2B%2B 100%25%231%3F.exe"},
        {u"<Run> | a | D:\\\u00dcber \u2713\"x.exe | y", u"%C3%9Cber+%E2%9C%93%22x.exe", u"%C3%9Cber %E2%9C%93%22x.exe"},
        {u"<Run> | HKCU | C:\\Tools\\path-is-the-last-field.exe", nullptr, nullptr},
        {u"no separator in this line at all, C:\\x.exe", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line, c.line + std::char_traits<char16_t>::length(c.line)));
        WideString query;
        ASSERT_EQ(LookupQueryOfLine(c.line, query), c.search != nullptr);
        if (c.search == nullptr) continue;
        EXPECT_EQ(std::u16string(WebLookupUrl(query, kSearchLookupFlags, kSites).View()),
                  u"https://s.test/search?q=" + std::u16string(c.search));
        EXPECT_EQ(std::u16string(WebLookupUrl(query, kLibraryLookupFlags, kSites).View()),
                  u"https://f.test/lib/" + std::u16string(c.library) + u".html");
    }
}

// A configured address replaces the default only when it is a web address.
TEST(WebLookup, EndpointOverrides) {
    const struct {
        const char16_t* configured;
        const char16_t* used;
    } cases[] = {
        {u" http://127.0.0.1:8000/ ", u"http://127.0.0.1:8000"},
        {u"HTTPS://mirror.test/base", u"HTTPS://mirror.test/base"},
        {u"", DefaultEndpointUrl(Endpoint::kFileLibrary)},
        {u"https://", DefaultEndpointUrl(Endpoint::kFileLibrary)},
        {u"C:\\Windows\\notepad.exe", DefaultEndpointUrl(Endpoint::kFileLibrary)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::u16string(EndpointUrl(Endpoint::kFileLibrary, c.configured).View()), c.used);
    }
}

}  // namespace
}  // namespace scrutor
