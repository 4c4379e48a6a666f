#pragma once

#include <windows.h>

#include <cstdint>

namespace Gdiplus {
class GpBitmap;
class GpImage;
}  // namespace Gdiplus

// GDI+ session, bitmaps and the small drawing helpers of the windows.
namespace scrutor::ui {

[[nodiscard]] ULONG_PTR StartGdiplus();
void StopGdiplus(ULONG_PTR token);

// Owns one GDI+ image (a bitmap when made here) and keeps the status of its last
// failed call.
class GdipBitmap {
public:
    GdipBitmap() = default;
    explicit GdipBitmap(Gdiplus::GpImage* image) : image_(image) {}
    GdipBitmap(const GdipBitmap&) = delete;
    GdipBitmap& operator=(const GdipBitmap&) = delete;
    GdipBitmap(GdipBitmap&& other) noexcept;
    GdipBitmap& operator=(GdipBitmap&& other) noexcept;
    ~GdipBitmap();

    [[nodiscard]] static GdipBitmap Create(int width, int height);  // 32-bit ARGB
    [[nodiscard]] static GdipBitmap FromFile(const char16_t* path);
    [[nodiscard]] Gdiplus::GpImage* Get() const { return image_; }
    [[nodiscard]] explicit operator bool() const { return image_ != nullptr; }
    [[nodiscard]] int Width() const;
    [[nodiscard]] int Height() const;
    // A GDI bitmap of the image over a background colour; the caller owns it.
    [[nodiscard]] HBITMAP ToGdiBitmap(COLORREF background) const;
    bool Keep(int status);

private:
    Gdiplus::GpImage* image_ = nullptr;
    int status_ = 0;
};

bool FillRoundedRect(GdipBitmap& bitmap, int x, int y, int w, int h, std::uint32_t argb,
                     int corner);
[[nodiscard]] GdipBitmap GradientBitmap();
// A stretched copy of `bitmap`; on success the old bitmap is deleted and replaced.
bool ScaleBitmap(HBITMAP& bitmap, int width, int height);

// Window regions with rounded corners (corner = the arcs' diameter).
bool SetRoundedRegion(HWND window, int width, int height, int corner);
bool SetRoundedRegionAt(HWND window, int x, int y, int width, int height, int corner);

// Draws a filled triangle, a frame or a solid area into a bitmap with anti-aliasing.
bool FillPolygon(GdipBitmap& bitmap, const POINT* points, int count, std::uint32_t argb);
bool FillArea(GdipBitmap& bitmap, int x, int y, int w, int h, std::uint32_t argb);
bool DrawFrame(GdipBitmap& bitmap, int x, int y, int w, int h, std::uint32_t argb);

}  // namespace scrutor::ui
