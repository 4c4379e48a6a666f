#include "ui_test_support.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <vector>

#include "ui/drawing.h"

namespace scrutor::ui::test {

namespace {

class UiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;
        init.dwICC = 0x4041 | ICC_BAR_CLASSES;
        InitCommonControlsEx(&init);
        token_ = StartGdiplus();
        ASSERT_NE(token_, 0u);
        CreateDirectoryW(L"screenshots", nullptr);
    }
    void TearDown() override { StopGdiplus(token_); }

private:
    ULONG_PTR token_ = 0;
};

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new UiEnvironment);

}  // namespace

void FormFixture::Open(LONG style) {
    ASSERT_NE(form_.Create(u"SCRUTOR_TEST_WND", u"Test form", 40, 40, 400, 300, style), nullptr);
    form_.Show(SW_SHOW, kShowUpdate | kShowForeground);
    (void)CollectEvents(form_.Events(), 50);
}

std::optional<Event> WaitForEvent(EventRecord& record, int code, int timeoutMs) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (GetTickCount() < end) {
        if (GetEvent(record, true) != 0 && record.code == code) return record.Current();
        if (!record.Pending()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return std::nullopt;
}

std::vector<Event> CollectEvents(EventRecord& record, int timeoutMs) {
    std::vector<Event> events;
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (GetTickCount() < end) {
        if (GetEvent(record, true) != 0) {
            events.push_back(record.Current());
        } else if (!record.Pending()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return events;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (!done()) {
        if (GetTickCount() >= end) return false;
        PumpMessages();
        Sleep(5);
    }
    return true;
}

std::string SaveScreenshot(HWND window, const char* name) {
    PumpMessages();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 150);
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    namespace gp = Gdiplus::DllExports;
    Gdiplus::GpBitmap* image = nullptr;
    gp::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image);
    const std::string path = std::string("screenshots\\") + name + ".png";
    const std::wstring widePath(path.begin(), path.end());
    // The PNG encoder's class id.
    const CLSID png{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const bool saved = image != nullptr &&
                       gp::GdipSaveImageToFile(image, widePath.c_str(), &png, nullptr) == Gdiplus::Ok;
    if (image != nullptr) gp::GdipDisposeImage(image);
    DeleteObject(bitmap);
    return saved ? path : std::string();
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

}  // namespace scrutor::ui::test
