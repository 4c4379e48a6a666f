#include "catalogue/line_help_tip_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "catalogue/command_catalogue.h"
#include "catalogue/line_help_text.h"
#include "ui/event_record.h"
#include "ui/tip.h"

namespace scrutor {

namespace {

constexpr int kAnchorIndent = 15;
constexpr int kMaxLineRead = 0xFFFF;
constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kBackgroundColour = RGB(0, 0, 16);

struct CaretLine {
    WideString text;
    POINT anchor{};  // screen point under the line's start
    bool found = false;
};

// EM_POSFROMCHAR answers -1 for an index past the text's end, as on an empty last line:
// then there is nothing to point at.
CaretLine ReadCaretLine(HWND editor, int lineHeight) {
    CaretLine result;
    const LRESULT line = SendMessageW(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    const LRESULT first = SendMessageW(editor, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    const auto length = static_cast<int>(SendMessageW(editor, EM_LINELENGTH, static_cast<WPARAM>(first), 0));
    const LRESULT position = SendMessageW(editor, EM_POSFROMCHAR, static_cast<WPARAM>(first), 0);
    if (first < 0 || position == -1) return result;
    result.anchor = {static_cast<short>(LOWORD(position)) + kAnchorIndent,
                     static_cast<short>(HIWORD(position)) + lineHeight};
    ClientToScreen(editor, &result.anchor);
    // EM_GETLINE wants the buffer size in its first word and writes no terminator; the
    // key stands at the line's start, so a longer line is read in part.
    const int size = std::min(length + 1, kMaxLineRead);
    std::vector<char16_t> buffer(static_cast<std::size_t>(size) + 1, 0);
    buffer[0] = static_cast<char16_t>(size);
    const LRESULT copied = SendMessageW(editor, EM_GETLINE, static_cast<WPARAM>(line),
                                        reinterpret_cast<LPARAM>(buffer.data()));
    buffer[static_cast<std::size_t>(copied < 0 ? 0 : copied)] = 0;
    result.text = WideString(buffer.data());
    result.found = true;
    return result;
}

}  // namespace

void ShowLineHelpTip(ui::Form& main, const Editor& editor, const LineHelpTipStyle& style) {
    ui::HideTip(main);
    if (!editor.Exists() || main.Window() == nullptr || IsIconic(main.Window())) return;
    const CaretLine line = ReadCaretLine(editor.Window(), style.lineHeight);
    if (!line.found) return;
    const LineHelpTip tip = BuildLineHelpTip(line.text.CStr(), BuiltInCatalogue());
    ui::PumpMessages();
    ui::TipOptions options;
    options.text = tip.text.CStr();
    options.title = tip.title.CStr();
    options.x = line.anchor.x;
    options.y = line.anchor.y;
    options.icon = TTI_INFO;
    options.balloonStyle = style.balloon ? -1 : TTS_ALWAYSTIP;
    options.toolFlags = style.balloon ? 0 : (TTF_ABSOLUTE | TTF_TRANSPARENT);
    options.textColour = static_cast<int>(kTextColour);
    options.backgroundColour = static_cast<int>(kBackgroundColour);
    options.controlId = main.ControlIdOfWindow(editor.Window());
    (void)ui::ShowTip(main, options);
}

}  // namespace scrutor
