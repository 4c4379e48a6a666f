#include "app/documents.h"

#include <windows.h>

#include <commdlg.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "app/application.h"
#include "app/core/document_rules.h"
#include "app/editor_ops.h"
#include "app/event_loop.h"
#include "foundation/text_file.h"
#include "foundation/win_text.h"
#include "ui/msgbox.h"

namespace scrutor {

namespace {

constexpr int kPromptHeight = 140;
constexpr int kRevertPromptHeight = 150;

bool DocumentFileExists(const Application& app) {
    return !app.documentPath.IsEmpty() && PathFileExistsW(AsWide(app.documentPath)) != FALSE;
}

// "Yes" continues; "No" or a closed box declines; anything else, including a box that could
// not be shown, keeps the document rather than dropping unsaved changes.
int AskToSave(Application& app) {
    const int answer = ui::MsgBox(&app.mainWindow, SavePrompt(app.documentName).CStr(),
                                  ui::kMsgBoxYesNoCancel, kPromptHeight);
    if (answer == 1) return kSaveDone;
    return answer == 0 ? kSaveDeclined : kSaveCancelled;
}

WideString ChooseTarget(Application& app, std::uint32_t options) {
    if (!NeedsSaveDialog(options, DocumentFileExists(app))) return app.documentPath;
    const SaveDialogRequest request = SaveDialogFor(app.documentName);
    return ShowSaveDialog(request.filter, request.initialName, request.defaultExtension,
                          app.MainWindow());
}

// Before a command that replaces the document: false when the user kept it.
bool MayReplaceDocument(Application& app) {
    DrainPendingEvents(app);
    if (!IsEditorModified(app.Editor())) return true;
    return SaveDocument(app, kSaveAskFirst | kSaveAlwaysShowDialog) != kSaveCancelled;
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

void SetDocumentTitle(Application& app, const char16_t* name) {
    if (name == nullptr) return;
    SetWindowTextW(app.MainWindow(), AsWide(DocumentTitle(name)));
}

int SaveDocument(Application& app, std::uint32_t options) {
    if (options & kSaveAskFirst) {
        const int answer = AskToSave(app);
        if (answer != kSaveDone) return answer;
    }
    const WideString target = ChooseTarget(app, options);
    if (target.IsEmpty()) return kSaveCancelled;
    // The header rule follows the name before the dialog, not the name chosen in it.
    const WideString text = GetEditorText(app.Editor());
    if (!WriteDocumentFile(target, TextToSave(app.documentName, text))) {
        (void)ui::MsgBox(&app.mainWindow, kCreateFailedMessage, ui::kMsgBoxOk, kPromptHeight);
        return kSaveCancelled;
    }
    app.originalText = text;
    app.documentPath = target;
    app.documentName = DocumentNameFromPath(target);
    SetDocumentTitle(app, app.documentName.CStr());
    SetEditorModified(app.Editor(), false);
    return kSaveDone;
}

void NewDocument(Application& app) {
    if (!MayReplaceDocument(app)) return;
    ResetEditorText(app.Editor(), WideString());
    app.documentPath.Clear();
    app.documentName = kNewDocumentName;
    SetDocumentTitle(app, app.documentName.CStr());
}

void OpenDocument(Application& app) {
    if (!MayReplaceDocument(app)) return;
    const WideString path = ShowOpenDialog(app.MainWindow());
    if (path.IsEmpty()) return;
    app.documentPath = path;
    app.documentName = DocumentNameFromPath(path);
    // An empty or unreadable file leaves the editor as it was; only the name follows.
    if (ReadDocumentFile(path, app.originalText) > 0) SetEditorText(app.Editor(), app.originalText);
    SetDocumentTitle(app, app.documentName.CStr());
}

void SaveCommand(Application& app) {
    if (SaveDocument(app, 0) == kSaveDone) SetEditorModified(app.Editor(), false);
}

void SaveAsScript(Application& app) {
    app.documentName = ScriptNameFor(app.documentName);
    if (SaveDocument(app, kSaveAlwaysShowDialog) == kSaveDone) {
        SetEditorModified(app.Editor(), false);
    }
}

void RevertToOriginal(Application& app) {
    HWND editor = app.Editor();
    if (app.originalText.IsEmpty() && GetWindowTextLengthW(editor) == 0) return;
    if (ui::MsgBox(&app.mainWindow, kRevertPrompt, ui::kMsgBoxYesNo, kRevertPromptHeight) != 1) {
        return;
    }
    ResetEditorText(editor, app.originalText);
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
