#pragma once

#include <windows.h>

#include "foundation/wide_string.h"

namespace scrutor::ui {

// Puts the text on the clipboard as CF_UNICODETEXT; false when the clipboard is busy.
[[nodiscard]] bool PutClipboardText(HWND owner, const WideString& text);
// Unicode text, or ANSI text converted from the ANSI code page when there is none.
[[nodiscard]] bool ReadClipboardText(HWND owner, WideString& out);

}  // namespace scrutor::ui
