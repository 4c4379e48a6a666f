#include "ui/editor.h"

#include <algorithm>
#include <string>

#include "foundation/win_text.h"

namespace scrutor {

namespace {

struct Range {
    DWORD start = 0;
    DWORD end = 0;
};

Range CurrentSelection(HWND editor) {
    Range r;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&r.start),
                 reinterpret_cast<LPARAM>(&r.end));
    return r;
}

// A selection ending right after a line break still takes in the line it ends on, so the
// user sees every line the command will act on.
Range WidenToLines(HWND editor, Range r) {
    const LRESULT firstLine = SendMessageW(editor, EM_LINEFROMCHAR, r.start, 0);
    const LRESULT lastLine = SendMessageW(editor, EM_LINEFROMCHAR, r.end, 0);
    const LRESULT lastStart = SendMessageW(editor, EM_LINEINDEX, lastLine, 0);
    r.start = static_cast<DWORD>(SendMessageW(editor, EM_LINEINDEX, firstLine, 0));
    r.end = static_cast<DWORD>(lastStart + SendMessageW(editor, EM_LINELENGTH, lastStart, 0));
    SendMessageW(editor, EM_SETSEL, r.start, r.end);
    return r;
}

// Straight from the control's buffer: no copy of the whole text for a small selection.
bool CopyRange(HWND editor, Range r, WideString& out) {
    out.Clear();
    if (r.end <= r.start) return true;
    auto memory = reinterpret_cast<HLOCAL>(SendMessageW(editor, EM_GETHANDLE, 0, 0));
    if (memory == nullptr) return false;
    const auto* text = static_cast<const char16_t*>(LocalLock(memory));
    if (text == nullptr) return false;
    const std::size_t length = std::char_traits<char16_t>::length(text);
    const std::size_t end = std::min<std::size_t>(r.end, length);
    if (r.start < end) out = WideString(std::u16string_view(text + r.start, end - r.start));
    LocalUnlock(memory);
    return true;
}

}  // namespace

bool ViewEditorText(HWND editor, const std::function<void(std::u16string_view)>& use) {
    auto memory = reinterpret_cast<HLOCAL>(SendMessageW(editor, EM_GETHANDLE, 0, 0));
    const auto* text = memory != nullptr ? static_cast<const char16_t*>(LocalLock(memory)) : nullptr;
    if (text == nullptr) return false;
    use(std::u16string_view(text));
    LocalUnlock(memory);
    return true;
}

// One copy straight from the control's buffer; the window-text route copies twice, which
// a search or filter over a 10 MB log feels.
WideString GetEditorText(HWND editor) {
    const int length = GetWindowTextLengthW(editor);
    if (length <= 0) return {};
    WideString direct;
    if (CopyRange(editor, {0, static_cast<DWORD>(length)}, direct) && !direct.IsEmpty()) return direct;
    std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
    const int read = GetWindowTextW(editor, AsWide(buffer.data()), length + 1);
    return WideString(std::u16string_view(buffer.data(), static_cast<std::size_t>(std::max(read, 0))));
}

namespace {

// Some edit controls copy the whole text a replacement deletes before dropping it, so setting
// a filtered 60 MB log would briefly hold a third copy of it. Cutting a big text from its end in
// slices (nothing moves, nothing to undo) keeps that copy to one slice.
void EmptyBigText(HWND editor) {
    constexpr int kSlice = 4 << 20;
    for (int length = GetWindowTextLengthW(editor); length > kSlice; length -= kSlice) {
        SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(length - kSlice), length);
        SendMessageW(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
}

}  // namespace

void SetEditorText(HWND editor, const WideString& text) {
    EmptyBigText(editor);
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AsWide(text)));
    // The control keeps its flag on WM_SETTEXT on some systems; the document rules need it clear.
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
}

bool IsEditorModified(HWND editor) { return SendMessageW(editor, EM_GETMODIFY, 0, 0) != 0; }

void SetEditorModified(HWND editor, bool modified) {
    SendMessageW(editor, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

bool GetSelectedText(HWND editor, WideString& out, bool wholeLines) {
    if (editor == nullptr) return false;
    Range r = CurrentSelection(editor);
    if (wholeLines) r = WidenToLines(editor, r);
    return CopyRange(editor, r, out);
}

int GetSelectedLines(HWND editor, WideStringArray& out, int minLength) {
    if (editor == nullptr) return 0;
    WideString text;
    if (!CopyRange(editor, WidenToLines(editor, CurrentSelection(editor)), text)) return 0;
    WideStringList pieces(text.CStr(), u"\r\n", false);
    int added = 0;
    for (std::size_t i = 0; i < pieces.Count(); ++i) {
        const char16_t* piece = pieces.Get(i);
        const auto length = std::char_traits<char16_t>::length(piece);
        if (length < static_cast<std::size_t>(std::max(minLength, 0))) continue;
        out.Append(piece);
        ++added;
    }
    return added;
}

bool PrepareInsertionPoint(HWND editor) {
    const Range r = CurrentSelection(editor);
    if (r.end > r.start) ReplaceSelection(editor, u"");
    const DWORD caret = CurrentSelection(editor).start;
    const LRESULT line = SendMessageW(editor, EM_LINEFROMCHAR, caret, 0);
    const auto lineStart = static_cast<DWORD>(SendMessageW(editor, EM_LINEINDEX, line, 0));
    const auto lineLength = static_cast<DWORD>(SendMessageW(editor, EM_LINELENGTH, lineStart, 0));
    if (lineLength == 0) return true;
    const bool after = caret >= lineStart + lineLength / 2;
    const DWORD target = after ? lineStart + lineLength : lineStart;
    SendMessageW(editor, EM_SETSEL, target, target);
    return !after;
}

void InsertBlock(HWND editor, const WideString& text) {
    Editor(editor).InsertLine(text, PrepareInsertionPoint(editor));
}

void ReplaceSelection(HWND editor, const char16_t* text) {
    SendMessageW(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(AsWide(text)));
}

void ReplaceWholeText(HWND editor, const WideString& text) {
    ResetEditorText(editor, text);
    InvalidateRect(editor, nullptr, TRUE);
    SetFocus(editor);
    SetEditorModified(editor, true);
}

void ResetEditorText(HWND editor, const WideString& text) {
    SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
    SetEditorText(editor, text);
    SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor, nullptr, TRUE);
}

ui::Selection Editor::GetSelection() const {
    const Range r = window_ != nullptr ? CurrentSelection(window_) : Range{};
    return {static_cast<int>(r.start), static_cast<int>(r.end)};
}

void Editor::Select(int start, int end) const {
    if (window_ == nullptr) return;
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageW(window_, EM_SCROLLCARET, 0, 0);
}

void Editor::InsertLine(const WideString& line, bool atLineStart) const {
    WideString block;
    if (atLineStart) {
        block.Assign(line, u"\r\n");
    } else {
        block.Assign(u"\r\n", line);
    }
    ReplaceSelection(block.CStr());
}

void Editor::Focus() const {
    if (window_ != nullptr) SetFocus(window_);
}

}  // namespace scrutor
