#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/event_record.h"
#include "ui/form.h"

namespace scrutor::ui::test {

// A form of the test class at (40, 40) with a 400 x 300 client area, shown, its start-up
// events dropped.
class FormFixture : public testing::Test {
protected:
    void SetUp() override { Open(-1); }
    void Open(LONG style);
    // The next event with `code` (see WaitForEvent); without one a failure, and all values -1.
    Event NextEvent(int code, int timeoutMs = 2000);
    Form form_;
};

// Fetches events (peek mode) until one with `code` arrives or the time runs out.
std::optional<Event> WaitForEvent(EventRecord& record, int code, int timeoutMs = 2000);
// Every event that arrives within the time, in order.
std::vector<Event> CollectEvents(EventRecord& record, int timeoutMs = 200);
// Pumps messages until the condition holds or the time runs out.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);
// Saves the screen with the window redrawn as screenshots/<name>.bmp in the build tree.
void SaveScreenshot(HWND window, const char* name);
// The colour on screen at a point of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y);

}  // namespace scrutor::ui::test
