#pragma once

// One stored report read back, its verdict line, and the HTML page of an analysis.
#include <cstdint>
#include <functional>
#include <vector>

#include "foundation/wide_string.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

// Job flag: items arrive as a path, "->" and a hash.
inline constexpr std::uint32_t kItemsCarryHashes = 0x4000;

struct VtEngineVerdict {
    WideString name;
    WideString verdict;  // "Clean" unless detected with a result
    WideString update;   // "YYYY-MM-DD" or empty
};

struct VtReport {
    WideString scanDate;
    WideString permalink;
    WideString verboseMsg;
    WideString resource;
    std::int32_t responseCode = -5;
    std::int32_t total = 0;
    std::int32_t positives = 0;
    std::int32_t ageDays = 0;
    double ratio = 0.0;
    std::vector<VtEngineVerdict> engines;
};

// The day number of a calendar date (1601-01-01 is 0).
[[nodiscard]] DayNumber DayNumberOf(int year, int month, int day);

// Answers the report's response code; `today` gives the age of its scan date.
std::int32_t ParseReport(const WideString& json, bool skipEngines, DayNumber today,
                         VtReport& report);

// What the verdict lines and the page read.
struct ReportContext {
    ReportStore& store;
    const RunRecord& run;
    const FileFacts& files;
    DayNumber today = 0;
    std::uint32_t flags = 0;
};

struct ResultLine {
    WideString text;
    std::int32_t positives = 0;
};

// "3/70 (4.28%)", "Scan queued", "Not available", "File > 128 MB"; with the prefix
// "Analysis result: " in front.
[[nodiscard]] ResultLine ResultText(const WideString& item, ReportContext& context,
                                    bool withPrefix);
// The same from a report already read by the item's hash; null when none was found.
[[nodiscard]] ResultLine ResultTextOf(const WideString& item, const WideString* json,
                                      ReportContext& context);

struct ReportPage {
    WideString logoUrl;  // the logo's file URL; empty without a logo
    int logoWidth = 200;
    int logoHeight = 110;
    WideString homePage;       // the service's home page, link and link text
    WideString rescanService;  // base address of "/vt_rescan.php"
    // Text form of the encryption, upper-case hexadecimal; false on failure.
    std::function<bool(const WideString& text, WideString& hex)> encrypt;
};

struct ReportHtml {
    WideString text;
    int blocks = 0;
};

// The whole page for the items in order.
[[nodiscard]] ReportHtml BuildReportHtml(const std::vector<WideString>& items,
                                         ReportContext& context, const ReportPage& page);

}  // namespace scrutor
