#include "virustotal/write_report_win.h"

#include <gtest/gtest.h>

#include "foundation/win_text.h"
#include "report_fakes.h"
#include "test_support.h"

namespace scrutor {
namespace {

using testing_support::Str;

class WriteReportTest : public testing::Test {
protected:
    WrittenReport Write(const std::u16string& path, const std::u16string& logo = u"",
                        std::size_t count = 17, bool anyResult = true) {
        const std::vector<WideString> list(items_.begin(), items_.begin() + count);
        const ReportTarget target{logo.c_str(), path.c_str(), anyResult};
        return WriteReport(list, target, context_, page_, cancelled_);
    }

    test::TempDir dir_;
    testing_support::FakeWorld world_;
    std::vector<WideString> items_ = testing_support::ExampleItems(world_);
    ReportContext context_{world_, world_, world_, testing_support::kExampleToday,
                           kItemsCarryHashes};
    ReportPage page_ = testing_support::ExamplePage();
    CancelFlag cancelled_{false};
};

// The golden page byte for byte, in folders made for it; a shorter report replaces it whole.
// Without a path it goes to the long form of the temporary folder.
TEST_F(WriteReportTest, WritesThePageAnew) {
    const std::u16string path = dir_.Child(u"a\\b\\report.htm");
    EXPECT_EQ(Write(path).result, 17);
    EXPECT_EQ(test::ReadFileBytes(path),
              testing_support::SourceFile("tests/virustotal/golden_report.htm"));
    EXPECT_EQ(Write(path, u"", 1).result, 1);
    EXPECT_TRUE(test::ReadFileBytes(path).ends_with(
        "One item analyzed.</b></p>\r\n</td></tr></table></body></html>\r\n"));

    wchar_t temp[MAX_PATH] = {}, longTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    const WrittenReport inTemp = Write(u"", u"", 1);
    EXPECT_TRUE(inTemp.path.EqualsNoCase(WideString(FromWide(longTemp), u"MD5Report.htm")));
    EXPECT_TRUE(DeleteFileW(AsWide(inTemp.path)));
}

TEST_F(WriteReportTest, WritesNothingWhenNotWantedCancelledOrNotCreatable) {
    const std::u16string path = dir_.Child(u"r.htm");
    EXPECT_EQ(Write(path, u"", 0).result, kReportNotWanted);
    EXPECT_EQ(Write(path, u"", 17, false).result, kReportNotWanted);
    test::WriteFileBytes(dir_.Child(u"file"), "x");
    EXPECT_EQ(Write(dir_.Child(u"file\\r.htm")).result, 0);
    cancelled_ = true;
    EXPECT_EQ(Write(path).result, 0);
    EXPECT_FALSE(test::PathExists(path));
}

// A report another job still holds open is left to it: the next free number is taken.
TEST_F(WriteReportTest, ReportInUseGetsANumberedName) {
    const std::u16string path = dir_.Child(u"MD5Report.htm");
    test::WriteFileBytes(path, "first job");
    std::vector<HANDLE> held;
    for (const std::u16string& name : {path, dir_.Child(u"MD5Report (2).htm")}) {
        held.push_back(
            CreateFileW(AsWide(name.c_str()), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
    }
    const WrittenReport written = Write(path);
    for (HANDLE handle : held) CloseHandle(handle);
    EXPECT_EQ(written.result, 17);
    EXPECT_EQ(Str(written.path), dir_.Child(u"MD5Report (3).htm"));
    EXPECT_EQ(test::ReadFileBytes(path), "first job");
}

// The logo's file URL and its own size instead of the default 200 x 110.
TEST_F(WriteReportTest, BannerShowsTheLogoAtItsOwnSize) {
    page_ = ReportPage{{}, 200, 110, u"h", u"r", page_.encrypt};
    const std::u16string path = dir_.Child(u"r.htm");
    const std::u16string logo = test::HostPathFromEnvironment("SCRUTOR_SOURCE_DIR") +
                                u"\\src\\ui\\resources\\scrutor_logo.png";
    ASSERT_EQ(Write(path, logo, 1).result, 1);
    const std::string page = test::ReadFileBytes(path);
    EXPECT_NE(page.find("width:128px;height:128px}"), std::string::npos);
    EXPECT_NE(page.find("<img alt=\"\" src=\"file:///Z:/"), std::string::npos);
    EXPECT_NE(page.find("/src/ui/resources/scrutor_logo.png\">"), std::string::npos);
}

}  // namespace
}  // namespace scrutor
