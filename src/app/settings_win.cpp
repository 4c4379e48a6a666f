#include "app/settings_win.h"

#include <windows.h>

#include <psapi.h>
#include <sddl.h>
#include <shlwapi.h>
#include <wtsapi32.h>

#include <array>

#include "foundation/handles.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

std::optional<std::uint32_t> ReadOptional(const RegistryKey& key, const char16_t* name) {
    std::uint32_t value = 0;
    if (!key.IsOpen() || !key.ReadDword(name, value)) return std::nullopt;
    return value;
}

bool FileExists(const WideString& path) {
    return !path.IsEmpty() && PathFileExistsW(AsWide(path)) != FALSE;
}

void CopyBounded(char16_t* target, const wchar_t* text) {
    std::size_t i = 0;
    for (; text[i] != 0 && i + 1 < kAccountTextUnits; ++i) target[i] = static_cast<char16_t>(text[i]);
    target[i] = 0;
}

// The user SID of a token, compared against the console user's.
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

HANDLE TokenOfProcess(DWORD processId, DWORD session, PSID user) {
    DWORD processSession = 0;
    if (!ProcessIdToSessionId(processId, &processSession) || processSession != session) {
        return nullptr;
    }
    HandleHolder process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    HANDLE token = nullptr;
    if (!process.IsValid() || !OpenProcessToken(process.Get(), TOKEN_QUERY, &token)) return nullptr;
    if (TokenBelongsTo(token, user)) return token;
    CloseHandle(token);
    return nullptr;
}

HANDLE SearchProcesses(DWORD session, PSID user) {
    std::array<DWORD, 1024> ids{};
    DWORD bytes = 0;
    if (!EnumProcesses(ids.data(), sizeof ids, &bytes)) return nullptr;
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        if (HANDLE token = TokenOfProcess(ids[i], session, user)) return token;
    }
    return nullptr;
}

}  // namespace

RawSettings ReadProgramSettings(const RegistryKey& programKey) {
    RawSettings raw;
    raw.fontSize = ReadOptional(programKey, kFontSizeValue);
    raw.windowWidth = ReadOptional(programKey, kWindowWidthValue);
    raw.windowHeight = ReadOptional(programKey, kWindowHeightValue);
    raw.windowPosX = ReadOptional(programKey, kWindowPosXValue);
    raw.windowPosY = ReadOptional(programKey, kWindowPosYValue);
    return raw;
}

void WriteProgramSettings(RegistryKey& programKey, std::int32_t fontSize, HWND window) {
    // Failures are silent: without administrator rights the key is not writable.
    (void)programKey.WriteDword(kFontSizeValue, static_cast<std::uint32_t>(fontSize));
    if (window == nullptr || IsIconic(window)) return;
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    (void)programKey.WriteDword(kWindowWidthValue, static_cast<std::uint32_t>(r.right - r.left));
    (void)programKey.WriteDword(kWindowHeightValue, static_cast<std::uint32_t>(r.bottom - r.top));
    (void)programKey.WriteDword(kWindowPosXValue, static_cast<std::uint32_t>(r.left));
    (void)programKey.WriteDword(kWindowPosYValue, static_cast<std::uint32_t>(r.top));
}

std::uint32_t ReadShowInfoTip() {
    std::array<char16_t, kAccountTextUnits> user{};
    std::array<char16_t, kAccountTextUnits> sid{};
    // Only the SID text is wanted; the token is not used further.
    HandleHolder token(FindConsoleUserToken(user.data(), sid.data()));
    RegistryKey key;
    std::uint32_t value = 0;
    if (sid[0] == 0 || !key.OpenRead(ExplorerAdvancedKeyPath(sid.data()).CStr()) ||
        !key.ReadDword(kShowInfoTipValue, value)) {
        return 1;
    }
    return value;
}

HANDLE FindConsoleUserToken(char16_t* userName, char16_t* sidText) {
    if (userName == nullptr) return nullptr;
    const DWORD session = WTSGetActiveConsoleSessionId();
    if (session == 0xFFFFFFFF || !ConsoleUserName(session, userName)) return nullptr;
    alignas(SID) std::array<BYTE, 256> sid{};
    DWORD sidSize = sid.size();
    std::array<wchar_t, 256> domain{};
    DWORD domainSize = domain.size();
    SID_NAME_USE use{};
    if (!LookupAccountNameW(nullptr, AsWide(userName), sid.data(), &sidSize, domain.data(),
                            &domainSize, &use)) {
        return nullptr;
    }
    DWORD ownSession = 0;
    if (ProcessIdToSessionId(GetCurrentProcessId(), &ownSession) && ownSession == session) {
        HANDLE token = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            if (TokenBelongsTo(token, sid.data())) {
                WriteSidText(sid.data(), sidText);
                return token;
            }
            CloseHandle(token);
        }
    }
    HANDLE token = SearchProcesses(session, sid.data());
    if (token != nullptr) WriteSidText(sid.data(), sidText);
    return token;
}

WideString LocateZep(const WideString& programDirectory) {
    WideString path = ZepPathInProgramDirectory(programDirectory);
    if (FileExists(path)) return path;
    RegistryKey maker;
    WideString installDir;
    if (!maker.OpenRead(kMakerKeyPath) || !maker.ReadString(kInstallDirValue, installDir)) {
        return {};
    }
    path = ZepPathInInstallDir(installDir);
    return FileExists(path) ? path : WideString{};
}

}  // namespace scrutor
