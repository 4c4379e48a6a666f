#include "tools/catalogue_doc/catalogue_markdown.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace scrutor {
namespace {

std::string Utf8(const WideString& text) {
    return text.ToUtf8();
}

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Length of a script keyword such as "<Delete>" or "<InstallVC++>" starting at text[i],
// or 0 when none starts there.
std::size_t KeywordTokenLength(std::string_view text, std::size_t i) {
    std::size_t j = i + 1;
    while (j < text.size() && (IsWordChar(text[j]) || text[j] == '+')) {
        ++j;
    }
    return (j > i + 1 && j < text.size() && text[j] == '>') ? j - i + 1 : 0;
}

// Length of an automation function such as "->Sleep", "->Sleep()" or "->Sleep(5, 0)" at
// text[i], or 0 when none starts there.
std::size_t FunctionTokenLength(std::string_view text, std::size_t i) {
    std::size_t j = i + 2;
    while (j < text.size() && IsWordChar(text[j])) {
        ++j;
    }
    if (j == i + 2) {
        return 0;
    }
    const std::size_t close =
        j < text.size() && text[j] == '(' ? text.find(')', j) : std::string_view::npos;
    return close == std::string_view::npos ? j - i : close - i + 1;
}

// A character that would start Markdown markup. Underscores inside words never do.
bool NeedsEscape(std::string_view text, std::size_t i) {
    const char c = text[i];
    if (c == '_') {
        const bool inWord =
            i > 0 && IsWordChar(text[i - 1]) && i + 1 < text.size() && IsWordChar(text[i + 1]);
        return !inWord;
    }
    return std::string_view("\\`*[]<&").find(c) != std::string_view::npos;
}

// Marks that make a whole line a heading, quote or list item.
std::string EscapeLineStart(std::string_view line) {
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') {
        ++digits;
    }
    if (digits > 0 && digits + 1 < line.size() && (line[digits] == '.' || line[digits] == ')') &&
        line[digits + 1] == ' ') {
        return std::string(line.substr(0, digits)) + "\\";
    }
    const bool bullet = line.size() > 1 && (line[0] == '-' || line[0] == '+') && line[1] == ' ';
    return (bullet || line.starts_with('#') || line.starts_with('>')) ? "\\" : "";
}

// One line of catalogue text as Markdown: keywords and function calls become code, any
// other markup character is escaped.
std::string InlineText(std::string_view line) {
    std::string out = EscapeLineStart(line);
    for (std::size_t i = 0; i < line.size();) {
        std::size_t token = 0;
        if (line[i] == '<') {
            token = KeywordTokenLength(line, i);
        } else if (line.compare(i, 2, "->") == 0) {
            token = FunctionTokenLength(line, i);
        }
        if (token > 0) {
            out.append("`").append(line.substr(i, token)).append("`");
            i += token;
            continue;
        }
        if (NeedsEscape(line, i)) {
            out.push_back('\\');
        }
        out.push_back(line[i]);
        ++i;
    }
    return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string_view TrimRight(std::string_view line) {
    while (!line.empty() && line.back() == ' ') {
        line.remove_suffix(1);
    }
    return line;
}

bool IsSectionLabel(std::string_view line) {
    return line == "Remarks:" || line == "Parameters:" || line == "Note:" || line == "Example:";
}

// Paragraphs stay paragraphs; the lines inside one keep their breaks (hard line breaks),
// because they are lists of parameters, flags or example lines.
std::string ExtendedText(std::string_view text) {
    std::string out;
    bool inParagraph = false;
    for (std::string_view line : SplitLines(text)) {
        line = TrimRight(line);
        if (line.empty()) {
            out.append(inParagraph ? "\n\n" : "");
            inParagraph = false;
            continue;
        }
        out.append(inParagraph ? "\\\n" : "");
        out.append(IsSectionLabel(line) ? "**" + std::string(line) + "**" : InlineText(line));
        inParagraph = true;
    }
    return out.empty() ? out : out + "\n\n";
}

// A line break inside a description only wraps the sentence.
std::string DescriptionText(std::string_view text) {
    std::string out;
    for (std::string_view line : SplitLines(text)) {
        out.append(out.empty() ? "" : "\n").append(InlineText(TrimRight(line)));
    }
    return out + "\n\n";
}

// The line as the Insert command dialog writes it with "Insert parameters" checked.
std::string SyntaxText(const CatalogueEntry& entry) {
    WideString keyword = entry.Keyword();
    if (entry.IsAutomationFunction() && !entry.Parameters().IsEmpty()) {
        keyword.RemoveRight(2);  // the template brings its own parentheses
    }
    return Utf8(keyword) + Utf8(entry.Parameters());
}

std::string EntrySection(const CatalogueEntry& entry) {
    std::string out = "### `" + Utf8(entry.Keyword()) + "`\n\n";
    out += "**Syntax:** `" + SyntaxText(entry) + "`\n\n";
    out += DescriptionText(Utf8(entry.Description()));
    out += ExtendedText(Utf8(entry.ExtendedDescription()));
    return out;
}

// The anchor that common Markdown renderers give a heading.
std::string Anchor(std::string_view heading) {
    std::string anchor;
    for (char c : heading) {
        if (IsWordChar(c) || c == '-') {
            anchor.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        } else if (c == ' ') {
            anchor.push_back('-');
        }
    }
    return anchor;
}

std::size_t CommandCount(const CatalogueGroup& group) {
    std::size_t count = 0;
    for (const CatalogueEntry& entry : group.entries) {
        count += entry.IsBlank() ? 0 : 1;
    }
    return count;
}

std::string Introduction(const CommandCatalogue& catalogue) {
    std::size_t total = 0;
    std::string contents = "| Group | Commands |\n|---|---|\n";
    for (const CatalogueGroup& group : catalogue.Groups()) {
        const std::string name = Utf8(WideString(group.name));
        contents += "| [" + name + "](#" + Anchor(name) + ") | " +
                    std::to_string(CommandCount(group)) + " |\n";
        total += CommandCount(group);
    }
    return "# ZEP script commands\n\n"
           "The " +
           std::to_string(total) +
           " ZEP script commands that Scrutor documents, in the groups of its Insert command "
           "dialog. This file is generated by `tools/catalogue_doc` from the catalogue built "
           "into Scrutor; change the catalogue and run the tool again instead of editing it.\n\n"
           "A script file begins with the line `<ZEPCommandsScript>`. A single-line command "
           "stands on a line of its own, with its arguments on the same line. A multi-line "
           "command opens a block: its data are the lines below it, one item per line. "
           "Automation functions begin with `->`, take their arguments in parentheses and are "
           "written inside a `<Run>` block. Notes for the reader go in a `<Comment>` block.\n\n"
           "**Syntax** shows each command as Scrutor inserts it with \"Insert parameters\" "
           "checked; replace the parameter names with values and leave out what you do not "
           "need.\n\n"
           "## Contents\n\n" +
           contents + "\n";
}

}  // namespace

std::string CatalogueMarkdown(const CommandCatalogue& catalogue) {
    std::string out = Introduction(catalogue);
    for (const CatalogueGroup& group : catalogue.Groups()) {
        out += "## " + Utf8(WideString(group.name)) + "\n\n";
        for (const CatalogueEntry& entry : group.entries) {
            out += entry.IsBlank() ? "" : EntrySection(entry);
        }
    }
    out.pop_back();  // one newline at the end of the file, not an empty line
    return out;
}

}  // namespace scrutor
