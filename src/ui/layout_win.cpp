#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <vector>

#include "ui/drawing.h"
#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

namespace {

Box CurrentBox(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Size ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

struct Moved {
    ControlRecord* control;
    Box box;
};

void AfterMove(const Moved& m) {
    const ControlRecord& c = *m.control;
    if (c.type == kTypeGroup) SetGroupRegion(c.window, m.box.width, m.box.height);
    if (c.resizing & kResizeRepaintParent) {
        RECT r{m.box.x, m.box.y, m.box.x + m.box.width, m.box.y + m.box.height};
        RedrawWindow(GetParent(c.window), &r, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

}  // namespace

// Controls directly on the form move in one deferred batch so the form repaints once;
// controls inside other windows are moved at once against their own parent's size.
void Form::Layout() {
    FormState& s = *state_;
    if (s.window == nullptr || IsIconic(s.window) || s.lastId == 0) return;
    const Size client = ClientSize(s.window);
    if (client.width == s.layoutWidth && client.height == s.layoutHeight) return;
    s.layoutWidth = client.width;
    s.layoutHeight = client.height;
    s.clientWidth = client.width;
    s.clientHeight = client.height;
    HDWP batch = BeginDeferWindowPos(s.lastId + 1);
    std::vector<Moved> moved;
    constexpr UINT kFlags = SWP_NOZORDER | SWP_NOOWNERZORDER;
    for (int id = 1; id <= s.lastId; ++id) {
        ControlRecord& c = s.controls[id];
        if (c.id == 0 || c.window == nullptr || !TakesPartInLayout(c.resizing)) continue;
        HWND parent = GetParent(c.window);
        const Size p = parent == s.window ? client : ClientSize(parent);
        const Box b = ComputeLayout(c.base, c.resizing, p.width, p.height, CurrentBox(c.window));
        if (parent == s.window && batch != nullptr) {
            batch = DeferWindowPos(batch, c.window, nullptr, b.x, b.y, b.width, b.height, kFlags);
        }
        if (parent != s.window || batch == nullptr) {
            SetWindowPos(c.window, nullptr, b.x, b.y, b.width, b.height, kFlags);
        }
        moved.push_back({&c, b});
    }
    if (batch != nullptr) EndDeferWindowPos(batch);
    for (const Moved& m : moved) AfterMove(m);
    // Wine leaves what moved controls uncover (and parts of where they arrive) unpainted;
    // one repaint of the whole form after the batch costs little and shows it right.
    if (!moved.empty() && IsWindowVisible(s.window)) {
        RedrawWindow(s.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

bool Form::SetResizing(int id, std::uint32_t flags) {
    ControlRecord* c = state_->Find(id);
    if (c == nullptr || c->window == nullptr) return false;
    flags = NormaliseResizing(flags);
    c->resizing = flags;
    const Size parent = ClientSize(GetParent(c->window));
    c->base = {CurrentBox(c->window), parent.width, parent.height};
    UpdatePaintSubclass(*this, *c);
    return true;
}

void SetGroupRegion(HWND group, int width, int height) {
    HRGN outer = CreateRectRgn(0, 0, width, height);
    UniqueRegion inner(CreateRectRgn(6, 18, width - 6, height - 6));
    CombineRgn(outer, outer, inner.Get(), RGN_DIFF);
    if (!SetWindowRgn(group, outer, FALSE)) DeleteObject(outer);
}

bool Form::SetFormRegion(int corner) {
    FormState& s = *state_;
    if (s.window == nullptr) return false;
    SetWindowTheme(s.window, L"", L"");
    RECT client{};
    GetClientRect(s.window, &client);
    MapWindowPoints(s.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT frame{};
    GetWindowRect(s.window, &frame);
    OffsetRect(&client, -frame.left, -frame.top);
    bool ok = true;
    if (corner < 1) {
        s.customFrame = true;
        SetWindowPos(s.window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (corner == 1) {
        HRGN region = CreateRectRgnIndirect(&client);
        ok = SetWindowRgn(s.window, region, TRUE) != 0;
        if (!ok) DeleteObject(region);
    } else {
        ok = SetRoundedRegionAt(s.window, client.left, client.top, client.right - client.left,
                                client.bottom - client.top, corner);
    }
    const Size size = ClientSize(s.window);
    s.clientWidth = size.width;
    s.clientHeight = size.height;
    return ok;
}

}  // namespace scrutor::ui
