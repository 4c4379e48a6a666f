#include "ui/msgbox.h"

#include <vector>

#include "ui/drawing.h"
#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui/form_state.h"

namespace scrutor::ui {

MsgBoxAnswer MsgBoxTip(Form& owner, const char16_t* text, int height);

namespace {

constexpr std::uint32_t kFrameColour = 0xFF000000u;
constexpr std::uint32_t kBodyColour = 0xFFFFFFFFu;
constexpr std::uint32_t kBandColour = 0xFFF0F0FFu;
constexpr int kRegionCorner = 12;
constexpr int kPaintCorner = 4;

bool PaintBox(Form& box, int height) {
    GdipBitmap picture = GdipBitmap::Create(kMsgBoxWidth, height);
    if (!picture) return false;
    FillRoundedRect(picture, 0, 0, kMsgBoxWidth, height, kFrameColour, kPaintCorner);
    FillRoundedRect(picture, 4, 4, kMsgBoxWidth - 8, height - 8, kBodyColour, kPaintCorner);
    if (kBandColour != kBodyColour) {
        FillArea(picture, 4, height - 39, kMsgBoxWidth - 8, 35, kBandColour);
    }
    if (!box.SetBackgroundBitmap(picture.ToGdiBitmap(kFormBackground))) return false;
    return SetRoundedRegion(box.Window(), kMsgBoxWidth, height, kRegionCorner);
}

std::vector<int> AddButtons(Form& box, int style, int height) {
    std::vector<int> ids;
    for (const MsgBoxButton& b : MsgBoxButtons(style)) {
        const LONG buttonStyle = WS_VISIBLE | (ids.empty() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        ids.push_back(box.CreateButton(b.text, b.x, height - 35, 80, 25, buttonStyle));
    }
    return ids;
}

// Only the box's own events count; everything else that arrives meanwhile is dropped.
MsgBoxAnswer RunModal(Form& box, int style, const std::vector<int>& buttons) {
    EventRecord& record = box.Events();
    for (;;) {
        if (GetEvent(record, false) == 0) {
            PostQuitMessage(static_cast<int>(record.msg.wParam));  // the caller's loop ends too
            return kMsgBoxNotShown;
        }
        if (record.form != &box) continue;
        if (record.code == kEventClose) return MsgBoxAnswer::kNo;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (record.code == buttons[i]) return MsgBoxButtonResult(style, static_cast<int>(i));
        }
    }
}

}  // namespace

MsgBoxAnswer MsgBox(Form* owner, const char16_t* text, int style, int height) {
    if (style == kMsgBoxTip) return owner != nullptr ? MsgBoxTip(*owner, text, height) : kMsgBoxNotShown;
    if (style < kMsgBoxOk || style > kMsgBoxYesNoCancel) return kMsgBoxNotShown;
    Form box;
    HWND ownerWindow = owner != nullptr ? owner->Window() : nullptr;
    if (owner != nullptr) {
        box.SetEventRecord(owner);
        if (ownerWindow != nullptr && IsIconic(ownerWindow)) ShowWindow(ownerWindow, SW_RESTORE);
    }
    if (box.Create(u"_WINDOW_MsgBoxClass", u"", -1, -1, kMsgBoxWidth, height, WS_POPUP, -1,
                   ownerWindow) == nullptr) {
        return kMsgBoxNotShown;
    }
    box.SetDefaultFont(9.0, 800, u"Arial");
    box.SetDefaultTextColour(0);
    if (!PaintBox(box, height)) {
        box.Destroy();
        return kMsgBoxNotShown;
    }
    if (owner != nullptr) (void)owner->AttachWindow(box.Window());
    (void)box.CreateLabel(text, 20, 20, 320, height - 65);
    const std::vector<int> buttons = AddButtons(box, style, height);
    box.Show(SW_SHOW, kShowUpdate | kShowForeground | kShowActivate);
    if (!buttons.empty()) (void)box.SetState(buttons.front(), kStateFocus);
    const MsgBoxAnswer result = RunModal(box, style, buttons);
    box.Show(SW_HIDE);
    box.Destroy();
    return result;
}

}  // namespace scrutor::ui
