#pragma once

#include <cstddef>
#include <optional>

#include "foundation/wide_string.h"

namespace scrutor {

// The property rows of the Control Info Tool, in list order.
enum class PropertyRow {
    WindowClass,
    WindowTitle,
    WindowClassMode,
    WindowAdvancedMode,
    ClientArea,
    ControlText,
    ControlClassNN,
    ControlAdvancedMode,
    ControlId,
    ClickWindowPos,
};

inline constexpr int kWindowInfoGroup = 1;
inline constexpr int kControlInfoGroup = 2;

// The row at a 0-based position within its list group; nothing for any other place.
[[nodiscard]] std::optional<PropertyRow> PropertyRowAt(int group, int indexInGroup);

// The automation functions offered for a row, separated by line feeds, the first one to
// be selected; empty for the "Client area" row.
[[nodiscard]] WideString AutomationFunctionList(PropertyRow row);

// The automation line for a row's value and a chosen function; empty when the value or
// the function is empty or the function is not one that takes a property value.
[[nodiscard]] WideString BuildAutomationSnippet(PropertyRow row, const char16_t* value,
                                                const char16_t* function);

// What goes into the editor for a snippet, and how far to move the caret back from the
// end of the insertion so that it stands just inside the snippet's closing parenthesis.
struct SnippetInsertion {
    WideString text;
    std::size_t caretBack = 0;
};

// atLineStart: the insertion point is at the start of a line (the snippet goes above
// that line's text) rather than at its end.
[[nodiscard]] SnippetInsertion MakeSnippetInsertion(const WideString& snippet, bool atLineStart);

}  // namespace scrutor
