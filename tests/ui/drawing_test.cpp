#include <windows.h>

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "ui/drawing.h"
#include "ui/form.h"
#include "ui/image_resource.h"
#include "ui/spinner.h"
#include "ui_test_support.h"

namespace scrutor::ui {
namespace {

namespace gp = Gdiplus::DllExports;

Gdiplus::ARGB Pixel(const GdipBitmap& bitmap, int x, int y) {
    Gdiplus::ARGB colour = 0;
    gp::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(bitmap.Get()), x, y, &colour);
    return colour;
}

std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Rounded rectangles leave their corners transparent; the gradient runs from black to grey
// and scales as a GDI bitmap.
TEST(DrawingTest, RoundedRectGradientAndScaling) {
    GdipBitmap bitmap = GdipBitmap::Create(100, 60);
    ASSERT_TRUE(bitmap);
    ASSERT_TRUE(FillRoundedRect(bitmap, 0, 0, 99, 59, 0xFF2040C0u, 20));
    EXPECT_EQ(Pixel(bitmap, 0, 0) >> 24, 0u);
    EXPECT_EQ(Pixel(bitmap, 50, 30), 0xFF2040C0u);
    EXPECT_EQ(Pixel(bitmap, 50, 0) >> 24, 0xFFu) << "the straight edge is drawn";
    const GdipBitmap gradient = GradientBitmap();
    ASSERT_EQ(gradient.Width(), 400);
    ASSERT_EQ(gradient.Height(), 200);
    EXPECT_LE(Pixel(gradient, 0, 100) & 0xFF, 2u);
    EXPECT_GE(Pixel(gradient, 399, 100) & 0xFF, 0x4Du);
    EXPECT_EQ(Pixel(gradient, 399, 100) >> 24, 0xFFu);
    HBITMAP gdi = gradient.ToGdiBitmap(0xFFFFFF);
    ASSERT_TRUE(ScaleBitmap(gdi, 30, 20));
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(gdi, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 30);
    EXPECT_EQ(info.bmHeight, 20);
    DeleteObject(gdi);
}

TEST(ImageResourceTest, EmbeddedLogoMatchesTheSourceFile) {
    const char* source = std::getenv("SCRUTOR_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::vector<char> png = ReadFile(std::string(source) + "/src/ui/resources/scrutor_logo.png");
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(ImageResourceSize(), png.size());
    ASSERT_TRUE(WriteImageResource(u"logo_copy.png"));  // the loaded bytes, as they are
    EXPECT_EQ(ReadFile("logo_copy.png"), png);
    DeleteFileW(L"logo_copy.png");
    EXPECT_FALSE(WriteImageResource(u"no_such_dir\\logo.png"));
}

TEST(SpinnerTest, TurnsWhileShownAndEndsWithItsWindow) {
    Form form;
    ASSERT_NE(form.Create(u"SCRUTOR_TEST_WND", u"Busy", 700, 100, 60, 60, WS_POPUP), nullptr);
    const HandleHolder thread = StartSpinner(
        {.window = form.Window(), .penColour = 0xFF1060C0, .backgroundColour = 0xFFFFFF});
    ASSERT_TRUE(thread.IsValid());
    EXPECT_EQ(WaitForSingleObject(thread.Get(), 100), static_cast<DWORD>(WAIT_TIMEOUT)) << "waits while hidden";
    form.Show(SW_SHOW, kShowUpdate);
    const auto arcShown = [&] {
        for (int i = 0; i < 30 * 30; ++i) {  // every second pixel each way
            if (test::ClientPixel(form.Window(), i % 30 * 2, i / 30 * 2) == 0xC06010) return true;
        }
        return false;
    };
    EXPECT_TRUE(test::PumpUntil(arcShown, 3000)) << "the arc appears in the pen colour";
    test::SaveScreenshot(form.Window(), "spinner");
    form.Destroy();
    EXPECT_EQ(WaitForSingleObject(thread.Get(), 3000), static_cast<DWORD>(WAIT_OBJECT_0))
        << "no spinner thread outlives its window";
}

}  // namespace
}  // namespace scrutor::ui
