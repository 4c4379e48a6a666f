#include "virustotal/write_report_win.h"

#include <gtest/gtest.h>

#include "report_fakes.h"
#include "test_support.h"

namespace scrutor {
namespace {

using testing_support::Str;

class WriteReportTest : public testing::Test {
protected:
    WrittenReport Write(const std::vector<WideString>& list, const char16_t* path,
                        bool anyResult = true, const char16_t* logo = u"") {
        ReportTarget target{logo, path, anyResult};
        return WriteReport(list, target, context_, page_, cancelled_);
    }

    test::TempDir dir_;
    testing_support::FakeWorld world_;
    std::vector<WideString> items_ = testing_support::ExampleItems(world_);
    ReportContext context_{world_, world_, world_, testing_support::ExampleToday(),
                           kItemsCarryHashes};
    ReportPage page_ = testing_support::ExamplePage();
    CancelFlag cancelled_{false};
};

// The file holds the golden page exactly (mark, UTF-8, CR LF), in folders made for it; a
// second, shorter report replaces it whole.
TEST_F(WriteReportTest, WritesThePageAnewIntoNewFolders) {
    const std::u16string path = dir_.Child(u"a\\b\\report.htm");
    const WrittenReport written = Write(items_, path.c_str());
    EXPECT_EQ(written.result, 12);
    EXPECT_EQ(Str(written.path), path);
    const std::string golden = test::ReadFileBytes(
        test::HostPathFromEnvironment("SCRUTOR_SOURCE_DIR") + u"\\tests\\virustotal\\golden_report.htm");
    EXPECT_EQ(test::ReadFileBytes(path), golden);
    EXPECT_EQ(Write({items_[0]}, path.c_str()).result, 1);
    EXPECT_TRUE(test::ReadFileBytes(path).ends_with("One item analyzed.</b></p>\r\n</td></tr></table></body></html>\r\n"));
}

TEST_F(WriteReportTest, WritesNothingWhenNotWantedCancelledOrNotCreatable) {
    const std::u16string path = dir_.Child(u"r.htm");
    EXPECT_EQ(Write({}, path.c_str()).result, kReportNotWanted);
    EXPECT_EQ(Write(items_, path.c_str(), false).result, kReportNotWanted);
    test::WriteFileBytes(dir_.Child(u"file"), "x");
    EXPECT_EQ(Write(items_, dir_.Child(u"file\\r.htm").c_str()).result, 0);
    cancelled_ = true;
    const WrittenReport cancelled = Write(items_, path.c_str());
    EXPECT_EQ(cancelled.result, 0);
    EXPECT_TRUE(cancelled.path.IsEmpty());
    EXPECT_FALSE(test::PathExists(path));
}

// The default place is the long form of the temporary folder.
TEST_F(WriteReportTest, DefaultsToTheTemporaryFolder) {
    wchar_t temp[MAX_PATH] = {};
    wchar_t longTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    const WrittenReport written = Write(items_, u"");
    EXPECT_EQ(written.result, 12);
    EXPECT_TRUE(written.path.EqualsNoCase(
        WideString(reinterpret_cast<const char16_t*>(longTemp), u"MD5Report.htm")));
    EXPECT_TRUE(DeleteFileW(reinterpret_cast<const wchar_t*>(written.path.CStr())));
}

// A report still held open by another job is left alone: the next free number is taken.
TEST_F(WriteReportTest, ReportInUseGetsANumberedName) {
    const std::u16string path = dir_.Child(u"MD5Report.htm");
    test::WriteFileBytes(path, "first job");
    const auto hold = [](const std::u16string& held) {
        return CreateFileW(reinterpret_cast<const wchar_t*>(held.c_str()), GENERIC_READ, 0,
                           nullptr, OPEN_ALWAYS, 0, nullptr);
    };
    HANDLE first = hold(path);
    HANDLE second = hold(dir_.Child(u"MD5Report (2).htm"));
    const WrittenReport written = Write(items_, path.c_str());
    CloseHandle(first);
    CloseHandle(second);
    EXPECT_EQ(written.result, 12);
    EXPECT_EQ(Str(written.path), dir_.Child(u"MD5Report (3).htm"));
    EXPECT_EQ(test::ReadFileBytes(path), "first job");
}

// The logo's own size comes from the image; a file that is no image keeps the default.
TEST_F(WriteReportTest, BannerShowsTheLogoAtItsOwnSize) {
    page_.logoUrl.Clear();
    page_.logoWidth = 200;
    page_.logoHeight = 110;
    const std::u16string logo = test::HostPathFromEnvironment("SCRUTOR_SOURCE_DIR") +
                                u"\\src\\ui\\resources\\scrutor_logo.png";
    const std::u16string path = dir_.Child(u"r.htm");
    ASSERT_EQ(Write(items_, path.c_str(), true, logo.c_str()).result, 12);
    const std::string page = test::ReadFileBytes(path);
    EXPECT_NE(page.find("width:128px;height:128px}"), std::string::npos);
    EXPECT_NE(page.find("<img alt=\"\" src=\"file:///Z:/"), std::string::npos);
    EXPECT_NE(page.find("/src/ui/resources/scrutor_logo.png\">"), std::string::npos);
    test::WriteFileBytes(dir_.Child(u"logo.png"), "not a picture");
    ASSERT_EQ(Write(items_, path.c_str(), true, dir_.Child(u"logo.png").c_str()).result, 12);
    EXPECT_NE(test::ReadFileBytes(path).find("width:200px;height:110px}"), std::string::npos);
}

}  // namespace
}  // namespace scrutor
