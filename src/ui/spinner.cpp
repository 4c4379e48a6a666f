#include "ui/spinner.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <memory>

#include "ui/ui_handles.h"

namespace scrutor::ui {

namespace gp = Gdiplus::DllExports;

namespace {

constexpr float kStartAngle = 280.0f;
constexpr float kSweep = 294.0f;

// False when the window is gone; waits while it is hidden.
bool WaitVisible(HWND window) {
    for (;;) {
        if (!IsWindow(window)) return false;
        if (IsWindowVisible(window)) return true;
        Sleep(10);
    }
}

struct Canvas {
    UniqueDc dc;
    UniqueBitmap bitmap;
    HGDIOBJ previous = nullptr;
    UniqueBrush background;
    UniqueBitmap backdrop;
    Gdiplus::GpGraphics* graphics = nullptr;
    Gdiplus::GpPen* pen = nullptr;
    ~Canvas() {
        if (pen != nullptr) gp::GdipDeletePen(pen);
        if (graphics != nullptr) gp::GdipDeleteGraphics(graphics);
        if (previous != nullptr) SelectObject(dc.Get(), previous);
    }
};

bool Prepare(Canvas& c, const SpinnerOptions& o) {
    WindowDc screen(o.window);
    if (screen.Get() == nullptr) return false;
    c.dc.Reset(CreateCompatibleDC(screen.Get()));
    c.bitmap.Reset(CreateCompatibleBitmap(screen.Get(), o.size, o.size));
    if (!c.dc || !c.bitmap) return false;
    c.previous = SelectObject(c.dc.Get(), c.bitmap.Get());
    if (o.backgroundColour == -1) {
        c.backdrop.Reset(CreateCompatibleBitmap(screen.Get(), o.size, o.size));
        UniqueDc copy(CreateCompatibleDC(screen.Get()));
        {
            SelectedObject keep(copy.Get(), c.backdrop.Get());
            BitBlt(copy.Get(), 0, 0, o.size, o.size, screen.Get(), 0, 0, SRCCOPY);
        }
        c.background.Reset(CreatePatternBrush(c.backdrop.Get()));
    } else {
        c.background.Reset(CreateSolidBrush(static_cast<COLORREF>(o.backgroundColour & 0xFFFFFF)));
    }
    const SpinnerGeometry shape = SpinnerShape(o.size);
    const auto argb = static_cast<Gdiplus::ARGB>(o.penColour == -1 ? 0xFFFFFFFF : o.penColour);
    if (gp::GdipCreateFromHDC(c.dc.Get(), &c.graphics) != Gdiplus::Ok ||
        gp::GdipCreatePen1(argb, shape.penWidth, Gdiplus::UnitPixel, &c.pen) != Gdiplus::Ok) {
        return false;
    }
    gp::GdipSetPenStartCap(c.pen, Gdiplus::LineCapRound);
    gp::GdipSetPenEndCap(c.pen, Gdiplus::LineCapRound);
    gp::GdipSetSmoothingMode(c.graphics, Gdiplus::SmoothingModeAntiAlias);
    gp::GdipSetPixelOffsetMode(c.graphics, Gdiplus::PixelOffsetModeHighQuality);
    return c.background.Get() != nullptr;
}

bool CopyToWindow(const Canvas& c, HWND window, int size) {
    if (!IsWindow(window)) return false;
    WindowDc target(window);
    return target.Get() != nullptr &&
           BitBlt(target.Get(), 0, 0, size, size, c.dc.Get(), 0, 0, SRCCOPY) != 0;
}

void Spin(const SpinnerOptions& o) {
    if (!WaitVisible(o.window)) return;
    Canvas c;
    if (!Prepare(c, o)) return;
    const SpinnerGeometry shape = SpinnerShape(o.size);
    const DWORD delay = static_cast<DWORD>(std::max(100 - o.speed, 0));
    RECT all{0, 0, o.size, o.size};
    float angle = kStartAngle;
    Sleep(delay);
    FillRect(c.dc.Get(), &all, c.background.Get());
    for (;;) {
        gp::GdipDrawArc(c.graphics, c.pen, shape.origin, shape.origin, shape.extent, shape.extent,
                        angle, kSweep);
        if (!CopyToWindow(c, o.window, o.size)) return;
        angle += 4.0f;
        if (angle >= 360.0f) angle -= 360.0f;
        if (!WaitVisible(o.window)) return;
        Sleep(delay);
        FillRect(c.dc.Get(), &all, c.background.Get());
    }
}

DWORD WINAPI SpinnerThread(LPVOID parameter) {
    std::unique_ptr<SpinnerOptions> options(static_cast<SpinnerOptions*>(parameter));
    try {
        Spin(*options);
    } catch (...) {
        // Nothing may leave a thread procedure.
    }
    return 0;
}

}  // namespace

SpinnerGeometry SpinnerShape(int size) {
    const float pen = static_cast<float>(size / 6 - 1);
    const float origin = static_cast<float>(static_cast<int>(pen) / 2 + 1);
    return {pen, origin, static_cast<float>(size) - pen - 2.0f};
}

HandleHolder StartSpinner(const SpinnerOptions& options) {
    if (options.window == nullptr || options.size <= 0) return {};
    auto* copy = new SpinnerOptions(options);
    HandleHolder thread(CreateThread(nullptr, 0, SpinnerThread, copy, 0, nullptr));
    if (!thread) delete copy;
    return thread;
}

}  // namespace scrutor::ui
