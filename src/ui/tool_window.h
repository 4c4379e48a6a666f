#pragma once

#include <windows.h>

#include "ui/event_record.h"
#include "ui/form.h"

namespace scrutor::ui {

// A tool window's frame: caption, system menu, sizing border and minimize box, no maximize box.
inline constexpr LONG kToolWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

// Home of every modeless tool window of the program: it owns its form, its control ids
// and its state, and handles the events its form raises in one OnEvent. Created on first
// use, it lives as long as the program; closing only hides it. Its events go into the main
// window's record, and the main loop routes each one back here by its form.
class ToolWindow {
public:
    ToolWindow() = default;
    virtual ~ToolWindow() = default;
    ToolWindow(const ToolWindow&) = delete;
    ToolWindow& operator=(const ToolWindow&) = delete;

    virtual void OnEvent(const Event& event) = 0;

    [[nodiscard]] bool Raised(const Event& event) const { return event.form == &form_; }
    [[nodiscard]] bool Exists() const { return form_.Window() != nullptr; }
    [[nodiscard]] HWND Window() const { return form_.Window(); }
    [[nodiscard]] bool IsShown() const;

protected:
    // Commands of the window's own Esc and Enter keys (accelerators, so they work whichever
    // control has the focus).
    static constexpr int kEscapeCommand = 0x7FE0;
    static constexpr int kEnterCommand = 0x7FE1;

    // Creates the form (client size width × height), raising its events into the owner's
    // record and, unless `owned` is false, owned by it. Esc always hides; Enter raises
    // kEnterCommand when asked for.
    HWND CreateForm(Form& owner, const char16_t* className, const char16_t* title, int x, int y,
                    int width, int height, LONG style, bool enterKey, LONG exStyle = -1,
                    bool owned = true);
    // Hides the window, hands the keyboard focus to `next` and lets the hiding settle.
    void Hide(HWND next);
    // Restores when minimised, shows, brings to the front and activates.
    void BringToFront();
    // Whether the event names one of this window's controls, or is a press on its frame:
    // the user acting here, which makes the main window's tip stale.
    [[nodiscard]] bool ConcernsControl(const Event& event) const;
    // Raises kShowTipEvent into the loop: after an insertion the focus moves to the editor,
    // and the main window's activation event would hide a tip shown at once.
    void PostShowTip();
    static constexpr int kShowTipEvent = 0x7FE2;

    Form form_;
};

}  // namespace scrutor::ui
