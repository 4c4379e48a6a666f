#pragma once

#include <windows.h>

namespace scrutor::ui {

class Form;

// A tracking tooltip next to a control of the form (controlId 0: the form itself).
struct TipOptions {
    const char16_t* text = nullptr;
    int x = 0;  // screen position of the tip's stem
    int y = 0;
    const char16_t* title = nullptr;
    int icon = 0;              // TTI_* of the title
    LONG balloonStyle = -1;    // -1: TTS_BALLOON; 0: rectangular; else the tip window styles
    UINT toolFlags = 0;        // TTF_* beside TTF_TRACK
    int textColour = -1;       // -1 keeps the themed look
    int backgroundColour = -1;
    int controlId = 0;
};

// Replaces the form's current tip; false when nothing could be shown (no text, minimised
// form, unknown control).
[[nodiscard]] bool ShowTip(Form& form, const TipOptions& options);
// Removes the form's current tip, if any.
void HideTip(Form& form);

}  // namespace scrutor::ui
