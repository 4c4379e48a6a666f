#pragma once

// The program's persistent settings: where they live, their defaults, and the rules that
// turn the raw registry values into the values the program starts with.

#include <cstdint>
#include <optional>

#include "foundation/wide_string.h"

namespace scrutor {

// Registry keys (registry path syntax) and value names.
inline constexpr const char16_t* kMakerKeyPath = u"HKLM64\\Software\\ZEP - Zepharion";
inline constexpr const char16_t* kProgramKeyPath = u"HKLM64\\Software\\ZEP - Zepharion\\Scrutor";
inline constexpr const char16_t* kFontSizeValue = u"FontSize";
inline constexpr const char16_t* kWindowWidthValue = u"WindowWidth";
inline constexpr const char16_t* kWindowHeightValue = u"WindowHeight";
inline constexpr const char16_t* kWindowPosXValue = u"WindowPosX";
inline constexpr const char16_t* kWindowPosYValue = u"WindowPosY";
inline constexpr const char16_t* kDontUseVistroValue = u"DontUseVistro";
inline constexpr const char16_t* kInstallDirValue = u"InstallDir";
inline constexpr const char16_t* kShowInfoTipValue = u"ShowInfoTip";

inline constexpr std::int32_t kDefaultFontSize = 9;
inline constexpr std::int32_t kMinFontSize = 8;
inline constexpr std::int32_t kMaxFontSize = 32;
inline constexpr std::int32_t kNoPosition = -1;  // window position not set: centre or leave

// The values as read; nullopt when a value is missing, of another type or unreadable.
struct RawSettings {
    std::optional<std::uint32_t> fontSize;
    std::optional<std::uint32_t> windowWidth;
    std::optional<std::uint32_t> windowHeight;
    std::optional<std::uint32_t> windowPosX;
    std::optional<std::uint32_t> windowPosY;
    std::optional<std::uint32_t> dontUseVistro;
    std::optional<std::uint32_t> showInfoTip;
};

struct Settings {
    std::int32_t fontSize = kDefaultFontSize;
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    std::int32_t windowPosX = kNoPosition;
    std::int32_t windowPosY = kNoPosition;
    bool useVistro = true;
    std::uint32_t showInfoTip = 1;

    // Both coordinates unset: the window is centred in the work area. With only one unset,
    // that coordinate stays -1.
    [[nodiscard]] bool CentreWindow() const {
        return windowPosX == kNoPosition && windowPosY == kNoPosition;
    }
};

// Screen size in pixels (HORZRES, VERTRES).
struct ScreenSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Applies the validity ranges; every invalid or missing value falls back to its default.
[[nodiscard]] Settings ValidateSettings(const RawSettings& raw, ScreenSize screen);

// The editor font size after "Zoom in" (up to 32) or "Zoom out" (down to 8).
[[nodiscard]] std::int32_t ZoomedFontSize(std::int32_t size, bool zoomIn);

// The console user's Explorer settings key, read-only, that holds ShowInfoTip.
[[nodiscard]] WideString ExplorerAdvancedKeyPath(const WideString& userSid);

// The program's own folder from its module path: everything up to and including the last
// backslash.
[[nodiscard]] WideString ProgramDirectory(const WideString& modulePath);

// ZEP's executable in a folder given with its trailing backslash (the program's own).
[[nodiscard]] WideString ZepPathInProgramDirectory(const WideString& programDirectory);

// ZEP's executable under the InstallDir value (which has no trailing backslash).
[[nodiscard]] WideString ZepPathInInstallDir(const WideString& installDir);

// The logo the report shows, beside the program.
[[nodiscard]] WideString LogoPath(const WideString& programDirectory);

// Whether the command-line text is long enough to be split into arguments at all.
[[nodiscard]] bool CommandLineMayNameFile(const char16_t* commandLine);

}  // namespace scrutor
