#pragma once

#include "ui/msgbox_layout.h"

namespace scrutor::ui {

class Form;

// The program's own message box, run modally inside the caller's loop: 1 OK/Yes (or
// a tip closed by an event), 0 No or closed, -1 Cancel, -1000 not shown or the loop
// ended. Style 4 shows a small tip ("Body||Caption") next to the owner instead.
int MsgBox(Form* owner, const char16_t* text, int style, int height);

}  // namespace scrutor::ui
