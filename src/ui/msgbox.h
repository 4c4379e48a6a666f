#pragma once

#include "ui/msgbox_layout.h"

namespace scrutor::ui {

class Form;

// The program's own message box, run modally inside the caller's loop. A tip closed by an
// event answers kYes. Style 4 shows a small tip ("Body||Caption") next to the owner instead.
[[nodiscard]] MsgBoxAnswer MsgBox(Form* owner, const char16_t* text, int style, int height);

}  // namespace scrutor::ui
