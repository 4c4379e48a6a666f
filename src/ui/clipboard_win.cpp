#include "ui/clipboard_win.h"

#include <cstring>
#include <string>

namespace scrutor::ui {

namespace {

// Opens the clipboard for the scope; closes it on every way out.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    [[nodiscard]] bool IsOpen() const { return open_; }

private:
    bool open_;
};

bool ReadUnicode(WideString& out) {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return false;
    const auto* text = static_cast<const char16_t*>(GlobalLock(data));
    if (text == nullptr) return false;
    const std::size_t units = GlobalSize(data) / sizeof(char16_t);
    std::size_t length = 0;
    while (length < units && text[length] != 0) ++length;  // never past the block
    out = WideString(std::u16string_view(text, length));
    GlobalUnlock(data);
    return true;
}

bool ReadAnsi(WideString& out) {
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) return false;
    const auto* text = static_cast<const char*>(GlobalLock(data));
    if (text == nullptr) return false;
    const auto bytes = static_cast<int>(strnlen(text, GlobalSize(data)));
    std::u16string wide(static_cast<std::size_t>(bytes), u'\0');
    const int units = bytes == 0 ? 0
                                 : MultiByteToWideChar(CP_ACP, 0, text, bytes,
                                                       reinterpret_cast<wchar_t*>(wide.data()), bytes);
    GlobalUnlock(data);
    if (bytes > 0 && units <= 0) return false;
    out = WideString(std::u16string_view(wide.data(), static_cast<std::size_t>(units)));
    return true;
}

}  // namespace

bool PutClipboardText(HWND owner, const WideString& text) {
    const std::size_t bytes = text.Length() * sizeof(char16_t) + sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.CStr(), bytes);
    GlobalUnlock(memory);
    OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard() || SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);  // still ours: the clipboard did not take it
        return false;
    }
    return true;
}

bool ReadClipboardText(HWND owner, WideString& out) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    return ReadUnicode(out) || ReadAnsi(out);
}

}  // namespace scrutor::ui
