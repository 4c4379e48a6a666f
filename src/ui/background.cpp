#include "ui/drawing.h"
#include "ui/form.h"
#include "ui/form_proc.h"

namespace scrutor::ui {

namespace {

// Keeps the form's painting off controls that paint their own area; a control with a
// window region is kept off by that region only.
void ExcludeOwnPainters(const Message& m, HDC dc) {
    for (HWND c = GetWindow(m.window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const ControlRecord* record = m.state.Find(m.form.ControlIdOfWindow(c));
        if (record == nullptr || !IsWindowVisible(c)) continue;
        if (!(record->resizing & kResizeOwnBackground)) continue;
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, m.window, reinterpret_cast<POINT*>(&r), 2);
        UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(c, region.Get()) != ERROR) {
            OffsetRgn(region.Get(), r.left, r.top);
            ExtSelectClipRgn(dc, region.Get(), RGN_DIFF);
        } else {
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
    }
}

}  // namespace

Handled OnEraseBackground(const Message& m) {
    FormBackground& b = m.state.background;
    if (b.mode == BackgroundMode::kSystem) return std::nullopt;
    auto* dc = reinterpret_cast<HDC>(m.wParam);
    const int saved = SaveDC(dc);
    ExcludeOwnPainters(m, dc);
    RECT client{};
    GetClientRect(m.window, &client);
    if (b.mode == BackgroundMode::kStretched && b.bitmap) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, client.right, client.bottom, b.dc.Get(), 0, 0, b.pictureWidth,
                   b.pictureHeight, SRCCOPY);
    } else if (b.Brush() != nullptr) {
        FillRect(dc, &client, b.Brush());
    }
    RestoreDC(dc, saved);
    return 1;
}

static void DropPicture(FormBackground& b) {
    if (b.dc && b.previous != nullptr) SelectObject(b.dc.Get(), b.previous);
    b.previous = nullptr;
    b.bitmap.Reset();
}

void Form::SetBackgroundBrush(HBRUSH brush, bool owned) {
    FormBackground& b = state_->background;
    DropPicture(b);
    b.brush.Reset();
    b.foreign = nullptr;
    if (brush == nullptr && !owned) {
        b.mode = BackgroundMode::kSystem;
    } else if (owned) {
        b.mode = BackgroundMode::kSolid;
        b.brush.Reset(brush != nullptr ? brush : CreateSolidBrush(RGB(255, 255, 255)));
    } else {
        b.mode = BackgroundMode::kForeign;
        b.foreign = brush;
    }
    if (state_->window != nullptr) InvalidateRect(state_->window, nullptr, TRUE);
}

bool Form::SetBackgroundBitmap(HBITMAP bitmap) {
    FormBackground& b = state_->background;
    BITMAP info{};
    if (bitmap == nullptr || !b.dc || !GetObjectW(bitmap, sizeof info, &info)) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return false;
    }
    DropPicture(b);
    b.bitmap.Reset(bitmap);
    b.previous = SelectObject(b.dc.Get(), bitmap);
    b.pictureWidth = info.bmWidth;
    b.pictureHeight = info.bmHeight;
    b.mode = BackgroundMode::kStretched;
    for (int id = 1; id <= state_->lastId; ++id) SetRectEmpty(&state_->controls[id].backdrop);
    if (state_->window != nullptr) InvalidateRect(state_->window, nullptr, TRUE);
    return true;
}

// The brush keeps a copy of the bitmap.
bool Form::SetBackgroundPattern(HBITMAP bitmap) {
    HBRUSH pattern = bitmap != nullptr ? CreatePatternBrush(bitmap) : nullptr;
    if (pattern == nullptr) return false;
    SetBackgroundBrush(pattern, true);
    state_->background.mode = BackgroundMode::kPattern;
    return true;
}

}  // namespace scrutor::ui
