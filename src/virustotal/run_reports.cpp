#include "virustotal/run_reports.h"

namespace scrutor {

namespace {

std::u16string Folded(const WideString& key) {
    WideString lower = key;
    lower.ToLower();
    return std::u16string(lower.View());
}

}  // namespace

bool RunReports::Read(const WideString& key, WideString& json) {
    if (const auto found = reports_.find(Folded(key)); found != reports_.end()) {
        json = found->second;
        return true;
    }
    return lasting_.Read(key, json);
}

bool RunReports::Write(const WideString& key, const WideString& json) {
    reports_[Folded(key)] = json;
    (void)lasting_.Write(key, json);  // a store that cannot keep it loses nothing of this run
    return true;
}

}  // namespace scrutor
