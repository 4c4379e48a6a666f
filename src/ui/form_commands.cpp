#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstring>

#include "ui/event_codes.h"
#include "ui/form_proc.h"

namespace scrutor::ui {

namespace {

struct NotificationRow {
    int notification;
    int code;
};

constexpr std::array kComboNotifications{
    NotificationRow{CBN_SELCHANGE, kEventComboSelChange},
    NotificationRow{CBN_DROPDOWN, kEventComboDropDown},
    NotificationRow{CBN_CLOSEUP, kEventComboCloseUp},
    NotificationRow{CBN_SETFOCUS, kEventComboSetFocus},
    NotificationRow{CBN_DBLCLK, kEventComboDoubleClick},
    NotificationRow{CBN_EDITCHANGE, kEventComboEditChange},
};

constexpr std::array kEditNotifications{
    NotificationRow{EN_UPDATE, kEventEditUpdate},
    NotificationRow{EN_CHANGE, kEventEditChange},
    NotificationRow{EN_SETFOCUS, kEventEditSetFocus},
    NotificationRow{EN_KILLFOCUS, kEventEditKillFocus},
};

template <std::size_t N>
int LookUp(const std::array<NotificationRow, N>& rows, int notification) {
    for (const NotificationRow& row : rows) {
        if (row.notification == notification) return row.code;
    }
    return 0;
}

// The event a control's notification raises; 0 for none.
int ControlEventCode(int type, int id, int notification) {
    switch (type) {
        case kTypeComboBox: return LookUp(kComboNotifications, notification);
        case kTypeEditor:
        case kTypeInput: return LookUp(kEditNotifications, notification);
        case kTypeLabel:
        case kTypeIcon:
        case kTypePicture:
            if (notification == STN_DBLCLK) return kEventDoubleClick;
            return notification == STN_CLICKED ? id : 0;
        default: return notification == BN_CLICKED ? id : 0;
    }
}

}  // namespace

Handled OnCommand(const Message& m) {
    const int notification = HIWORD(m.wParam);
    auto* control = reinterpret_cast<HWND>(m.lParam);
    if (control == nullptr) {  // menu item or accelerator
        m.state.record->Post({static_cast<int>(LOWORD(m.wParam)), m.window, m.id,
                              static_cast<WPARAM>(notification), 0, &m.form});
        return 0;
    }
    const int id = m.form.ControlIdOfWindow(control);
    const ControlRecord* record = m.state.Find(id);
    if (id == 0 || record == nullptr) return std::nullopt;
    const int code = ControlEventCode(record->type, id, notification);
    const bool idEvent = code == id;
    m.state.record->Post({code, m.window, m.id,
                          idEvent ? static_cast<WPARAM>(notification) : static_cast<WPARAM>(id),
                          m.lParam, &m.form});
    return std::nullopt;
}

namespace {

// The part of the form's picture behind a control, so that the control looks
// transparent over it. Cached until the control moves or changes size.
HBRUSH BackdropBrush(FormState& s, ControlRecord& c) {
    RECT r{};
    GetWindowRect(c.window, &r);
    MapWindowPoints(nullptr, s.window, reinterpret_cast<POINT*>(&r), 2);
    if (c.brush && EqualRect(&c.backdrop, &r)) return c.brush.Get();
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const FormBackground& b = s.background;
    if (w <= 0 || h <= 0 || s.clientWidth <= 0 || s.clientHeight <= 0) return b.Brush();
    WindowDc screen(s.window);
    UniqueDc dc(CreateCompatibleDC(screen.Get()));
    UniqueBitmap part(CreateCompatibleBitmap(screen.Get(), w, h));
    {
        SelectedObject keep(dc.Get(), part.Get());
        SetStretchBltMode(dc.Get(), HALFTONE);
        const double sx = static_cast<double>(b.pictureWidth) / s.clientWidth;
        const double sy = static_cast<double>(b.pictureHeight) / s.clientHeight;
        StretchBlt(dc.Get(), 0, 0, w, h, b.dc.Get(), static_cast<int>(r.left * sx),
                   static_cast<int>(r.top * sy), static_cast<int>(w * sx),
                   static_cast<int>(h * sy), SRCCOPY);
    }
    c.brush.Reset(CreatePatternBrush(part.Get()));
    c.backdrop = r;
    return c.brush.Get();
}

HBRUSH FormBrushFor(FormState& s, ControlRecord& c, HDC dc) {
    const FormBackground& b = s.background;
    if (b.mode == BackgroundMode::kStretched && b.bitmap) return BackdropBrush(s, c);
    if (b.mode == BackgroundMode::kPattern) {
        RECT r{};
        GetWindowRect(c.window, &r);
        MapWindowPoints(nullptr, s.window, reinterpret_cast<POINT*>(&r), 2);
        SetBrushOrgEx(dc, -r.left, -r.top, nullptr);
    }
    return b.Brush();
}

}  // namespace

Handled OnControlColour(const Message& m) {
    auto* dc = reinterpret_cast<HDC>(m.wParam);
    const int id = m.form.ControlIdOfWindow(reinterpret_cast<HWND>(m.lParam));
    ControlRecord* c = m.state.Find(id);
    if (c == nullptr) return std::nullopt;
    if (c->textColour >= 0) SetTextColor(dc, static_cast<COLORREF>(c->textColour));
    if (c->backgroundColour >= 0 && c->brush) {
        SetBkColor(dc, static_cast<COLORREF>(c->backgroundColour));
        return reinterpret_cast<LRESULT>(c->brush.Get());
    }
    const bool field = m.id == WM_CTLCOLOREDIT || m.id == WM_CTLCOLORLISTBOX;
    const int face = field ? COLOR_WINDOW : COLOR_BTNFACE;
    if (c->textColour < 0) return std::nullopt;
    if (field || m.state.background.mode == BackgroundMode::kSystem) {
        SetBkColor(dc, GetSysColor(face));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(face));
    }
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(FormBrushFor(m.state, *c, dc));
}

