#include "app/edit_commands.h"

#include "app/application.h"
#include "ui/clipboard_win.h"
#include "ui/editor.h"

namespace scrutor {

namespace {

constexpr const char16_t* kEditorFace = u"Courier new";
constexpr int kEditorWeight = 800;

void CopyText(Application& app, bool wholeLines) {
    WideString text;
    if (!GetSelectedText(app.Editor(), text, wholeLines)) return;
    (void)ui::PutClipboardText(app.MainWindow(), text);  // a busy clipboard is not reported
}

void Zoom(Application& app, bool zoomIn) {
    std::int32_t& fontSize = app.Config().fontSize;
    const std::int32_t size = ZoomedFontSize(fontSize, zoomIn);
    if (size == fontSize) return;
    fontSize = size;
    ApplyEditorFont(app);
    RedrawWindow(app.Editor(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace

void CopySelection(Application& app) { CopyText(app, false); }
void CopySelectedLines(Application& app) { CopyText(app, true); }

void PasteText(Application& app) {
    WideString text;
    if (ui::ReadClipboardText(app.MainWindow(), text)) ReplaceSelection(app.Editor(), text.CStr());
}

void ClearAll(Application& app) { ResetEditorText(app.Editor(), WideString()); }

void SelectAll(Application& app) { SendMessageW(app.Editor(), EM_SETSEL, 0, -1); }
void UndoEdit(Application& app) { SendMessageW(app.Editor(), EM_UNDO, 0, 0); }
void ZoomIn(Application& app) { Zoom(app, true); }
void ZoomOut(Application& app) { Zoom(app, false); }
void InsertTab(Application& app) { ReplaceSelection(app.Editor(), u"\t"); }

void ApplyEditorFont(Application& app) {
    (void)app.MainForm().SetFont(app.EditorId(), app.Config().fontSize, kEditorWeight, 1, kEditorFace, 0);
}

}  // namespace scrutor
