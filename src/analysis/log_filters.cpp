#include "analysis/log_filters.h"

#include <pcre2.h>

#include <iterator>
#include <string>

#include "foundation/regex.h"

namespace scrutor {
namespace {

// The patterns exactly as they have always been handed to PCRE2. In 1-3 the line break
// group is the escape pair backslash-r backslash-n, in 4-6 the CR and LF characters
// themselves; PCRE2 reads both alike. Filter 1 wants two spaces after "Signed :".
// Each pattern ends in a greedy ".*", which stops at the line feed, so the line break group
// always matches zero times and no match leaves its line; each match holds the literal
// beside it, so lines without it are never handed to PCRE2.
struct FilterPattern {
    const char16_t* pattern;
    std::u16string_view literal;
};
constexpr FilterPattern kFilterPatterns[] = {
    {uR"(.* \| Signed :  Microsoft Corp.*(\r\n){0,2})", u" | Signed :  Microsoft Corp"},
    {uR"(.* \| Signed : .*(\r\n){0,2})", u" | Signed : "},
    {uR"( *<(.*\.\.\.|@.*\\)Uninstall> \| .*(\r\n){0,2})", u"Uninstall> | "},
    {uR"( *(<Contents.*>|<@.*\\Appdata>|<@.*\\LocalAppdata>) \| .*)" u"(\r\n){0,2}", u"> | "},
    {uR"(.*? \| Stopped - .+? \| .*)" u"(\r\n){0,2}", u" | Stopped - "},
    {uR"( *<Recent(Files|Folder)> \| .*)" u"(\r\n){0,2}", u"<Recent"},
};

// Group 1 is greedy: with two path fields "Ignore:" goes before the last one that is
// followed by another field.
constexpr const char16_t* kIgnorePattern = uR"((.* \| )([A-Za-z]:\\.+? \| .*))";
constexpr const char16_t* kIgnoreReplacement = u"$1Ignore:$2";

// Keywords of the multi-line commands: the lines under them are the command's data.
constexpr std::u16string_view kKeepList =
    u"<UpdateSoftware>|<Delete>|<Run>|<Runwait>|<Download>|<SDelete>|<ReplaceFile>|"
    u"<SReplaceFile>|<CmdScript>|<Reg>";
constexpr std::u16string_view kFileNotFound = u" | File not found: ";
constexpr std::u16string_view kLineBreak = u"\r\n";

bool EqualsFold(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool StartsWithFold(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && EqualsFold(text.substr(0, prefix.size()), prefix);
}

bool ContainsFold(std::u16string_view text, std::u16string_view needle) {
    if (needle.empty() || needle.size() > text.size()) return false;
    for (std::size_t i = 0; i + needle.size() <= text.size(); ++i) {
        if (StartsWithFold(text.substr(i), needle)) return true;
    }
    return false;
}

bool IsTrimUnit(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

std::u16string_view TrimView(std::u16string_view text) {
    while (!text.empty() && IsTrimUnit(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsTrimUnit(text.back())) text.remove_suffix(1);
    return text;
}

// The keyword of a trimmed line: "<" at the start and the first ">" somewhere in positions
// 4 to 43 (1-based), so a tag closed later than that is not taken as a keyword.
std::u16string_view KeywordOf(std::u16string_view line) {
    constexpr std::size_t kFirst = 3;
    constexpr std::size_t kWindow = 40;
    if (line.size() <= kFirst || line.front() != u'<') return {};
    const std::size_t close = line.substr(kFirst, kWindow).find(u'>');
    if (close == std::u16string_view::npos) return {};
    return line.substr(0, kFirst + close + 1);
}

struct KeywordState {
    std::u16string_view current;   // the last keyword seen; rules the lines below it
    std::u16string_view previous;  // the keyword of the last group opened in the result
};

void AppendCommandLine(std::u16string_view line, KeywordState& state, std::u16string& out) {
    // Lines of 5 characters go before anything else, bare "<Reg>" and "<Run>" included.
    constexpr std::size_t kMinLineLength = 6;
    if (line.size() < kMinLineLength) return;
    const std::u16string_view trimmed = TrimView(line);
    const std::u16string_view keyword = KeywordOf(trimmed);
    if (!keyword.empty()) {
        state.current = keyword;
        if (EqualsFold(keyword, u"<ZEPCommandsScript>") || EqualsFold(keyword, u"<Comment>")) {
            return;
        }
        if (!EqualsFold(keyword, state.previous)) {
            out += kLineBreak;
            state.previous = keyword;
        }
    }
    if (state.current.empty()) return;
    if (StartsWithFold(trimmed, state.current) || ContainsFold(kKeepList, state.current)) {
        out += trimmed;
        out += kLineBreak;
    }
}

}  // namespace

const char16_t* LineFilterPattern(LineFilter filter) {
    const int index = static_cast<int>(filter) - 1;
    constexpr int kCount = static_cast<int>(std::size(kFilterPatterns));
    return index >= 0 && index < kCount ? kFilterPatterns[index].pattern : nullptr;
}

// "." matches CR but not LF, so a matching line loses its text and its CR and leaves a
// bare LF behind; a matching last line without a break goes entirely.
int ApplyLineFilter(LineFilter filter, std::u16string_view text, WideString& result) {
    const char16_t* pattern = LineFilterPattern(filter);
    if (pattern == nullptr || text.size() < kMinFilterTextLength) return -1;
    RegexCode code = CompileRegex(pattern, PCRE2_CASELESS);
    if (text.size() >= kJitMinSubjectUnits) (void)code.CompileJit();
    const std::u16string_view literal = kFilterPatterns[static_cast<int>(filter) - 1].literal;
    return DeleteMatchesInLines(text, code.Get(), literal, true, result);
}

bool ApplyLineFilter(LineFilter filter, WideString& text) {
    WideString result;
    const int hidden = ApplyLineFilter(filter, text.View(), result);
    if (hidden > 0) text = std::move(result);
    return hidden >= 0;
}

// Built in a growable string: neither the number of groups nor a last line without a break
// can overflow the result.
bool ClearUnnecessaryLines(WideString& text) {
    if (text.IsEmpty()) return false;
    std::u16string result;
    KeywordState state;
    for (const std::u16string_view line : EditControlLines(text.View())) {
        AppendCommandLine(line, state, result);
    }
    text = WideString(std::u16string_view(result));
    return true;
}

bool KeepFileNotFoundLines(WideString& text) {
    constexpr std::size_t kMinTextLength = 9;
    constexpr std::size_t kMinLineLength = 40;
    if (text.Length() < kMinTextLength) return false;
    std::u16string result;
    for (const std::u16string_view line : EditControlLines(text.View())) {
        if (line.size() >= kMinLineLength && ContainsFold(line, kFileNotFound)) {
            result += line;
            result += kLineBreak;
        }
    }
    text = WideString(std::u16string_view(result));
    return true;
}

int IgnoreFilesInSelection(WideString& selection) {
    return selection.ReplaceRegex(kIgnorePattern, kIgnoreReplacement, PCRE2_CASELESS);
}

// The editor is a plain multi-line Edit control without the extended end-of-line styles,
// so on Windows only CR LF ends a line: a bare CR or a bare LF (such as the ones the hiding
// filters leave) is an ordinary character of its line. The text after the last CR LF is
// always a line, empty when the text ends with a break, and an empty text is one empty line,
// just as EM_GETLINECOUNT counts. Lines are taken whole: reading them with EM_GETLINE into a
// buffer whose 16-bit size word wraps for texts near 64K would cut or empty lines.
std::vector<std::u16string_view> EditControlLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t from = 0;
    for (std::size_t at = text.find(kLineBreak); at != std::u16string_view::npos;
         at = text.find(kLineBreak, from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + kLineBreak.size();
    }
    lines.push_back(text.substr(from));
    return lines;
}

}  // namespace scrutor
