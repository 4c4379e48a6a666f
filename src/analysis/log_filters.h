#pragma once

// The "Analyze log" rewrites of the editor text, as text-in/text-out functions. The window
// layer reads the editor text, calls one of these and, when it answers true, puts the text
// back (redraw off, set, redraw on, focus) and marks the editor modified.

#include <cstddef>
#include <string_view>
#include <vector>

#include "foundation/wide_string.h"

namespace scrutor {

// The six hiding filters, numbered as in the menu.
enum class LineFilter {
    kMicrosoftSigned = 1,
    kAllSigned = 2,
    kUninstallEntries = 3,
    kFolderContents = 4,
    kStoppedServices = 5,
    kRecentItems = 6,
};

// A text shorter than this is left alone by the hiding filters.
inline constexpr std::size_t kMinFilterTextLength = 50;

// The pattern handed to PCRE2 for a filter; null for a value outside the enumeration.
[[nodiscard]] const char16_t* LineFilterPattern(LineFilter filter);

// Deletes every line of the filter's kind. False (text untouched) when the text is too short;
// true otherwise, even when nothing matched: the editor is then still replaced and modified.
[[nodiscard]] bool ApplyLineFilter(LineFilter filter, WideString& text);
// The same on a text the caller keeps (the editor's own buffer): -1 when the text is too
// short; otherwise the number of lines hidden, and `result` holds the text when above 0.
[[nodiscard]] int ApplyLineFilter(LineFilter filter, std::u16string_view text, WideString& result);

// Reduces a script to its command lines, grouped by keyword with an empty line before each
// group. False (text untouched) for an empty text.
[[nodiscard]] bool ClearUnnecessaryLines(WideString& text);

// Keeps only the lines that report a missing file. False (text untouched) for a text of 8
// characters or fewer.
[[nodiscard]] bool KeepFileNotFoundLines(WideString& text);

// Puts "Ignore:" in front of the path field of each line of the (whole-line) selection text;
// answers the number of lines changed. The selection is replaced with the result either way.
int IgnoreFilesInSelection(WideString& selection);

// The lines as the editor's multi-line Edit control reports them (EM_GETLINECOUNT and
// EM_GETLINE); the views point into text.
[[nodiscard]] std::vector<std::u16string_view> EditControlLines(std::u16string_view text);

}  // namespace scrutor
