#pragma once

// The "Edit" menu and the Tab key: clipboard, clearing, selection, undo and zoom.

namespace scrutor {

class Application;

void CopySelection(Application& app);
void CopySelectedLines(Application& app);
void PasteText(Application& app);
void ClearAll(Application& app);
void SelectAll(Application& app);
void UndoEdit(Application& app);
void ZoomIn(Application& app);
void ZoomOut(Application& app);
void InsertTab(Application& app);

// Sets the editor's font to the run's font size.
void ApplyEditorFont(Application& app);

}  // namespace scrutor
