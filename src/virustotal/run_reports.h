#pragma once

// The reports of this run kept in memory in front of the lasting store: an answer the
// store could not keep (no write access, a key name too long for it) still reaches the
// report instead of showing the item as clean.
#include "virustotal/memory_stores.h"

namespace scrutor {

class RunReports final : public ReportStore {
public:
    explicit RunReports(ReportStore& lasting) : lasting_(lasting) {}
    [[nodiscard]] bool Read(const WideString& key, WideString& json) override {
        return thisRun_.Read(key, json) || lasting_.Read(key, json);
    }
    // Kept for this run whatever the lasting store makes of it.
    [[nodiscard]] bool Write(const WideString& key, const WideString& json) override {
        (void)lasting_.Write(key, json);
        return thisRun_.Write(key, json);
    }

    [[nodiscard]] std::size_t StoredThisRun() const { return thisRun_.Count(); }

private:
    ReportStore& lasting_;
    MemoryReportStore thisRun_;
};

}  // namespace scrutor