namespace {

// True when the names after `offset` end with the empty name inside the block's `size` bytes.
template <class Unit>
bool NameListEnds(const BYTE* block, SIZE_T offset, SIZE_T size) {
    bool atNameStart = true;
    for (SIZE_T at = offset; at + sizeof(Unit) <= size; at += sizeof(Unit)) {
        Unit unit{};
        std::memcpy(&unit, block + at, sizeof unit);
        if (unit == 0 && atNameStart) return true;
        atNameStart = unit == 0;
    }
    return false;
}

// The message filter lets WM_DROPFILES in from any process, and the shell's readers trust the
// handle. Only a block of this process that holds a header and a terminated name list is read.
bool IsDropBlock(HDROP drop) {
    const SIZE_T size = GlobalSize(drop);
    if (size < sizeof(DROPFILES)) return false;
    const auto* block = static_cast<const BYTE*>(GlobalLock(drop));
    if (block == nullptr) return false;
    DROPFILES header{};
    std::memcpy(&header, block, sizeof header);
    const bool valid = header.pFiles >= sizeof(DROPFILES) && header.pFiles < size &&
                       (header.fWide ? NameListEnds<wchar_t>(block, header.pFiles, size)
                                     : NameListEnds<char>(block, header.pFiles, size));
    GlobalUnlock(drop);
    return valid;
}

}  // namespace

Handled OnDropFiles(const Message& m) {
    auto* drop = reinterpret_cast<HDROP>(m.wParam);
    if (!IsDropBlock(drop)) return 0;
    POINT p{};
    DragQueryPoint(drop, &p);
    m.state.dropPoint = p;
    HWND child = ChildWindowFromPointEx(m.window, p, CWP_SKIPINVISIBLE);
    int id = m.form.ControlIdOfWindow(child);
    if (id == 0 && child != nullptr) id = m.form.ControlIdOfWindow(GetParent(child));
    constexpr UINT kAskFileCount = 0xFFFFFFFF;
    const UINT count = DragQueryFileW(drop, kAskFileCount, nullptr, 0);
    WideString names;
    for (UINT i = 0; i < count; ++i) {
        wchar_t name[2049]{};
        DragQueryFileW(drop, i, name, 2048);
        if (i > 0) names.Append(u"\r\n");
        names.Append(FromWide(name));
    }
    DragFinish(drop);
    m.state.text = names;
    m.state.record->Post({kEventFilesDropped, m.window, m.id, static_cast<WPARAM>(id),
                          reinterpret_cast<LPARAM>(m.state.text.CStr()), &m.form});
    return 0;
}

}  // namespace scrutor::ui
