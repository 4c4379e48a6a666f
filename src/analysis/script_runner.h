#pragma once

// Handing a script to ZEP: into its open "Run script" window, or by starting it.

#include <windows.h>

#include "foundation/wide_string.h"

namespace scrutor {

struct ScriptWindow {
    HWND window = nullptr;
    HWND edit = nullptr;  // the control that receives the script
};

// The first top-level window in Z order that is ZEP's script window; none while the editor
// has no text buffer to hand over.
[[nodiscard]] ScriptWindow FindScriptWindow(HWND editor);
// Brings the window to the front and puts the editor's whole text into its edit control.
// False when the control refused the text or did not answer in time.
[[nodiscard]] bool HandScriptTo(const ScriptWindow& target, HWND editor);

// Starts a program from one command-line text, in the program's folder: its process id,
// 0 on failure.
[[nodiscard]] DWORD RunCommandLine(const WideString& text);

}  // namespace scrutor
