#pragma once

// Reports and run values held in memory: this run's answers in front of the registry, and
// the stand-ins of tests and benchmarks.
#include <map>
#include <string>

#include "virustotal/vt_sources.h"

namespace scrutor {

class MemoryReportStore final : public ReportStore {
public:
    [[nodiscard]] bool Read(const WideString& key, WideString& json) override;
    [[nodiscard]] bool Write(const WideString& key, const WideString& json) override;
    [[nodiscard]] std::size_t Count() const { return reports_.size(); }
    // A store that keeps nothing, as a registry without write access.
    bool writable = true;

private:
    std::map<std::u16string, WideString> reports_;  // keys lower-cased
};

class MemoryRunRecord final : public RunRecord {
public:
    [[nodiscard]] bool Get(const WideString& name, WideString& value) const override;
    [[nodiscard]] bool Put(const WideString& name, const WideString& value) override;
    [[nodiscard]] const std::map<std::u16string, WideString>& Values() const { return values_; }

private:
    std::map<std::u16string, WideString> values_;
};

}  // namespace scrutor
