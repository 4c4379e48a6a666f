#include "ui/form_proc.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

#include "ui/event_codes.h"
#include "ui/tip.h"

namespace scrutor::ui {

namespace {

void Post(const Message& m, int code, WPARAM v1 = 0, LPARAM v2 = 0) {
    m.state.record->Post({code, m.window, m.id, v1, v2, &m.form});
}

// Messages that only raise an event and then take their default course.
struct PlainEvent {
    UINT message;
    int code;
};

constexpr std::array kPlainEvents{
    PlainEvent{WM_MOVE, kEventMoved},
    PlainEvent{WM_QUERYENDSESSION, kEventEndSession},
    PlainEvent{WM_ENDSESSION, kEventEndSession},
    PlainEvent{WM_NCLBUTTONDOWN, kEventNcLeftDown},
    PlainEvent{WM_NCLBUTTONUP, kEventNcLeftUp},
    PlainEvent{WM_NCLBUTTONDBLCLK, kEventCaptionDoubleClick},
    PlainEvent{WM_CHAR, kEventChar},
    PlainEvent{WM_LBUTTONUP, kEventLeftUp},
    PlainEvent{WM_RBUTTONDOWN, kEventRightDown},
    PlainEvent{WM_RBUTTONUP, kEventRightUp},
    PlainEvent{WM_RBUTTONDBLCLK, kEventRightDoubleClick},
    PlainEvent{WM_MOUSEWHEEL, kEventMouseWheel},
    PlainEvent{WM_ENTERMENULOOP, kEventEnterMenuLoop},
    PlainEvent{WM_EXITMENULOOP, kEventExitMenuLoop},
    PlainEvent{WM_SIZING, kEventSizing},
    PlainEvent{WM_NCMOUSELEAVE, kEventNcMouseLeave},
};

Handled OnSize(const Message& m) {
    Post(m, kEventResized, m.wParam, m.lParam);
    if (m.wParam == SIZE_RESTORED || m.wParam == SIZE_MAXIMIZED) m.form.Layout();
    return std::nullopt;
}

// As a dialog does: the control that had the keyboard focus gets it back when the window
// is active again (after a message box or a file dialog), instead of the bare window.
bool KeepFocus(const Message& m) {
    if (LOWORD(m.wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(m.window, focus)) m.state.lastFocus = focus;
        return false;
    }
    HWND last = m.state.lastFocus;
    if (HIWORD(m.wParam) != 0 || last == nullptr || !IsChild(m.window, last) ||
        !IsWindowVisible(last) || !IsWindowEnabled(last)) {
        return false;
    }
    SetFocus(last);
    return true;
}

Handled OnActivate(const Message& m) {
    const bool active = m.id == WM_ACTIVATE ? LOWORD(m.wParam) != WA_INACTIVE : m.wParam != 0;
    if (active) m.form.SetActive(m.window);
    Post(m, active ? kEventActivated : kEventDeactivated, m.wParam, m.lParam);
    // Default processing would move the focus to the window itself.
    if (m.id == WM_ACTIVATE && KeepFocus(m)) return 0;
    return std::nullopt;
}

// The window never closes itself: the loop reports the request and the
// application decides.
Handled OnClose(const Message& m) {
    PostMessageW(m.window, kCloseMessage, 0, 0);
    return 0;
}

// Reached when a pump dispatches the close request instead of a fetch.
Handled OnCloseRequest(const Message& m) {
    Post(m, kEventClose);
    return 0;
}

// A text another thread posted (PostControlText): set on the form's own thread.
Handled OnPostedText(const Message& m) {
    const int id = static_cast<int>(m.wParam);
    std::u16string text;
    if (TakePostedText(m.window, id, text) && m.form.SetText(id, text.c_str())) {
        Post(m, kEventTextArrived, m.wParam);
    }
    return 0;
}

Handled OnSetCursor(const Message& m) {
    Post(m, kEventSetCursor, m.wParam, m.lParam);
    if (m.state.cursorHandle == nullptr || LOWORD(m.lParam) != HTCLIENT) return std::nullopt;
    SetCursor(m.state.cursorHandle);
    return TRUE;
}

Handled OnMinMaxInfo(const Message& m) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
    if (m.state.minWidth > 0) info->ptMinTrackSize.x = m.state.minWidth;
    if (m.state.minHeight > 0) info->ptMinTrackSize.y = m.state.minHeight;
    return 0;
}

void MoveAttached(FormState& s, int dx, int dy) {
    constexpr UINT kFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (HWND w : s.attached) {
        if (w == nullptr || !IsWindow(w)) continue;
        RECT r{};
        GetWindowRect(w, &r);
        SetWindowPos(w, nullptr, r.left + dx, r.top + dy, 0, 0, kFlags);
    }
}

Handled OnPosChanging(const Message& m) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lParam);
    Post(m, kEventSizing, m.wParam, m.lParam);
    if (!(pos->flags & SWP_NOMOVE)) {
        RECT now{};
        GetWindowRect(m.window, &now);
        if (pos->x != now.left || pos->y != now.top) {
            MoveAttached(m.state, pos->x - now.left, pos->y - now.top);
        }
    }
    return std::nullopt;
}

