#include "inspector/window_identification.h"

#include "foundation/win_text.h"
#include "inspector/control_definition.h"

namespace scrutor {
namespace {

// A hung program must not freeze the picker, which polls every 20 ms.
constexpr UINT kTextTimeoutMs = 200;

struct EnumContext {
    const std::function<bool(TreeWindow)>* visit;
};

BOOL CALLBACK VisitChild(HWND window, LPARAM context) {
    const auto* c = reinterpret_cast<const EnumContext*>(context);
    return (*c->visit)(AsTreeWindow(window)) ? TRUE : FALSE;
}

WideString ReadClassName(HWND window, std::size_t units) {
    WideString name;
    char16_t* buffer = name.GetBuffer(units - 1, nullptr, true);
    if (GetClassNameW(window, AsWide(buffer), static_cast<int>(units)) == 0) name.Clear();
    return name;
}

}  // namespace

void Win32WindowTree::ForEachDescendant(TreeWindow parent,
                                        const std::function<bool(TreeWindow)>& visit) const {
    // A null parent would enumerate every top-level window instead.
    if (parent == 0) return;
    EnumContext context{&visit};
    EnumChildWindows(AsWindow(parent), VisitChild, reinterpret_cast<LPARAM>(&context));
}

bool Win32WindowTree::ClassName(TreeWindow window, std::size_t units, WideString& name) const {
    name = ReadClassName(AsWindow(window), units);
    return !name.IsEmpty();
}

WideString Win32WindowTree::Text(TreeWindow window, std::size_t units) const {
    WideString text;
    char16_t* buffer = text.GetBuffer(units - 1, nullptr, true);
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(AsWindow(window), WM_GETTEXT, units, reinterpret_cast<LPARAM>(buffer),
                            SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied) == 0) {
        text.Clear();
    }
    return text;
}

WideString Win32WindowTree::CaptionText(TreeWindow window, std::size_t units) const {
    WideString text;
    char16_t* buffer = text.GetBuffer(units - 1, nullptr, true);
    if (GetWindowTextW(AsWindow(window), AsWide(buffer), static_cast<int>(units)) == 0) {
        text.Clear();
    }
    return text;
}

std::int32_t Win32WindowTree::ControlId(TreeWindow window) const {
    return GetDlgCtrlID(AsWindow(window));
}

HWND TopLevelWindowAt(POINT point) {
    HWND w = WindowFromPoint(point);
    while (w != nullptr && (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) != 0) w = GetParent(w);
    return w;
}

std::int32_t ClassInstanceNumber(HWND top, HWND control, const char16_t* className) {
    return ClassInstanceNumber(Win32WindowTree(), AsTreeWindow(top), AsTreeWindow(control),
                               className);
}

WindowProperties WindowInfo(HWND top) {
    RECT client{};
    if (top == nullptr || !GetClientRect(top, &client)) return {};
    const Win32WindowTree tree;
    return MakeWindowProperties(ReadClassName(top, kWindowTextUnits),
                                tree.Text(AsTreeWindow(top), kWindowTextUnits),
                                client.right - client.left, client.bottom - client.top);
}

std::int32_t ClassInstanceNumber(HWND top, HWND control) {
    const WideString className = ReadClassName(control, kWindowTextUnits);
    return ClassInstanceNumber(top, control, className.CStr());
}

ControlProperties ControlInfo(HWND control, HWND top) {
    if (control == nullptr) return {};
    return ControlInfo(control, ClassInstanceNumber(top, control));
}

ControlProperties ControlInfo(HWND control, std::int32_t instance) {
    if (control == nullptr) return {};
    const Win32WindowTree tree;
    return MakeControlProperties(ReadClassName(control, kWindowTextUnits),
                                 tree.Text(AsTreeWindow(control), kWindowTextUnits), instance,
                                 static_cast<std::int32_t>(GetWindowLongW(control, GWL_ID)));
}

WideString ClientPointText(HWND top, POINT point) {
    if (top == nullptr) return {};
    MapWindowPoints(nullptr, top, &point, 1);
    return PairText(point.x, point.y);
}

HWND ResolveControlDefinition(HWND parent, const char16_t* definition) {
    return AsWindow(ResolveControlDefinition(Win32WindowTree(), AsTreeWindow(parent), definition));
}

}  // namespace scrutor
