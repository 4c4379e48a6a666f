#pragma once

// Keeps every valid report of a reply to the service.
#include "foundation/wide_string.h"
#include "virustotal/request_batch.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

// Told of a file report with more than four detections.
class DetectionNotice {
public:
    virtual ~DetectionNotice() = default;
    virtual void Send(const WideString& key, const WideString& type) = 0;
};

// The detection type the notice names: the first detecting engine's result, "(resubmit)"
// for a report without engines but with a ratio; empty when there is none.
[[nodiscard]] WideString DetectionType(const WideString& reportJson);

// 1 when at least one report was stored, -3 when cancelled, otherwise -5. A reply is an
// array of reports, an object with a "data" array, or one report; each report is stored
// under its key with its own text exactly as it stood. `notice` may be null.
[[nodiscard]] int StoreReply(const WideString& reply, ItemKind kind, ReportStore& store,
                             const CancelFlag& cancelled, DetectionNotice* notice);

}  // namespace scrutor
