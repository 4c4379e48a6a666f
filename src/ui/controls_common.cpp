#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

namespace {

bool IsMenuType(int type) { return type == kTypeMenu || type == kTypeMenuItem; }

bool SetMenuItemState(const ControlRecord& c, unsigned flags) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(c.holder, static_cast<UINT>(c.id), FALSE, &info)) return false;
    if (flags & kStateChecked) info.fState |= MFS_CHECKED;
    if (flags & kStateUnchecked) info.fState &= ~MFS_CHECKED;
    if (flags & kStateEnable) info.fState &= ~MFS_DISABLED;
    if (flags & kStateDisable) info.fState |= MFS_DISABLED;
    return SetMenuItemInfoW(c.holder, static_cast<UINT>(c.id), FALSE, &info) != 0;
}

unsigned GetMenuItemState(const ControlRecord& c) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(c.holder, static_cast<UINT>(c.id), FALSE, &info)) return 0;
    return ((info.fState & MFS_CHECKED) ? kStateChecked : kStateUnchecked) |
           ((info.fState & MFS_DISABLED) ? kStateDisable : kStateEnable);
}

void SetVisible(HWND w, bool visible) {
    ShowWindow(w, visible ? SW_SHOW : SW_HIDE);
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    SetWindowLongW(w, GWL_STYLE, visible ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE));
}

unsigned CheckState(HWND w) {
    switch (SendMessageW(w, BM_GETCHECK, 0, 0)) {
        case BST_CHECKED: return kStateChecked;
        case BST_INDETERMINATE: return kStateIndeterminate;
        default: return kStateUnchecked;
    }
}

bool SetComboText(HWND combo, const char16_t* text, int mode) {
    if (mode == 2) {
        if (text == nullptr || text[0] == 0) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            return true;
        }
        return SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(AsWide(text))) != CB_ERR;
    }
    if (!(mode & 1)) SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    WideStringList lines(text != nullptr ? text : u"", u"\n", true);
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(lines.Get(i))));
    }
    return true;
}

}  // namespace

bool Form::SetState(int id, unsigned flags) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr) return false;
    if (IsMenuType(c->type)) return SetMenuItemState(*c, flags);
    HWND w = c->window;
    if (flags & kStateHide) SetVisible(w, false);
    if (flags & kStateShow) SetVisible(w, true);
    if (flags & kStateChecked) SendMessageW(w, BM_SETCHECK, BST_CHECKED, 0);
    if (flags & kStateUnchecked) SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
    if (flags & kStateIndeterminate) SendMessageW(w, BM_SETCHECK, BST_INDETERMINATE, 0);
    if (flags & kStateEnable) EnableWindow(w, TRUE);
    if (flags & kStateDisable) EnableWindow(w, FALSE);
    if (flags & kStateFocus) SetFocus(w);
    if (flags & kStateFormFocus) SetFocus(state_->window);
    return true;
}

unsigned Form::GetState(int id, unsigned mask) const {
    const ControlRecord* c = state_->Find(id);
    if (c == nullptr) return 0;
    if (IsMenuType(c->type)) return GetMenuItemState(*c) & mask;
    HWND w = c->window;
    unsigned state = IsWindowVisible(w) ? kStateShow : kStateHide;
    state |= IsWindowEnabled(w) ? kStateEnable : kStateDisable;
    state |= GetFocus() == w ? kStateFocus : kStateFormFocus;
    if (c->type == kTypeCheckBox) state |= CheckState(w);
    return state & mask;
}

bool Form::SetText(int id, const char16_t* text, int mode) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr) return false;
    if (c->type == kTypeComboBox) return SetComboText(c->window, text, mode);
    if (IsMenuType(c->type)) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<wchar_t*>(AsWide(text != nullptr ? text : u""));
        return SetMenuItemInfoW(c->holder, static_cast<UINT>(c->id), FALSE, &info) != 0;
    }
    return SendMessageW(c->window, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(AsWide(text != nullptr ? text : u""))) != 0;
}

WideString Form::GetText(int id) const {
    const ControlRecord* c = state_->Find(id);
    if (c == nullptr) return {};
    if (IsMenuType(c->type)) {
        const UINT item = static_cast<UINT>(c->id);
        const int n = GetMenuStringW(c->holder, item, nullptr, 0, MF_BYCOMMAND);
        if (n <= 0) return {};
        std::vector<wchar_t> buffer(static_cast<std::size_t>(n) + 1);
        GetMenuStringW(c->holder, item, buffer.data(), n + 1, MF_BYCOMMAND);
        return WideString(FromWide(buffer.data()));
    }
    const int n = GetWindowTextLengthW(c->window);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(n) + 1);
    GetWindowTextW(c->window, buffer.data(), n + 1);
    return WideString(FromWide(buffer.data()));
}

LRESULT Form::SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr || c->window == nullptr) return 0;
    return SendMessageW(c->window, message, wParam, lParam);
}

bool Form::SetFont(int id, double size, int weight, int attributes, const char16_t* face,
                   int quality) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr || c->window == nullptr) return false;
    HFONT font = MakeFont(size, weight, attributes, face, quality);
    if (font == nullptr) return false;
    SendMessageW(c->window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    c->font.Reset(font);
    return true;
}

bool Form::Redraw(int id) {
    HWND w = ControlWindow(id);
    if (w == nullptr) return false;
    return RedrawWindow(w, nullptr, nullptr,
                        RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW) != 0;
}

Selection Form::GetSelection(int id) const {
    const ControlRecord* c = state_->Find(id);
    if (c == nullptr || c->window == nullptr) return {};
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(c->window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

RECT Form::GetPosition(int id) const {
    RECT r{};
    const ControlRecord* c = state_->Find(id);
    if (c == nullptr || c->window == nullptr) return r;
    GetWindowRect(c->window, &r);
    MapWindowPoints(nullptr, GetParent(c->window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Form::Delete(int id) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr) return false;
    DestroyControl(*this, *c);
    return true;
}

void DestroyControl(Form& form, ControlRecord& c) {
    FormState& s = form.State();
    if (c.type == kTypeMenu || c.type == kTypeMenuItem) {
        DeleteMenuControl(form, c);
    } else {
        if (c.type == kTypeListView) FreeListItemRecords(c.window);
        if (c.type == kTypePicture) {
            // A static control may hold a private copy of a 32-bit bitmap; it never frees it.
            HANDLE shown = reinterpret_cast<HANDLE>(
                SendMessageW(c.window, STM_GETIMAGE, IMAGE_BITMAP, 0));
            if (shown != nullptr && shown != c.bitmap.Get()) DeleteObject(shown);
        }
        c.resizing &= ~kResizeFlickerFree;
        UpdatePaintSubclass(form, c);
        DestroyWindow(c.window);
    }
    if (s.defaultButton == c.id) s.defaultButton = 0;
    c = ControlRecord{};
}

}  // namespace scrutor::ui
