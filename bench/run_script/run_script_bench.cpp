// F5's walk over the top-level windows for ZEP's "Run script" window, on a desktop of 100
// windows with 60 controls each (none of them ZEP's), beside one EnumWindows pass over the
// same desktop. Under Wine: build/win64/bench/run_script/run_script_bench.exe.
#include <windows.h>

#include <cstdio>

#include "../common/timed_runs.h"

#include "analysis/script_runner.h"

namespace {

constexpr int kWindows = 100;
constexpr int kControlsEach = 60;
constexpr int kRuns = 51;

void BuildDesktop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"ScrutorRunScriptBench";
    RegisterClassW(&wc);
    const wchar_t* classes[] = {L"Static", L"Edit", L"Button"};
    for (int w = 0; w < kWindows; ++w) {
        HWND top = CreateWindowExW(0, wc.lpszClassName, L"Some program", WS_POPUP | WS_CAPTION, 0, 0,
                                   400, 300, nullptr, nullptr, nullptr, nullptr);
        for (int i = 0; i < kControlsEach; ++i) {
            // Every third Static is the one read; it says something other than "Run script".
            CreateWindowExW(0, classes[i % 3], L"Label text", WS_CHILD | WS_VISIBLE, (i % 10) * 40,
                            (i / 10) * 40, 38, 38, top, nullptr, nullptr, nullptr);
        }
    }
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

template <class Work>
void Report(const char* name, Work work) {
    scrutor::bench::Report(name, kRuns, work, "");
}

}  // namespace

int main() {
    BuildDesktop();
    HWND editor = CreateWindowExW(0, L"Edit", L"<ZEPCommandsScript>", WS_POPUP | ES_MULTILINE, 0, 0,
                                  100, 100, nullptr, nullptr, nullptr, nullptr);
    int topLevel = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&topLevel));
    std::printf("%d top-level windows on the desktop, %d of them with %d controls\n", topLevel,
                kWindows, kControlsEach);
    Report("RunScript walk (no ZEP window)",
           [&] { return scrutor::FindScriptWindow(editor).window == nullptr; });
    Report("  one EnumWindows pass", [&] {
        int n = 0;
        EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&n));
        return n == topLevel;
    });
    return 0;
}
