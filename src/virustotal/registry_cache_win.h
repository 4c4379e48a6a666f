#pragma once

// The lasting report cache and the run record, in the registry.
#include <functional>

#include "foundation/registry_key.h"
#include "foundation/wide_string.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

// The 32-bit view named outright: the shipped 32-bit program sees it as plain "HKLM", and the
// 64-bit build must meet the same entries.
inline constexpr char16_t kReportCacheRoot[] =
    u"HKLM32\\SOFTWARE\\ZEP - Zepharion backups\\VirusTotal reports";

// Reports live ten days.
inline constexpr DayNumber kReportLifeDays = 10;

// The engine's `today`: the local date and time as whole days since 1601.
[[nodiscard]] DayNumber LocalToday();

// One subkey per report key, its default value the report's text; the subkey's last-write
// time is the report's age.
class RegistryReportStore final : public ReportStore {
public:
    // Nothing expires until `requestMade` says the engine has talked to the service.
    RegistryReportStore(DayNumber today, std::function<bool()> requestMade,
                        WideString root = WideString(kReportCacheRoot))
        : today_(today), requestMade_(std::move(requestMade)), root_(std::move(root)) {}

    [[nodiscard]] bool Read(const WideString& key, WideString& json) override;
    // False when the entry cannot be created or written; nothing else follows from it.
    [[nodiscard]] bool Write(const WideString& key, const WideString& json) override;

private:
    [[nodiscard]] bool EntryPath(const WideString& key, WideString& path) const;
    [[nodiscard]] bool Expired(const RegistryKey& entry, const WideString& path) const;

    DayNumber today_;
    std::function<bool()> requestMade_;
    WideString root_;
};

// What one analysis queued, under a key of its own that is deleted with the object.
class RegistryRunRecord final : public RunRecord {
public:
    explicit RegistryRunRecord(const WideString& root = WideString(kReportCacheRoot));
    ~RegistryRunRecord() override;
    RegistryRunRecord(const RegistryRunRecord&) = delete;
    RegistryRunRecord& operator=(const RegistryRunRecord&) = delete;

    [[nodiscard]] bool Get(const WideString& name, WideString& value) const override;
    [[nodiscard]] bool Put(const WideString& name, const WideString& value) override;
    [[nodiscard]] const WideString& Path() const { return path_; }

private:
    WideString path_;
    RegistryKey key_;
};

}  // namespace scrutor
