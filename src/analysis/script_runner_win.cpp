#include "analysis/script_runner.h"

#include <array>

#include "analysis/run_command_line.h"
#include "foundation/process.h"
#include "foundation/registry_key.h"
#include "foundation/win_text.h"
#include "inspector/window_identification.h"

namespace scrutor {

namespace {

constexpr const char16_t* kCaptionControl = u"[CLASS:Static; INSTANCE:3]";
constexpr const char16_t* kScriptControl = u"[CLASS:Edit; INSTANCE:1]";
constexpr const char16_t* kCaptionText = u"Run script";
constexpr int kCaptionUnits = 128;
// A busy or hung ZEP must not freeze the editor; a late answer counts as refused.
constexpr UINT kHandOverTimeoutMs = 3000;

bool HasScriptCaption(HWND window) {
    HWND caption = ResolveControlDefinition(window, kCaptionControl);
    if (caption == nullptr) return false;
    std::array<wchar_t, kCaptionUnits + 1> text{};
    (void)GetWindowTextW(caption, text.data(), kCaptionUnits + 1);
    return EqualsNoCase(FromWide(text.data()), kCaptionText);
}

class Win32ProgramFinder final : public ProgramFinder {
public:
    [[nodiscard]] bool IsFile(const WideString& path) const override {
        const DWORD attributes = GetFileAttributesW(AsWide(path));
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    [[nodiscard]] bool FindOnSearchPath(WideString& name) const override {
        return RegistryKey::FindAppPath(name);
    }
};

}  // namespace

ScriptWindow FindScriptWindow(HWND editor) {
    if (SendMessageW(editor, EM_GETHANDLE, 0, 0) == 0) return {};
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (!HasScriptCaption(window)) continue;
        HWND edit = ResolveControlDefinition(window, kScriptControl);
        if (edit != nullptr) return {window, edit};
    }
    return {};
}

bool HandScriptTo(const ScriptWindow& target, HWND editor) {
    auto buffer = reinterpret_cast<HLOCAL>(SendMessageW(editor, EM_GETHANDLE, 0, 0));
    if (buffer == nullptr || target.edit == nullptr) return false;
    ShowWindow(target.window, SW_RESTORE);
    SetForegroundWindow(target.window);
    const void* text = LocalLock(buffer);
    if (text == nullptr) return false;
    DWORD_PTR accepted = 0;
    const LRESULT answered = SendMessageTimeoutW(target.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                                                 SMTO_ABORTIFHUNG, kHandOverTimeoutMs, &accepted);
    LocalUnlock(buffer);
    return answered != 0 && accepted != 0;
}

DWORD RunCommandLine(const WideString& text) {
    const ProgramCommand command = ResolveCommandLine(text, Win32ProgramFinder());
    return StartProcessGetId(command.commandLine.CStr(), command.workingDirectory.CStr());
}

}  // namespace scrutor
