#pragma once

#include "ui/editor.h"
#include "ui/form.h"

namespace scrutor {

struct LineHelpTipStyle {
    int lineHeight = 9;  // the editor's font size in points, used as pixels below the line
    bool balloon = true;  // the user's ShowInfoTip setting
};

// The help tip for the caret's line, tracked under the start of that line. It belongs to
// the main window's form: ui::HideTip(main) removes it.
void ShowLineHelpTip(ui::Form& main, const Editor& editor, const LineHelpTipStyle& style);

}  // namespace scrutor
