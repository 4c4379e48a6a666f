#include "analysis/web_lookup.h"

#include <pcre2.h>

#include <array>
#include <string>

namespace scrutor {

namespace {

// PCRE2 reads bare parentheses as a group, which would leave "(x86)" tags unrecognised.
constexpr char16_t kTagPattern[] =
    u"<.*?(Appdata|ContentsProgramfiles|ContentsProgramfiles\\(x86\\)|ContentsSystemDrive)>";
constexpr char16_t kUninstallMarker[] = u"Uninstall> | ";
constexpr std::int64_t kUninstallFirst = 3;
constexpr std::int64_t kUninstallLast = 32;
constexpr char16_t kDrivePathPattern[] = u".* \\| ([A-Za-z]:\\\\.+?) \\| .*";

bool Field(const WideString& line, std::size_t index, WideString& field) {
    const WideStringList fields(line.CStr(), u" | ", true);
    if (index >= fields.Count()) return false;
    field = fields.Get(index);
    return true;
}

// Characters that would end the query or the path early, change its meaning, or break the
// quoted command line of the browser; and every non-ASCII byte of the UTF-8 form.
bool MustEncode(unsigned char byte) {
    return byte >= 0x80 || byte == '%' || byte == '&' || byte == '#' || byte == '+' ||
           byte == '?' || byte == '"';
}

// "+" is encoded before spaces become "+", so a real plus survives the search.
WideString PercentEncode(const WideString& text, bool spaceAsPlus) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string out;
    for (const char c : text.ToUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (MustEncode(byte)) {
            out += {u'%', kHex[byte >> 4], kHex[byte & 0x0F]};
        } else {
            out += byte == ' ' && spaceAsPlus ? u'+' : static_cast<char16_t>(byte);
        }
    }
    return WideString(std::u16string_view(out));
}

constexpr std::array<const char16_t*, 7> kHelpPaths{
    u"/zep/help/scrutor.php",
    u"/zep/help/",
    u"/zep/help/script_commands",
    u"/zep/help/scrutor.php?#Automation",
    u"/zep/help/scrutor.php?#Control_info_tool",
    u"/zep/help/script_commands/specialtitledefinition.php",
    u"/zep/help/script_commands/classnncontroldefinition.php",
};

}  // namespace

bool LookupQueryOfLine(const WideString& line, WideString& query) {
    if (line.Find(u" | ") == 0) return false;
    if (line.Matches(kTagPattern)) return Field(line, 1, query);
    if (line.Find(kUninstallMarker, false, 1, kUninstallFirst,
                  kUninstallLast - kUninstallFirst + 1) != 0) {
        return Field(line, 2, query);
    }
    query = line;
    return query.ReplaceRegex(kDrivePathPattern, u"$1", PCRE2_CASELESS) > 0;
}

WideString WebLookupUrl(WideString text, std::uint32_t flags, const WebEndpoints& endpoints) {
    if ((flags & kLookupFileNamePart) != 0) text.FileNamePart();
    WideString url;
    if ((flags & kLookupWebSearch) != 0) {
        url.Assign(endpoints.search, u"/search?q=", PercentEncode(text, true));
    } else {
        url.Assign(endpoints.fileLibrary, u"/lib/", PercentEncode(text, false), u".html");
    }
    return url;
}

std::vector<WideString> LookupQueries(const WideStringArray& lines) {
    std::vector<WideString> queries;
    WideString query;
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        if (LookupQueryOfLine(lines.Get(i), query)) queries.push_back(query);
    }
    return queries;
}

WideString ManyPagesQuestion(std::size_t count) {
    WideString number;
    number.FromUInt64(count);
    WideString question;
    question.Assign(u"Open ", number, u" web pages?");
    return question;
}

WideString HelpPageUrl(const WideString& helpSite, HelpPage page) {
    const auto index = static_cast<std::size_t>(page);
    WideString url;
    url.Assign(helpSite, index < kHelpPaths.size() ? kHelpPaths[index] : kHelpPaths[0]);
    return url;
}

}  // namespace scrutor
