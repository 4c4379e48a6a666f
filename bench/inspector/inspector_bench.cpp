// One picker tick and one resolution on windows of 200 and 2,000 controls, under Wine.
#include <windows.h>

#include <cstdio>

#include "../common/timed_runs.h"

#include "inspector/window_identification.h"
#include "ui/form.h"

namespace {

using namespace scrutor;

constexpr int kColumns = 100;
constexpr int kPitch = 10;
constexpr int kRuns = 101;
constexpr double kTickBudgetMs = 20.0;

// A class of its own: a Static top-level window is transparent to WindowFromPoint.
HWND BuildBigWindow(int controls) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"ScrutorInspectorBench";
    RegisterClassW(&wc);
    HWND top = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Bench; 2000 controls",
                               WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 1010, 250, nullptr,
                               nullptr, nullptr, nullptr);
    const wchar_t* classes[] = {L"Button", L"Static", L"Edit"};
    for (int i = 0; i < controls; ++i) {
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1));
        CreateWindowExW(0, classes[i % 3], L"x", WS_CHILD | WS_VISIBLE, (i % kColumns) * kPitch,
                        (i / kColumns) * kPitch, kPitch - 1, kPitch - 1, top, id, nullptr, nullptr);
    }
    return top;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

template <class Work>
void Report(const char* name, Work work) {
    scrutor::bench::Report(name, kRuns, work, "; tick budget 20 ms");
}

void Measure(int controls) {
    HWND top = BuildBigWindow(controls);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    HWND last = GetWindow(GetWindow(top, GW_CHILD), GW_HWNDLAST);
    RECT r{};
    GetWindowRect(last, &r);
    const POINT cursor{r.left + 3, r.top + 3};
    const WideString classNN = ControlInfo(last, top).classNN;
    const std::int32_t instance = ClassInstanceNumber(top, last);
    std::printf("window of %d controls; last control %s\n", controls, classNN.ToUtf8().c_str());
    // What the drag does when the pointer reaches a control: every row, the count included.
    Report("tick onto a new control", [&] {
        HWND found = TopLevelWindowAt(cursor);
        HWND control = ui::ChildAtPoint(found, cursor, true);
        const WindowProperties w = WindowInfo(found);
        const ControlProperties c = ControlInfo(control, found);
        const WideString at = ClientPointText(found, cursor);
        return found == top && control == last && !w.title.IsEmpty() &&
               c.classNN == classNN && !at.IsEmpty();
    });
    // While it rests there: the window rows and the count are kept from the first tick.
    Report("tick on the same control", [&] {
        HWND found = TopLevelWindowAt(cursor);
        HWND control = ui::ChildAtPoint(found, cursor, true);
        const ControlProperties c = ControlInfo(control, instance);
        const WideString at = ClientPointText(found, cursor);
        return control == last && c.classNN == classNN && !at.IsEmpty();
    });
    // The platform floor: Wine asks its server once per window while enumerating.
    Report("  EnumChildWindows alone", [&] {
        int n = 0;
        EnumChildWindows(top, CountChild, reinterpret_cast<LPARAM>(&n));
        return n == controls;
    });
    Report("  forced ChildAtPoint", [&] { return ui::ChildAtPoint(top, cursor, true) == last; });
    Report("  ClassInstanceNumber", [&] { return ClassInstanceNumber(top, last) == instance; });
    Report("resolve last control's ClassNN", [&] {
        return ResolveControlDefinition(top, classNN.CStr()) == last;
    });
    DestroyWindow(top);
}

}  // namespace

int main() {
    Measure(200);
    Measure(2000);
    return 0;
}
