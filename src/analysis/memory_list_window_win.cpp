#include "analysis/memory_list_window.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <string>

#include "analysis/memory_list_texts.h"
#include "ui/event_codes.h"
#include "ui/layout.h"

namespace scrutor {

namespace {

constexpr const char16_t* kClassName = u"SCRUTOR_INSERT_WND";
constexpr const char16_t* kTitle = u"Scrutor's memory list";
constexpr int kWidth = 500;
constexpr int kHeight = 600;
constexpr int kMinimumTrackWidth = 500;
constexpr int kMinimumTrackHeight = 20;
// Closer to the screen's left edge than this, the window would not fit beside the main one.
constexpr int kLeftmostMainEdge = 101;

constexpr LONG kListStyle = WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
constexpr DWORD kListExStyle = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
constexpr std::uint32_t kListResizing = ui::kResizeStretchX | ui::kResizeKeepRight |
                                        ui::kResizeStretchY | ui::kResizeKeepBottom |
                                        ui::kResizeOwnBackground;
constexpr std::uint32_t kButtonResizing = ui::kResizeCentreFractionX | ui::kResizeKeepBottom |
                                          ui::kResizeScaleWidth |
                                          ui::kResizeOwnBackground;
constexpr int kColumnWidth = 2000;  // wider than any line shown, so none is cut with "..."
constexpr int kButtonWidth = 124;
constexpr int kButtonHeight = 26;

}  // namespace

bool MemoryListWindow::Ensure(int showCommand) {
    if (!Exists()) Create();
    if (!Exists()) return false;
    if (showCommand == SW_SHOW) {
        BringToFront();
    } else if (showCommand != SW_HIDE) {
        (void)form_.Show(showCommand, ui::kShowUpdate);
    }
    return true;
}

void MemoryListWindow::Create() {
    RECT frame{};
    GetWindowRect(main_.Window(), &frame);
    const int x = frame.left < kLeftmostMainEdge ? 0 : frame.left - kWidth;
    if (CreateForm(main_, kClassName, kTitle, x, frame.top, kWidth, kHeight, ui::kToolWindowStyle, false) ==
        nullptr) {
        return;
    }
    form_.SetMinimumSize(kMinimumTrackWidth, kMinimumTrackHeight);
    listId_ =
        form_.CreateListView(u"  Memorized lines", u"|", 5, 0, 490, 518, kListStyle, kListExStyle);
    (void)form_.SendToControl(listId_, LVM_SETCOLUMNWIDTH, 0, kColumnWidth);
    (void)form_.SetResizing(listId_, kListResizing);
    const auto button = [this](const char16_t* text, int x, int y) {
        const int id = form_.CreateButton(text, x, y, kButtonWidth, kButtonHeight);
        (void)form_.SetResizing(id, kButtonResizing);
        return id;
    };
    insertCheckedId_ = button(u"Insert checled", 32, 528);
    deleteCheckedId_ = button(u"Delete checled", 188, 528);
    insertAllId_ = button(u"Insert all", 344, 528);
    insertSelectedId_ = button(u"Insert hilighted", 32, 564);
    deleteSelectedId_ = button(u"Delete hilighted", 188, 564);
    deleteAllId_ = button(u"Delete all", 344, 564);
    (void)main_.AttachWindow(Window());
}

void MemoryListWindow::MemorizeSelectedLines() {
    if (!Ensure(0)) return;
    WideStringArray lines;
    if (editor_.SelectedLines(lines, kMinimumMemorizedLength) == 0) return;
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        (void)form_.AddItem(listId_, lines.Get(i).CStr(), u"");
    }
    ReportCount();
    editor_.Focus();
}

void MemoryListWindow::InsertFromMenu() {
    if (!Ensure(0) || Count() == 0) return;
    InsertItems(AllItems());
    editor_.Focus();
}

void MemoryListWindow::Reset() {
    if (!Ensure(0)) return;
    (void)form_.SendToControl(listId_, LVM_DELETEALLITEMS, 0, 0);
    ReportCount();
}

int MemoryListWindow::Count() const {
    return Exists() ? std::max(form_.ItemCount(listId_), 0) : 0;
}

std::vector<WideString> MemoryListWindow::Lines() const {
    std::vector<WideString> lines;
    for (int i = 0; i < Count(); ++i)
        lines.push_back(form_.ItemText(listId_, i, 0));
    return lines;
}

// The document changes whichever way the lines go in, so it is always marked modified:
// a close must offer to save what was inserted.
void MemoryListWindow::InsertItems(const std::vector<int>& indices) {
    if (indices.empty() || !editor_.Exists()) return;
    const bool before = editor_.PrepareInsertionPoint();
    for (const int index : indices) {
        const WideString text = form_.ItemText(listId_, index, 0);
        if (!text.IsEmpty()) editor_.InsertLine(text, before);
    }
    editor_.SetModified();
}

// From the highest index down, so that the indices still to go keep their meaning.
void MemoryListWindow::DeleteItems(const std::vector<int>& indices) {
    std::vector<int> order = indices;
    std::sort(order.rbegin(), order.rend());
    for (const int index : order) (void)form_.DeleteItem(listId_, index);
    ReportCount();
}

std::vector<int> MemoryListWindow::AllItems() const {
    std::vector<int> all(static_cast<std::size_t>(Count()));
    std::iota(all.begin(), all.end(), 0);
    return all;
}

void MemoryListWindow::ReportCount() {
    if (countChanged_) countChanged_(Count());
}

void MemoryListWindow::OnEvent(const ui::Event& event) {
    const int code = event.code;
    if (code == ui::kEventClose || code == kEscapeCommand) {
        Hide(editor_.Window());
    } else if (code == ui::kEventDoubleClick) {
        if (static_cast<int>(event.value1) == listId_) InsertItems(form_.SelectedItems(listId_));
    } else if (code == insertCheckedId_) {
        InsertItems(form_.CheckedItems(listId_));
    } else if (code == insertSelectedId_) {
        InsertItems(form_.SelectedItems(listId_));
    } else if (code == insertAllId_) {
        InsertItems(AllItems());
    } else if (code == deleteCheckedId_) {
        DeleteItems(form_.CheckedItems(listId_));
    } else if (code == deleteSelectedId_) {
        DeleteItems(form_.SelectedItems(listId_));
    } else if (code == deleteAllId_) {
        (void)form_.SendToControl(listId_, LVM_DELETEALLITEMS, 0, 0);
        ReportCount();
    }
}

}  // namespace scrutor