Handled OnPosChanged(const Message& m) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lParam);
    if (pos->flags & SWP_NOSIZE) return std::nullopt;
    Post(m, kEventResized, m.wParam, m.lParam);
    m.form.Layout();
    if (m.state.background.mode == BackgroundMode::kStretched) {
        RedrawWindow(m.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return std::nullopt;
}

Handled OnContextMenu(const Message& m) {
    m.state.contextId = m.form.ControlIdOfWindow(reinterpret_cast<HWND>(m.wParam));
    Post(m, kEventContextMenu, static_cast<WPARAM>(m.state.contextId), m.lParam);
    return std::nullopt;
}

Handled OnNcActivate(const Message& m) {
    Post(m, m.wParam ? kEventNcActivated : kEventNcDeactivated);
    if (m.state.customFrame) return TRUE;
    return std::nullopt;
}

constexpr std::array kSystemCommands{
    PlainEvent{SC_MINIMIZE, kEventMinimise},
    PlainEvent{SC_RESTORE, kEventRestore},
    PlainEvent{SC_MAXIMIZE, kEventMaximise},
    PlainEvent{SC_MOVE, kEventMoving},
};

Handled OnSysCommand(const Message& m) {
    HideTip(m.form);
    constexpr WPARAM kSystemCommandMask = 0xFFF0;  // the low four bits are the system's own
    const UINT command = static_cast<UINT>(m.wParam & kSystemCommandMask);
    if (command == SC_CLOSE) {
        PostMessageW(m.window, kCloseMessage, 0, 0);
        return std::nullopt;
    }
    for (const PlainEvent& row : kSystemCommands) {
        if (row.message == command) Post(m, row.code, m.wParam, m.lParam);
    }
    return std::nullopt;
}

Handled OnMouseMove(const Message& m) {
    m.state.cursor = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
    m.state.keys = m.wParam;
    Post(m, kEventMouseMove, m.wParam, m.lParam);
    return std::nullopt;
}

Handled OnLeftDown(const Message& m) {
    Post(m, kEventLeftDown, m.wParam, m.lParam);
    POINT p{static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
    HWND child = ChildWindowFromPointEx(m.window, p, CWP_SKIPINVISIBLE);
    const ControlRecord* c = m.state.Find(m.form.ControlIdOfWindow(child));
    if (c == nullptr || !(c->resizing & kResizeDragsForm)) return std::nullopt;
    ReleaseCapture();
    SendMessageW(m.window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return 0;
}

Handled OnLeftDoubleClick(const Message& m) {
    Post(m, kEventDoubleClick, static_cast<WPARAM>(m.state.contextId), m.lParam);
    return std::nullopt;
}

Handled OnMoving(const Message& m) {
    Post(m, kEventMoving, m.wParam, m.lParam);
    return TRUE;
}

Handled OnExitSizeMove(const Message& m) {
    Post(m, kEventMoved);
    m.form.Layout();
    return std::nullopt;
}

// Lets IsDialogMessageW press the default button on Enter.
Handled OnGetDefaultId(const Message& m) {
    if (m.state.defaultButton == 0) return 0;
    return MAKELRESULT(m.state.defaultButton, DC_HASDEFID);
}

Handled OnNcCalcSize(const Message& m) {
    if (m.state.customFrame && m.wParam) return 0;
    return std::nullopt;
}

Handled OnNcPaint(const Message& m) {
    if (m.state.customFrame) return 0;
    return std::nullopt;
}

struct HandlerRow {
    UINT message;
    Handled (*handler)(const Message&);
};

constexpr std::array kHandlers{
    HandlerRow{WM_SIZE, OnSize},
    HandlerRow{WM_ACTIVATE, OnActivate},
    HandlerRow{WM_ACTIVATEAPP, OnActivate},
    HandlerRow{WM_CLOSE, OnClose},
    HandlerRow{kCloseMessage, OnCloseRequest},
    HandlerRow{kPostedTextMessage, OnPostedText},
    HandlerRow{WM_ERASEBKGND, OnEraseBackground},
    HandlerRow{WM_SETCURSOR, OnSetCursor},
    HandlerRow{WM_GETMINMAXINFO, OnMinMaxInfo},
    HandlerRow{WM_WINDOWPOSCHANGING, OnPosChanging},
    HandlerRow{WM_WINDOWPOSCHANGED, OnPosChanged},
    HandlerRow{WM_NOTIFY, OnNotify},
    HandlerRow{WM_CONTEXTMENU, OnContextMenu},
    HandlerRow{WM_NCACTIVATE, OnNcActivate},
    HandlerRow{WM_COMMAND, OnCommand},
    HandlerRow{WM_SYSCOMMAND, OnSysCommand},
    HandlerRow{WM_CTLCOLOREDIT, OnControlColour},
    HandlerRow{WM_CTLCOLORLISTBOX, OnControlColour},
    HandlerRow{WM_CTLCOLORBTN, OnControlColour},
    HandlerRow{WM_CTLCOLORSTATIC, OnControlColour},
    HandlerRow{WM_MOUSEMOVE, OnMouseMove},
    HandlerRow{WM_LBUTTONDOWN, OnLeftDown},
    HandlerRow{WM_LBUTTONDBLCLK, OnLeftDoubleClick},
    HandlerRow{WM_MOVING, OnMoving},
    HandlerRow{WM_EXITSIZEMOVE, OnExitSizeMove},
    HandlerRow{WM_DROPFILES, OnDropFiles},
    HandlerRow{DM_GETDEFID, OnGetDefaultId},
    HandlerRow{WM_NCCALCSIZE, OnNcCalcSize},
    HandlerRow{WM_NCPAINT, OnNcPaint},
};

Handled Dispatch(const Message& m) {
    for (const HandlerRow& row : kHandlers) {
        if (row.message == m.id) return row.handler(m);
    }
    for (const PlainEvent& row : kPlainEvents) {
        if (row.message == m.id) Post(m, row.code, m.wParam, m.lParam);
    }
    return std::nullopt;
}

}  // namespace

// No exception may cross into the system's message dispatch.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          UINT_PTR formPointer, DWORD_PTR) {
    auto* form = reinterpret_cast<Form*>(formPointer);
    if (form == nullptr || form->State().record == nullptr || form->Window() != window) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        const Message m{*form, form->State(), window, message, wParam, lParam};
        if (Handled answer = Dispatch(m)) return *answer;
    } catch (...) {
        // Dropping the event is the only safe course inside a window procedure.
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace scrutor::ui
