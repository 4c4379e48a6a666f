#pragma once

// The rules of the open document that need no window: its title, its name and extension,
// the file-dialog filters, when a save asks for a file, and the script header.

#include <cstdint>
#include <string>

#include "foundation/text_encoding.h"
#include "foundation/wide_string.h"

namespace scrutor {

inline constexpr const char16_t* kNewDocumentName = u"New script.zep";
inline constexpr const char16_t* kScriptHeader = u"<ZEPCommandsScript>";
inline constexpr const char16_t* kScriptExtension = u"zep";

// SaveDocument options (bits) and results.
inline constexpr std::uint32_t kSaveAskFirst = 1;
inline constexpr std::uint32_t kSaveAlwaysShowDialog = 2;
enum class SaveResult : int {
    kDone = 1,
    kDeclined = 0,    // "No" to the prompt, or the prompt closed
    kCancelled = -1,  // "Cancel", dialog cancelled, or failed
};

// Documents are read in the encoding their byte-order mark announces (ANSI without one)
// and always written as UTF-16LE with a mark, whatever they were read as.
inline constexpr std::uint32_t kDocumentReadMode = 0;
inline constexpr std::uint32_t kDocumentWriteMode = kFileTruncate | kFileMakeDirs | kFileUtf16Le;

// File dialogs: titles and the size of their path buffer in characters.
inline constexpr const char16_t* kOpenDialogTitle = u"Open file";
inline constexpr const char16_t* kSaveDialogTitle = u"Please choose the file to save to";
inline constexpr std::size_t kDialogPathUnits = 2048;

inline constexpr const char16_t* kRevertPrompt =
    u"Are you sure you want to undo all changes made to this document?\r\n\r\n"
    u"This operation can not be undone.";
inline constexpr const char16_t* kCreateFailedMessage =
    u"Sorry the file you specified could not be created. Please choose a different file.";

// The main window's title for a document name.
[[nodiscard]] WideString DocumentTitle(const WideString& name);

// The file-name part of a path: the document name of an opened or saved file.
[[nodiscard]] WideString DocumentNameFromPath(const WideString& path);

struct DocumentNameParts {
    WideString baseName;   // the name without "." and extension
    WideString extension;  // without the dot; empty when there is none
};
[[nodiscard]] DocumentNameParts SplitDocumentName(const WideString& name);
[[nodiscard]] bool IsScriptExtension(const WideString& extension);

// Dialog filters as the common dialogs take them: pairs of description and pattern, each
// ended by a NUL; the string's own terminator (c_str) is the NUL that ends the list.
[[nodiscard]] std::u16string OpenDialogFilter();
[[nodiscard]] std::u16string SaveDialogFilter(const WideString& extension);

// Whether saving must ask for a file (instead of writing to the document's own path).
[[nodiscard]] bool NeedsSaveDialog(std::uint32_t options, bool documentFileExists);

struct SaveDialogRequest {
    std::u16string filter;
    WideString initialName;       // preset in the file-name box
    WideString defaultExtension;  // empty: none
};
// Everything the save dialog is shown with, taken from the document name before the dialog.
[[nodiscard]] SaveDialogRequest SaveDialogFor(const WideString& documentName);

// A script (by the document's extension) gets the header line when its text does not
// already hold it, in any letter case, within the first 30 characters.
[[nodiscard]] bool NeedsScriptHeader(const WideString& extension, const WideString& text);
// The whole text written for the editor text of a document of this name.
[[nodiscard]] WideString TextToSave(const WideString& documentName, const WideString& text);

// "Save as script": the name with its extension replaced by ".zep".
[[nodiscard]] WideString ScriptNameFor(const WideString& documentName);

// The question asked before unsaved changes would be lost.
[[nodiscard]] WideString SavePrompt(const WideString& documentName);

}  // namespace scrutor
