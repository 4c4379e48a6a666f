#include <windows.h>

#include <commctrl.h>

#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

HFONT MakeFont(double size, int weight, int attributes, const char16_t* face, int quality) {
    LOGFONTW lf{};
    lf.lfHeight = FontHeightForPoints(size);
    lf.lfWeight = weight < 1 ? 400 : weight;
    lf.lfItalic = (attributes & 2) ? TRUE : FALSE;
    lf.lfUnderline = (attributes & 4) ? TRUE : FALSE;
    lf.lfStrikeOut = (attributes & 8) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = static_cast<BYTE>(quality < 1 ? CLEARTYPE_QUALITY : quality);
    if (face != nullptr) lstrcpynW(lf.lfFaceName, AsWide(face), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

bool EnsureCapacity(FormState& s) {
    if (s.lastId + 4 < static_cast<int>(s.controls.size())) return true;
    try {
        s.controls.resize(s.controls.size() * 2);
    } catch (...) {
        return false;
    }
    return true;
}

namespace {

void ApplyDefaults(FormState& s, ControlRecord& c) {
    const FontSpec& f = s.defaultFont;
    if (f.size != 0) {
        c.font.Reset(MakeFont(f.size, f.weight, f.attributes, f.face.c_str(), f.quality));
        SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(c.font.Get()), FALSE);
    }
    c.textColour = s.defaultTextColour >= 0 ? s.defaultTextColour
                                            : static_cast<int>(GetSysColor(COLOR_BTNTEXT));
    c.backgroundColour = s.defaultBackgroundColour;
    if (c.backgroundColour >= 0) {
        c.brush.Reset(CreateSolidBrush(static_cast<COLORREF>(c.backgroundColour)));
    }
    c.resizing = s.defaultResizing;
}

}  // namespace

int CreateControl(Form& form, const ControlSpec& spec) {
    FormState& s = form.State();
    if (s.window == nullptr || !EnsureCapacity(s)) return 0;
    const int id = s.lastId + 1;
    DWORD style = spec.style | WS_CHILD | (spec.tabStop ? WS_TABSTOP : 0);
    if (s.groupStart) style |= WS_GROUP;
    HWND parent = s.currentParent != nullptr ? s.currentParent : s.window;
    HWND window = CreateWindowExW(spec.exStyle, spec.windowClass, AsWide(spec.text), style, spec.x,
                                  spec.y, spec.width, spec.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), s.instance,
                                  nullptr);
    if (window == nullptr) return 0;
    ControlRecord& c = s.controls[id];
    c = ControlRecord{};
    c.type = spec.type;
    c.window = window;
    c.id = id;
    s.lastId = id;
    s.groupStart = false;
    RECT client{};
    GetClientRect(parent, &client);
    c.base = {{spec.x, spec.y, spec.width, spec.height}, client.right, client.bottom};
    ApplyDefaults(s, c);
    UpdatePaintSubclass(form, c);
    return id;
}

int Form::CreateButton(const char16_t* text, int x, int y, int w, int h, LONG style) {
    const DWORD final = style == -1 ? WS_VISIBLE : static_cast<DWORD>(style);
    const int id = CreateControl(*this, {kTypeButton, L"Button", text, final, 0, x, y, w, h});
    if (id != 0 && (final & BS_TYPEMASK) == BS_DEFPUSHBUTTON) (void)SetDefaultButton(id);
    return id;
}

int Form::CreateCheckBox(const char16_t* text, int x, int y, int w, int h) {
    return CreateControl(*this, {kTypeCheckBox, L"Button", text, WS_VISIBLE | BS_AUTOCHECKBOX, 0,
                                 x, y, w, h});
}

int Form::CreateComboBox(const char16_t* items, int x, int y, int w, int h) {
    const int id = CreateControl(*this, {kTypeComboBox, L"ComboBox", u"",
                                         WS_VISIBLE | CBS_DROPDOWNLIST, 0, x, y, w,
                                         h});
    if (id == 0) return 0;
    (void)SetText(id, items, 0);
    SendToControl(id, CB_SETCURSEL, 0, 0);
    return id;
}

int Form::CreateEditor(int x, int y, int w, int h) {
    constexpr DWORD kStyle = WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                             ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
    return CreateControl(*this, {kTypeEditor, L"Edit", u"", kStyle, 0, x, y, w, h});
}

namespace {

// A group box draws its frame and caption but never its background; inside its frame
// region that would show whatever was on screen before. It takes the colour the form
// gives static controls.
LRESULT CALLBACK GroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    if (message == WM_ERASEBKGND) {
        HWND parent = GetParent(window);
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(parent, WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(window)));
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, GroupProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

int Form::CreateGroup(const char16_t* text, int x, int y, int w, int h) {
    const int id = CreateControl(*this, {kTypeGroup, L"Button", text,
                                         WS_VISIBLE | WS_GROUP | BS_GROUPBOX, 0, x, y, w, h,
                                         false});
    if (id == 0) return 0;
    SetGroupRegion(ControlWindow(id), w, h);
    SetWindowSubclass(ControlWindow(id), GroupProc, 0, 0);
    return id;
}

int Form::CreateIcon(HICON icon, int x, int y, int w, int h) {
    const int id = CreateControl(*this, {kTypeIcon, L"Static", u"",
                                         WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL | SS_NOTIFY, 0,
                                         x, y, w, h});
    if (id != 0 && icon != nullptr) (void)SetImage(id, icon);
    return id;
}

int Form::CreateInput(const char16_t* text, int x, int y, int w, int h) {
    return CreateControl(*this, {kTypeInput, L"Edit", text, WS_VISIBLE | ES_AUTOHSCROLL,
                                 WS_EX_CLIENTEDGE, x, y, w, h});
}

int Form::CreateLabel(const char16_t* text, int x, int y, int w, int h, LONG style) {
    const DWORD final = style == -1 ? (WS_VISIBLE | SS_NOTIFY) : static_cast<DWORD>(style);
    return CreateControl(*this, {kTypeLabel, L"Static", text, final, 0, x, y, w, h});
}

int Form::CreatePicture(HBITMAP bitmap, int x, int y, int w, int h) {
    const int id = CreateControl(*this, {kTypePicture, L"Static", u"",
                                         WS_VISIBLE | SS_BITMAP | SS_REALSIZECONTROL | SS_NOTIFY,
                                         0, x, y, w, h});
    if (id != 0 && bitmap != nullptr) (void)SetImage(id, bitmap);
    return id;
}

}  // namespace scrutor::ui
