#include "app/settings_win.h"

#include <windows.h>

#include <shlwapi.h>

#include <array>

#include "foundation/console_user.h"
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
    const HandleHolder token = FindConsoleUserToken(user.data(), sid.data());
    RegistryKey key;
    std::uint32_t value = 0;
    if (sid[0] == 0 || !key.OpenRead(ExplorerAdvancedKeyPath(sid.data()).CStr()) ||
        !key.ReadDword(kShowInfoTipValue, value)) {
        return 1;
    }
    return value;
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
