#include "app/documents.h"

#include <windows.h>

#include <commdlg.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "app/application.h"
#include "app/core/document_rules.h"
#include "app/event_loop.h"
#include "foundation/text_file.h"
#include "foundation/win_text.h"
#include "ui/editor.h"
#include "ui/msgbox.h"

namespace scrutor {

namespace {

constexpr int kPromptHeight = 140;
constexpr int kRevertPromptHeight = 150;

// "Yes" continues; "No" or a closed box declines; anything else, including a box that could
// not be shown, keeps the document rather than dropping unsaved changes.
SaveResult AskToSave(Application& app) {
    const ui::MsgBoxAnswer answer = ui::MsgBox(&app.MainForm(), SavePrompt(app.CurrentDocument().name).CStr(),
                                  ui::kMsgBoxYesNoCancel, kPromptHeight);
    if (answer == ui::MsgBoxAnswer::kYes) return SaveResult::kDone;
    return answer == ui::MsgBoxAnswer::kNo ? SaveResult::kDeclined : SaveResult::kCancelled;
}

WideString ChooseTarget(Application& app, std::uint32_t options) {
    if (!NeedsSaveDialog(options, DocumentFileExists(app))) return app.CurrentDocument().path;
    const SaveDialogRequest request = SaveDialogFor(app.CurrentDocument().name);
    return ShowSaveDialog(request.filter, request.initialName, request.defaultExtension,
                          app.MainWindow());
}

// Before a command that replaces the document: false when the user kept it.
bool MayReplaceDocument(Application& app) {
    DrainPendingEvents(app);
    if (!IsEditorModified(app.Editor())) return true;
    return SaveDocument(app, kSaveAskFirst | kSaveAlwaysShowDialog) != SaveResult::kCancelled;
}

WideString RunFileDialog(OPENFILENAMEW& dialog, std::vector<wchar_t>& path, bool save) {
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return {};
    return WideString(FromWide(path.data()));
}

}  // namespace

bool DocumentFileExists(Application& app) {
    const WideString& path = app.CurrentDocument().path;
    return !path.IsEmpty() && PathFileExistsW(AsWide(path)) != FALSE;
}

void SetDocumentTitle(Application& app, const char16_t* name) {
    if (name == nullptr) return;
    SetWindowTextW(app.MainWindow(), AsWide(DocumentTitle(name)));
}

SaveResult SaveDocument(Application& app, std::uint32_t options) {
    if (options & kSaveAskFirst) {
        const SaveResult answer = AskToSave(app);
        if (answer != SaveResult::kDone) return answer;
    }
    const WideString target = ChooseTarget(app, options);
    if (target.IsEmpty()) return SaveResult::kCancelled;
    // The header rule follows the name before the dialog, not the name chosen in it.
    const WideString text = GetEditorText(app.Editor());
    if (!WriteDocumentFile(target, TextToSave(app.CurrentDocument().name, text))) {
        (void)ui::MsgBox(&app.MainForm(), kCreateFailedMessage, ui::kMsgBoxOk, kPromptHeight);
        return SaveResult::kCancelled;
    }
    app.CurrentDocument().originalText = text;
    app.CurrentDocument().path = target;
    app.CurrentDocument().name = DocumentNameFromPath(target);
    SetDocumentTitle(app, app.CurrentDocument().name.CStr());
    SetEditorModified(app.Editor(), false);
    return SaveResult::kDone;
}

void NewDocument(Application& app) {
    if (!MayReplaceDocument(app)) return;
    ResetEditorText(app.Editor(), WideString());
    app.CurrentDocument().path.Clear();
    app.CurrentDocument().name = kNewDocumentName;
    SetDocumentTitle(app, app.CurrentDocument().name.CStr());
}

void OpenDocument(Application& app) {
    if (!MayReplaceDocument(app)) return;
    const WideString path = ShowOpenDialog(app.MainWindow());
    if (path.IsEmpty()) return;
    app.CurrentDocument().path = path;
    app.CurrentDocument().name = DocumentNameFromPath(path);
    // An empty or unreadable file leaves the editor as it was; only the name follows.
    if (ReadDocumentFile(path, app.CurrentDocument().originalText) > 0) SetEditorText(app.Editor(), app.CurrentDocument().originalText);
    SetDocumentTitle(app, app.CurrentDocument().name.CStr());
}

void SaveCommand(Application& app) {
    if (SaveDocument(app, 0) == SaveResult::kDone) SetEditorModified(app.Editor(), false);
}

// A cancelled dialog gives the old name back: otherwise a later "Save" would write the
// script header into the log the document still points at.
void SaveAsScript(Application& app) {
    const WideString before = app.CurrentDocument().name;
    app.CurrentDocument().name = ScriptNameFor(before);
    if (SaveDocument(app, kSaveAlwaysShowDialog) == SaveResult::kDone) {
        SetEditorModified(app.Editor(), false);
    } else {
        app.CurrentDocument().name = before;
    }
}

void RevertToOriginal(Application& app) {
    HWND editor = app.Editor();
    if (app.CurrentDocument().originalText.IsEmpty() && GetWindowTextLengthW(editor) == 0) return;
    if (ui::MsgBox(&app.MainForm(), kRevertPrompt, ui::kMsgBoxYesNo, kRevertPromptHeight) != ui::MsgBoxAnswer::kYes) {
        return;
    }
    ResetEditorText(editor, app.CurrentDocument().originalText);
}

std::size_t ReadDocumentFile(const WideString& path, WideString& text) {
    text.Clear();
    TextFile file;
    if (file.Open(path.CStr(), kDocumentReadMode) == nullptr) return 0;
    return file.ReadText(text);
}

bool WriteDocumentFile(const WideString& path, const WideString& text) {
    ReplacingTextFile file;
    if (!file.Open(path.CStr(), kDocumentWriteMode)) return false;
    const std::size_t expected = text.Length() * sizeof(char16_t);
    if (file.File().WriteString(text) != expected) {
        file.Discard();
        return false;
    }
    return file.Commit();
}

WideString ShowOpenDialog(HWND owner) {
    const std::u16string filter = OpenDialogFilter();
    std::vector<wchar_t> path(kDialogPathUnits, L'\0');
    OPENFILENAMEW dialog{};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = AsWide(filter.c_str());
    dialog.lpstrTitle = AsWide(kOpenDialogTitle);
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    return RunFileDialog(dialog, path, false);
}

WideString ShowSaveDialog(const std::u16string& filter, const WideString& initialName,
                          const WideString& defaultExtension, HWND owner) {
    std::vector<wchar_t> path(kDialogPathUnits, L'\0');
    const std::size_t units = std::min(initialName.Length(), path.size() - 1);
    std::copy_n(initialName.CStr(), units, path.begin());
    OPENFILENAMEW dialog{};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = AsWide(filter.c_str());
    dialog.lpstrTitle = AsWide(kSaveDialogTitle);
    dialog.lpstrDefExt = defaultExtension.IsEmpty() ? nullptr : AsWide(defaultExtension);
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    return RunFileDialog(dialog, path, true);
}

}  // namespace scrutor
