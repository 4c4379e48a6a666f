#include "inspector/control_info_tool.h"

#include <commctrl.h>

#include "foundation/os_version.h"
#include "ui/clipboard_win.h"
#include "ui/event_codes.h"
#include "ui/layout.h"
#include "ui/tip.h"

namespace scrutor {

namespace {

constexpr const char16_t* kClassName = u"SCRUTOR_INFOTOOL_WND";
constexpr const char16_t* kTitle = u"Control Info Tool";
constexpr int kWidth = 450;
constexpr int kHeight = 490;
constexpr int kMinimumWidth = 380;

constexpr const char16_t* kLongHint =
    u"Click or tap the Control picker to pick it up.\r\nThen drag it to the desired window or control.";
constexpr const char16_t* kShortHint = u"Use the Control Picker to the right.";
constexpr int kShortHintBelow = 330;
constexpr int kPickerIcon = 10;
constexpr int kValueColumn = 1;
constexpr int kCopyCommand = 0x7FE3;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// How the controls follow the window's size.
constexpr std::uint32_t kHintResizing = ui::kResizeStretchX | ui::kResizeKeepRight |
                                        ui::kResizeStretchY | ui::kResizeOwnBackground;
constexpr std::uint32_t kPickerResizing =
    ui::kResizeKeepRight | ui::kResizeStretchY | ui::kResizeOwnBackground;
constexpr std::uint32_t kListResizing = kHintResizing | ui::kResizeKeepBottom;
constexpr std::uint32_t kRowResizing = ui::kResizeCentreFractionX | ui::kResizeKeepBottom;
constexpr std::uint32_t kGroupResizing = ui::kResizeStretchX | ui::kResizeKeepRight |
                                         ui::kResizeKeepBottom | ui::kResizeOwnBackground;
constexpr std::uint32_t kFunctionRowResizing = kRowResizing | ui::kResizeOwnBackground;

struct RowLabel {
    int group;
    const char16_t* text;
};
// In PropertyRow order.
constexpr RowLabel kRows[] = {
    {kWindowInfoGroup, u"Window class"},   {kWindowInfoGroup, u"Window title"},
    {kWindowInfoGroup, u"Class mode"},     {kWindowInfoGroup, u"Advanced mode"},
    {kWindowInfoGroup, u"Client area"},    {kControlInfoGroup, u"Control text"},
    {kControlInfoGroup, u"ClassNN"},       {kControlInfoGroup, u"Advanced mode"},
    {kControlInfoGroup, u"Control ID"},    {kControlInfoGroup, u"->ClickWindowPos"},
};

int ToInt(WPARAM value) { return static_cast<int>(value); }

HICON PickerIcon() {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPickerIcon));
    return icon != nullptr ? icon : LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
}

}  // namespace

void ControlInfoToolWindow::Open() {
    if (Exists()) {
        ShowWindow(Window(), SW_RESTORE);
        UpdateWindow(Window());
        BringToFront();
        return;
    }
    Create();
    if (!Exists()) return;
    (void)RefreshSelection();
    (void)form_.Show(SW_SHOWNORMAL, ui::kShowUpdate);
}

void ControlInfoToolWindow::Create() {
    if (CreateForm(main_, kClassName, kTitle, 2, 2, kWidth, kHeight, ui::kToolWindowStyle, false, WS_EX_TOPMOST,
                   false) == nullptr) {
        return;
    }
    const ACCEL keys[] = {{FVIRTKEY, VK_ESCAPE, static_cast<WORD>(kEscapeCommand)},
                          {FVIRTKEY | FCONTROL, 'C', static_cast<WORD>(kCopyCommand)}};
    (void)form_.SetAccelerators(keys, 2);
    form_.SetMinimumSize(kMinimumWidth, kHeight);
    form_.SetBackgroundBrush(nullptr, true);
    CreateTop();
    CreateList();
    CreateBottom();
}

void ControlInfoToolWindow::CreateTop() {
    const auto label = [this](const char16_t* text, int x, int w, int h) {
        const int id = form_.CreateLabel(text, x, 10, w, h);
        (void)form_.SetBackgroundColour(id, kWhite);
        (void)form_.SetTextColour(id, 0);
        return id;
    };
    ids_.hint = label(kLongHint, 5, 340, 32);
    (void)form_.SetFont(ids_.hint, 11, 800, 0, u"Arial", 0);
    (void)form_.SetResizing(ids_.hint, kHintResizing);
    ids_.arrow = label(u"->", 345, 40, 28);
    (void)form_.SetFont(ids_.arrow, 24, 800, 0, u"Courier new", 0);
    (void)form_.SetResizing(ids_.arrow, kPickerResizing);
    ids_.picker = form_.CreateIcon(PickerIcon(), 395, 10, 32, 32);
    (void)form_.SetResizing(ids_.picker, kPickerResizing);
}

