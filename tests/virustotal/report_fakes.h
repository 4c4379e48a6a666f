#pragma once

// In-memory files, run record and report store, filled from the example analysis that the
// golden report shows (example_analysis.json) or by the analysis tests.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "foundation/json_reader.h"
#include "virustotal/vt_report.h"

namespace scrutor::testing_support {

using Map = std::map<std::u16string, std::u16string>;

inline std::u16string Str(const WideString& text) {
    return std::u16string(text.View());
}

inline bool Find(const Map& map, const WideString& key, WideString& value) {
    const auto found = map.find(Str(key));
    if (found != map.end()) value = WideString(std::u16string_view(found->second));
    return found != map.end();
}

struct FakeWorld final : FileFacts, ReportStore, RunRecord {
    bool Exists(const WideString& path) const override { return sizes.count(Str(path)) != 0; }
    bool Size(const WideString& path, std::uint64_t& bytes) const override {
        WideString size;
        if (Find(sizes, path, size)) bytes = std::strtoull(size.ToUtf8().c_str(), nullptr, 10);
        return !size.IsEmpty();
    }
    bool Md5(const WideString& path, WideString& hex) const override {
        return Find(md5s, path, hex);
    }
    bool CreationTime(const WideString& path, WideString& text) const override {
        text = u"2024/01/02 03:04:05";
        return Exists(path);
    }
    bool Read(const WideString& key, WideString& json) override {
        WideString lower = key;  // keys compare without case: kept in lower case
        lower.ToLower();
        return Find(reports, lower, json);
    }
    bool Get(const WideString& name, WideString& value) const override {
        return Find(run, name, value);
    }
    // The report only reads.
    bool Write(const WideString&, const WideString&) override { return false; }
    bool Put(const WideString&, const WideString&) override { return false; }

    Map sizes, md5s, reports, run;
};

// A file of the source tree, read whole.
inline std::string SourceFile(const char* relative) {
    const char* root = std::getenv("SCRUTOR_SOURCE_DIR");
    std::string path = root != nullptr ? root : ".";
#ifdef _WIN32
    if (path.front() == '/') path = "Z:" + path;  // the host's file system under Wine
#endif
    std::ifstream file(path + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The example's items; its run record, reports and files go into `world`.
inline std::vector<WideString> ExampleItems(FakeWorld& world) {
    WideString text, name, value;
    (void)text.FromUtf8(SourceFile("tests/virustotal/example_analysis.json").c_str());
    JsonDocument doc;
    doc.Open(text.CStr());
    JsonValue part, entry;
    for (const auto& [key, map] : {std::pair{u"run", &world.run},
                                   {u"reports", &world.reports},
                                   {u"sizes", &world.sizes},
                                   {u"md5s", &world.md5s}}) {
        for (entry = {}; doc.FindMember(key, part) && doc.NextMember(entry, &part);) {
            if (doc.MemberName(entry, name) && doc.ValueText(entry, value))
                (*map)[Str(name)] = Str(value);
        }
    }
    std::vector<WideString> items;
    for (entry = {}; doc.FindMember(u"items", part) && doc.NextElement(entry, &part);) {
        if (doc.ValueText(entry, value)) items.push_back(value);
    }
    return items;
}

// The day the example analysis ran.
inline const DayNumber kExampleToday = DayNumberOf(2024, 1, 27);

// The stand-in cipher gives the text's length, so each link shows what was encrypted.
inline ReportPage ExamplePage() {
    ReportPage page{
        u"../../src/ui/resources/scrutor_logo.png", 128, 128, u"https://www.virustotal.com",
        u"https://reports.example.com/zep",         {}};
    page.encrypt = [](const WideString& text, WideString& hex) {
        hex.FromUInt64(text.Length());
        return true;
    };
    return page;
}

}  // namespace scrutor::testing_support
