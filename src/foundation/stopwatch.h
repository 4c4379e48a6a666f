#pragma once

namespace scrutor {

// Milliseconds from the performance counter.
class Stopwatch {
public:
    explicit Stopwatch(bool start = true);
    void Start();
    // Milliseconds since Start; 0 when not started.
    [[nodiscard]] double ElapsedMs() const;

private:
    [[nodiscard]] double NowMs() const;

    double countsPerMs_ = 0;
    double startMs_ = 0;
};

}  // namespace scrutor
