#include "foundation/registry_path.h"

#include <gtest/gtest.h>

#include <string>

namespace scrutor {
namespace {

TEST(RegistryPath, ParsesRootsViewsAndSubkeys) {
    using enum RegistryRoot;
    const struct {
        const char16_t* path;
        RegistryRoot root;
        std::uint32_t view;
        const char16_t* subkey;
    } cases[] = {
        {u"HKLM64\\Software\\X", kLocalMachine, kRegistryView64, u"Software\\X"},
        {u"hklm\\Software", kLocalMachine, 0, u"Software"},
        {u"hkcu32\\a\\b", kCurrentUser, kRegistryView32, u"a\\b"},
        {u"HKEY_LOCAL_MACHINE64\\S", kLocalMachine, kRegistryView64, u"S"},
        {u"HKEY_CLASSES_ROOT\\.txt", kClassesRoot, 0, u".txt"},
        {u"HKU\\.DEFAULT", kUsers, 0, u".DEFAULT"},
        {u"hkcc", kCurrentConfig, 0, u""},
        {u"HKLM64", kLocalMachine, kRegistryView64, u""},
        {u"HKEY_CURRENT_USER\\", kCurrentUser, 0, u""},
        {u"HKEY_CURRENT_CONFIG32", kCurrentConfig, kRegistryView32, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.path)));
        RegistryPath parsed;
        ASSERT_TRUE(ParseRegistryPath(c.path, parsed));
        EXPECT_EQ(parsed.root, c.root);
        EXPECT_EQ(parsed.view, c.view);
        EXPECT_EQ(std::u16string(parsed.subkey.View()), c.subkey);
    }
    // Unknown roots fail and leave the result alone.
    for (const char16_t* path :
         {u"HKXX\\Software", u"", u"HKL\\M", u"HK\\LM\\x", u"Software\\HKLM", u"HKLM16\\x",
          u"HKLM64x", u"\\HKLM\\x", u"HKEY_LOCAL_MACHINE_X\\a"}) {
        RegistryPath parsed;
        parsed.root = RegistryRoot::kUsers;
        parsed.subkey = u"untouched";
        EXPECT_FALSE(ParseRegistryPath(path, parsed)) << std::u16string(path).size();
        EXPECT_EQ(parsed.root, RegistryRoot::kUsers);
        EXPECT_EQ(std::u16string(parsed.subkey.View()), u"untouched");
    }
    RegistryPath parsed;
    EXPECT_FALSE(ParseRegistryPath(nullptr, parsed));
}

TEST(MultiString, TextToStoredUnitsAndBack) {
    EXPECT_EQ(MultiStringFromText(u"a\nb\n\n"), std::u16string(u"a\0b\0\0", 5));
    EXPECT_EQ(MultiStringFromText(u"one"), std::u16string(u"one\0\0", 5));
    EXPECT_EQ(MultiStringFromText(u""), std::u16string(u"\0\0", 2));
    // One character always stays, so a lone line feed is not dropped to nothing.
    EXPECT_EQ(MultiStringFromText(u"\n\n"), std::u16string(u"\0\0\0", 3));
    EXPECT_EQ(MultiStringFromText(nullptr), std::u16string(u"\0\0", 2));
    const std::pair<std::u16string, const char16_t*> stored[] = {
        {std::u16string(u"a\0b\0\0", 5), u"a\nb"},
        {std::u16string(u"a\0b", 3), u"a\nb"},  // stored without terminators
        {std::u16string(u"\0\0", 2), u""},
        {std::u16string(), u""},
        // An empty string inside is kept as an empty line instead of ending the text there.
        {std::u16string(u"a\0\0b\0\0", 6), u"a\n\nb"},
    };
    for (const auto& [units, text] : stored) {
        WideString out(u"stale");
        TextFromMultiString(units.data(), units.size(), out);
        EXPECT_EQ(std::u16string(out.View()), text);
    }
}

}  // namespace
}  // namespace scrutor
