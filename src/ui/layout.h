#pragma once

#include <cstdint>
#include <vector>

// Portable arithmetic of the window toolkit: resizing flags, font heights,
// image fitting and the rounded-rectangle outline. No platform headers.
namespace scrutor::ui {

inline constexpr std::uint32_t kResizeStretchX = 0x0001;     // with kResizeKeepRight
inline constexpr std::uint32_t kResizeKeepRight = 0x0002;
inline constexpr std::uint32_t kResizeCentreOffsetX = 0x0004;
inline constexpr std::uint32_t kResizeCentreFractionX = 0x0008;
inline constexpr std::uint32_t kResizeStretchY = 0x0010;     // with kResizeKeepBottom
inline constexpr std::uint32_t kResizeKeepBottom = 0x0020;
inline constexpr std::uint32_t kResizeCentreOffsetY = 0x0040;
inline constexpr std::uint32_t kResizeCentreFractionY = 0x0080;
inline constexpr std::uint32_t kResizeScaleWidth = 0x0100;
inline constexpr std::uint32_t kResizeScaleHeight = 0x0200;
inline constexpr std::uint32_t kResizeOwnBackground = 0x0400;
inline constexpr std::uint32_t kResizeFlickerFree = 0x0800;
inline constexpr std::uint32_t kResizeDragsForm = 0x1000;
inline constexpr std::uint32_t kResizeScaleX = 0x2000;
inline constexpr std::uint32_t kResizeScaleY = 0x4000;
inline constexpr std::uint32_t kResizeRepaintParent = 0x8000;
inline constexpr std::uint32_t kResizeLayoutMask = 0x63EE;

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// A control's geometry when it was created (or re-based): its box relative to
// the parent and the parent's client size then.
struct LayoutBase {
    Box box;
    int parentWidth = 0;
    int parentHeight = 0;
};

[[nodiscard]] bool TakesPartInLayout(std::uint32_t flags);
[[nodiscard]] std::uint32_t NormaliseResizing(std::uint32_t flags);
[[nodiscard]] Box ComputeLayout(const LayoutBase& base, std::uint32_t flags, int parentWidth,
                                int parentHeight, const Box& current);

// Character height (negative, as fonts want it) for a size in points at 96 dpi.
[[nodiscard]] int FontHeightForPoints(double points);

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// The rounded-rectangle outline as lines and quarter arcs; the corner size is the
// arcs' diameter.
struct PathPart {
    enum class Kind { kLine, kArc } kind = Kind::kLine;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends, or the arc's box (x, y, w, h)
    float startAngle = 0;
};
[[nodiscard]] std::vector<PathPart> RoundedPath(float x, float y, float width, float height,
                                                float corner);

}  // namespace scrutor::ui
