#pragma once

#include <functional>
#include <optional>

#include "inspector/automation_snippet.h"
#include "inspector/picker_drag.h"
#include "ui/editor.h"
#include "ui/tool_window.h"

namespace scrutor {

// The always-on-top window of the control picker: drag the picker over any window, then
// copy a property or insert it, or an automation line built from it, into the script.
class ControlInfoToolWindow final : public ui::ToolWindow, public DragView {
public:
    // showTip shows the line help tip for the caret's line; it decides whether it can.
    ControlInfoToolWindow(ui::Form& main, const Editor& editor, std::function<void()> showTip)
        : main_(main), editor_(editor), showTip_(std::move(showTip)) {}

    void Open();
    void OnEvent(const ui::Event& event) override;

    // The controls, for whoever drives the window from outside (tests, the driver).
    struct Controls {
        int hint = -1;
        int arrow = -1;
        int picker = -1;
        int list = -1;
        int forced = -1;
        int copy = -1;
        int insertInline = -1;
        int functionGroup = -1;
        int functions = -1;
        int insertFunction = -1;
    };
    [[nodiscard]] const Controls& Ids() const { return ids_; }
    [[nodiscard]] ui::Form& View() { return form_; }
    [[nodiscard]] WideString Value(PropertyRow row) const;

    // What a drag shows lands in the rows; only changed values are rewritten.
    [[nodiscard]] HWND OwnWindow() const override { return Window(); }
    [[nodiscard]] bool StillShown() const override { return IsShown(); }
    void ShowValue(PropertyRow row, const WideString& value) override;

private:
    static constexpr int kNotSeen = -2;  // the next event refreshes, whatever is selected

    void Create();
    void CreateTop();
    void CreateList();
    void CreateBottom();
    void AdaptHint();
    [[nodiscard]] bool RefreshSelection();
    void RefreshFunctionControls(int item);
    [[nodiscard]] std::optional<PropertyRow> RowOf(int item) const;
    void React(const ui::Event& event);
    void Drag();
    void CopySelected();
    void InsertInline();
    void InsertFunction();

    ui::Form& main_;
    const Editor& editor_;
    std::function<void()> showTip_;
    Controls ids_;
    int lastSelected_ = kNotSeen;
};

}  // namespace scrutor
