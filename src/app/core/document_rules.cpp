#include "app/core/document_rules.h"

#include <utility>

namespace scrutor {
namespace {

using namespace std::string_literals;

constexpr std::int64_t kHeaderWindow = 30;

}  // namespace

WideString DocumentTitle(const WideString& name) {
    WideString title;
    title.Assign(name, u" - Scrutor");
    return title;
}

WideString DocumentNameFromPath(const WideString& path) {
    WideString name = path;
    name.FileNamePart();
    return name;
}

// The extension counts only when its dot follows the last backslash and is not the last
// character; the base name is then the name without dot and extension.
DocumentNameParts SplitDocumentName(const WideString& name) {
    DocumentNameParts parts{name, name};
    parts.extension.ExtensionPart();
    if (!parts.extension.IsEmpty()) {
        parts.baseName.RemoveRight(static_cast<std::int64_t>(parts.extension.Length()) + 1);
    }
    return parts;
}

bool IsScriptExtension(const WideString& extension) {
    return extension.EqualsNoCase(kScriptExtension);
}

std::u16string OpenDialogFilter() {
    return u"ZEP scripts, text files\0*.zep;*.txt;*.log\0All files (*.*)\0*.*\0"s;
}

std::u16string SaveDialogFilter(const WideString& extension) {
    if (IsScriptExtension(extension)) return OpenDialogFilter();
    const std::u16string_view ext = extension.View();
    std::u16string filter = u"Text files (*.";
    filter.append(ext).append(u")").push_back(u'\0');
    filter.append(u"*.").append(ext).push_back(u'\0');
    return filter;
}

bool NeedsSaveDialog(std::uint32_t options, bool documentFileExists) {
    return (options & kSaveAlwaysShowDialog) != 0 || !documentFileExists;
}

SaveDialogRequest SaveDialogFor(const WideString& documentName) {
    DocumentNameParts parts = SplitDocumentName(documentName);
    SaveDialogRequest request;
    request.filter = SaveDialogFilter(parts.extension);
    request.initialName = std::move(parts.baseName);
    request.defaultExtension = std::move(parts.extension);
    return request;
}

bool NeedsScriptHeader(const WideString& extension, const WideString& text) {
    if (!IsScriptExtension(extension)) return false;
    return text.Find(kScriptHeader, false, 1, 1, kHeaderWindow) == 0;
}

WideString TextToSave(const WideString& documentName, const WideString& text) {
    if (!NeedsScriptHeader(SplitDocumentName(documentName).extension, text)) return text;
    WideString withHeader;
    withHeader.Assign(kScriptHeader, u"\r\n", text);
    return withHeader;
}

// A dot in the first position starts a hidden name, not an extension.
WideString ScriptNameFor(const WideString& documentName) {
    WideString name = documentName;
    const std::size_t dot = name.Find(u".", true, -1);
    if (dot >= 2) name.Left(static_cast<std::int64_t>(dot) - 1);
    name.Append(u".", kScriptExtension);
    return name;
}

WideString SavePrompt(const WideString& documentName) {
    WideString prompt;
    prompt.Assign(u"Save changes to ", documentName, u"?");
    return prompt;
}

}  // namespace scrutor
