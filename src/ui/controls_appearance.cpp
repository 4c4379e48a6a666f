#include <windows.h>

#include <commctrl.h>

#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

bool Form::SetTextColour(int id, int colour) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr) return false;
    c->textColour = colour;
    if (c->type == kTypeListView) {
        const COLORREF value = colour >= 0 ? static_cast<COLORREF>(colour) : CLR_DEFAULT;
        SendMessageW(c->window, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(value));
    }
    if (c->window != nullptr) (void)Redraw(id);
    return true;
}

static bool SetMenuBackground(ControlRecord& c) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = c.brush.Get();
    return SetMenuInfo(c.menu, &info) != 0;
}

bool Form::SetBackgroundColour(int id, int colour) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr) return false;
    c->backgroundColour = colour;
    UniqueBrush brush(colour >= 0 ? CreateSolidBrush(static_cast<COLORREF>(colour)) : nullptr);
    if (c->type == kTypeMenu) {
        std::swap(c->brush, brush);  // the old brush goes once the menu no longer uses it
        return SetMenuBackground(*c);
    }
    c->brush = std::move(brush);
    SetRectEmpty(&c->backdrop);
    if (c->type == kTypeListView) {
        const COLORREF value = colour >= 0 ? static_cast<COLORREF>(colour) : CLR_NONE;
        SendMessageW(c->window, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(value));
        SendMessageW(c->window, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(value));
    }
    if (c->window != nullptr) (void)Redraw(id);
    return true;
}

// The control keeps its own copy, so the caller's image stays the caller's.
bool Form::SetImage(int id, HANDLE image) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr || c->window == nullptr) return false;
    if (c->type == kTypeIcon) {
        UniqueIcon copy(static_cast<HICON>(CopyImage(image, IMAGE_ICON, 0, 0, 0)));
        if (image != nullptr && !copy) return false;
        SendMessageW(c->window, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(copy.Get()));
        c->icon = std::move(copy);
        return true;
    }
    if (c->type == kTypePicture) {
        UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(image, IMAGE_BITMAP, 0, 0, 0)));
        if (image != nullptr && !copy) return false;
        HANDLE old = reinterpret_cast<HANDLE>(SendMessageW(
            c->window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(copy.Get())));
        // A 32-bit bitmap may come back as the control's own copy; that one is ours to free.
        if (old != nullptr && old != c->bitmap.Get()) DeleteObject(old);
        c->bitmap = std::move(copy);
        return true;
    }
    return false;
}

}  // namespace scrutor::ui
