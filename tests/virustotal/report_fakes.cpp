#include "report_fakes.h"

namespace scrutor::testing_support {

namespace {

std::u16string Lower(const WideString& text) {
    WideString lower = text;
    lower.ToLower();
    return Str(lower);
}

// Engines as the service lists them: detections and clean ones mixed, in its order.
constexpr const char16_t* kEngines =
    uR"j("scans": {"Avast": {"detected": false, "result": null, "update": "20240126"},)j"
    uR"j( "BitDefender": {"detected": true, "result": "Trojan.GenericKD", "update": "20240126"},)j"
    uR"j( "ClamAV": {"detected": false, "result": null, "update": "2024012"},)j"
    uR"j( "ESET-NOD32": {"detected": true, "result": "Win32/Agent.ABC", "update": "20240125"},)j"
    uR"j( "<script>alert('x')</script>&Co": {"detected": true, "result": "Troj<an>&", "update": "20240125"}})j";

std::u16string FileReport(const char16_t* md5, int positives, const char16_t* date,
                          const char16_t* permalink = u"https://www.virustotal.com/file/x/analysis/") {
    return u"{\"response_code\": 1, \"md5\": \"" + std::u16string(md5) + u"\", \"scan_date\": \"" +
           date + u" 10:20:30\", \"permalink\": \"" + permalink + u"\", \"positives\": " +
           std::u16string(1, static_cast<char16_t>(u'0' + positives)) + u", \"total\": 70, " +
           kEngines + u"}";
}

}  // namespace

std::u16string Str(const WideString& text) {
    return std::u16string(text.View());
}

bool FakeWorld::Exists(const WideString& path) const {
    return files.count(Str(path)) != 0;
}

bool FakeWorld::Size(const WideString& path, std::uint64_t& bytes) const {
    const auto found = files.find(Str(path));
    if (found == files.end()) return false;
    bytes = found->second.size;
    return true;
}

bool FakeWorld::Md5(const WideString& path, WideString& hex) const {
    const auto found = files.find(Str(path));
    if (found == files.end() || found->second.md5 == nullptr) return false;
    hex = found->second.md5;
    return true;
}

bool FakeWorld::Read(const WideString& key, WideString& json) {
    const auto found = reports.find(Lower(key));
    if (found == reports.end()) return false;
    json = WideString(std::u16string_view(found->second));
    return true;
}

bool FakeWorld::Write(const WideString& key, const WideString& json) {
    reports[Lower(key)] = Str(json);
    return true;
}

bool FakeWorld::Get(const WideString& name, WideString& value) const {
    const auto found = run.find(Str(name));
    if (found == run.end()) return false;
    value = WideString(std::u16string_view(found->second));
    return true;
}

bool FakeWorld::Put(const WideString& name, const WideString& value) {
    run[Str(name)] = Str(value);
    return true;
}

DayNumber ExampleToday() {
    return DayNumberOf(2024, 1, 27);
}

std::vector<WideString> ExampleItems(FakeWorld& world) {
    struct Item {
        const char16_t* name;
        const char16_t* hash;   // recorded in the run; null: not queued
        std::u16string report;  // stored under the hash; empty: none
    };
    const char16_t* const kScript = u"C:\\Users\\Tech\\<script>alert(1)</script> & co.exe";
    const Item items[] = {
        {u"C:\\Windows\\evil.exe", u"44D88612FEA8A8F36DE82E1278ABB02F",
         FileReport(u"44d88612fea8a8f36de82e1278abb02f", 5, u"2024-01-15")},
        {u"C:\\Tools\\four.dll", u"A1B2C3D4E5F60718293A4B5C6D7E8F90",
         FileReport(u"a1b2c3d4e5f60718293a4b5c6d7e8f90", 4, u"2024-01-26")},
        {u"C:\\Tools\\three.dll", u"0F1E2D3C4B5A69788796A5B4C3D2E1F0",
         FileReport(u"0f1e2d3c4b5a69788796a5b4c3d2e1f0", 3, u"2024-01-27")},
        {u"C:\\Program Files\\Clean\\clean.exe", u"11111111111111111111111111111111",
         uR"j({"response_code": 1, "md5": "11111111111111111111111111111111", "scan_date": "2024-01-20 08:00:00", "permalink": "https://www.virustotal.com/file/1/analysis/", "positives": 0, "total": 70, "scans": {"Avast": {"detected": false, "result": null, "update": "20240119"}, "ClamAV": {"detected": false, "result": null, "update": "20240119"}}})j"},
        {kScript, u"22222222222222222222222222222222",
         FileReport(u"22222222222222222222222222222222", 1, u"2024-01-26", u"javascript:alert(1)")},
        {u"http://example.com/{id}?q=1", u"http://example.com/{id}",
         uR"j({"response_code": 1, "url": "http://example.com/{id}", "scan_date": "2024-01-27 09:00:00", "permalink": "https://www.virustotal.com/url/abc/analysis/", "positives": 1, "total": 66, "scans": {"Sophos": {"detected": false, "result": "clean site"}, "Fortinet": {"detected": true, "result": "malware site", "update": "20240127"}}})j"},
        {u"https://example.org/a?x=1&y=\u00fc", u"https://example.org/a?x=1&y=\u00fc",
         uR"j({"response_code": 1, "resource": "https://example.org/a?x=1&y=\u00fc", "verbose_msg": "Scan request successfully queued, come back later for the report", "permalink": "https://www.virustotal.com/url/def/analysis/"})j"},
        {u"C:\\Missing\\gone.exe", nullptr, {}},
        {u"C:\\Tools\\partner.exe", u"3333333333333333333333333333333333333333333333333333333333333333",
         uR"j({"hash": "3333333333333333333333333333333333333333333333333333333333333333", "found": true, "permalink": "https://www.virustotal.com/gui/file/3333/detection"})j"},
        {u"C:\\Tools\\unanswered.exe", u"44444444444444444444444444444444", {}},
        {u"C:\\Tools\\unqueued.exe", nullptr, {}},
        {u"C:\\Tools\\huge.iso", nullptr, {}},
    };
    std::vector<WideString> list;
    for (const Item& item : items) {
        const WideString name(item.name);
        const bool url = Str(name).rfind(u"http", 0) == 0;
        if (item.hash != nullptr) {
            // The analysis records a URL under the text it looked up.
            (void)world.Put(url ? WideString(item.hash) : name, item.hash);
            if (!item.report.empty()) {
                (void)world.Write(item.hash, WideString(std::u16string_view(item.report)));
            }
        }
        if (item.hash != nullptr && !url) {
            list.emplace_back(name.CStr(), u"->", item.hash);
        } else {
            list.push_back(name);
        }
        if (!url && Str(name).rfind(u"C:\\Missing", 0) != 0) world.files[Str(name)] = {4096, nullptr};
    }
    world.files[u"C:\\Tools\\unqueued.exe"] = {4096, u"55555555555555555555555555555555"};
    world.files[u"C:\\Tools\\huge.iso"] = {kLargestHashedFile + 1, nullptr};
    return list;
}

// A stand-in cipher: the upper-case hex of the first eight units' low bytes.
ReportPage ExamplePage() {
    ReportPage page;
    page.logoUrl = u"../../src/ui/resources/scrutor_logo.png";
    page.logoWidth = 128;
    page.logoHeight = 128;
    page.homePage = u"https://www.virustotal.com";
    page.rescanService = u"https://reports.example.com/zep";
    page.encrypt = [](const WideString& text, WideString& hex) {
        static constexpr char16_t kHex[] = u"0123456789ABCDEF";
        std::u16string out;
        for (std::size_t i = 0; i < text.Length() && i < 8; ++i) {
            out.push_back(kHex[(text.CStr()[i] >> 4) & 15]);
            out.push_back(kHex[text.CStr()[i] & 15]);
        }
        hex = WideString(std::u16string_view(out));
        return !out.empty();
    };
    return page;
}

}  // namespace scrutor::testing_support
