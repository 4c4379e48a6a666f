#pragma once

// Times one piece of work over many runs and prints its minimum and median, for the
// benchmarks that run under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace scrutor::bench {

inline double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// `work` answers false when its result is wrong; the figure is then not printed.
template <class Work>
void Report(const char* name, int runs, Work work, const char* note = "") {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double start = NowMs();
        if (!work()) {
            std::printf("%s: FAILED\n", name);
            return;
        }
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s min %8.3f ms  median %8.3f ms  (%d runs%s)\n", name, times.front(),
                times[times.size() / 2], runs, note);
}

}  // namespace scrutor::bench
