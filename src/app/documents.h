#pragma once

// The open document: its title, the file commands, the save prompt and the file dialogs.

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/core/document_rules.h"
#include "foundation/wide_string.h"

namespace scrutor {

class Application;

// The document has a path and a file exists there.
[[nodiscard]] bool DocumentFileExists(Application& app);

void SetDocumentTitle(Application& app, const char16_t* name);

// Options kSaveAskFirst / kSaveAlwaysShowDialog (document_rules.h).
[[nodiscard]] SaveResult SaveDocument(Application& app, std::uint32_t options);

void NewDocument(Application& app);
void OpenDocument(Application& app);
void SaveCommand(Application& app);
void SaveAsScript(Application& app);
void RevertToOriginal(Application& app);

// Reads a document in the encoding its byte-order mark names; the characters read (0 when
// the file is empty or unreadable, and `text` is then empty).
std::size_t ReadDocumentFile(const WideString& path, WideString& text);
// Writes the whole text as UTF-16LE with a mark through a temporary file, so the previous
// file survives any failure. False when nothing was replaced.
[[nodiscard]] bool WriteDocumentFile(const WideString& path, const WideString& text);

// Empty when the user cancels.
[[nodiscard]] WideString ShowOpenDialog(HWND owner);
[[nodiscard]] WideString ShowSaveDialog(const std::u16string& filter, const WideString& initialName,
                                        const WideString& defaultExtension, HWND owner);

}  // namespace scrutor
