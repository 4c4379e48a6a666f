#include "virustotal/registry_cache_win.h"

#include <windows.h>

#include <atomic>

#include "foundation/system_time.h"
#include "foundation/system_time_win.h"

namespace scrutor {

namespace {

constexpr char16_t kExpiredValue[] = u"Expired";

// A day number of a file-time count.
DayNumber DayOf(std::uint64_t fileTime) {
    return static_cast<DayNumber>(fileTime / kFileTimeUnitsPerDay);
}

WideString Decimal(std::uint64_t value) {
    WideString text;
    text.FromUInt64(value);
    return text;
}

}  // namespace

DayNumber LocalToday() {
    return DayOf(NowLocalAsU64());
}

// A key with a backslash would reach into another entry; an empty one is the root itself.
bool RegistryReportStore::EntryPath(const WideString& key, WideString& path) const {
    if (key.IsEmpty() || key.Find(u"\\") != 0) return false;
    path.Assign(root_, u"\\", key);
    return true;
}

bool RegistryReportStore::Read(const WideString& key, WideString& json) {
    json.Clear();
    WideString path;
    RegistryKey entry;
    if (!EntryPath(key, path) || !entry.OpenRead(path.CStr())) return false;
    if (requestMade_ && requestMade_() && Expired(entry, path)) return false;
    return entry.ReadString(nullptr, json);
}

// The registry keeps the last-write time in UTC and `today` is local, as the engine has it.
// Touching the entry makes it fresh again, so it is missed once and then asked for anew.
bool RegistryReportStore::Expired(const RegistryKey& entry, const WideString& path) const {
    FILETIME written{};
    if (RegQueryInfoKeyW(entry.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS) {
        return false;
    }
    const std::uint64_t count =
        (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    if (DayOf(count) >= today_ - kReportLifeDays) return false;
    RegistryKey touch;
    if (touch.Open(path.CStr(), KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        (void)touch.WriteDword(kExpiredValue, 1);
        (void)touch.DeleteValue(kExpiredValue);
    }
    return true;
}

bool RegistryReportStore::Write(const WideString& key, const WideString& json) {
    WideString path;
    RegistryKey entry;
    return EntryPath(key, path) && entry.Open(path.CStr(), kOpenOrCreate) &&
           entry.WriteString(nullptr, json.CStr());
}

// Named by the local time and, since two jobs may start in the same tick, by the process and
// a count of its jobs.
RegistryRunRecord::RegistryRunRecord(const WideString& root) {
    static std::atomic<std::uint64_t> jobs{0};
    path_.Assign(root, u"\\", Decimal(NowLocalAsU64()), u"-");
    path_.Append(Decimal(GetCurrentProcessId()), u"-", Decimal(++jobs));
    (void)key_.Open(path_.CStr(), kOpenOrCreate);
}

RegistryRunRecord::~RegistryRunRecord() {
    if (!key_.IsOpen()) return;
    key_.Close();
    RegistryKey parent;
    (void)parent.DeleteKeyTree(path_.CStr());
}

bool RegistryRunRecord::Get(const WideString& name, WideString& value) const {
    return key_.ReadString(name.CStr(), value);
}

bool RegistryRunRecord::Put(const WideString& name, const WideString& value) {
    return key_.WriteString(name.CStr(), value.CStr());
}

}  // namespace scrutor
