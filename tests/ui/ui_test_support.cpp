#include "ui_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "driver.h"
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

Event FormFixture::NextEvent(int code, int timeoutMs) {
    if (const auto event = WaitForEvent(form_.Events(), code, timeoutMs)) return *event;
    ADD_FAILURE() << "no event " << code;
    return {-1, nullptr, ~0u, ~WPARAM{0}, -1, nullptr};
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

void SaveScreenshot(HWND window, const char* name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 150);
    const std::string path = std::string("screenshots\\") + name + ".bmp";
    (void)driver::SaveScreenshot(std::wstring(path.begin(), path.end()));
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
