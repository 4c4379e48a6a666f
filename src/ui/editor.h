#pragma once

// The editor operations every command shares. They act on the main window's multi-line
// Edit control and replace text without undo.

#include <windows.h>

#include <functional>
#include <string_view>

#include "foundation/wide_string.h"
#include "ui/form.h"

namespace scrutor {

[[nodiscard]] WideString GetEditorText(HWND editor);
// Lends the control's own buffer to `use` (no copy); false when the control does not lend it.
bool ViewEditorText(HWND editor, const std::function<void(std::u16string_view)>& use);
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

// The editor as the features see it: the operations they share, nothing of the
// application. Cheap to copy; holds no state but the control, which may not exist yet.
class Editor {
public:
    Editor() = default;
    explicit Editor(HWND window) : window_(window) {}

    [[nodiscard]] HWND Window() const { return window_; }
    [[nodiscard]] bool Exists() const { return window_ != nullptr; }

    [[nodiscard]] WideString Text() const { return GetEditorText(window_); }
    [[nodiscard]] bool SelectedText(WideString& out, bool wholeLines) const {
        return GetSelectedText(window_, out, wholeLines);
    }
    int SelectedLines(WideStringArray& out, int minLength) const {
        return GetSelectedLines(window_, out, minLength);
    }
    [[nodiscard]] bool PrepareInsertionPoint() const { return scrutor::PrepareInsertionPoint(window_); }
    void InsertBlock(const WideString& text) const { scrutor::InsertBlock(window_, text); }
    // One line where PrepareInsertionPoint put the caret: above the line's text when it
    // answered true, below it otherwise. Lines inserted one after another keep their order.
    void InsertLine(const WideString& line, bool atLineStart) const;
    // At the caret, without undo; the caret ends after the text.
    void ReplaceSelection(const char16_t* text) const { scrutor::ReplaceSelection(window_, text); }
    void SetModified() const { SetEditorModified(window_, true); }

    [[nodiscard]] ui::Selection GetSelection() const;
    // Selects [start, end) (0-based), scrolls the caret into view; start -1 removes the selection.
    void Select(int start, int end) const;
    void PlaceCaret(int position) const { Select(position, position); }
    void Focus() const;

private:
    HWND window_ = nullptr;
};

}  // namespace scrutor
