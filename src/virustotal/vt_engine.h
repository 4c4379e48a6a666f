#pragma once

// Turns the requested items into look-ups: what the cache already answers is not asked
// again, the rest goes to the service in batches.
#include <cstdint>
#include <vector>

#include "foundation/wide_string.h"
#include "virustotal/api_client.h"
#include "virustotal/request_batch.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

class VtEngine {
public:
    struct Parts {
        const FileFacts& files;
        ReportStore& store;
        RunRecord& run;
        BatchSender& sender;
        StatusSink* status = nullptr;
    };
    // statusText: what the status shows while batches go out; empty: the analysis' own.
    VtEngine(Parts parts, std::uint32_t flags, WideString statusText = {})
        : p_(parts), flags_(flags), statusText_(std::move(statusText)) {}

    // Every item in order goes to itemList; answers the sum of the item results.
    int AnalyzeItems(const WideString& items, const WideString& separator,
                     std::vector<WideString>& itemList);
    // 0: failed or nothing to do; 1: queued or already queued; 2: the cache answers it.
    std::int8_t AnalyzeItem(const WideString& item, RequestBatch& batch);

    // The last analysis handled at least one item.
    [[nodiscard]] bool AnyResult() const { return anyResult_; }

private:
    // 0 or 1 when the item ends here; -1 when it goes on with `hash`.
    [[nodiscard]] int HashOf(WideString& item, ItemKind kind, WideString& hash);
    void Record(const WideString& item, ItemKind kind, const WideString& hash);
    void Append(const WideString& item, const WideString& hash, RequestBatch& batch);
    [[nodiscard]] bool CachedReportUsable(const WideString& hash);
    int FlushBatch(RequestBatch& batch);

    Parts p_;
    std::uint32_t flags_;
    WideString statusText_;
    bool anyResult_ = false;
};

}  // namespace scrutor
