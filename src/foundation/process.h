#pragma once

// Starting programs, directly or through the shell.

#include <windows.h>

#include "foundation/handles.h"

namespace scrutor {

// The new process's handle, empty on failure. An empty working directory keeps ours.
[[nodiscard]] HandleHolder StartProcess(const char16_t* commandLine,
                                        const char16_t* workingDirectory);
// The new process's id, 0 on failure.
[[nodiscard]] DWORD StartProcessGetId(const char16_t* commandLine,
                                      const char16_t* workingDirectory);
// Opens a file with its default verb: 0 on failure, 1 when the shell handed it to a process
// that was already running (no process came back), otherwise the new process's id.
[[nodiscard]] DWORD ShellOpen(const char16_t* file);

}  // namespace scrutor
