#include "foundation/stopwatch.h"

#include <windows.h>

namespace scrutor {

Stopwatch::Stopwatch(bool start) {
    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency)) {
        countsPerMs_ = static_cast<double>(frequency.QuadPart) / 1000.0;
    }
    if (start) Start();
}

void Stopwatch::Start() {
    startMs_ = NowMs();
}

double Stopwatch::ElapsedMs() const {
    return startMs_ == 0 ? 0 : NowMs() - startMs_;
}

double Stopwatch::NowMs() const {
    LARGE_INTEGER counter{};
    if (countsPerMs_ <= 0 || !QueryPerformanceCounter(&counter)) return 0;
    return static_cast<double>(counter.QuadPart) / countsPerMs_;
}

}  // namespace scrutor
