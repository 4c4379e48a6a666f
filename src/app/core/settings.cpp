#include "app/core/settings.h"

namespace scrutor {
namespace {

constexpr std::uint32_t kMinWindowWidth = 250;
constexpr std::uint32_t kMinWindowHeight = 150;

// The size tests are unsigned, so a stored negative number is out of range as well.
std::int32_t ValidSize(std::optional<std::uint32_t> value, std::uint32_t minimum,
                       std::int32_t screen) {
    const std::uint32_t maximum = screen > 0 ? static_cast<std::uint32_t>(screen) : 0;
    if (value && *value >= minimum && *value <= maximum) return static_cast<std::int32_t>(*value);
    return screen / 3 * 2;  // integer division first, as the window has always been sized
}

// A position must leave the whole window on the screen and be at least 1.
std::int32_t ValidPosition(std::optional<std::uint32_t> value, std::int32_t screen,
                           std::int32_t size) {
    const std::int64_t maximum = std::int64_t{screen} - size;
    if (value && *value >= 1 && std::int64_t{*value} <= maximum) {
        return static_cast<std::int32_t>(*value);
    }
    return kNoPosition;
}

}  // namespace

Settings ValidateSettings(const RawSettings& raw, ScreenSize screen) {
    Settings settings;
    const std::int64_t font = raw.fontSize.value_or(0);
    if (font >= kMinFontSize && font <= kMaxFontSize) {
        settings.fontSize = static_cast<std::int32_t>(font);
    }
    settings.windowWidth = ValidSize(raw.windowWidth, kMinWindowWidth, screen.width);
    settings.windowHeight = ValidSize(raw.windowHeight, kMinWindowHeight, screen.height);
    settings.windowPosX = ValidPosition(raw.windowPosX, screen.width, settings.windowWidth);
    settings.windowPosY = ValidPosition(raw.windowPosY, screen.height, settings.windowHeight);
    settings.useVistro = raw.dontUseVistro.value_or(0) == 0;
    settings.showInfoTip = raw.showInfoTip.value_or(1);
    return settings;
}

std::int32_t ZoomedFontSize(std::int32_t size, bool zoomIn) {
    if (zoomIn) return size < kMaxFontSize ? size + 1 : size;
    return size > kMinFontSize ? size - 1 : size;
}

WideString ExplorerAdvancedKeyPath(const WideString& userSid) {
    WideString path;
    path.Assign(u"HKU\\", userSid,
                u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced");
    return path;
}

WideString ProgramDirectory(const WideString& modulePath) {
    WideString directory = modulePath;
    const std::size_t slash = directory.Find(u"\\", true, -1);
    directory.Left(static_cast<std::int64_t>(slash));  // no backslash: no folder
    return directory;
}

WideString ZepPathInProgramDirectory(const WideString& programDirectory) {
    WideString path;
    path.Assign(programDirectory, u"ZEP_en.exe");
    return path;
}

WideString ZepPathInInstallDir(const WideString& installDir) {
    WideString path;
    path.Assign(installDir, u"\\ZEP_en.exe");
    return path;
}

WideString LogoPath(const WideString& programDirectory) {
    WideString path;
    path.Assign(programDirectory, u"scrutor_logo.png");
    return path;
}

bool CommandLineMayNameFile(const char16_t* commandLine) {
    return TextLength(commandLine) > 3;
}

}  // namespace scrutor
