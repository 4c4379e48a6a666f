#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/handles.h"

namespace scrutor::ui {

struct SpinnerOptions {
    HWND window = nullptr;
    int size = 60;
    std::int64_t penColour = -1;         // ARGB; -1 is opaque white
    int speed = 70;                      // delay = 100 - speed ms
    std::int64_t backgroundColour = -1;  // -1: the pixels already under the spinner
};

// Animates a busy indicator in a window from a thread of its own; the thread ends when
// the window is destroyed. The result holds the thread's handle; empty when the thread could
// not be started.
[[nodiscard]] HandleHolder StartSpinner(const SpinnerOptions& options);

// The arc's box and pen width for a spinner size.
struct SpinnerGeometry {
    float penWidth;
    float origin;
    float extent;
};
[[nodiscard]] SpinnerGeometry SpinnerShape(int size);

}  // namespace scrutor::ui