void ControlInfoToolWindow::CreateList() {
    constexpr LONG kListStyle = WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    constexpr DWORD kListExStyle = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    ids_.list = form_.CreateListView(u"  Property|  Value", u"|", 5, 50, 440, 295, kListStyle,
                                     kListExStyle);
    form_.SendToControl(ids_.list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(150, 0));
    form_.SendToControl(ids_.list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(620, 0));
    (void)form_.SetFont(ids_.list, 9, 400, 0, u"Arial", 0);
    (void)form_.SetResizing(ids_.list, kListResizing);
    (void)form_.EnableGroupView(ids_.list);
    const UINT groupState = OsVersion() >= 6.0 ? LVGS_COLLAPSIBLE : 0;
    (void)form_.AddGroup(ids_.list, kWindowInfoGroup, u"Window info", groupState);
    (void)form_.AddGroup(ids_.list, kControlInfoGroup, u"Control info", groupState);
    for (const RowLabel& row : kRows) (void)form_.AddItem(ids_.list, row.text, u"|", row.group);
    (void)form_.SetItemState(ids_.list, 0, LVIS_SELECTED | LVIS_FOCUSED,
                             LVIS_SELECTED | LVIS_FOCUSED);
}

void ControlInfoToolWindow::CreateBottom() {
    const auto place = [this](int id, std::uint32_t resizing) {
        (void)form_.SetFont(id, 9, 400, 0, u"Arial", 0);
        (void)form_.SetResizing(id, resizing);
        return id;
    };
    ids_.forced = place(form_.CreateCheckBox(u"Force control detection", 25, 360, 140, 16), kRowResizing);
    (void)form_.SetState(ids_.forced, ui::kStateChecked);
    ids_.copy = place(form_.CreateButton(u"Copy selected", 200, 355, 100, 25), kRowResizing);
    ids_.insertInline = place(form_.CreateButton(u"Insert inline", 330, 355, 100, 25), kRowResizing);
    ids_.functionGroup = place(
        form_.CreateGroup(u"Insert function with the selected value", 5, 400, 440, 75), kGroupResizing);
    ids_.functions = form_.CreateComboBox(u"", 50, 430, 180, 20);
    (void)form_.SetFont(ids_.functions, 9, 800, 0, u"Courier new", 0);
    (void)form_.SetResizing(ids_.functions, kFunctionRowResizing);
    ids_.insertFunction = place(form_.CreateButton(u"Insert function", 290, 430, 120, 25), kFunctionRowResizing);
}

void ControlInfoToolWindow::AdaptHint() {
    HWND hint = form_.ControlWindow(ids_.hint);
    RECT r{};
    if (hint == nullptr || GetWindowRect(hint, &r) == FALSE) return;
    const bool narrow = r.right - r.left < kShortHintBelow;
    const LONG_PTR style = GetWindowLongPtrW(hint, GWL_STYLE);
    SetWindowLongPtrW(hint, GWL_STYLE, narrow ? (style | SS_CENTERIMAGE) : (style & ~SS_CENTERIMAGE));
    (void)form_.SetText(ids_.hint, narrow ? kShortHint : kLongHint);
    InvalidateRect(hint, nullptr, TRUE);
}

std::optional<PropertyRow> ControlInfoToolWindow::RowOf(int item) const {
    const int group = form_.ItemGroup(ids_.list, item);
    int indexInGroup = 0;
    for (int i = 0; i < item; ++i) {
        if (form_.ItemGroup(ids_.list, i) == group) ++indexInGroup;
    }
    return PropertyRowAt(group, indexInGroup);
}

WideString ControlInfoToolWindow::Value(PropertyRow row) const {
    return form_.ItemText(ids_.list, static_cast<int>(row), kValueColumn);
}

// True when the event goes on to its own reaction.
bool ControlInfoToolWindow::RefreshSelection() {
    const int item = form_.FirstSelected(ids_.list);
    if (item == lastSelected_) return true;
    lastSelected_ = item;
    RefreshFunctionControls(item);
    const std::optional<PropertyRow> row = item >= 0 ? RowOf(item) : std::nullopt;
    return row.has_value() && *row != PropertyRow::ClientArea &&
           !form_.ItemText(ids_.list, item, kValueColumn).IsEmpty();
}

