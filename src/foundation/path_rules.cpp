#include "foundation/path_rules.h"

#include "foundation/wide_string.h"

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

}  // namespace scrutor
