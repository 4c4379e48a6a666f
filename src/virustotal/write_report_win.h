#pragma once

// Writes the report page of an analysis to its file.
#include <cstdint>
#include <vector>

#include "foundation/wide_string.h"
#include "virustotal/vt_report.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

// The file name in the temporary folder when no path is given.
inline constexpr const char16_t* kReportFileName = u"MD5Report.htm";
// WriteReport's result when no report is wanted.
inline constexpr std::int32_t kReportNotWanted = -5;

struct ReportTarget {
    WideString logoPath;     // empty: no image, the default size
    WideString reportPath;   // empty: the temporary folder + kReportFileName
    bool anyResult = false;  // the analysis handled at least one item
};

struct WrittenReport {
    std::int32_t result = kReportNotWanted;  // blocks written, 0 for no file, or -5
    WideString path;                         // the file written
};

// `page` gives the addresses (and the encryption, EncryptText when unset); the logo's URL
// and size are filled in here. Does not open the page.
[[nodiscard]] WrittenReport WriteReport(const std::vector<WideString>& itemList,
                                        const ReportTarget& target, ReportContext& context,
                                        ReportPage page, const CancelFlag& cancelled);

}  // namespace scrutor