void ControlInfoToolWindow::RefreshFunctionControls(int item) {
    const std::optional<PropertyRow> row = item >= 0 ? RowOf(item) : std::nullopt;
    const bool hasValue = row.has_value() && !form_.ItemText(ids_.list, item, kValueColumn).IsEmpty();
    const bool functions = hasValue && *row != PropertyRow::ClientArea;
    const auto enable = [this](int id, bool on) {
        (void)form_.SetState(id, on ? ui::kStateEnable : ui::kStateDisable);
    };
    (void)form_.SetText(ids_.functions, functions ? AutomationFunctionList(*row).CStr() : u"");
    if (functions) form_.SendToControl(ids_.functions, CB_SETCURSEL, 0, 0);
    enable(ids_.copy, hasValue);
    enable(ids_.insertInline, hasValue);
    enable(ids_.functions, functions);
    enable(ids_.insertFunction, functions);
}

void ControlInfoToolWindow::ShowValue(PropertyRow row, const WideString& value) {
    const int item = static_cast<int>(row);
    if (form_.ItemText(ids_.list, item, kValueColumn) == value) return;  // no flicker
    (void)form_.SetItemText(ids_.list, item, kValueColumn, value.CStr());
}

void ControlInfoToolWindow::OnEvent(const ui::Event& event) {
    if (!Exists()) return;
    if (event.code == kShowTipEvent) {
        if (showTip_) showTip_();
        return;
    }
    if (ConcernsControl(event)) ui::HideTip(main_);
    if (event.code == ui::kEventMoved || event.code == ui::kEventResized) AdaptHint();
    if (!RefreshSelection()) return;
    React(event);
}

void ControlInfoToolWindow::React(const ui::Event& event) {
    const int code = event.code;
    const bool listDoubleClick = code == ui::kEventDoubleClick && ToInt(event.value1) == ids_.list;
    if (code == ui::kEventClose || code == ui::kEventMinimise || code == kEscapeCommand) {
        Hide(editor_.Window());
    } else if (code == ids_.picker) {
        Drag();
    } else if (code == ids_.copy ||
               (code == kCopyCommand && GetFocus() == form_.ControlWindow(ids_.list))) {
        CopySelected();
    } else if (code == ids_.insertInline || listDoubleClick) {
        InsertInline();
    } else if (code == ids_.insertFunction) {
        InsertFunction();
    }
}

void ControlInfoToolWindow::Drag() {
    const bool forced = form_.GetState(ids_.forced, ui::kStateChecked) != 0;
    (void)form_.SetState(ids_.picker, ui::kStateHide);
    Win32DragInput input;
    ui::Win32SystemCursors cursors;
    (void)RunPickerDrag(input, *this, cursors, PickerIcon(), forced);
    if (!Exists()) return;
    (void)form_.SetState(ids_.picker, ui::kStateShow);
    // The buttons follow the values just found, not those before the drag.
    lastSelected_ = kNotSeen;
    (void)RefreshSelection();
}

void ControlInfoToolWindow::CopySelected() {
    const int item = form_.FirstSelected(ids_.list);
    if (item < 0) return;
    (void)ui::PutClipboardText(Window(), form_.ItemText(ids_.list, item, kValueColumn));
}

void ControlInfoToolWindow::InsertInline() {
    const int item = form_.FirstSelected(ids_.list);
    if (item < 0 || !editor_.Exists()) return;
    editor_.ReplaceSelection(form_.ItemText(ids_.list, item, kValueColumn).CStr());
    editor_.SetModified();
}

void ControlInfoToolWindow::InsertFunction() {
    const int item = form_.FirstSelected(ids_.list);
    const std::optional<PropertyRow> row = item >= 0 ? RowOf(item) : std::nullopt;
    if (!row.has_value() || !editor_.Exists()) return;
    const WideString value = form_.ItemText(ids_.list, item, kValueColumn);
    const WideString function = form_.GetText(ids_.functions);
    const WideString snippet = BuildAutomationSnippet(*row, value.CStr(), function.CStr());
    if (snippet.IsEmpty()) return;
    const bool atLineStart = editor_.PrepareInsertionPoint();
    const SnippetInsertion insertion = MakeSnippetInsertion(snippet, atLineStart);
    editor_.ReplaceSelection(insertion.text.CStr());
    editor_.PlaceCaret(editor_.GetSelection().end - static_cast<int>(insertion.caretBack));
    editor_.Focus();
    PostShowTip();
    editor_.SetModified();
}

}  // namespace scrutor
