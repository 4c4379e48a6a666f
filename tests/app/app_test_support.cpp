#include "app_test_support.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace scrutor {

bool PutOnClipboard(UINT format, const void* data, std::size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    std::memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const bool put = SetClipboardData(format, memory) != nullptr;
    CloseClipboard();
    return put;
}

std::u16string ClipboardText() {
    std::u16string text = u"<no clipboard text>";
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}  // namespace scrutor
