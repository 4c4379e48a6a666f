#include "analysis/web_lookup.h"

#include <gtest/gtest.h>

#include <string>

namespace scrutor {
namespace {

// Which field a line is looked up by, and how the name reaches both kinds of page.
TEST(WebLookup, EachLineOpensThePagesOfTheFileItNames) {
    const WebEndpoints sites{u"https://s.test", u"https://f.test", u"http://h.test"};
    const struct {
        const char16_t *line, *search, *library;  // search null: the line yields no page
    } cases[] = {
        {u"<APPDATA> | C:\\Users\\a\\AppData\\x.exe", u"x.exe", u"x.exe"},
        {u"<HKLM Uninstall> | only two fields", nullptr, nullptr},
        {u"<HKLM\\Software\\Microsoft\\Windows\\Uninstall> | a | C:\\x\\late.exe | y", u"late.exe", u"late.exe"},
        {u"Uninstall> | {0A1B} | Early | C:\\x\\e.exe | y", u"e.exe", u"e.exe"},
        {u"<Run> | a | C:\\T\\c++ 100%#1?.exe | y", u"c%2B%2B+100%25%231%3F.exe", u"c%2B%2B 100%25%231%3F.exe"},
        {u"<Run> | a | D:\\\u00dcber \u2713\"x.exe | y", u"%C3%9Cber+%E2%9C%93%22x.exe", u"%C3%9Cber %E2%9C%93%22x.exe"},
        {u"<Run> | HKCU | C:\\Tools\\path-is-the-last-field.exe", nullptr, nullptr},
        {u"no separator in this line at all, C:\\x.exe", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        WideString query;
        EXPECT_EQ(LookupQueryOfLine(c.line, query), c.search != nullptr);
        if (c.search == nullptr) continue;
        EXPECT_EQ(std::u16string(WebLookupUrl(query, kSearchLookupFlags, sites).View()),
                  u"https://s.test/search?q=" + std::u16string(c.search));
        EXPECT_EQ(std::u16string(WebLookupUrl(query, kLibraryLookupFlags, sites).View()),
                  u"https://f.test/lib/" + std::u16string(c.library) + u".html");
    }
}

}  // namespace
}  // namespace scrutor
