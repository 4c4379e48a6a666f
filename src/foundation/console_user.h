#pragma once

// The user at the physical console: the name, the SID text and a token of one of that user's
// processes.

#include <windows.h>

#include <cstddef>

#include "foundation/handles.h"

namespace scrutor {

inline constexpr std::size_t kAccountTextUnits = 128;
// What WTSGetActiveConsoleSessionId answers when no session is attached to the console.
inline constexpr DWORD kNoConsoleSession = 0xFFFFFFFF;

// The session and process queries the lookup makes; tests replace them to walk the search
// through other processes, which a process in the console session never needs.
struct ConsoleSessionCalls {
    DWORD(WINAPI* consoleSession)();
    BOOL(WINAPI* sessionOfProcess)(DWORD processId, DWORD* session);
    BOOL(WINAPI* listProcesses)(DWORD* ids, DWORD bytes, DWORD* bytesReturned);
};
[[nodiscard]] ConsoleSessionCalls SystemSessionCalls();

// Empty when there is no console user or no process of that user could be opened. The name
// and SID text go into buffers of kAccountTextUnits characters; sidText may be null.
[[nodiscard]] HandleHolder FindConsoleUserToken(
    char16_t* userName, char16_t* sidText,
    const ConsoleSessionCalls& calls = SystemSessionCalls());

}  // namespace scrutor
