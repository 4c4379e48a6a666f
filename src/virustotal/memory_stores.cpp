#include "virustotal/memory_stores.h"

namespace scrutor {

namespace {

std::u16string Folded(const WideString& key) {
    WideString lower = key;
    lower.ToLower();
    return std::u16string(lower.View());
}

bool Find(const std::map<std::u16string, WideString>& map, const std::u16string& key, WideString& value) {
    const auto found = map.find(key);
    if (found == map.end()) return false;
    value = found->second;
    return true;
}

}  // namespace

bool MemoryReportStore::Read(const WideString& key, WideString& json) {
    return Find(reports_, Folded(key), json);
}

bool MemoryReportStore::Write(const WideString& key, const WideString& json) {
    if (writable) reports_[Folded(key)] = json;
    return writable;
}

bool MemoryRunRecord::Get(const WideString& name, WideString& value) const {
    return Find(values_, std::u16string(name.View()), value);
}

bool MemoryRunRecord::Put(const WideString& name, const WideString& value) {
    values_[std::u16string(name.View())] = value;
    return true;
}

}  // namespace scrutor
