#include <windows.h>

#include <commctrl.h>

#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

namespace {

constexpr int kNoPainting = -2;

// The control draws itself into a memory bitmap that is then copied in one go, so
// nothing is ever erased on screen.
void PaintBuffered(HWND window, ControlRecord& c) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    UniqueDc memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
    if (memory && bitmap) {
        SelectedObject keep(memory.Get(), bitmap.Get());
        if (c.backgroundColour < 0) {
            c.backgroundColour = static_cast<int>(GetBkColor(dc));
            c.brush.Reset(CreateSolidBrush(static_cast<COLORREF>(c.backgroundColour)));
        }
        RECT all{0, 0, w, h};
        FillRect(memory.Get(), &all, c.brush.Get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN | PRF_OWNED);
        BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK PaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT_PTR id, DWORD_PTR formPointer) {
    auto* form = reinterpret_cast<Form*>(formPointer);
    ControlRecord* c = form->State().Find(static_cast<int>(id));
    if (c == nullptr || c->window != window) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT && GetUpdateRect(window, nullptr, FALSE) &&
        c->backgroundColour != kNoPainting) {
        PaintBuffered(window, *c);
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void UpdatePaintSubclass(Form& form, ControlRecord& c) {
    const bool wanted = (c.resizing & kResizeFlickerFree) != 0 && c.window != nullptr;
    if (wanted == c.painted) return;
    const auto key = static_cast<UINT_PTR>(c.id);
    if (wanted) {
        c.painted = SetWindowSubclass(c.window, PaintProc, key, reinterpret_cast<DWORD_PTR>(&form));
    } else {
        RemoveWindowSubclass(c.window, PaintProc, key);
        c.painted = false;
    }
}

}  // namespace scrutor::ui
