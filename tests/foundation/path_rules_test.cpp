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

}  // namespace
}  // namespace scrutor
