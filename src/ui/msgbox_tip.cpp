#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "ui/drawing.h"
#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui/form_state.h"
#include "ui/msgbox.h"

namespace scrutor::ui {

namespace {

constexpr int kTipWidth = 200;
constexpr WORD kEscapeCommand = 0x7FF0;
constexpr WORD kEnterCommand = 0x7FF1;
constexpr UINT_PTR kTipSubclass = 1;
constexpr std::uint32_t kTipFill = 0xFF000000u;    // opaque black (ARGB)
constexpr std::uint32_t kTipAccent = 0xFF6060FFu;  // the frame and the corner mark
constexpr COLORREF kTipText = RGB(255, 255, 255);

constexpr std::array<UINT, 13> kClosingMessages{
    WM_ACTIVATE,    WM_NCACTIVATE,   WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK,
    WM_CONTEXTMENU, WM_SYSCOMMAND,   WM_LBUTTONDOWN,   WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
    WM_RBUTTONDOWN, WM_RBUTTONUP,    WM_RBUTTONDBLCLK};

// Any touch of the tip closes it. The window is never destroyed in its own handler:
// the close request goes through the loop, which ends the tip.
LRESULT CALLBACK TipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR) {
    if (std::find(kClosingMessages.begin(), kClosingMessages.end(), message) !=
        kClosingMessages.end()) {
        PostMessageW(window, kCloseMessage, 0, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

struct TipText {
    WideString body;
    WideString caption;
};

TipText SplitTipText(const char16_t* text) {
    WideStringList parts(text != nullptr ? text : u"", u"||", true);
    TipText result{WideString(parts.Count() > 0 ? parts.Get(0) : u""), WideString(u"Information")};
    if (parts.Count() > 1) result.caption = WideString(parts.Get(1));
    return result;
}

POINT TipPosition(HWND owner) {
    RECT r{};
    GetWindowRect(owner, &r);
    POINT p{r.left + 24, r.top + 16};
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(owner, region.Get()) != ERROR) {
        RECT box{};
        GetRgnBox(region.Get(), &box);
        p.x += box.left;
        p.y += box.top + 4;
    }
    return p;
}

Size MeasureBody(HWND label, const WideString& body, int& lines) {
    WindowDc dc(label);
    SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    WideStringList parts(body.CStr(), u"\r\n", true);
    lines = std::max(static_cast<int>(parts.Count()), 1);
    int widest = 0;
    int tallest = 0;
    for (std::size_t i = 0; i < parts.Count(); ++i) {
        SIZE extent{};
        const char16_t* line = parts.Get(i);
        GetTextExtentPoint32W(dc.Get(), AsWide(line), static_cast<int>(TextLength(line)), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
        tallest = std::max(tallest, static_cast<int>(extent.cy));
    }
    return TipSize(lines, widest, tallest);
}

void PaintTip(Form& tip, Size size) {
    GdipBitmap picture = GdipBitmap::Create(size.width, size.height);
    FillArea(picture, 0, 0, size.width, size.height, kTipFill);
    DrawFrame(picture, 1, 1, size.width - 3, size.height - 3, kTipAccent);
    const POINT corner[3] = {{0, 0}, {0, 32}, {32, 0}};
    FillPolygon(picture, corner, 3, kTipAccent);
    (void)tip.SetBackgroundBitmap(picture.ToGdiBitmap(0));
}

bool BuildTip(Form& tip, Form& owner, const TipText& text, int height) {
    HWND ownerWindow = owner.Window();
    const POINT at = TipPosition(ownerWindow);
    const LONG topmost = GetWindowLongW(ownerWindow, GWL_EXSTYLE) & WS_EX_TOPMOST;
    tip.SetEventRecord(&owner);
    if (tip.Create(u"_WndMsgTipClass", text.caption.CStr(), at.x, at.y, kTipWidth, height,
                   WS_POPUP, topmost, ownerWindow) == nullptr) {
        return false;
    }
    (void)owner.AttachWindow(tip.Window());
    tip.SetDefaultFont(9.0, 400, u"Arial");
    tip.SetDefaultTextColour(kTipText);
    const int body = tip.CreateLabel(text.body.CStr(), 10, 35, kTipWidth - 20, height - 45);
    int lines = 1;
    const Size size = MeasureBody(tip.ControlWindow(body), text.body, lines);
    RECT outer{0, 0, size.width, size.height};
    AdjustWindowRectEx(&outer, WS_POPUP, FALSE, static_cast<DWORD>(topmost));
    SetWindowPos(tip.Window(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(tip.ControlWindow(body), nullptr, 0, 0, size.width - 20,
                 size.height - 45, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PaintTip(tip, size);
    const int caption = tip.CreateLabel(text.caption.CStr(), 35, 6, size.width - 35, 20);
    (void)tip.SetFont(caption, 9.0, 800, 1, u"Arial", 0);
    const ACCEL keys[2] = {{FVIRTKEY, VK_ESCAPE, kEscapeCommand}, {FVIRTKEY, VK_RETURN, kEnterCommand}};
    (void)tip.SetAccelerators(keys, 2);
    return true;
}

// Passive events leave the tip; the first other event ends it and is handed back to
// the caller's loop. The tip's own close request and keys end it too.
MsgBoxAnswer RunTip(Form& tip, EventRecord& record) {
    for (;;) {
        if (GetEvent(record, false) == 0) {
            PostQuitMessage(static_cast<int>(record.msg.wParam));
            return kMsgBoxNotShown;
        }
        if (record.code == 0) continue;
        if (record.form == &tip) {
            if (record.code == kEventClose || record.code > 0) return MsgBoxAnswer::kYes;
            continue;
        }
        if (TipSurvivesEvent(record.code)) continue;
        const Event saved = record.Current();
        RemoveWindowSubclass(tip.Window(), TipProc, kTipSubclass);
        tip.Destroy();
        PumpMessages();
        record.PostFront(saved);
        return MsgBoxAnswer::kYes;
    }
}

}  // namespace

MsgBoxAnswer MsgBoxTip(Form& owner, const char16_t* text, int height) {
    HWND ownerWindow = owner.Window();
    if (ownerWindow == nullptr || IsIconic(ownerWindow)) return kMsgBoxNotShown;
    const TipText parts = SplitTipText(text);
    Form tip;
    if (!BuildTip(tip, owner, parts, height > 69 ? height : 75)) return kMsgBoxNotShown;
    EventRecord& record = owner.Events();
    Form* previousActive = record.activeForm;
    record.activeForm = &tip;  // its Escape and Enter keys
    ShowWindow(tip.Window(), SW_SHOWNOACTIVATE);
    record.Forget(&tip);  // what building and showing it raised
    record.activeForm = &tip;
    SetWindowSubclass(tip.Window(), TipProc, kTipSubclass, 0);
    const MsgBoxAnswer result = RunTip(tip, record);
    if (tip.Window() != nullptr) {
        RemoveWindowSubclass(tip.Window(), TipProc, kTipSubclass);
        tip.Show(SW_HIDE);
        tip.Destroy();
    }
    if (record.activeForm == nullptr || record.activeForm == &tip) record.activeForm = previousActive;
    return result;
}

}  // namespace scrutor::ui
