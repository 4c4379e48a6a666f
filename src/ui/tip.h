#pragma once

#include <windows.h>

namespace scrutor::ui {

class Form;

// A tracking tooltip next to a control (id 0: the form); a null text only removes
// the form's current tip. Colours of -1 keep the themed look.
bool ShowTip(Form& form, const char16_t* text, int x, int y, const char16_t* title, int icon,
             LONG balloonStyle, UINT flags, int textColour, int backgroundColour, int controlId);

}  // namespace scrutor::ui
