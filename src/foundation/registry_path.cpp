#include "foundation/registry_path.h"

namespace scrutor {

namespace {

struct RootName {
    const char16_t* shortName;
    const char16_t* longName;
    RegistryRoot root;
};

constexpr RootName kRoots[] = {
    {u"HKLM", u"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
    {u"HKCU", u"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
    {u"HKCR", u"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
    {u"HKU", u"HKEY_USERS", RegistryRoot::kUsers},
    {u"HKCC", u"HKEY_CURRENT_CONFIG", RegistryRoot::kCurrentConfig},
};

// Root names are 3 to 22 characters, so the backslash that ends one sits at 4 to 23 (1-based).
constexpr std::size_t kFirstSeparator = 3;
constexpr std::size_t kLastSeparator = 22;

std::size_t RootLength(std::u16string_view path) {
    for (std::size_t i = kFirstSeparator; i <= kLastSeparator && i < path.size(); ++i) {
        if (path[i] == u'\\') return i;
    }
    return path.size();
}

}  // namespace

bool ParseRegistryPath(const char16_t* path, RegistryPath& out) {
    const std::u16string_view text(path == nullptr ? u"" : path);
    const std::size_t rootLength = RootLength(text);
    std::u16string name(text.substr(0, rootLength));
    std::uint32_t view = 0;
    if (name.size() > 2) {
        const std::u16string_view suffix = std::u16string_view(name).substr(name.size() - 2);
        view = suffix == u"64" ? kRegistryView64 : suffix == u"32" ? kRegistryView32 : 0;
        if (view != 0) name.resize(name.size() - 2);
    }
    for (const RootName& root : kRoots) {
        if (!EqualsNoCase(name.c_str(), root.shortName) &&
            !EqualsNoCase(name.c_str(), root.longName)) {
            continue;
        }
        out.root = root.root;
        out.view = view;
        out.subkey = WideString(rootLength < text.size() ? text.substr(rootLength + 1)
                                                         : std::u16string_view());
        return true;
    }
    return false;
}

std::u16string MultiStringFromText(const char16_t* text) {
    std::u16string units(text == nullptr ? u"" : text);
    while (units.size() > 1 && units.back() == u'\n') units.pop_back();
    for (char16_t& unit : units) {
        if (unit == u'\n') unit = 0;
    }
    units.push_back(0);
    units.push_back(0);
    return units;
}

// Every zero before the last non-zero unit separates two strings; the rest are terminators.
void TextFromMultiString(const char16_t* units, std::size_t count, WideString& out) {
    std::size_t end = count;
    while (end > 0 && units[end - 1] == 0) --end;
    std::u16string text(units, end);
    for (char16_t& unit : text) {
        if (unit == 0) unit = u'\n';
    }
    out = WideString(std::u16string_view(text));
}

}  // namespace scrutor
