#include "ui/tip.h"

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

void HideTip(Form& form) { form.State().tip.Reset(); }

namespace {

bool HasLineFeed(const char16_t* text) {
    for (; *text != 0; ++text) {
        if (*text == u'\n') return true;
    }
    return false;
}

TTTOOLINFOW ToolInfo(HWND owner, UINT flags, const char16_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = flags | TTF_TRACK;
    tool.hwnd = owner;
    tool.lpszText = const_cast<wchar_t*>(AsWide(text));
    return tool;
}

void SetTipColours(HWND tip, int textColour, int backgroundColour) {
    if (textColour == -1 && backgroundColour == -1) return;
    SetWindowTheme(tip, L"", L"");
    if (textColour != -1) SendMessageW(tip, TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(textColour), 0);
    if (backgroundColour != -1) {
        SendMessageW(tip, TTM_SETTIPBKCOLOR, static_cast<WPARAM>(backgroundColour), 0);
    }
}

}  // namespace

bool ShowTip(Form& form, const TipOptions& o) {
    HideTip(form);
    const char16_t* text = o.text;
    if (text == nullptr) return false;
    HWND window = form.Window();
    if (window == nullptr || IsIconic(window)) return false;
    HWND owner = form.ControlWindow(o.controlId);
    if (owner == nullptr) return false;
    const DWORD style = WS_POPUP | TTS_NOPREFIX |
                        static_cast<DWORD>(o.balloonStyle == -1 ? TTS_BALLOON : o.balloonStyle);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (tip == nullptr) return false;
    form.State().tip.Reset(tip);
    SendMessageW(tip, TTM_SETTITLEW, static_cast<WPARAM>(o.icon),
                 reinterpret_cast<LPARAM>(AsWide(o.title != nullptr ? o.title : u"")));
    if (HasLineFeed(text)) SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 10000);
    TTTOOLINFOW tool = ToolInfo(owner, o.toolFlags, text);
    if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        HideTip(form);
        return false;
    }
    SetTipColours(tip, o.textColour, o.backgroundColour);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(o.x, o.y));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    return true;
}

}  // namespace scrutor::ui
