#pragma once

// The editor operations every command shares. They act on the main window's multi-line
// Edit control and replace text without undo.

#include <windows.h>

#include "foundation/wide_string.h"

namespace scrutor {

[[nodiscard]] WideString GetEditorText(HWND editor);
// Clears the control's modification flag and undo buffer.
void SetEditorText(HWND editor, const WideString& text);

[[nodiscard]] bool IsEditorModified(HWND editor);
void SetEditorModified(HWND editor, bool modified);

// The selection; with wholeLines it is first widened to whole lines, and the control shows
// the widened selection.
[[nodiscard]] bool GetSelectedText(HWND editor, WideString& out, bool wholeLines);
// The whole selected lines of at least minLength characters, appended in order.
int GetSelectedLines(HWND editor, WideStringArray& out, int minLength);

// True: insert before the caret's line; false: after it.
[[nodiscard]] bool PrepareInsertionPoint(HWND editor);
void InsertBlock(HWND editor, const WideString& text);

void ReplaceSelection(HWND editor, const char16_t* text);
// Whole-text replacement of the rewriting commands: repainted once, focused, modified.
void ReplaceWholeText(HWND editor, const WideString& text);
// "Clear all", "New script" and "Revert": repainted once, not modified.
void ResetEditorText(HWND editor, const WideString& text);

}  // namespace scrutor
