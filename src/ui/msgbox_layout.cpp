#include "ui/msgbox_layout.h"

#include <algorithm>

#include "ui/event_codes.h"

namespace scrutor::ui {

std::vector<MsgBoxButton> MsgBoxButtons(int style) {
    switch (style) {
        case kMsgBoxOk: return {{u"OK", 225}};
        case kMsgBoxYesNo: return {{u"Yes", 66}, {u"No", 212}};
        case kMsgBoxOkCancel: return {{u"OK", 66}, {u"Cancel", 212}};
        case kMsgBoxYesNoCancel: return {{u"Yes", 30}, {u"No", 140}, {u"Cancel", 250}};
        default: return {};
    }
}

MsgBoxAnswer MsgBoxButtonResult(int style, int index) {
    if (index == 0) return MsgBoxAnswer::kYes;
    if (index == 1) return style == kMsgBoxOkCancel ? MsgBoxAnswer::kCancel : MsgBoxAnswer::kNo;
    return MsgBoxAnswer::kCancel;
}

bool TipSurvivesEvent(int code) {
    if (code < kEventReturn || code > 0) return false;
    static constexpr std::array kEnding{-2, -7, -8, -10, -11, -13, -14, -18, -19, -20, -22, -25,
                                        -28, -29};
    return std::find(kEnding.begin(), kEnding.end(), code) == kEnding.end();
}

Size TipSize(int lineCount, int widestLine, int tallestLine) {
    const int width = std::max(widestLine + 20, 75);
    const int lineHeight = std::max(tallestLine, 16);
    return {width, std::max(lineCount, 1) * lineHeight + 45};
}

}  // namespace scrutor::ui
