#include "catalogue/insert_command_window.h"

#include <commctrl.h>

#include <algorithm>

#include "catalogue/command_catalogue.h"
#include "foundation/os_version.h"
#include "ui/event_codes.h"
#include "ui/layout.h"
#include "ui/tip.h"

namespace scrutor {

namespace {

constexpr const char16_t* kClassName = u"SCRUTOR_INSERT_WND";
constexpr const char16_t* kTitle = u"Insert command";
constexpr int kWidth = 700;
constexpr int kHeight = 650;
constexpr int kOffsetFromRight = 500;
constexpr int kMinimumWidth = 500;
constexpr int kMinimumHeight = 20;

constexpr const char16_t* kColumns = u"  Command|  Description| Extended description| Parameters";
constexpr int kColumnWidths[] = {200, 1000, 0, 0};
constexpr int kKeywordColumn = 0;
constexpr int kParametersColumn = 3;

constexpr std::uint32_t kListResizing = ui::kResizeStretchX | ui::kResizeKeepRight |
                                        ui::kResizeStretchY | ui::kResizeKeepBottom |
                                        ui::kResizeOwnBackground;
constexpr std::uint32_t kGroupBoxResizing = ui::kResizeStretchX | ui::kResizeKeepRight |
                                            ui::kResizeKeepBottom | ui::kResizeOwnBackground;
constexpr std::uint32_t kGroupCheckResizing = ui::kResizeCentreFractionX | ui::kResizeKeepBottom;
constexpr std::uint32_t kButtonResizing = ui::kResizeKeepRight | ui::kResizeKeepBottom;

constexpr int kGroupColumns[] = {60, 300, 510};
constexpr int kGroupFirstRow = 525;
constexpr int kGroupRowStep = 20;
constexpr int kButtonsY = 617;

constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
// Beyond the check-box image list: the row draws no box at all.
constexpr UINT kNoCheckBox = INDEXTOSTATEIMAGEMASK(15);


int ToInt(WPARAM value) { return static_cast<int>(value); }

}  // namespace

HWND InsertCommandWindow::List() const { return Exists() ? form_.ControlWindow(listId_) : nullptr; }

void InsertCommandWindow::Open(int showMode) {
    if (Exists()) {
        if (showMode != 0) BringToFront();
        return;
    }
    Create();
    if (Exists() && showMode != 0) (void)form_.Show(showMode, ui::kShowUpdate);
}

void InsertCommandWindow::Create() {
    RECT frame{};
    GetWindowRect(main_.Window(), &frame);
    if (CreateForm(main_, kClassName, kTitle, frame.right - kOffsetFromRight, frame.top, kWidth,
                   kHeight, ui::kToolWindowStyle, true) == nullptr) {
        return;
    }
    form_.SetMinimumSize(kMinimumWidth, kMinimumHeight);
    constexpr LONG kListStyle = WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS;
    constexpr DWORD kListExStyle = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_CHECKBOXES;
    listId_ = form_.CreateListView(kColumns, u"|", 5, 0, 690, 495, kListStyle, kListExStyle);
    (void)form_.SetResizing(listId_, kListResizing);
    (void)form_.SetResizing(form_.CreateGroup(u"Expand list groups", 5, 505, 690, 105),
                            kGroupBoxResizing);
    CreateGroupBoxes();
    CreateButtons();
    FillList();
}

void InsertCommandWindow::CreateGroupBoxes() {
    const auto groups = BuiltInCatalogue().Groups();
    for (std::size_t i = 0; i < kGroupCount && i < groups.size(); ++i) {
        const int x = kGroupColumns[i % 3];
        const int y = kGroupFirstRow + kGroupRowStep * static_cast<int>(i / 3);
        groupBoxIds_[i] = form_.CreateCheckBox(groups[i].name, x, y, 140, 18);
        (void)form_.SetResizing(groupBoxIds_[i], kGroupCheckResizing);
    }
}

void InsertCommandWindow::CreateButtons() {
    const auto place = [this](int id) {
        (void)form_.SetResizing(id, kButtonResizing);
        return id;
    };
    expandAllId_ = place(form_.CreateCheckBox(u"Expand All/None", 80, kButtonsY, 120, 26));
    checkAllId_ = place(form_.CreateCheckBox(u"Check All/None", 220, kButtonsY, 120, 26));
    parametersId_ = place(form_.CreateCheckBox(u"Insert parameters", 340, kButtonsY, 130, 26));
    insertCheckedId_ = place(form_.CreateButton(u"Insert checked", 470, kButtonsY, 100, 26));
    insertSelectedId_ = place(form_.CreateButton(u"Insert hilighted", 590, kButtonsY, 100, 26));
}

void InsertCommandWindow::FillList() {
    for (int column = 0; column < 4; ++column) {
        form_.SendToControl(listId_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                            MAKELPARAM(kColumnWidths[column], 0));
    }
    (void)form_.EnableGroupView(listId_);
    const UINT groupState = OsVersion() >= 6.0 ? LVGS_COLLAPSIBLE : 0;
    const CommandCatalogue& catalogue = BuiltInCatalogue();
    for (const CatalogueGroup& group : catalogue.Groups()) {
        (void)form_.AddGroup(listId_, group.id, group.name, groupState);
    }
    for (const CatalogueGroup& group : catalogue.Groups()) {
        for (const CatalogueEntry& entry : group.entries) {
            const int row = form_.AddItem(listId_, entry.Text(), u"\t", group.id);
            if (entry.IsBlank() && row >= 0) {
                (void)form_.SetItemState(listId_, row, kNoCheckBox | LVIS_FOCUSED,
                                         LVIS_STATEIMAGEMASK | LVIS_FOCUSED);
            }
        }
    }
    (void)form_.EnableGroupView(listId_);
    (void)form_.EnableSort(listId_);
    // Some list views scroll to the focused row; the list opens at its top.
    form_.SendToControl(listId_, LVM_ENSUREVISIBLE, 0, FALSE);
    for (int id : groupBoxIds_) (void)form_.SetState(id, ui::kStateChecked);
    (void)form_.SetState(expandAllId_, ui::kStateChecked);
}

// Only the collapsed bit changes: the collapsible bit set at creation stays.
void InsertCommandWindow::ApplyGroupStates() {
    for (std::size_t i = 0; i < kGroupCount; ++i) {
        const bool expanded = form_.GetState(groupBoxIds_[i], ui::kStateChecked) != 0;
        LVGROUP group{};
        group.cbSize = sizeof group;
        group.mask = LVGF_STATE;
        group.stateMask = LVGS_COLLAPSED;
        group.state = expanded ? 0 : LVGS_COLLAPSED;
        form_.SendToControl(listId_, LVM_SETGROUPINFO,
                            static_cast<WPARAM>(kFirstCatalogueGroupId + static_cast<int>(i)),
                            reinterpret_cast<LPARAM>(&group));
    }
}

void InsertCommandWindow::ExpandAll() {
    const bool expand = form_.GetState(expandAllId_, ui::kStateChecked) != 0;
    for (int id : groupBoxIds_) {
        (void)form_.SetState(id, expand ? ui::kStateChecked : ui::kStateUnchecked);
    }
    ApplyGroupStates();
}

// The blank row is told by its empty keyword: sorting moves it.
bool InsertCommandWindow::IsCommandRow(int row) const {
    return !form_.ItemText(listId_, row, kKeywordColumn).IsEmpty();
}

void InsertCommandWindow::CheckAll(bool checked) {
    const int count = form_.ItemCount(listId_);
    for (int row = 0; row < count; ++row) {
        if (IsCommandRow(row)) {
            (void)form_.SetItemState(listId_, row, checked ? kChecked : kUnchecked,
                                     LVIS_STATEIMAGEMASK);
        }
    }
}

// An automation function with its parameters loses its "()": the template brings its own.
WideString InsertCommandWindow::RowLine(int row, bool withParameters, bool& automation) const {
    WideString line = form_.ItemText(listId_, row, kKeywordColumn);
    automation = line.CStr()[0] == u'-' && line.CStr()[1] == u'>';
    if (!withParameters) return line;
    if (automation) line.RemoveRight(2);
    line.Append(form_.ItemText(listId_, row, kParametersColumn));
    return line;
}

void InsertCommandWindow::InsertRows(std::vector<int> rows) {
    std::erase_if(rows, [this](int row) { return !IsCommandRow(row); });
    if (rows.empty() || !editor_.Exists()) return;
    const bool atLineStart = editor_.PrepareInsertionPoint();
    const bool withParameters = form_.GetState(parametersId_, ui::kStateChecked) != 0;
    bool lastAutomation = false;
    for (int row : rows) {
        editor_.InsertLine(RowLine(row, withParameters, lastAutomation), atLineStart);
    }
    editor_.SetModified();
    const int back = (atLineStart ? 2 : 0) + (lastAutomation ? 1 : 0);
    editor_.PlaceCaret(editor_.GetSelection().end - back);
    editor_.Focus();
    PostShowTip();
}

void InsertCommandWindow::OnEvent(const ui::Event& event) {
    if (event.code == kShowTipEvent) {
        if (showTip_) showTip_();
        return;
    }
    if (ConcernsControl(event)) ui::HideTip(main_);
    const int code = event.code;
    if (code == ui::kEventClose || code == ui::kEventMinimise || code == kEscapeCommand) {
        Hide(editor_.Window());
    } else if (code == expandAllId_) {
        ExpandAll();
    } else if (code == checkAllId_) {
        CheckAll(form_.GetState(checkAllId_, ui::kStateChecked) != 0);
    } else if (code == insertCheckedId_) {
        InsertRows(form_.CheckedItems(listId_));
    } else if (code == insertSelectedId_ || code == kEnterCommand ||
               (code == ui::kEventDoubleClick && ToInt(event.value1) == listId_)) {
        InsertRows(form_.SelectedItems(listId_));
    } else if (code > 0 && std::find(groupBoxIds_.begin(), groupBoxIds_.end(), code) !=
                               groupBoxIds_.end()) {
        ApplyGroupStates();
    }
}

}  // namespace scrutor
