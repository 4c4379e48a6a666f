#include "catalogue/line_help_text.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace scrutor {
namespace {

constexpr const char16_t* kNoHelpText = u"There is no help available for this line.";
constexpr const char16_t* kNoHelpTitle = u"Information";
constexpr const char16_t* kAutomationSuffix =
    u"\r\n\r\nPress Ctrl+SpaceBar to display this tip again.\r\n"
    u"For more info, select Help -> Automation help.";
constexpr const char16_t* kScriptSuffix =
    u"\r\n\r\nPress Ctrl+SpaceBar to display this tip again.\r\n"
    u"For more info, select Help -> Script commands documentation.";
constexpr const char16_t* kLogLineText =
    u"This is a line from the ZEP log.\r\n\r\nRemarks:\r\n"
    u"Specifying this line in a script will delete the file(s) listed in the info fields, "
    u"and the associated registry entries, where applicable.\r\n"
    u"In some cases, you can delete only the registry entry if you click Analyze log -> "
    u"Ignore files in the selected lines.\r\n\r\n"
    u"Press Ctrl+SpaceBar to display this tip again.\r\n"
    u"For more info, select Help -> Script commands documentation.";
constexpr const char16_t* kLogLineTitleTail =
    u" | info field 1 | info field 2 | info field 3 | info field 4";
constexpr const char16_t* kSyntaxPrefix = u"Syntax: ";
constexpr const char16_t* kParagraphBreak = u"\r\n\r\n";

// Lines shorter than this hold no keyword worth looking up ("<Reg>" is the shortest).
constexpr std::size_t kMinimumLineLength = 5;

// The key to look up and the title to show, cut out of a trimmed line.
struct LineKey {
    bool found = false;
    bool automation = false;
    WideString key;
    WideString title;
};

LineKey CutAutomationKey(const WideString& line) {
    LineKey result;
    const std::size_t paren = line.Find(u"(");
    if (paren == 0) {
        return result;
    }
    result.found = true;
    result.automation = true;
    result.title = line;
    result.title.Left(static_cast<std::int64_t>(paren) - 1);  // the name without "("
    result.key.Assign(result.title, u"()");
    return result;
}

LineKey CutScriptKey(const WideString& line) {
    LineKey result;
    const std::size_t bracket = line.Find(u">");
    if (bracket == 0) {
        return result;
    }
    result.found = true;
    result.key = line;
    result.key.Left(static_cast<std::int64_t>(bracket));
    result.title = result.key;
    return result;
}

LineKey CutKey(const WideString& line) {
    const char16_t* text = line.CStr();
    const bool automation = text[0] == u'-' && text[1] == u'>';  // case-sensitive by nature
    return automation ? CutAutomationKey(line) : CutScriptKey(line);
}

LineHelpTip NoHelpTip() {
    return {LineHelpTipKind::NoHelp, WideString(kNoHelpTitle), WideString(kNoHelpText)};
}

// Syntax line, then description and extended description as paragraphs when they say
// anything (more than 2 characters), then the suffix.
WideString FoundText(const WideString& title, const CatalogueEntry& entry, bool automation) {
    WideString text;
    text.Assign(kSyntaxPrefix, title, entry.Parameters());
    const WideString description = entry.Description();
    if (description.Length() > 2) {
        text.Append(kParagraphBreak, description);
    }
    const WideString extended = entry.ExtendedDescription();
    if (extended.Length() > 2) {
        text.Append(kParagraphBreak, extended);
    }
    text.Append(automation ? kAutomationSuffix : kScriptSuffix);
    return text;
}

}  // namespace

LineHelpTip BuildLineHelpTip(const char16_t* lineText, const CommandCatalogue& catalogue) {
    WideString line(lineText);
    line.Trim();
    if (line.Length() < kMinimumLineLength) {
        return NoHelpTip();
    }
    LineKey key = CutKey(line);
    if (!key.found) {
        return NoHelpTip();
    }
    const CatalogueMatch match = catalogue.FindCatalogueEntry(key.key.CStr());
    if (!match) {
        WideString title;
        title.Assign(key.title, kLogLineTitleTail);
        return {LineHelpTipKind::LogLine, std::move(title), WideString(kLogLineText)};
    }
    const LineHelpTipKind kind =
        key.automation ? LineHelpTipKind::Automation : LineHelpTipKind::Script;
    WideString text = FoundText(key.title, *match.entry, key.automation);
    return {kind, std::move(key.title), std::move(text)};
}

}  // namespace scrutor
