#pragma once

#include <windows.h>

#include <optional>

#include "ui/form.h"
#include "ui/form_state.h"

// The decoders of the generic subclass procedure, one small function per message.
namespace scrutor::ui {

struct Message {
    Form& form;
    FormState& state;
    HWND window;
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
};

// A handled message answers a value; nullopt lets default processing run.
using Handled = std::optional<LRESULT>;

[[nodiscard]] Handled OnCommand(const Message& m);
[[nodiscard]] Handled OnNotify(const Message& m);
[[nodiscard]] Handled OnControlColour(const Message& m);
[[nodiscard]] Handled OnEraseBackground(const Message& m);
[[nodiscard]] Handled OnDropFiles(const Message& m);

}  // namespace scrutor::ui
