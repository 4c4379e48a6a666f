#pragma once

#include <functional>
#include <vector>

#include "ui/editor.h"
#include "ui/tool_window.h"

namespace scrutor {

// "Scrutor's memory list": log lines collected while reading, to be inserted into the
// script later. The items live in the window's list view for the program's lifetime.
class MemoryListWindow final : public ui::ToolWindow {
public:
    // countChanged receives the new number of lines whenever it may have changed.
    MemoryListWindow(ui::Form& main, const Editor& editor, std::function<void(int)> countChanged)
        : main_(main), editor_(editor), countChanged_(std::move(countChanged)) {}

    // EnsureMemoryListWindow: creates the window hidden when missing; a show command other
    // than 0 shows it and brings it to the front.
    bool Ensure(int showCommand);
    // The menu commands.
    void MemorizeSelectedLines();
    void InsertFromMenu();
    void Reset();

    [[nodiscard]] int Count() const;
    [[nodiscard]] std::vector<WideString> Lines() const;

    void OnEvent(const ui::Event& event) override;

private:
    void Create();
    void InsertItems(const std::vector<int>& indices);
    void DeleteItems(const std::vector<int>& indices);
    [[nodiscard]] std::vector<int> AllItems() const;
    void ReportCount();

    ui::Form& main_;
    const Editor& editor_;
    std::function<void(int)> countChanged_;
    int listId_ = -1;
    int insertCheckedId_ = -1;
    int deleteCheckedId_ = -1;
    int insertAllId_ = -1;
    int insertSelectedId_ = -1;
    int deleteSelectedId_ = -1;
    int deleteAllId_ = -1;
};

}  // namespace scrutor
