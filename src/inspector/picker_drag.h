#pragma once

#include <windows.h>

#include "foundation/wide_string.h"
#include "inspector/automation_snippet.h"
#include "ui/system_cursors.h"

namespace scrutor {

// What the drag loop reads each tick, behind a seam so that a test can end a drag each way.
class DragInput {
public:
    virtual ~DragInput() = default;
    [[nodiscard]] virtual bool PrimaryButtonDown() = 0;
    [[nodiscard]] virtual bool EscapeDown() = 0;
    [[nodiscard]] virtual bool CursorPosition(POINT& point) = 0;
    virtual void Wait() = 0;
    // Dispatches the thread's pending messages; false when the program is quitting.
    [[nodiscard]] virtual bool Pump() = 0;
};

// The real mouse, keyboard and message queue; the primary button honours swapped buttons.
class Win32DragInput final : public DragInput {
public:
    [[nodiscard]] bool PrimaryButtonDown() override;
    [[nodiscard]] bool EscapeDown() override;
    [[nodiscard]] bool CursorPosition(POINT& point) override;
    void Wait() override;
    [[nodiscard]] bool Pump() override;
};

// Where the drag shows what it finds.
class DragView {
public:
    virtual ~DragView() = default;
    // The tool's own window: under the pointer it counts as no window.
    [[nodiscard]] virtual HWND OwnWindow() const = 0;
    // False once the tool is hidden or gone; the drag then ends.
    [[nodiscard]] virtual bool StillShown() const = 0;
    virtual void ShowValue(PropertyRow row, const WideString& value) = 0;
};

enum class DragEnd { NotPressed, Released, Escape, ToolGone, Quitting, NoCursorPosition };

// Follows the pointer while the primary button is held, framing the control under it and
// filling the view's rows; every system cursor shows the picker icon meanwhile.
DragEnd RunPickerDrag(DragInput& input, DragView& view, ui::SystemCursors& cursors, HICON icon,
                      bool forced);

}  // namespace scrutor
