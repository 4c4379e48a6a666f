#pragma once

#include "ui/editor.h"
#include "ui/tool_window.h"

namespace scrutor {

// "Find text": a small window that searches the editor for a plain string, case-folded,
// forward from the selection, wrapping once to the start.
class FindWindow final : public ui::ToolWindow {
public:
    FindWindow(ui::Form& main, const Editor& editor) : main_(main), editor_(editor) {}

    // "Find": proposes the selected text, creates or shows the window.
    void ShowFindWindow();
    // "Find next (F3)": false when the editor does not exist.
    bool FindNext();

    void OnEvent(const ui::Event& event) override;

private:
    void Create(const WideString& proposed);
    [[nodiscard]] WideString SearchText() const;

    ui::Form& main_;
    const Editor& editor_;
    int inputId_ = -1;
    int buttonId_ = -1;
};

}  // namespace scrutor
