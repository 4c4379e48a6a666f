#include "app/run_commands.h"

#include "analysis/run_command_line.h"
#include "analysis/script_runner.h"
#include "analysis/script_templates.h"
#include "app/application.h"
#include "app/documents.h"
#include "app/event_loop.h"

namespace scrutor {

namespace {

void InsertTemplate(Application& app, const WideString& text) {
    app.EditorView().InsertBlock(text);
    app.EditorView().SetModified();
}

// ZEP reads the script from its file, so a changed or never-saved document is offered for
// saving first; "No" still starts ZEP with the path as it is. Keys typed just before the
// command count as changes, for F6 as for F5.
void StartZep(Application& app, bool automatic) {
    const WideString zepPath = app.Values().zepPath;
    if (zepPath.IsEmpty()) return;
    DrainPendingEvents(app);
    if (IsEditorModified(app.Editor()) || !DocumentFileExists(app)) {
        if (SaveDocument(app, kSaveAskFirst) == SaveResult::kCancelled) return;
    }
    (void)RunCommandLine(ZepCommandLine(zepPath, app.CurrentDocument().path, automatic));
}

}  // namespace

void InsertRepairScript(Application& app) { InsertTemplate(app, RepairTemplate()); }
void InsertMaintenanceScript(Application& app) { InsertTemplate(app, MaintenanceTemplate()); }
void InsertRepairAndMaintenance(Application& app) {
    InsertTemplate(app, RepairAndMaintenanceTemplate());
}

// An open "Run script" window takes the text as it stands: nothing is saved or started.
void RunScript(Application& app) {
    if (app.Values().zepPath.IsEmpty()) return;
    const ScriptWindow zep = FindScriptWindow(app.Editor());
    if (zep.window != nullptr && HandScriptTo(zep, app.Editor())) return;
    StartZep(app, false);
}

void RunScriptAuto(Application& app) { StartZep(app, true); }

}  // namespace scrutor
