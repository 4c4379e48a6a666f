#include "foundation/path_rules.h"

#include <string>
#include <string_view>

namespace scrutor {

bool HasWildcard(const char16_t* text) {
    for (; text != nullptr && *text != 0; ++text) {
        if (*text == u'*' || *text == u'?') return true;
    }
    return false;
}

bool IsVolumeRoot(const char16_t* directory) {
    WideString plain(directory);
    plain.StripTrailingBackslashes();
    if (plain.View().starts_with(u"\\\\?\\UNC\\")) {
        (void)plain.RemoveLeft(8);
        plain.Prepend(u"\\\\");
    } else if (plain.View().starts_with(u"\\\\?\\")) {
        (void)plain.RemoveLeft(4);
    }
    const std::u16string_view text = plain.View();
    if (text.size() == 2 && text[1] == u':') return true;
    if (!text.starts_with(u"\\\\")) return false;
    const std::size_t share = text.find(u'\\', 2);
    return share == std::u16string_view::npos ||
           text.find(u'\\', share + 1) == std::u16string_view::npos;
}

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Case-insensitive, and "/" equals "\\": Windows reads both as separators.
bool SamePathText(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool bothSeparators = IsSeparator(a[i]) && IsSeparator(b[i]);
        if (!bothSeparators && FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

// Turning redirection off for the thread instead would also redirect the DLLs that thread
// loads, CryptoAPI's among them.
WideString NativeSystemPath(const WideString& path, const WideString& windowsDirectory,
                            bool wow64) {
    std::u16string_view windows = windowsDirectory.View();
    while (!windows.empty() && IsSeparator(windows.back())) windows.remove_suffix(1);
    const std::u16string_view text = path.View();
    const std::size_t prefix = text.starts_with(u"\\\\?\\") ? 4 : 0;
    constexpr std::u16string_view kSystem = u"System32";
    const std::size_t folder = prefix + windows.size() + 1;
    if (!wow64 || windows.empty() || text.size() < folder + kSystem.size() ||
        !SamePathText(text.substr(prefix, windows.size()), windows) ||
        !IsSeparator(text[folder - 1]) || !SamePathText(text.substr(folder, kSystem.size()), kSystem)) {
        return path;
    }
    const std::size_t rest = folder + kSystem.size();
    if (rest < text.size() && !IsSeparator(text[rest])) return path;  // "System32x"
    std::u16string mapped(text.substr(0, folder));
    mapped.append(u"Sysnative").append(text.substr(rest));
    return WideString(std::u16string_view(mapped));
}

}  // namespace scrutor
