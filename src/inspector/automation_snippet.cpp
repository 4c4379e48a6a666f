#include "inspector/automation_snippet.h"

namespace scrutor {
namespace {

constexpr PropertyRow kWindowInfoRows[] = {
    PropertyRow::WindowClass, PropertyRow::WindowTitle, PropertyRow::WindowClassMode,
    PropertyRow::WindowAdvancedMode, PropertyRow::ClientArea};
constexpr PropertyRow kControlInfoRows[] = {PropertyRow::ControlText, PropertyRow::ControlClassNN,
                                            PropertyRow::ControlAdvancedMode,
                                            PropertyRow::ControlId, PropertyRow::ClickWindowPos};
constexpr int kRowsPerGroup = 5;

// How a function's arguments are laid out around the value.
enum class SnippetForm { WaitWindow2, WaitWindow, WinSend, Plain, VisibleState, AllStates, Keys };

struct SnippetFunction {
    const char16_t* name;
    SnippetForm form;
};

// In the order in which a chosen name is compared.
constexpr SnippetFunction kSnippetFunctions[] = {
    {u"->WaitWindow2", SnippetForm::WaitWindow2},
    {u"->WaitWindow", SnippetForm::WaitWindow},
    {u"->WinSend", SnippetForm::WinSend},
    {u"->WaitControl", SnippetForm::Plain},
    {u"->ClickControl", SnippetForm::Plain},
    {u"->ClickWindowPos", SnippetForm::Plain},
    {u"->ClickControlAt", SnippetForm::Plain},
    {u"->WaitControlAt", SnippetForm::Plain},
    {u"->WaitControlState", SnippetForm::VisibleState},
    {u"->WaitControlState2", SnippetForm::AllStates},
    {u"->ControlSend", SnippetForm::Keys},
};

const SnippetFunction* FindSnippetFunction(const char16_t* function) {
    for (const SnippetFunction& candidate : kSnippetFunctions) {
        if (EqualsNoCase(candidate.name, function)) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<PropertyRow> PropertyRowAt(int group, int indexInGroup) {
    if (indexInGroup < 0 || indexInGroup >= kRowsPerGroup) {
        return std::nullopt;
    }
    if (group == kWindowInfoGroup) {
        return kWindowInfoRows[indexInGroup];
    }
    if (group == kControlInfoGroup) {
        return kControlInfoRows[indexInGroup];
    }
    return std::nullopt;
}

WideString AutomationFunctionList(PropertyRow row) {
    switch (row) {
        case PropertyRow::WindowClass:
        case PropertyRow::WindowTitle:
            return WideString(u"->WaitWindow2");
        case PropertyRow::WindowClassMode:
        case PropertyRow::WindowAdvancedMode:
            return WideString(u"->WaitWindow\n->WinSend");
        case PropertyRow::ClientArea:
            return WideString();
        case PropertyRow::ControlText:
        case PropertyRow::ControlClassNN:
        case PropertyRow::ControlAdvancedMode:
        case PropertyRow::ControlId:
            return WideString(
                u"->WaitControl\n->WaitControlState\n->WaitControlState2\n->ClickControl\n"
                u"->ControlSend");
        case PropertyRow::ClickWindowPos:
            return WideString(u"->ClickWindowPos\n->WaitControlAt\n->ClickControlAt");
    }
    return WideString();
}

WideString BuildAutomationSnippet(PropertyRow row, const char16_t* value,
                                  const char16_t* function) {
    WideString snippet;
    if (TextLength(value) == 0 || TextLength(function) == 0) {
        return snippet;
    }
    const SnippetFunction* known = FindSnippetFunction(function);
    if (known == nullptr) {
        return snippet;
    }
    switch (known->form) {
        case SnippetForm::WaitWindow2:
            // A title goes into the last argument, so the class argument stays empty.
            snippet.Assign(u"->WaitWindow2(1000, 3, 0, ",
                           row == PropertyRow::WindowTitle ? u", " : u"", value, u")");
            break;
        case SnippetForm::WaitWindow:
            snippet.Assign(u"->WaitWindow(1000, ", value, u")");
            break;
        case SnippetForm::WinSend:
            snippet.Assign(u"->WinSend(Text to send here)");
            break;
        case SnippetForm::Plain:
            snippet.Assign(function, u"(", value, u")");
            break;
        case SnippetForm::VisibleState:
            snippet.Assign(function, u"(", value, u", Visible)");
            break;
        case SnippetForm::AllStates:
            snippet.Assign(function, u"(", value, u", 7)");  // exists, visible and enabled
            break;
        case SnippetForm::Keys:
            snippet.Assign(function, u"(", value, u", Insert the text to send here)");
            break;
    }
    return snippet;
}

SnippetInsertion MakeSnippetInsertion(const WideString& snippet, bool atLineStart) {
    SnippetInsertion insertion;
    if (snippet.IsEmpty()) {
        return insertion;
    }
    // Above the line's text the line break follows the snippet; below it, it comes first.
    if (atLineStart) {
        insertion.text.Assign(snippet, u"\r\n");
        insertion.caretBack = 3;
    } else {
        insertion.text.Assign(u"\r\n", snippet);
        insertion.caretBack = 1;
    }
    return insertion;
}

}  // namespace scrutor
