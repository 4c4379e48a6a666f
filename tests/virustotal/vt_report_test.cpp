#include "virustotal/vt_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "foundation/system_time.h"
#include "report_fakes.h"
#include "virustotal/percent_encoding.h"

namespace scrutor {
namespace {

using testing_support::Str;

TEST(DayNumberOf, CountsCalendarDaysFrom1601) {
    EXPECT_EQ(DayNumberOf(1601, 1, 1), 0);
    EXPECT_EQ(DayNumberOf(2024, 3, 5), 133540704000000000LL / 864000000000LL);
    EXPECT_EQ(DayNumberOf(2024, 3, 1) - DayNumberOf(2024, 2, 28), 2);
    EXPECT_EQ(DayNumberOf(2100, 3, 1) - DayNumberOf(2100, 2, 28), 1);
    EXPECT_EQ(DayNumberOf(2023, 13, 1), DayNumberOf(2024, 1, 1));
    EXPECT_EQ(DayNumberOf(2024, 0, 1), DayNumberOf(2023, 12, 1));
}

std::u16string Engines(const VtReport& report) {
    std::u16string out;
    for (const VtEngineVerdict& e : report.engines) {
        out += Str(e.name) + u"=" + Str(e.verdict) + u"@" + Str(e.update) + u";";
    }
    return out;
}

TEST(ParseReport, ReadsEveryShapeTheServiceSends) {
    const std::u16string hash64(64, u'a');
    const std::u16string partner = u"{\"hash\": \"" + hash64 + u"\", \"found\": ";
    const std::u16string scans =
        uR"j("scans": {"A": {"detected": true, "result": null, "update": "20240115"},)j"
        uR"j( "B": {"detected": true, "result": "Worm", "update": "2024011"},)j"
        uR"j( "C": {"detected": true, "result": "Cut"}})j";
    const struct {
        std::u16string json;
        bool skipEngines;
        std::int32_t code, total, positives, ageDays;
        std::u16string resource, engines;
    } cases[] = {
        {u"{\"a\": 1}", false, -5, 0, 0, 0, u"", u""},
        {u"[{\"response_code\": 1}]", false, -5, 0, 0, 0, u"", u""},
        {u"{\"total\": 5, \"other\": 1}", false, -5, 5, 0, 0, u"", u""},
        {u"{\"response_code\": 0, \"resource\": \"abc\"}", false, 0, 0, 0, 0, u"abc", u""},
        {partner + u"false}", false, 0, 0, 0, 0, u"", u""},
        {u"{\"hash\": \"short\", \"found\": true}", false, -5, 0, 0, 0, u"", u""},
        {partner + u"true, \"permalink\": \"https://x.example/p\"}", false, -2, 0, 0, 0, hash64,
         u""},
        {partner + u"true, \"positives\": 6, \"total\": 72}", false, 1, 72, 6, 0, hash64, u""},
        {u"{\"response_code\": 1, \"url\": \"u\", \"permalink\": \"https://x.example/q\"}", false,
         -2, 0, 0, 0, u"u", u""},
        {u"{\"response_code\": 1, \"url\": \"u\", \"md5\": \"m\", \"scan_date\": \"2024-01-15 "
         u"10:20:30\", \"positives\": 2, \"total\": 2, " + scans + u"}",
         false, 1, 2, 2, 12, u"m", u"A=Clean@2024-01-15;B=Worm@;"},
        {u"{\"response_code\": 1, \"resource\": \"r\", \"scan_date\": \"2024-01-28\", \"total\": 9, " +
             scans + u"}",
         true, 1, 9, 0, -1, u"r", u""},
    };
    for (const auto& c : cases) {
        VtReport report;
        const std::int32_t code =
            ParseReport(WideString(std::u16string_view(c.json)), c.skipEngines,
                        DayNumberOf(2024, 1, 27), report);
        SCOPED_TRACE(std::string(WideString(std::u16string_view(c.json)).ToUtf8()));
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(report.responseCode, c.code);
        EXPECT_EQ(report.total, c.total);
        EXPECT_EQ(report.positives, c.positives);
        EXPECT_EQ(report.ageDays, c.ageDays);
        EXPECT_EQ(Str(report.resource), c.resource);
        EXPECT_EQ(Engines(report), c.engines);
    }
}

TEST(ResultText, GivesTheVerdictOrWhyThereIsNone) {
    testing_support::FakeWorld world;
    const auto report = [](const char16_t* rest) {
        return u"{\"response_code\": 1, \"scan_date\": \"2024-01-20\", " + std::u16string(rest) +
               u"}";
    };
    const struct {
        const char16_t* item;
        std::u16string json;  // stored under the item's hash; empty: no report
        const char16_t* text;
        std::int32_t positives;
    } cases[] = {
        {u"five", report(u"\"positives\": 5, \"total\": 70"), u"5/70 (7.14%)", 5},
        {u"three", report(u"\"positives\": 3, \"total\": 70"), u"3/70 (4.28%)", 3},
        {u"all", report(u"\"positives\": 70, \"total\": 70"), u"70/70 (100%)", 70},
        {u"third", report(u"\"positives\": 1, \"total\": 3"), u"1/3 (33.3%)", 1},
        {u"none", report(u"\"positives\": 0, \"total\": 0"), u"Scan queued", 0},
        {u"queued", u"{\"response_code\": 1, \"permalink\": \"https://x.example/q\"}",
         u"Scan queued", 0},
        {u"unknown", u"{\"hash\": \"1234567890123456789012345678901\", \"found\": false}",
         u"Not available", 0},
        {u"garbled", u"{\"response_code\": 1, \"positives\": ", u"Not available", 0},
        {u"unanswered", u"", u"Not available", 0},
    };
    for (const auto& c : cases) {
        const std::u16string hash = std::u16string(c.item) + u"-hash";
        (void)world.Put(c.item, WideString(std::u16string_view(hash)));
        if (!c.json.empty()) (void)world.Write(WideString(std::u16string_view(hash)),
                                               WideString(std::u16string_view(c.json)));
    }
    world.files[u"C:\\huge.iso"] = {kLargestHashedFile + 1, nullptr};
    world.files[u"C:\\limit.iso"] = {kLargestHashedFile, nullptr};
    ReportContext context{world, world, world, DayNumberOf(2024, 1, 27), 0};
    for (const auto& c : cases) {
        const ResultLine line = ResultText(c.item, context, false);
        EXPECT_EQ(Str(line.text), c.text) << WideString(c.item).ToUtf8();
        EXPECT_EQ(line.positives, c.positives);
    }
    EXPECT_EQ(Str(ResultText(u"C:\\huge.iso", context, false).text), u"File > 128 MB");
    EXPECT_EQ(Str(ResultText(u"C:\\limit.iso", context, false).text), u"Not available");
    EXPECT_EQ(Str(ResultText(u"three", context, true).text), u"Analysis result: 3/70 (4.28%)");
}

TEST(PercentEncode, EncodesUtf8BytesOfEverythingButUnreserved) {
    EXPECT_EQ(Str(PercentEncode(u"Az09-_.~ &=/?#%+\u00fc\u20ac")),
              u"Az09-_.~%20%26%3D%2F%3F%23%25%2B%C3%BC%E2%82%AC");
}

std::string SourceFile(const char* relative) {
    const char* root = std::getenv("SCRUTOR_SOURCE_DIR");
    std::string path = root != nullptr ? root : ".";
#ifdef _WIN32
    if (path.front() == '/') path = "Z:" + path;  // the host's file system under Wine
#endif
    std::ifstream file(path + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The whole page of an example analysis, byte for byte as the report file holds it; a
// difference leaves the new page beside the test for a look (tools/report_preview.sh).
TEST(ReportHtml, MatchesTheGoldenPage) {
    testing_support::FakeWorld world;
    const std::vector<WideString> items = testing_support::ExampleItems(world);
    ReportContext context{world, world, world, testing_support::ExampleToday(), kItemsCarryHashes};
    const ReportPage page = testing_support::ExamplePage();
    const ReportHtml html = BuildReportHtml(items, context, page);
    EXPECT_EQ(html.blocks, static_cast<int>(items.size()));
    const std::string actual = "\xEF\xBB\xBF" + html.text.ToUtf8();
    const std::string golden = SourceFile("tests/virustotal/golden_report.htm");
    if (actual != golden) std::ofstream("golden_report.actual.htm", std::ios::binary) << actual;
    EXPECT_EQ(actual, golden);

    const ReportHtml one = BuildReportHtml({items[0]}, context, page);
    EXPECT_EQ(one.blocks, 1);
    EXPECT_TRUE(one.text.View().ends_with(
        u"End of the global report. One item analyzed.</b></p>\r\n</td></tr></table></body></html>\r\n"));
}

}  // namespace
}  // namespace scrutor
