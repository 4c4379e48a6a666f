#include "ui/system_cursors.h"

namespace scrutor::ui {

namespace {

constexpr DWORD kStandardCursors[] = {
    32650 /* OCR_APPSTARTING */, 32512 /* OCR_NORMAL */, 32515 /* OCR_CROSS */,
    32649 /* OCR_HAND */,        32651 /* OCR_HELP */,   32513 /* OCR_IBEAM */,
    32648 /* OCR_NO */,          32646 /* OCR_SIZEALL */, 32643 /* OCR_SIZENESW */,
    32645 /* OCR_SIZENS */,      32642 /* OCR_SIZENWSE */, 32644 /* OCR_SIZEWE */,
    32516 /* OCR_UP */,          32514 /* OCR_WAIT */,
};

}  // namespace

// SetSystemCursor takes ownership of each copy, so none is destroyed here.
bool Win32SystemCursors::Replace(HICON icon) {
    bool any = false;
    for (DWORD id : kStandardCursors) {
        HICON copy = CopyIcon(icon);
        if (copy == nullptr) continue;
        if (SetSystemCursor(copy, id) != FALSE) {
            any = true;
        } else {
            DestroyIcon(copy);
        }
    }
    SetCursor(icon);
    return any;
}

void Win32SystemCursors::Restore() { SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, 0); }

}  // namespace scrutor::ui
