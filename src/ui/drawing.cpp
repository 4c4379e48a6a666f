#include "ui/drawing.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "ui/layout.h"
#include "ui/ui_handles.h"

namespace scrutor::ui {

namespace gp = Gdiplus::DllExports;
using Gdiplus::GpStatus;

namespace {

template <class T, GpStatus (*Delete)(T*)>
class GdipHolder {
public:
    GdipHolder() = default;
    GdipHolder(const GdipHolder&) = delete;
    GdipHolder& operator=(const GdipHolder&) = delete;
    ~GdipHolder() {
        if (p_ != nullptr) Delete(p_);
    }
    T** Out() { return &p_; }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

GpStatus DeleteGraphics(Gdiplus::GpGraphics* g) { return gp::GdipDeleteGraphics(g); }
GpStatus DeletePath(Gdiplus::GpPath* p) { return gp::GdipDeletePath(p); }
GpStatus DeleteBrush(Gdiplus::GpBrush* b) { return gp::GdipDeleteBrush(b); }
GpStatus DeletePen(Gdiplus::GpPen* p) { return gp::GdipDeletePen(p); }
GpStatus DeleteRegion(Gdiplus::GpRegion* r) { return gp::GdipDeleteRegion(r); }

using Graphics = GdipHolder<Gdiplus::GpGraphics, DeleteGraphics>;
using Path = GdipHolder<Gdiplus::GpPath, DeletePath>;
using Brush = GdipHolder<Gdiplus::GpBrush, DeleteBrush>;
using Pen = GdipHolder<Gdiplus::GpPen, DeletePen>;
using Region = GdipHolder<Gdiplus::GpRegion, DeleteRegion>;

bool SmoothGraphics(GdipBitmap& bitmap, Graphics& g) {
    if (!bitmap || !bitmap.Keep(gp::GdipGetImageGraphicsContext(bitmap.Get(), g.Out()))) {
        return false;
    }
    gp::GdipSetSmoothingMode(g.Get(), Gdiplus::SmoothingModeAntiAlias);
    gp::GdipSetPixelOffsetMode(g.Get(), Gdiplus::PixelOffsetModeHighQuality);
    return true;
}

bool BuildRoundedPath(Path& path, float x, float y, float w, float h, float d) {
    if (gp::GdipCreatePath(Gdiplus::FillModeAlternate, path.Out()) != Gdiplus::Ok) return false;
    for (const PathPart& part : RoundedPath(x, y, w, h, d)) {
        if (part.kind == PathPart::Kind::kLine) {
            gp::GdipAddPathLine(path.Get(), part.x1, part.y1, part.x2, part.y2);
        } else {
            gp::GdipAddPathArc(path.Get(), part.x1, part.y1, part.x2, part.y2, part.startAngle,
                               90.0f);
        }
    }
    return gp::GdipClosePathFigure(path.Get()) == Gdiplus::Ok;
}

}  // namespace

// Sessions may start and end on several threads (a job thread has its own); the library
// counts them, and the calls are kept one at a time, which it does not promise to do itself.
static std::mutex& GdiplusLock() {
    static std::mutex lock;
    return lock;
}

ULONG_PTR StartGdiplus() {
    const std::lock_guard guard(GdiplusLock());
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 0;
    return token;
}

void StopGdiplus(ULONG_PTR token) {
    const std::lock_guard guard(GdiplusLock());
    if (token != 0) Gdiplus::GdiplusShutdown(token);
}

GdipBitmap::GdipBitmap(GdipBitmap&& other) noexcept
    : image_(std::exchange(other.image_, nullptr)), status_(other.status_) {}

GdipBitmap& GdipBitmap::operator=(GdipBitmap&& other) noexcept {
    if (this != &other) {
        if (image_ != nullptr) gp::GdipDisposeImage(image_);
        image_ = std::exchange(other.image_, nullptr);
        status_ = other.status_;
    }
    return *this;
}

GdipBitmap::~GdipBitmap() {
    if (image_ != nullptr) gp::GdipDisposeImage(image_);
}

bool GdipBitmap::Keep(int status) {
    if (status != Gdiplus::Ok) status_ = status;
    return status == Gdiplus::Ok;
}

GdipBitmap GdipBitmap::Create(int width, int height) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr,
                                      &bitmap) != Gdiplus::Ok) {
        return {};
    }
    return GdipBitmap(bitmap);
}

GdipBitmap GdipBitmap::FromFile(const char16_t* path) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (path == nullptr ||
        gp::GdipCreateBitmapFromFile(AsWide(path), &bitmap) != Gdiplus::Ok) {
        return {};
    }
    return GdipBitmap(bitmap);
}

int GdipBitmap::Width() const {
    UINT w = 0;
    if (image_ != nullptr) gp::GdipGetImageWidth(image_, &w);
    return static_cast<int>(w);
}

int GdipBitmap::Height() const {
    UINT h = 0;
    if (image_ != nullptr) gp::GdipGetImageHeight(image_, &h);
    return static_cast<int>(h);
}

HBITMAP GdipBitmap::ToGdiBitmap(COLORREF background) const {
    HBITMAP result = nullptr;
    if (image_ == nullptr) return nullptr;
    const Gdiplus::ARGB argb = 0xFF000000u | (GetRValue(background) << 16) |
                               (GetGValue(background) << 8) | GetBValue(background);
    gp::GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(image_), &result, argb);
    return result;
}

