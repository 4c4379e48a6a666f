#pragma once

#include <array>
#include <functional>
#include <vector>

#include "ui/editor.h"
#include "ui/tool_window.h"

namespace scrutor {

// "Insert command": the whole command catalogue as a grouped check-box list; inserts the
// chosen commands into the editor, optionally with their parameter templates.
class InsertCommandWindow final : public ui::ToolWindow {
public:
    // showTip shows the line help tip for the caret's line after an insertion.
    InsertCommandWindow(ui::Form& main, const Editor& editor, std::function<void()> showTip)
        : main_(main), editor_(editor), showTip_(std::move(showTip)) {}

    // showMode 0 creates the window hidden (or leaves it as it is); SW_SHOW shows it.
    void Open(int showMode);

    [[nodiscard]] HWND List() const;

    void OnEvent(const ui::Event& event) override;

private:
    static constexpr std::size_t kGroupCount = 12;

    void Create();
    void CreateGroupBoxes();
    void CreateButtons();
    void FillList();
    void ApplyGroupStates();
    void ExpandAll();
    void CheckAll(bool checked);
    void InsertRows(std::vector<int> rows);
    [[nodiscard]] bool IsCommandRow(int row) const;
    [[nodiscard]] WideString RowLine(int row, bool withParameters, bool& automation) const;

    ui::Form& main_;
    const Editor& editor_;
    std::function<void()> showTip_;
    int listId_ = -1;
    std::array<int, kGroupCount> groupBoxIds_{};
    int expandAllId_ = -1;
    int checkAllId_ = -1;
    int parametersId_ = -1;
    int insertCheckedId_ = -1;
    int insertSelectedId_ = -1;
};

}  // namespace scrutor
