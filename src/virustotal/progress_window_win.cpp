#include "virustotal/progress_window_win.h"

#include <algorithm>

#include "ui/drawing.h"
#include "ui/event_codes.h"
#include "ui/spinner.h"
#include "ui/ui_handles.h"

namespace scrutor {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 215;
constexpr int kCornerRadius = 8;
constexpr int kWhite = 0xFFFFFF;
constexpr RECT kStatusBox{80, 60, 80 + 350, 60 + 60};
constexpr const char16_t* kTitle = u"VirusTotal analysis";
constexpr const char16_t* kFirstStatus =
    u"Creating the VirusTotal report of the requested items...";
constexpr const char16_t* kHint =
    u"This takes longer the first time it is executed for each section.";
constexpr DWORD kSpinnerStopMs = 1000;

}  // namespace

bool ProgressWindow::Open() {
    if (form_.Create(kClassName, kTitle, 5, 5, kWidth, kHeight, WS_POPUP, WS_EX_TOPMOST) ==
        nullptr) {
        return false;
    }
    (void)form_.SetFormRegion(2 * kCornerRadius);  // the toolkit takes the corners' diameter
    {
        const ui::GdipBitmap gradient = ui::GradientBitmap();
        ui::UniqueBitmap pattern(gradient.ToGdiBitmap(0));
        (void)form_.SetBackgroundPattern(pattern.Get());
    }
    BuildControls();
    window_ = form_.Window();
    form_.Show(SW_SHOWNOACTIVATE, ui::kShowUpdate);
    // Started once the window has painted: the spinner copies what lies under it.
    spinner_ = ui::StartSpinner({form_.ControlWindow(spinnerId_), 60, -1, 70, -1});
    return true;
}

void ProgressWindow::BuildControls() {
    form_.SetDefaultTextColour(kWhite);
    form_.SetDefaultFont(12.0, 800, u"Arial");
    (void)form_.CreateLabel(kTitle, 0, 0, kWidth, 40, WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE);
    spinnerId_ = form_.CreateLabel(u"", 10, 60, 60, 60, WS_VISIBLE);
    form_.SetDefaultFont(9.0, 800, u"Arial");
    statusId_ = form_.CreateLabel(kFirstStatus, kStatusBox.left, kStatusBox.top, 350, 60,
                                  WS_VISIBLE | SS_CENTER);
    CentreStatus();
    (void)form_.CreateLabel(kHint, 10, 140, 400, 15, WS_VISIBLE);
    cancelId_ = form_.CreateButton(u"Cancel", 80, 175, 90, 24);
    hideId_ = form_.CreateButton(u"Hide", 250, 175, 90, 24);
}

// A static control centres wrapped lines only across; the label is fitted to its text and
// centred in its box to centre them down as well.
void ProgressWindow::CentreStatus() {
    HWND label = form_.ControlWindow(statusId_);
    if (label == nullptr) return;
    const int boxWidth = kStatusBox.right - kStatusBox.left;
    const int boxHeight = kStatusBox.bottom - kStatusBox.top;
    RECT text{0, 0, boxWidth, 0};
    {
        ui::WindowDc dc(label);
        const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0));
        ui::SelectedObject keep(dc.Get(), font);
        const WideString current = form_.GetText(statusId_);
        DrawTextW(dc.Get(), AsWide(current.CStr()), -1, &text,
                  DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    }
    const int height = std::clamp(static_cast<int>(text.bottom), 1, boxHeight);
    SetWindowPos(label, nullptr, kStatusBox.left, kStatusBox.top + (boxHeight - height) / 2,
                 boxWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ProgressWindow::SetStatus(const WideString& text) {
    if (window_ != nullptr) (void)ui::PostControlText(window_, statusId_, text);
}

bool ProgressWindow::OnEvent(const ui::Event& event) {
    if (event.form != &form_) return false;
    if (event.code == ui::kEventTextArrived) CentreStatus();
    if (event.code == hideId_) form_.Show(SW_HIDE);
    return event.code == ui::kEventClose || event.code == cancelId_;
}

void ProgressWindow::Close() {
    window_ = nullptr;
    form_.Destroy();
}

ProgressWindow::~ProgressWindow() {
    Close();
    if (spinner_) WaitForSingleObject(spinner_.Get(), kSpinnerStopMs);
}

}  // namespace scrutor
