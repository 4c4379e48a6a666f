#include "ui/tool_window.h"

#include <vector>

#include "ui/event_codes.h"

namespace scrutor::ui {

bool ToolWindow::IsShown() const {
    HWND window = form_.Window();
    return window != nullptr && IsWindowVisible(window) && !IsIconic(window);
}

HWND ToolWindow::CreateForm(Form& owner, const char16_t* className, const char16_t* title, int x,
                            int y, int width, int height, LONG style, bool enterKey,
                            LONG exStyle, bool owned) {
    form_.SetEventRecord(&owner);
    HWND window = form_.Create(className, title, x, y, width, height, style, exStyle,
                               owned ? owner.Window() : nullptr);
    if (window == nullptr) return nullptr;
    std::vector<ACCEL> keys{{FVIRTKEY, VK_ESCAPE, static_cast<WORD>(kEscapeCommand)}};
    if (enterKey) keys.push_back({FVIRTKEY, VK_RETURN, static_cast<WORD>(kEnterCommand)});
    (void)form_.SetAccelerators(keys.data(), static_cast<int>(keys.size()));
    return window;
}

void ToolWindow::Hide(HWND next) {
    (void)form_.Show(SW_HIDE, kShowUpdate);
    if (next != nullptr) SetFocus(next);
    PumpMessages();
}

void ToolWindow::BringToFront() {
    HWND window = form_.Window();
    if (window == nullptr) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    (void)form_.Show(SW_SHOW, kShowUpdate | kShowForeground | kShowActivate);
}

bool ToolWindow::ConcernsControl(const Event& event) const {
    if (event.code > 0 || event.code == kEventNcLeftDown) return true;
    const bool carriesControl = event.code == kEventDoubleClick || event.code == kEventReturn ||
                                event.code <= kEventItemSelected;
    const int id = static_cast<int>(event.value1);
    return carriesControl && id > 0 && form_.ControlExists(id);
}

void ToolWindow::PostShowTip() {
    PumpMessages();
    form_.Events().Post({kShowTipEvent, Window(), 0, 0, 0, &form_});
}

}  // namespace scrutor::ui
