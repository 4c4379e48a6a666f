#include "foundation/process.h"

#include <shellapi.h>

#include <string>

#include "foundation/wide_string.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

// CreateProcessW may write into the command line, so it gets a copy of this many units.
constexpr std::size_t kCommandLineUnits = 32000;

}  // namespace

HandleHolder StartProcess(const char16_t* commandLine, const char16_t* workingDirectory) {
    const std::size_t length = TextLength(commandLine);
    // A cut command line would start something other than what was asked for.
    if (length == 0 || length >= kCommandLineUnits) return HandleHolder();
    std::u16string buffer(commandLine, length);
    buffer.resize(kCommandLineUnits, u'\0');
    const bool hasDirectory = workingDirectory != nullptr && *workingDirectory != 0;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, AsWide(buffer.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        hasDirectory ? AsWide(workingDirectory) : nullptr, &startup, &process)) {
        return HandleHolder();
    }
    CloseHandle(process.hThread);
    return HandleHolder(process.hProcess);
}

DWORD StartProcessGetId(const char16_t* commandLine, const char16_t* workingDirectory) {
    const HandleHolder process = StartProcess(commandLine, workingDirectory);
    return process ? GetProcessId(process.Get()) : 0;
}

DWORD ShellOpen(const char16_t* file) {
    if (file == nullptr || *file == 0) return 0;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // No error box from the shell: failures are results, and the caller decides what to say.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = AsWide(file);
    info.nShow = SW_SHOW;
    if (!ShellExecuteExW(&info)) return 0;
    if (info.hProcess == nullptr) return 1;
    const HandleHolder process(info.hProcess);
    const DWORD id = GetProcessId(process.Get());
    return id != 0 ? id : 1;
}

}  // namespace scrutor
