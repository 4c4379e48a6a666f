#include "app/filter_commands.h"

#include "analysis/log_filters.h"
#include "app/application.h"
#include "ui/editor.h"

namespace scrutor {

namespace {

using Rewrite = bool (*)(WideString&);

void RewriteEditor(Application& app, Rewrite rewrite) {
    HWND editor = app.Editor();
    if (editor == nullptr) return;
    WideString text = GetEditorText(editor);
    if (rewrite(text)) ReplaceWholeText(editor, text);
}

template <LineFilter kFilter>
bool Hide(WideString& text) {
    return ApplyLineFilter(kFilter, text);
}

}  // namespace

void HideMicrosoftSigned(Application& app) { RewriteEditor(app, Hide<LineFilter::kMicrosoftSigned>); }
void HideAllSigned(Application& app) { RewriteEditor(app, Hide<LineFilter::kAllSigned>); }
void HideUninstallEntries(Application& app) { RewriteEditor(app, Hide<LineFilter::kUninstallEntries>); }
void HideFolderContents(Application& app) { RewriteEditor(app, Hide<LineFilter::kFolderContents>); }
void HideStoppedServices(Application& app) { RewriteEditor(app, Hide<LineFilter::kStoppedServices>); }
void HideRecentItems(Application& app) { RewriteEditor(app, Hide<LineFilter::kRecentItems>); }
void ClearUnnecessary(Application& app) { RewriteEditor(app, ClearUnnecessaryLines); }
void OnlyFileNotFound(Application& app) { RewriteEditor(app, KeepFileNotFoundLines); }

void IgnoreFiles(Application& app) {
    HWND editor = app.Editor();
    WideString selection;
    if (editor == nullptr || !GetSelectedText(editor, selection, true)) return;
    (void)IgnoreFilesInSelection(selection);
    ReplaceSelection(editor, selection.CStr());
    SetEditorModified(editor, true);
    SetFocus(editor);
}

}  // namespace scrutor
