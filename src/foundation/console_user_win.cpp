#include "foundation/console_user.h"

#include <psapi.h>
#include <sddl.h>
#include <wtsapi32.h>

#include <algorithm>
#include <array>

#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr DWORD kMaxProcesses = 1024;

void CopyBounded(char16_t* target, const wchar_t* text) {
    std::size_t i = 0;
    for (; text[i] != 0 && i + 1 < kAccountTextUnits; ++i) target[i] = static_cast<char16_t>(text[i]);
    target[i] = 0;
}

bool TokenBelongsTo(HANDLE token, PSID user) {
    alignas(TOKEN_USER) std::array<BYTE, 1024> buffer{};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenUser, buffer.data(), buffer.size(), &size)) return false;
    return EqualSid(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, user) != FALSE;
}

void WriteSidText(PSID sid, char16_t* sidText) {
    if (sidText == nullptr) return;
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) return;
    CopyBounded(sidText, text);
    LocalFree(text);
}

bool ConsoleUserName(DWORD session, char16_t* userName) {
    wchar_t* name = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, session, WTSUserName, &name,
                                     &bytes)) {
        return false;
    }
    const bool found = name != nullptr && name[0] != 0;
    if (found) CopyBounded(userName, name);
    WTSFreeMemory(name);
    return found;
}

HandleHolder TokenOf(HANDLE process, PSID user) {
    HandleHolder token;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.Out()) || !TokenBelongsTo(token.Get(), user)) {
        return {};
    }
    return token;
}

bool InSession(const ConsoleSessionCalls& calls, DWORD processId, DWORD session) {
    DWORD processSession = 0;
    return calls.sessionOfProcess(processId, &processSession) && processSession == session;
}

HandleHolder SearchProcesses(const ConsoleSessionCalls& calls, DWORD session, PSID user) {
    std::array<DWORD, kMaxProcesses> ids{};
    DWORD bytes = 0;
    if (!calls.listProcesses(ids.data(), sizeof ids, &bytes)) return {};
    const DWORD count = std::min<DWORD>(bytes / sizeof(DWORD), kMaxProcesses);
    for (DWORD i = 0; i < count; ++i) {
        if (!InSession(calls, ids[i], session)) continue;
        const HandleHolder process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, ids[i]));
        if (!process) continue;
        if (HandleHolder token = TokenOf(process.Get(), user)) return token;
    }
    return {};
}

}  // namespace

ConsoleSessionCalls SystemSessionCalls() {
    return {WTSGetActiveConsoleSessionId, ProcessIdToSessionId, EnumProcesses};
}

HandleHolder FindConsoleUserToken(char16_t* userName, char16_t* sidText,
                                  const ConsoleSessionCalls& calls) {
    if (userName == nullptr) return {};
    const DWORD session = calls.consoleSession();
    if (session == kNoConsoleSession || !ConsoleUserName(session, userName)) return {};
    alignas(SID) std::array<BYTE, 256> sid{};
    DWORD sidSize = sid.size();
    std::array<wchar_t, 256> domain{};
    DWORD domainSize = domain.size();
    SID_NAME_USE use{};
    if (!LookupAccountNameW(nullptr, AsWide(userName), sid.data(), &sidSize, domain.data(),
                            &domainSize, &use)) {
        return {};
    }
    HandleHolder token;
    if (InSession(calls, GetCurrentProcessId(), session)) token = TokenOf(GetCurrentProcess(), sid.data());
    if (!token) token = SearchProcesses(calls, session, sid.data());
    if (token) WriteSidText(sid.data(), sidText);
    return token;
}

}  // namespace scrutor
