#pragma once

// In-memory stand-ins for the analysis' files, run record and report store, and the
// example analysis that the golden report shows.
#include <map>
#include <string>
#include <vector>

#include "virustotal/vt_report.h"

namespace scrutor::testing_support {

std::u16string Str(const WideString& text);

struct FakeFile {
    std::uint64_t size = 0;
    const char16_t* md5 = nullptr;  // null: hashing fails
};

struct FakeWorld final : FileFacts, ReportStore, RunRecord {
    bool Exists(const WideString& path) const override;
    bool Size(const WideString& path, std::uint64_t& bytes) const override;
    bool Md5(const WideString& path, WideString& hex) const override;
    bool CreationTime(const WideString&, WideString&) const override { return false; }
    bool Read(const WideString& key, WideString& json) override;
    bool Write(const WideString& key, const WideString& json) override;
    bool Get(const WideString& name, WideString& value) const override;
    bool Put(const WideString& name, const WideString& value) override;

    std::map<std::u16string, FakeFile> files;
    std::map<std::u16string, std::u16string> reports;  // keys in lower case
    std::map<std::u16string, std::u16string> run;
};

// 2024-01-27, the day the example analysis ran.
DayNumber ExampleToday();
// The items of the example analysis, its world and its page.
std::vector<WideString> ExampleItems(FakeWorld& world);
ReportPage ExamplePage();

}  // namespace scrutor::testing_support
