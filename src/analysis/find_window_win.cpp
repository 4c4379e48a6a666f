#include "analysis/find_window.h"

#include "analysis/find_text.h"
#include "ui/event_codes.h"
#include "ui/msgbox.h"
#include "ui/tip.h"

namespace scrutor {

namespace {

constexpr const char16_t* kClassName = u"SCRUTOR_FIND_WND";
constexpr const char16_t* kTitle = u"Find text";
constexpr int kWidth = 300;
constexpr int kHeight = 100;
constexpr int kOffsetX = 20;
constexpr int kOffsetY = 60;
constexpr int kMessageHeight = 100;
constexpr const char16_t* kEmptyMessage = u"Can not find an empty string! Try again.";
constexpr const char16_t* kNotFoundMessage =
    u"Find Text reached the starting point. No occurrences found.";

}  // namespace

void FindWindow::ShowFindWindow() {
    WideString proposed;
    if (!editor_.SelectedText(proposed, false)) proposed.Clear();
    if (Exists()) {
        if (!proposed.IsEmpty()) (void)form_.SetText(inputId_, proposed.CStr());
        BringToFront();
        return;
    }
    Create(proposed);
}

void FindWindow::Create(const WideString& proposed) {
    RECT frame{};
    GetWindowRect(main_.Window(), &frame);
    if (CreateForm(main_, kClassName, kTitle, frame.left + kOffsetX, frame.top + kOffsetY, kWidth,
                   kHeight, -1, true) == nullptr) {
        return;
    }
    form_.SetBackgroundBrush(nullptr, true);
    (void)form_.CreateLabel(u"Text to find:", 20, 10, 100, 18);
    inputId_ = form_.CreateInput(proposed.CStr(), 10, 30, 280, 20);
    buttonId_ = form_.CreateButton(u"Find next (F3)", 100, 63, 100, 25,
                                   WS_VISIBLE | BS_DEFPUSHBUTTON);
    (void)main_.AttachWindow(Window());
    (void)form_.Show(SW_SHOWNORMAL, ui::kShowUpdate | ui::kShowForeground | ui::kShowActivate);
    (void)form_.SetState(inputId_, ui::kStateFocus);
}

WideString FindWindow::SearchText() const { return Exists() ? form_.GetText(inputId_) : WideString(); }

bool FindWindow::FindNext() {
    ui::HideTip(main_);
    if (!editor_.Exists()) return false;
    const WideString needle = SearchText();
    if (Exists()) (void)form_.Show(SW_HIDE);
    if (needle.IsEmpty()) {
        (void)ui::MsgBox(&main_, kEmptyMessage, ui::kMsgBoxOk, kMessageHeight);
        if (Exists()) BringToFront();
        return true;
    }
    const ui::Selection selection = editor_.GetSelection();
    const std::size_t found =
        FindNextOccurrence(editor_.Text(), needle.CStr(), static_cast<std::size_t>(selection.end));
    if (found == 0) (void)ui::MsgBox(&main_, kNotFoundMessage, ui::kMsgBoxOk, kMessageHeight);
    const int start = static_cast<int>(found) - 1;
    editor_.Select(start, start + static_cast<int>(needle.Length()));
    editor_.Focus();
    return true;
}

void FindWindow::OnEvent(const ui::Event& event) {
    if (event.code == buttonId_ || event.code == kEnterCommand) {
        (void)FindNext();
    } else if (event.code == ui::kEventClose || event.code == kEscapeCommand) {
        Hide(editor_.Window());
    }
}

}  // namespace scrutor