bool FillRoundedRect(GdipBitmap& bitmap, int x, int y, int w, int h, std::uint32_t argb,
                     int corner) {
    Graphics g;
    Path path;
    Brush brush;
    Pen pen;
    if (!SmoothGraphics(bitmap, g)) return false;
    if (!BuildRoundedPath(path, static_cast<float>(x), static_cast<float>(y),
                          static_cast<float>(w), static_cast<float>(h),
                          static_cast<float>(corner))) {
        return false;
    }
    gp::GdipCreateSolidFill(argb, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Out()));
    gp::GdipCreatePen1(argb, 1.0f, Gdiplus::UnitPixel, pen.Out());
    if (brush.Get() == nullptr || pen.Get() == nullptr) return false;
    const bool drawn = bitmap.Keep(gp::GdipDrawPath(g.Get(), pen.Get(), path.Get()));
    return bitmap.Keep(gp::GdipFillPath(g.Get(), brush.Get(), path.Get())) && drawn;
}

GdipBitmap GradientBitmap() {
    GdipBitmap bitmap = GdipBitmap::Create(400, 200);
    Graphics g;
    Brush brush;
    if (!bitmap || !bitmap.Keep(gp::GdipGetImageGraphicsContext(bitmap.Get(), g.Out()))) {
        return bitmap;
    }
    const Gdiplus::GpPoint from{0, 0};
    const Gdiplus::GpPoint to{400, 0};
    gp::GdipCreateLineBrushI(&from, &to, 0xFF000000u, 0xFF505050u, Gdiplus::WrapModeTile,
                             reinterpret_cast<Gdiplus::GpLineGradient**>(brush.Out()));
    if (brush.Get() != nullptr) {
        bitmap.Keep(gp::GdipFillRectangleI(g.Get(), brush.Get(), 0, 0, 400, 200));
    }
    return bitmap;
}

bool ScaleBitmap(HBITMAP& bitmap, int width, int height) {
    BITMAP info{};
    if (bitmap == nullptr || !GetObjectW(bitmap, sizeof info, &info)) return false;
    HDC screen = GetDC(nullptr);
    UniqueDc from(CreateCompatibleDC(screen));
    UniqueDc to(CreateCompatibleDC(screen));
    UniqueBitmap result(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    if (!from || !to || !result) return false;
    BOOL ok = FALSE;
    {
        SelectedObject source(from.Get(), bitmap);
        SelectedObject target(to.Get(), result.Get());
        SetStretchBltMode(to.Get(), HALFTONE);
        SetBrushOrgEx(to.Get(), 0, 0, nullptr);
        ok = StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, info.bmWidth,
                        info.bmHeight, SRCCOPY);
    }
    if (!ok) return false;
    DeleteObject(bitmap);
    bitmap = result.Release();
    return true;
}

bool SetRoundedRegion(HWND window, int width, int height, int corner) {
    return SetRoundedRegionAt(window, 0, 0, width, height, corner);
}

bool SetRoundedRegionAt(HWND window, int x, int y, int width, int height, int corner) {
    GdipBitmap canvas = GdipBitmap::Create(1, 1);
    Graphics g;
    Path path;
    Region region;
    if (!SmoothGraphics(canvas, g)) return false;
    if (!BuildRoundedPath(path, static_cast<float>(x), static_cast<float>(y),
                          static_cast<float>(width), static_cast<float>(height),
                          static_cast<float>(corner)) ||
        gp::GdipCreateRegionPath(path.Get(), region.Out()) != Gdiplus::Ok) {
        return false;
    }
    HRGN handle = nullptr;
    if (gp::GdipGetRegionHRgn(region.Get(), g.Get(), &handle) != Gdiplus::Ok) return false;
    if (SetWindowRgn(window, handle, FALSE)) return true;
    DeleteObject(handle);
    return false;
}

bool FillPolygon(GdipBitmap& bitmap, const POINT* points, int count, std::uint32_t argb) {
    Graphics g;
    Brush brush;
    if (!SmoothGraphics(bitmap, g)) return false;
    gp::GdipCreateSolidFill(argb, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Out()));
    if (brush.Get() == nullptr) return false;
    std::vector<Gdiplus::GpPoint> corners;
    for (int i = 0; i < count; ++i) corners.push_back({points[i].x, points[i].y});
    return bitmap.Keep(gp::GdipFillPolygonI(g.Get(), brush.Get(), corners.data(), count,
                                            Gdiplus::FillModeAlternate));
}

bool FillArea(GdipBitmap& bitmap, int x, int y, int w, int h, std::uint32_t argb) {
    Graphics g;
    Brush brush;
    if (!bitmap || !bitmap.Keep(gp::GdipGetImageGraphicsContext(bitmap.Get(), g.Out()))) {
        return false;
    }
    gp::GdipCreateSolidFill(argb, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Out()));
    return brush.Get() != nullptr &&
           bitmap.Keep(gp::GdipFillRectangleI(g.Get(), brush.Get(), x, y, w, h));
}

bool DrawFrame(GdipBitmap& bitmap, int x, int y, int w, int h, std::uint32_t argb) {
    Graphics g;
    Pen pen;
    if (!bitmap || !bitmap.Keep(gp::GdipGetImageGraphicsContext(bitmap.Get(), g.Out()))) {
        return false;
    }
    gp::GdipCreatePen1(argb, 1.0f, Gdiplus::UnitPixel, pen.Out());
    return pen.Get() != nullptr &&
           bitmap.Keep(gp::GdipDrawRectangleI(g.Get(), pen.Get(), x, y, w, h));
}

}  // namespace scrutor::ui
