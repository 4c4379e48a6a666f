// A small program that shows every kind of control of the window toolkit; used for
// screenshots and to try the toolkit by hand.
#include <windows.h>

#include <commctrl.h>

#include "demo_form.h"
#include "ui/drawing.h"
#include "ui/event_codes.h"
#include "ui/form.h"
#include "ui/msgbox.h"

using namespace scrutor;

namespace {

void RunLoop(ui::Form& form, const uidemo::DemoIds& ids) {
    ui::EventRecord& events = form.Events();
    while (ui::GetEvent(events, false) != 0) {
        const int code = events.code;
        if (code == ids.ask) {
            (void)ui::MsgBox(&form, u"Insert the command into the script?", ui::kMsgBoxYesNoCancel, 100);
        } else if (code == ui::kEventClose || code == ids.quit) {
            if (ui::MsgBox(&form, u"Close the demo?", ui::kMsgBoxYesNo, 100) == ui::MsgBoxAnswer::kYes) return;
        }
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof init;
    init.dwICC = 0x4041;
    InitCommonControlsEx(&init);
    const ULONG_PTR gdiplus = ui::StartGdiplus();
    {
        ui::Form form;
        uidemo::DemoIds ids;
        if (uidemo::BuildDemoForm(form, ids)) {
            form.Show(SW_SHOW, ui::kShowUpdate | ui::kShowForeground | ui::kShowActivate);
            RunLoop(form, ids);
        }
    }
    ui::StopGdiplus(gdiplus);
    return 0;
}
