// The analysis of 1,000 items against a stand-in service that answers each request for what
// it was asked: requests sent, uncached and cached, and the time of the analysis and of the
// report's page. Native, in the release build.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "virustotal/vt_engine.h"
#include "virustotal/memory_stores.h"
#include "virustotal/run_reports.h"
#include "virustotal/vt_report.h"

namespace {

using namespace scrutor;

constexpr int kFiles = 700;
constexpr int kUrls = 300;

WideString W(const std::string& s) {
    WideString w;
    (void)w.FromUtf8(s.c_str());
    return w;
}

struct NoFiles final : FileFacts {
    bool Exists(const WideString&) const override { return false; }
    bool Size(const WideString&, std::uint64_t&) const override { return false; }
    bool Md5(const WideString&, WideString&) const override { return false; }
    bool CreationTime(const WideString&, WideString&) const override { return false; }
};

// Reads the keys back out of the request and answers a report for each.
struct EchoService final : HttpTransport {
    int requests = 0;
    HttpOutcome Post(const HttpRequest& request, const CancelFlag&, HttpReply& reply) override {
        ++requests;
        std::string reports;
        const auto add = [&](const std::string& json) { reports += (reports.empty() ? "" : ", ") + json; };
        if (request.json) {
            for (auto at = request.body.find("\"hash\": \""); at != std::string::npos;
                 at = request.body.find("\"hash\": \"", at + 1)) {
                add(R"({"hash": ")" + request.body.substr(at + 9, 32) +
                    R"(", "found": true, "positives": 0, "total": 70, "detection_ratio": "0/70", "scan_date": "2024-01-15 10:20:30"})");
            }
        } else {
            std::string resource = request.body.substr(9, request.body.find("&apikey=") - 9);
            for (const auto& [from, to] : {std::pair{"%3A", ":"}, {"%2F", "/"}}) {
                for (auto at = resource.find(from); at != std::string::npos; at = resource.find(from)) resource.replace(at, 3, to);
            }
            std::size_t start = 0;
            for (std::size_t end; start <= resource.size(); start = end + 3) {
                end = resource.find("%0A", start);
                if (end == std::string::npos) end = resource.size();
                add(R"({"response_code": 1, "url": ")" + resource.substr(start, end - start) +
                    R"(", "scan_date": "2024-01-15 10:20:30", "positives": 0, "total": 2, "scans": {"A": {"detected": false, "result": null, "update": "20240114"}}})");
            }
        }
        reply.status = 200;
        reply.body = "[" + reports + "]";
        return HttpOutcome::Answered;
    }
};

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
    std::string items;
    for (int i = 0; i < kFiles; ++i) {
        char hash[40];
        std::snprintf(hash, sizeof hash, "%032X", i + 1);
        items += "C:\\Tools\\tool" + std::to_string(i) + ".exe->" + hash + "|";
    }
    for (int i = 0; i < kUrls; ++i) items += "http://site" + std::to_string(i) + ".test/page|";
    items.pop_back();
    const NoFiles files;
    MemoryReportStore lasting;
    EchoService service;
    CancelFlag cancelled{false};
    for (const char* run : {"uncached", "cached"}) {
        RunReports reports(lasting);
        MemoryRunRecord record;
        ApiClient client({service, reports, cancelled, nullptr, nullptr, {}}, u"key");
        VtEngine analysis({files, reports, record, client, nullptr}, kItemsCarryHashes, u"status");
        std::vector<WideString> list;
        const int before = service.requests;
        const auto start = std::chrono::steady_clock::now();
        (void)analysis.AnalyzeItems(W(items), u"|", list);
        const double analysed = Milliseconds(start);
        ReportContext context{reports, record, files, DayNumberOf(2024, 1, 20), kItemsCarryHashes};
        ReportPage page;
        page.encrypt = [](const WideString& text, WideString& hex) { return (hex = text), true; };
        const auto written = std::chrono::steady_clock::now();
        const ReportHtml html = BuildReportHtml(list, context, page);
        std::printf("%-8s %4zu items: %3d requests (expected %d), analysis %.1f ms, page of %d blocks "
                    "(%zu KB) %.1f ms\n",
                    run, list.size(), service.requests - before,
                    std::string(run) == "cached" ? 0 : (kFiles + 24) / 25 + (kUrls + 9) / 10, analysed,
                    html.blocks, html.text.Length() * 2 / 1024, Milliseconds(written));
    }
    return 0;
}
