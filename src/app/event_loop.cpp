#include "app/event_loop.h"

#include <algorithm>
#include <array>
#include <optional>

#include "app/application.h"
#include "app/commands.h"
#include "app/core/document_rules.h"
#include "app/documents.h"
#include "ui/event_codes.h"
#include "ui/tip.h"

namespace scrutor {

namespace {

// A loop that keeps producing events (a repeating timer, say) must not hold the close.
constexpr int kMaxDrained = 10000;

constexpr int kEventReserved2 = -2;  // no named code in the toolkit yet

// Events after which the main window's balloon tip would point at something stale.
constexpr std::array kTipHidingEvents{
    kEventReserved2,       ui::kEventMinimise,   ui::kEventRestore,
    ui::kEventLeftDown,    ui::kEventLeftUp,     ui::kEventRightUp,
    ui::kEventDoubleClick, ui::kEventCaptionDoubleClick, ui::kEventActivated,
    ui::kEventDeactivated, ui::kEventContextMenu, ui::kEventMoved,
};

bool HidesTip(int code) {
    if (code >= 1 || code <= ui::kEventNcLeftDown) return true;
    return std::find(kTipHidingEvents.begin(), kTipHidingEvents.end(), code) !=
           kTipHidingEvents.end();
}

void InsertDroppedFiles(Application& app, const ui::EventRecord& events) {
    if (static_cast<int>(events.value1) != app.EditorId() || events.value2 == 0) return;
    WideString text;
    text.Assign(reinterpret_cast<const char16_t*>(events.value2), u"\r\n");
    ReplaceSelection(app.Editor(), text.CStr());
}

void DispatchMainWindowEvent(Application& app, const ui::EventRecord& events) {
    const int code = events.code;
    if (HidesTip(code)) app.HideHelpTip();
    if (code == ui::kEventClose) {
        RequestClose(app);
    } else if (code == ui::kEventFilesDropped) {
        InsertDroppedFiles(app, events);
    } else if (const std::optional<CommandId> id = app.Commands().Find(code)) {
        if (const CommandHandler handler = RowOf(*id).handler) handler(app);
    }
}

}  // namespace

void DrainPendingEvents(Application& app) {
    for (int i = 0; i < kMaxDrained && ui::GetEvent(app.Events(), true) != 0; ++i) {
    }
}

void RequestClose(Application& app) {
    DrainPendingEvents(app);
    if (!IsEditorModified(app.Editor())) {
        app.EndLoop();
        return;
    }
    if (SaveDocument(app, kSaveAskFirst) != SaveResult::kCancelled) app.EndLoop();
}

void DispatchEvent(Application& app) {
    ui::EventRecord& events = app.Events();
    if (events.form == &app.MainForm()) {
        DispatchMainWindowEvent(app, events);
        return;
    }
    const ui::Event event = events.Current();
    for (ui::ToolWindow* window : app.ToolWindows()) {
        if (window->Raised(event)) {
            window->OnEvent(event);
            return;
        }
    }
}

}  // namespace scrutor
