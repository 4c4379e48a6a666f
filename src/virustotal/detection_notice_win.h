#pragma once

#include "foundation/wide_string.h"
#include "virustotal/reply_store.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

// Tells the maker's report service of a file with many detections, and waits for the
// request to end (its reply is not used), unless the job is cancelled first.
class ReportServiceNotice final : public DetectionNotice {
public:
    ReportServiceNotice(WideString serviceBase, const CancelFlag& cancelled)
        : base_(std::move(serviceBase)), cancelled_(cancelled) {}
    void Send(const WideString& key, const WideString& type) override;

private:
    WideString base_;
    const CancelFlag& cancelled_;
};

}  // namespace scrutor
