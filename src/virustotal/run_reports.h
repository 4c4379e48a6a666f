#pragma once

// The reports of this run kept in memory in front of the lasting store: an answer the
// store could not keep (no write access, a key name too long for it) still reaches the
// report instead of showing the item as clean.
#include <map>

#include "virustotal/vt_sources.h"

namespace scrutor {

class RunReports final : public ReportStore {
public:
    explicit RunReports(ReportStore& lasting) : lasting_(lasting) {}
    [[nodiscard]] bool Read(const WideString& key, WideString& json) override;
    [[nodiscard]] bool Write(const WideString& key, const WideString& json) override;
    [[nodiscard]] std::size_t StoredThisRun() const { return reports_.size(); }

private:
    ReportStore& lasting_;
    std::map<std::u16string, WideString> reports_;  // keys lower-cased
};

}  // namespace scrutor
