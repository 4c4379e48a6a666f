#pragma once

#include "catalogue/command_catalogue.h"
#include "foundation/wide_string.h"

namespace scrutor {

enum class LineHelpTipKind {
    NoHelp,      // too short, or no key could be cut out of the line
    Automation,  // an automation function found in the catalogue
    Script,      // a script command found in the catalogue
    LogLine,     // a key the catalogue does not hold: taken for a line of a ZEP log
};

// Title and text of the tip for one editor line. Every kind is shown with the standard
// information icon.
struct LineHelpTip {
    LineHelpTipKind kind = LineHelpTipKind::NoHelp;
    WideString title;
    WideString text;
};

// Builds the tip for the caret line's text (untrimmed, as read from the editor).
[[nodiscard]] LineHelpTip BuildLineHelpTip(const char16_t* lineText,
                                           const CommandCatalogue& catalogue);

}  // namespace scrutor
