#include "foundation/path_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace scrutor {
namespace {

TEST(PathRules, VolumeRootsInEveryFormAndWildcards) {
    for (const char16_t* root :
         {u"C:", u"c:\\", u"\\\\?\\C:", u"\\\\?\\D:\\", u"\\\\server\\share",
          u"\\\\server\\share\\", u"\\\\server", u"\\\\?\\UNC\\srv\\share"}) {
        EXPECT_TRUE(IsVolumeRoot(root)) << std::u16string(root).size();
    }
    for (const char16_t* folder : {u"C:\\Temp", u"\\\\?\\C:\\Temp", u"\\\\server\\share\\dir",
                                   u"\\\\?\\UNC\\srv\\share\\d", u"Temp", u"", u"C", u"\\Temp"}) {
        EXPECT_FALSE(IsVolumeRoot(folder)) << std::u16string(folder).size();
    }
    EXPECT_FALSE(IsVolumeRoot(nullptr));
    EXPECT_TRUE(HasWildcard(u"*.log") && HasWildcard(u"report?.htm"));
    EXPECT_FALSE(HasWildcard(u"report.htm") || HasWildcard(nullptr));
}

// A 32-bit program on 64-bit Windows reads System32 through Sysnative, or it would check,
// size and hash the SysWOW64 file of the same name.
TEST(NativeSystemPath, OnlySystem32UnderTheWindowsFolderIsMappedAndOnlyUnderWow64) {
    const std::u16string mapped[][2] = {
        {u"c:\\WINDOWS\\system32\\drivers\\etc\\hosts",
         u"c:\\WINDOWS\\Sysnative\\drivers\\etc\\hosts"},
        {u"C:/Windows/System32/a.dll", u"C:/Windows/Sysnative/a.dll"},
        {u"\\\\?\\C:\\Windows\\System32\\a.dll", u"\\\\?\\C:\\Windows\\Sysnative\\a.dll"},
        {u"C:\\Windows\\System32", u"C:\\Windows\\Sysnative"},
    };
    for (const auto& [path, expected] : mapped) {
        for (const char16_t* windows : {u"C:\\Windows", u"C:\\Windows\\"}) {
            EXPECT_EQ(NativeSystemPath(WideString(path), windows, true).View(), expected)
                << path.size();
        }
        EXPECT_EQ(NativeSystemPath(WideString(path), u"C:\\Windows", false).View(), path);
        EXPECT_EQ(NativeSystemPath(WideString(path), u"", true).View(), path);
    }
    for (const std::u16string path :
         {u"C:\\Windows\\System32x\\a.dll", u"C:\\Windows\\SysWOW64\\a.dll",
          u"C:\\Windows\\Sysnative", u"C:\\WindowsOld\\System32\\a.dll",
          u"D:\\Windows\\System32\\a.dll", u"C:\\Program Files\\System32\\a.dll",
          u"C:\\Windows\\System3", u"C:\\Windows", u""}) {
        EXPECT_EQ(NativeSystemPath(WideString(path), u"C:\\Windows", true).View(), path)
            << path.size();
    }
}

}  // namespace
}  // namespace scrutor
