#include "ui/layout.h"

#include <algorithm>

namespace scrutor::ui {

bool TakesPartInLayout(std::uint32_t flags) { return (flags & kResizeLayoutMask) != 0; }

// Flicker-free painting covers the control's own area, so it also keeps the
// form's background off it.
std::uint32_t NormaliseResizing(std::uint32_t flags) {
    return (flags & kResizeFlickerFree) ? (flags | kResizeOwnBackground) : flags;
}

namespace {

// One axis of the layout. The flags of the axis are passed in its own terms so the
// same rules serve x/width and y/height. A zero base size (a parent that had no
// client area when the control was made) would divide by zero; such a control keeps
// its base geometry on that axis.
struct AxisFlags {
    std::uint32_t stretch, keepFar, centreOffset, centreFraction, scaleSize, scalePos;
};

constexpr AxisFlags kAxisX{kResizeStretchX,       kResizeKeepRight,  kResizeCentreOffsetX,
                           kResizeCentreFractionX, kResizeScaleWidth, kResizeScaleX};
constexpr AxisFlags kAxisY{kResizeStretchY,       kResizeKeepBottom,  kResizeCentreOffsetY,
                           kResizeCentreFractionY, kResizeScaleHeight, kResizeScaleY};

struct Span {
    int pos;
    int size;
};

Span LayoutAxis(const AxisFlags& a, std::uint32_t flags, int pos0, int size0, int parent0,
                int parent, Span current) {
    int size = size0;
    if ((flags & a.scaleSize) && parent0 != 0) size = parent * size0 / parent0;
    if (flags & a.scalePos) {
        return {parent0 != 0 ? parent * pos0 / parent0 : pos0, size};
    }
    if (flags & a.centreFraction) {
        const int centre0 = size0 / 2 + pos0;
        const int ratio = centre0 != 0 ? (parent0 * 1000) / centre0 : 0;
        if (ratio == 0) return {pos0, size};
        return {(parent * 1000) / ratio - size / 2, size};
    }
    if (flags & a.centreOffset) {
        return {parent / 2 + (size0 / 2 + pos0 - size / 2 - parent0 / 2), size};
    }
    if (!(flags & (a.stretch | a.keepFar))) return current;
    if (flags & a.keepFar) {
        const int gap = parent0 - size0 - pos0;
        const int extra = parent - size - pos0 - gap;
        if (flags & a.stretch) return {pos0, size + extra};
        return {pos0 + extra, size};
    }
    return {pos0, size};
}

}  // namespace

Box ComputeLayout(const LayoutBase& base, std::uint32_t flags, int parentWidth,
                  int parentHeight, const Box& current) {
    const Span x = LayoutAxis(kAxisX, flags, base.box.x, base.box.width, base.parentWidth,
                              parentWidth, {current.x, current.width});
    const Span y = LayoutAxis(kAxisY, flags, base.box.y, base.box.height, base.parentHeight,
                              parentHeight, {current.y, current.height});
    return {x.pos, y.pos, x.size, y.size};
}

int FontHeightForPoints(double points) {
    if (points < 1.0) points = 8.5;
    return static_cast<int>(points * -96.0 / 72.0);
}

std::vector<PathPart> RoundedPath(float x, float y, float w, float h, float d) {
    using K = PathPart::Kind;
    const float r = d / 2;
    return {
        {K::kLine, x + r, y, x + w - r, y, 0},
        {K::kArc, x + w - d, y, d, d, -90},
        {K::kLine, x + w, y + r, x + w, y + h - r, 0},
        {K::kArc, x + w - d, y + h - d, d, d, 0},
        {K::kLine, x + w - r, y + h, x + r, y + h, 0},
        {K::kArc, x, y + h - d, d, d, 90},
        {K::kLine, x, y + h - r, x, y + r, 0},
        {K::kArc, x, y, d, d, 180},
    };
}

}  // namespace scrutor::ui
