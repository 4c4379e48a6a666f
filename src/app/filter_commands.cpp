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

// Filters the control's own buffer: a copy of a big log would be the largest block the
// filter needs. With nothing hidden the same text is still set, as the copy route does.
template <LineFilter kFilter>
void HideLines(Application& app) {
    HWND editor = app.Editor();
    if (editor == nullptr) return;
    WideString result;
    int hidden = -1;
    const auto filter = [&](std::u16string_view text) {
        hidden = ApplyLineFilter(kFilter, text, result);
    };
    if (!ViewEditorText(editor, filter)) return RewriteEditor(app, Hide<kFilter>);
    if (hidden > 0) ReplaceWholeText(editor, result);
    if (hidden == 0) RewriteEditor(app, Hide<kFilter>);
}

}  // namespace

void HideMicrosoftSigned(Application& app) { HideLines<LineFilter::kMicrosoftSigned>(app); }
void HideAllSigned(Application& app) { HideLines<LineFilter::kAllSigned>(app); }
void HideUninstallEntries(Application& app) { HideLines<LineFilter::kUninstallEntries>(app); }
void HideFolderContents(Application& app) { HideLines<LineFilter::kFolderContents>(app); }
void HideStoppedServices(Application& app) { HideLines<LineFilter::kStoppedServices>(app); }
void HideRecentItems(Application& app) { HideLines<LineFilter::kRecentItems>(app); }
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
