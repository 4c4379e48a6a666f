#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

namespace {

int PositionOf(HMENU menu, int id) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) &&
            info.wID == static_cast<UINT>(id)) {
            return i;
        }
    }
    return -1;
}

HMENU ParentMenu(FormState& s, int parent) {
    if (parent == 0) return s.menuBar.Get();
    const ControlRecord* c = s.Find(parent);
    return (c != nullptr && c->type == kTypeMenu) ? c->menu : nullptr;
}

MENUITEMINFOW ItemInfo(int id, const char16_t* text, unsigned flags, HMENU popup) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    info.wID = static_cast<UINT>(id);
    if (flags & kMenuSeparator) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = const_cast<wchar_t*>(AsWide(text != nullptr ? text : u""));
    }
    if (flags & (kMenuChecked | kMenuRadio)) {
        info.fMask |= MIIM_CHECKMARKS;
        info.fState |= MFS_CHECKED;
    }
    if (flags & kMenuRadio) info.fType |= MFT_RADIOCHECK;
    if (flags & kMenuBitmap) info.fMask |= MIIM_BITMAP;
    if (popup != nullptr) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = popup;
    }
    return info;
}

void ForgetMenuRecords(FormState& s) {
    for (int id = 1; id <= s.lastId; ++id) {
        ControlRecord& c = s.controls[id];
        if (c.type == kTypeMenu || c.type == kTypeMenuItem) c = ControlRecord{};
    }
}

// The client area keeps its size when the bar first appears.
void GrowForMenu(FormState& s, const RECT& clientBefore) {
    // The bar's height is known once it has an item and the frame is recomputed.
    SetWindowPos(s.window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after{};
    GetClientRect(s.window, &after);
    const int grow = clientBefore.bottom - after.bottom;
    RECT frame{};
    GetWindowRect(s.window, &frame);
    if (grow > 0) {
        SetWindowPos(s.window, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    s.grownForMenu = true;
}

}  // namespace

int Form::CreateMenuBar() {
    FormState& s = *state_;
    if (s.window == nullptr) return 0;
    if (s.menuBar) {
        SetMenu(s.window, nullptr);
        s.menuBar.Reset();
        ForgetMenuRecords(s);
    }
    HMENU bar = CreateMenu();
    if (bar == nullptr) return 0;
    RECT before{};
    GetClientRect(s.window, &before);
    s.menuBar.Reset(bar);
    SetMenu(s.window, bar);
    const int file = AddMenuItem(0, u"&File", 0, kMenuSubmenu);
    if (file != 0) {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_STYLE;
        info.dwStyle = MNS_CHECKORBMP;
        SetMenuInfo(s.controls[file].menu, &info);
    }
    DrawMenuBar(s.window);
    if (!s.grownForMenu) GrowForMenu(s, before);
    return file;
}

int Form::AddMenuItem(int parent, const char16_t* text, int position, unsigned flags) {
    FormState& s = *state_;
    if (parent == kLastControl) parent = s.lastId;
    HMENU holder = ParentMenu(s, parent);
    if (holder == nullptr || !EnsureCapacity(s)) return 0;
    const int id = s.lastId + 1;
    HMENU popup = (flags & kMenuSubmenu) ? CreatePopupMenu() : nullptr;
    if ((flags & kMenuSubmenu) && popup == nullptr) return 0;
    MENUITEMINFOW info = ItemInfo(id, text, flags, popup);
    if (!InsertMenuItemW(holder, static_cast<UINT>(position), TRUE, &info)) {
        if (popup != nullptr) DestroyMenu(popup);
        return 0;
    }
    ControlRecord& c = s.controls[id];
    c = ControlRecord{};
    c.type = popup != nullptr ? kTypeMenu : kTypeMenuItem;
    c.menu = popup != nullptr ? popup : holder;
    c.holder = holder;
    c.id = id;
    s.lastId = id;
    if (holder == s.menuBar.Get()) DrawMenuBar(s.window);
    return id;
}

// Everything below a submenu goes first, so that every id under it is freed.
void DeleteMenuControl(Form& form, ControlRecord& c) {
    FormState& s = form.State();
    if (c.type == kTypeMenu) {
        for (int i = GetMenuItemCount(c.menu) - 1; i >= 0; --i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID;
            if (!GetMenuItemInfoW(c.menu, static_cast<UINT>(i), TRUE, &info)) continue;
            ControlRecord* child = s.Find(static_cast<int>(info.wID));
            if (child != nullptr && child->holder == c.menu) DestroyControl(form, *child);
        }
    }
    const int position = PositionOf(c.holder, c.id);
    if (position >= 0) DeleteMenu(c.holder, static_cast<UINT>(position), MF_BYPOSITION);
    if (c.holder == s.menuBar.Get() && s.window != nullptr) DrawMenuBar(s.window);
}

}  // namespace scrutor::ui
