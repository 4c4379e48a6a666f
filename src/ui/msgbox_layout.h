#pragma once

#include <array>
#include <vector>

#include "ui/layout.h"

// Geometry and decisions of the message box that need no window.
namespace scrutor::ui {

inline constexpr int kMsgBoxOk = 0;
inline constexpr int kMsgBoxYesNo = 1;
inline constexpr int kMsgBoxOkCancel = 2;
inline constexpr int kMsgBoxYesNoCancel = 3;
inline constexpr int kMsgBoxTip = 4;

inline constexpr int kMsgBoxWidth = 360;
// What the user answered. OK and Yes share one answer, as do No and closing the box.
enum class MsgBoxAnswer : int {
    kNotShown = -1000,  // not shown, or the loop ended while it was open
    kCancel = -1,
    kNo = 0,
    kYes = 1,
};
inline constexpr MsgBoxAnswer kMsgBoxNotShown = MsgBoxAnswer::kNotShown;

struct MsgBoxButton {
    const char16_t* text;
    int x;
};

// The buttons of styles 0-3, left to right; empty for other styles.
[[nodiscard]] std::vector<MsgBoxButton> MsgBoxButtons(int style);
// The result of pressing button `index` (0-based) in `style`.
[[nodiscard]] MsgBoxAnswer MsgBoxButtonResult(int style, int index);
// Whether an event leaves an open tip in place.
[[nodiscard]] bool TipSurvivesEvent(int code);

// Size of the tip window for the measured lines of its body.
[[nodiscard]] Size TipSize(int lineCount, int widestLine, int tallestLine);

}  // namespace scrutor::ui
