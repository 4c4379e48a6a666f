// Jobs on their own threads with real progress windows, worked by messages and the mouse.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "foundation/handles.h"
#include "ui/form.h"
#include "virustotal/vt_job_win.h"

namespace scrutor {
namespace {

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// What the test sees of one job; shared, since the job frees its work.
struct Probe {
    HandleHolder released{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    HandleHolder ended{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> result{99};
    std::atomic<bool> cancelled{false};
    std::atomic<double> endedAt{0};  // ms
    bool WaitEnded(DWORD ms = 3000) { return WaitForSingleObject(ended.Get(), ms) == 0; }
};

// Reports two statuses (the last must show), then waits to be released (1) or cancelled (-3).
struct FakeWork final : JobWork {
    FakeWork(std::shared_ptr<Probe> p, std::u16string s)
        : probe_(std::move(p)), status_(std::move(s)) {}
    int Run(StatusSink& status, const CancelFlag& cancelled) override {
        status.SetStatus(WideString(u"An earlier status"));
        status.SetStatus(WideString(status_));
        while (!cancelled && WaitForSingleObject(probe_->released.Get(), 1) != WAIT_OBJECT_0)
            continue;
        return cancelled ? -3 : 1;
    }
    void Ended(int result, bool cancelled) override {
        probe_->endedAt = NowMs();
        probe_->result = result;
        probe_->cancelled = cancelled;
        SetEvent(probe_->ended.Get());
    }
    std::shared_ptr<Probe> probe_;
    std::u16string status_;
};

auto Start(const std::u16string& status, HWND target = nullptr, bool shown = true) {
    auto probe = std::make_shared<Probe>();
    EXPECT_TRUE(StartJob(std::make_unique<FakeWork>(probe, status), shown, target));
    return probe;
}

bool WaitFor(const auto& done, DWORD ms = 3000) {
    for (const DWORD end = GetTickCount() + ms; !done(); Sleep(5)) {
        if (GetTickCount() > end) return false;
    }
    return true;
}

// The progress window (found by its class) that shows `status`.
HWND WindowShowing(const wchar_t* status) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"Tolvanex_VT_Analyzer", nullptr));) {
            if (FindWindowExW(w, nullptr, nullptr, status) != nullptr) found = w;
        }
        return found != nullptr;
    });
    return found;
}

// Each way of ending a job early, timed from the action to Ended on the job thread.
TEST(ProgressJob, CancelCloseAndALostTargetEndTheJobAtOnce) {
    const struct {
        const char* name;
        void (*act)(HWND window, HWND target);
    } ways[] = {
        {"Cancel clicked", [](HWND w, HWND) { (void)driver::PressButton(w, L"Cancel"); }},
        {"close event", [](HWND w, HWND) { PostMessageW(w, WM_CLOSE, 0, 0); }},
        {"target window gone", [](HWND, HWND target) { DestroyWindow(target); }},
    };
    for (const auto& way : ways) {
        HWND target = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                      nullptr, nullptr);
        auto probe = Start(u"Waiting to be cancelled", target);
        HWND window = WindowShowing(L"Waiting to be cancelled");
        ASSERT_NE(window, nullptr) << way.name;
        const double start = NowMs();
        way.act(window, target);
        ASSERT_TRUE(probe->WaitEnded()) << way.name;
        std::printf("%s: job ended %.1f ms later\n", way.name, probe->endedAt - start);
        EXPECT_TRUE(probe->cancelled && probe->result == -3) << way.name;
        EXPECT_LT(probe->endedAt - start, 200.0) << way.name;  // tens of ms; the load varies
    }
}

// Every 7th pixel on screen of the spinner's square.
std::vector<COLORREF> Spinner(HWND window) {
    POINT at{10, 60};
    ClientToScreen(window, &at);
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 3600; i += 7)
        pixels.push_back(GetPixel(screen, at.x + i % 60, at.y + i / 60));
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(ProgressJob, SpinnerTurnsOverAPlainWindowAndHideLeavesTheJobRunning) {
    ui::Form plain;
    ASSERT_NE(plain.Create(u"SCRUTOR_PLAIN_WND", u"A plain window", 0, 0, 640, 400), nullptr);
    plain.Show(SW_SHOW, ui::kShowUpdate);
    auto probe = Start(u"Analyzing the requested files...");
    HWND window = WindowShowing(L"Analyzing the requested files...");
    ASSERT_NE(window, nullptr);
    ui::PumpMessages();
    Sleep(300);
    const std::vector<COLORREF> before = Spinner(window);
    EXPECT_NE(std::count(before.begin(), before.end(), RGB(255, 255, 255)), 0);  // a white arc
    Sleep(100);
    EXPECT_NE(before, Spinner(window));
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(driver::SaveScreenshot(L"screenshots\\progress_window.bmp"));
    driver::ClickAt(window, {295, 187});  // "Hide", with the mouse
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
    EXPECT_FALSE(probe->WaitEnded(200));
    SetEvent(probe->released.Get());
    ASSERT_TRUE(probe->WaitEnded());
    EXPECT_TRUE(probe->result == 1 && !probe->cancelled);
}

// Last, as at the program's exit: no job starts after EndJobs.
TEST(ProgressJob, JobsRunAtOnceEachWithItsWindowUntilEndJobsCancelsThem) {
    auto first = Start(u"Status of the first job");
    auto second = Start(u"Status of the second job");
    auto silent = Start(u"", nullptr, false);
    HWND a = WindowShowing(L"Status of the first job");
    HWND b = WindowShowing(L"Status of the second job");
    ASSERT_TRUE(a != nullptr && b != nullptr && a != b);
    EXPECT_NE(GetWindowThreadProcessId(a, nullptr), GetWindowThreadProcessId(b, nullptr));
    EXPECT_TRUE((GetWindowLongW(a, GWL_EXSTYLE) & WS_EX_TOPMOST) && GetForegroundWindow() != a);
    EXPECT_TRUE(EndJobs(3000));
    for (const auto& probe : {first, second, silent}) {
        EXPECT_TRUE(probe->WaitEnded(0) && probe->cancelled && probe->result == -3);
    }
    EXPECT_FALSE(IsWindow(a) || IsWindow(b));
    EXPECT_FALSE(StartJob(std::make_unique<FakeWork>(std::make_shared<Probe>(), u""), false, {}));
}

}  // namespace
}  // namespace scrutor
