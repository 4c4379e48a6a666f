#include "virustotal/vt_report.h"

#include <gtest/gtest.h>

#include <tuple>

#include "report_fakes.h"
#include "foundation/percent_encoding.h"

namespace scrutor {
namespace {

using testing_support::Str;

TEST(DayNumberOf, CountsCalendarDaysFrom1601) {
    EXPECT_EQ(DayNumberOf(2024, 3, 5), 133540704000000000LL / 864000000000LL);  // leap year
    EXPECT_EQ(DayNumberOf(2100, 3, 1) - DayNumberOf(2100, 2, 28), 1);
    EXPECT_EQ(DayNumberOf(2023, 13, 1), DayNumberOf(2024, 1, 1));
}

// What the golden page cannot show: the code, total, age, resource and engine count read.
TEST(ParseReport, ReadsWhatThePageDoesNotShow) {
    using Read = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::u16string, std::size_t>;
    const std::pair<const char16_t*, Read> cases[] = {
        {u"{\"a\": 1}", {-5, 0, 0, u"", 0}},
        {u"[{\"response_code\": 1, \"total\": 2}]", {-5, 0, 0, u"", 0}},
        {u"{\"total\": 5, \"other\": 1}", {-5, 5, 0, u"", 0}},
        {u"{\"hash\": \"short\", \"found\": true, \"total\": 1}", {-5, 1, 0, u"", 0}},
        {u"{\"response_code\": -1, \"resource\": \"r\", \"total\": 1}", {-1, 1, 0, u"r", 0}},
        {u"{\"response_code\": 1, \"url\": \"u\", \"md5\": \"m\", \"scan_date\": \"2024-01-28\", "
         u"\"total\": 1, \"scans\": {\"A\": {}, \"B\": {}}}",
         {1, 1, -1, u"m", 1}},
        {u"{\"response_code\": 1, \"url\": \"u\", \"scan_date\": \"2023-01-27\", \"total\": 0, "
         u"\"scans\": {\"A\": {}}}",
         {1, 0, 365, u"u", 0}},
    };
    for (const auto& [json, expected] : cases) {
        VtReport r;
        const std::int32_t code = ParseReport(json, false, DayNumberOf(2024, 1, 27), r);
        EXPECT_EQ(Read(code, r.total, r.ageDays, Str(r.resource), r.engines.size()), expected)
            << WideString(json).ToUtf8();
    }
}

TEST(PercentEncode, EncodesUtf8BytesOfEverythingButUnreserved) {
    EXPECT_EQ(Str(PercentEncode(u"Az09-_.~ &=/?#%+\u00fc\u20ac")),
              u"Az09-_.~%20%26%3D%2F%3F%23%25%2B%C3%BC%E2%82%AC");
}

// The whole page of the example analysis, byte for byte as the report file holds it. A
// difference leaves the new page beside the test to look at (tools/report_preview.sh).
TEST(ReportHtml, MatchesTheGoldenPage) {
    testing_support::FakeWorld world;
    const std::vector<WideString> items = testing_support::ExampleItems(world);
    ASSERT_EQ(items.size(), 17u);
    ReportContext context{world, world, world, testing_support::kExampleToday, kItemsCarryHashes};
    const ReportPage page = testing_support::ExamplePage();
    const ReportHtml html = BuildReportHtml(items, context, page);
    EXPECT_EQ(html.blocks, 17);
    const std::string actual = "\xEF\xBB\xBF" + html.text.ToUtf8();
    const std::string golden = testing_support::SourceFile("tests/virustotal/golden_report.htm");
    if (actual != golden) std::ofstream("golden_report.actual.htm", std::ios::binary) << actual;
    EXPECT_TRUE(actual == golden) << "see golden_report.actual.htm in the working folder";
}

}  // namespace
}  // namespace scrutor
