// The analysis against fakes of the file system, the stores and the network.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "virustotal/vt_engine.h"
#include "virustotal/memory_stores.h"
#include "virustotal/run_reports.h"
#include "virustotal/vt_items.h"
#include "virustotal/vt_report.h"
#include "report_fakes.h"

namespace scrutor {
namespace {

WideString W(const std::string& text) {
    WideString w;
    (void)w.FromUtf8(text.c_str());
    return w;
}
std::string U(const WideString& text) { return text.ToUtf8(); }

// A file of `size` bytes whose content hashes to `md5`.
void AddFile(testing_support::FakeWorld& files, const std::string& path, std::uint64_t size,
             const std::string& md5) {
    const std::u16string name = testing_support::Str(W(path));
    files.sizes[name] = testing_support::Str(W(std::to_string(size)));
    files.md5s[name] = testing_support::Str(W(md5));
}

// What a store holds under a key, "" for nothing.
std::string Stored(ReportStore& store, const std::string& key) {
    WideString json;
    return store.Read(W(key), json) ? U(json) : std::string();
}
std::string Value(const RunRecord& run, const std::string& name) {
    WideString value;
    return run.Get(W(name), value) ? U(value) : std::string();
}

// Answers from a queue of replies and keeps what it was sent.
struct FakeTransport final : HttpTransport {
    std::deque<std::pair<int, std::string>> replies;
    std::vector<HttpRequest> sent;
    HttpOutcome outcome = HttpOutcome::Answered;
    HttpOutcome Post(const HttpRequest& r, const CancelFlag&, HttpReply& reply) override {
        sent.push_back(r);
        if (outcome != HttpOutcome::Answered) return outcome;
        if (!replies.empty()) {
            reply.status = replies.front().first;
            reply.body = replies.front().second;
            replies.pop_front();
        } else {
            reply.status = 200;
            reply.body = "[]";
        }
        return HttpOutcome::Answered;
    }
};

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::string Hash(int i) {
    char text[40];
    std::snprintf(text, sizeof text, "%032X", i + 1);
    return text;
}

std::string FileReport(const std::string& md5, int positives) {
    return R"({"response_code": 1, "md5": ")" + md5 + R"(", "scan_date": "2024-01-15 10:20:30", "positives": )" +
           std::to_string(positives) + R"(, "total": 70, "scans": {"A": {"detected": false, "result": null}, "B": {"detected": true, "result": "Trojan.X"}}})";
}

class AnalysisTest : public ::testing::Test {
protected:
    int Analyze(const std::string& items, std::uint32_t flags = kItemsCarryHashes) {
        VtEngine analysis({files, reports, run, client}, flags);
        list.clear();
        return analysis.AnalyzeItems(W(items), u"|", list);
    }
    std::vector<std::string> Bodies() const {
        std::vector<std::string> bodies;
        for (const HttpRequest& r : transport.sent) bodies.push_back(r.body);
        return bodies;
    }

    testing_support::FakeWorld files;
    MemoryReportStore store;
    RunReports reports{store};
    MemoryRunRecord run;
    FakeTransport transport;
    CancelFlag cancelled{false};
    ApiClient client{{transport, reports, cancelled, nullptr, nullptr, [](const CancelFlag&) { return true; }},
                     u"k3y"};
    std::vector<WideString> list;
};

TEST(VtItems, SelectedLinesBecomeFileAndUrlItems) {
    const std::vector<WideString> lines = {
        u"<Run> | Updater | C:\\Users\\Ann\\upd.exe | Not signed | 0123456789abcdef0123456789ABCDEF | 2024",
        u"<Trusted> | https://example.test/a?b=1 | added 2024-01-01 by someone",
        u"a | C:\\b | c | 0123456789abcdef0123456789abcdef | ",  // 50 characters
        u" | C:\\b | c | 0123456789abcdef0123456789abcdef | ",   // 49
        u"<Run> | Updater | no path and no address in this line, long enough though |",
    };
    EXPECT_EQ(U(ItemsFromLines(lines)),
              "C:\\Users\\Ann\\upd.exe->0123456789abcdef0123456789ABCDEF|https://example.test/a?b=1|"
              "C:\\b->0123456789abcdef0123456789abcdef");
    EXPECT_TRUE(ItemsFromLines({lines[3], lines[4]}).IsEmpty());
    EXPECT_TRUE(IsBareHash(u"0123456789abcdef0123456789ABCDEF"));
    EXPECT_FALSE(IsBareHash(u"0x23456789abcdef0123456789ABCDEF"));
}

// 26 files make two partner requests (the last one alone, closed by ",{}]"), 11 URLs two
// URL requests; a repeated item is queued once; a fresh cached report is not asked again.
TEST_F(AnalysisTest, ItemsGoOutInBatchesOnceEach) {
    std::string items;
    for (int i = 0; i < 26; ++i) {
        items += "C:\\f" + std::to_string(i) + ".exe->" + Hash(i) + "|";
        AddFile(files, "C:\\f" + std::to_string(i) + ".exe", 10, Hash(i));
    }
    items += "C:\\f0.exe->" + Hash(0) + "|";
    for (int i = 0; i < 11; ++i) items += "http://u" + std::to_string(i) + ".test/x|";
    (void)store.Write(u"http://u10.test/x", u"{\"response_code\": 1, \"url\": \"http://u10.test/x\", \"scan_date\": \"2024-01-15 10:20:30\"}");
    // The last partner request's reply ("[]") stores nothing: -5.
    EXPECT_EQ(Analyze(items + "ordinary"), 26 + 1 + 10 + 2 - 5);
    EXPECT_EQ(list.size(), 39u) << "every item is listed, the skipped ones too";
    ASSERT_EQ(transport.sent.size(), 3u);
    // In the order they filled: 25 files, ten URLs, and the last file after the loop.
    EXPECT_TRUE(Bodies()[0].starts_with(R"([{"hash": ")" + Hash(0) + R"(", "image_path": "C:\\f0.exe", "cr)"));
    EXPECT_EQ(Count(Bodies()[0], "{"), 25u);
    EXPECT_TRUE(Bodies()[1].starts_with("resource=http%3A%2F%2Fu0.test%2Fx%0Ahttp%3A%2F%2Fu1.test"));
    EXPECT_EQ(Bodies()[2], R"([{"hash": ")" + Hash(25) +
                               R"(", "image_path": "C:\\f25.exe", "creation_datetime": "2024/01/02 03:04:05"},{}])");
    EXPECT_EQ(Value(run, "C:\\f3.exe"), Hash(3));
}

TEST_F(AnalysisTest, BarePathsAreHashedUpToTheSizeLimitAndTemplatedUrlsCut) {
    for (const char* path : {"C:\\limit.bin", "\\\\?\\C:\\limit.bin"})
        AddFile(files, path, kLargestHashedFile, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
    AddFile(files, "C:\\over.bin", kLargestHashedFile + 1, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB");
    (void)Analyze("\\\\?\\C:\\limit.bin|C:\\over.bin|C:\\missing.bin|http://x.test/{id}?q=1", 0);
    EXPECT_EQ(Value(run, "C:\\limit.bin"), "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
    EXPECT_EQ(Value(run, "C:\\over.bin"), "") << "too large: skipped, not hashed";
    EXPECT_EQ(Value(run, "http://x.test/{id}"), "http://x.test/{id}");
    ASSERT_EQ(transport.sent.size(), 2u);
    EXPECT_EQ(Bodies()[1], "resource=http%3A%2F%2Fx.test%2F%7Bid%7D&apikey=k3y");
}

// The service's answers: a quota reply is waited out and the batch sent again; a key the
// partner endpoint refuses falls back to the public file report, four hashes a request.
TEST_F(AnalysisTest, QuotaRepliesAreRetriedAndRefusedPartnerKeysFallBack) {
    transport.replies = {{204, ""}, {200, "[" + FileReport(Hash(0), 5) + "]"}};
    EXPECT_EQ(Analyze("C:\\a.exe->" + Hash(0)), 1 + 1) << "queued, then stored";
    EXPECT_EQ(transport.sent.size(), 2u);
    EXPECT_NE(Stored(store, Hash(0)), "") << "stored after the retry";

    transport.sent.clear();
    transport.replies = {{403, ""}};
    std::string items;
    for (int i = 1; i <= 6; ++i) items += "C:\\b" + std::to_string(i) + ".exe->" + Hash(i) + "|";
    (void)Analyze(items.substr(0, items.size() - 1));
    ASSERT_EQ(transport.sent.size(), 3u) << "one refused batch, then 4 + 2 hashes";
    EXPECT_EQ(U(transport.sent[1].path), "/vtapi/v2/file/report");
    EXPECT_EQ(Bodies()[2], "resource=" + Hash(5) + "%2C" + Hash(6) + "&apikey=k3y");
    EXPECT_TRUE(client.Problem().IsEmpty());
}

TEST_F(AnalysisTest, FailuresStoreNothingAndSayWhy) {
    const struct {
        HttpOutcome outcome;
        int status;
        std::string body;
        const char* problem;  // the start of what the technician is told
    } cases[] = {
        {HttpOutcome::Answered, 200, "{\"response_code\": 1, \"md5\": \"0123", ""},
        {HttpOutcome::Answered, 200, std::string("[{\"response_code\": 1, \"md5\": \"\xC3\x28") + Hash(9) + "\"}]", ""},
        {HttpOutcome::Answered, 200, R"({"response_code": 0, "resource": ")" + Hash(9) + "\"}", ""},
        {HttpOutcome::NoConnection, 0, "", "The VirusTotal service could not be reached"},
        {HttpOutcome::Answered, 401, "", "VirusTotal rejected the API key (status 401)"},
    };
    for (const auto& c : cases) {
        run = MemoryRunRecord{};
        transport.outcome = c.outcome;
        transport.replies = {{c.status, c.body}};
        (void)Analyze("http://nine.test/page");
        EXPECT_EQ(store.Count(), 0u) << c.body;
        EXPECT_EQ(U(client.Problem()).substr(0, std::strlen(c.problem)), c.problem);
    }
    ApiClient keyless({transport, reports, cancelled, nullptr, nullptr, {}}, u"");
    RequestBatch batch;
    AppendUrl(batch, u"http://nine.test/page");
    const std::size_t before = transport.sent.size();
    EXPECT_EQ(keyless.SendBatch(batch), -5);
    EXPECT_EQ(transport.sent.size(), before) << "nothing goes out without a key";
    EXPECT_EQ(U(keyless.Problem()).substr(0, 29), "No VirusTotal API key is set.");
}

// The quota wait ends as soon as the job is cancelled, and the batch with it.
TEST(ApiClient, CancelEndsTheQuotaWait) {
    struct Exhausted final : HttpTransport {
        HttpOutcome Post(const HttpRequest&, const CancelFlag&, HttpReply& reply) override {
            reply.status = 204;
            return HttpOutcome::Answered;
        }
    } service;
    MemoryReportStore store;
    CancelFlag cancelled{false};
    ApiClient client({service, store, cancelled, nullptr, nullptr, WaitForQuota}, u"k");
    RequestBatch batch;
    AppendUrl(batch, u"http://quota.test/page");
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        cancelled = true;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.SendBatch(batch), -3);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "not the whole 10 s";
}

struct RecordingNotice final : DetectionNotice {
    std::vector<std::string> sent;
    void Send(const WideString& key, const WideString& type) override { sent.push_back(U(key) + " " + U(type)); }
};

TEST(StoreReply, KeepsEachValidReportAsWrittenAndNoticesDetections) {
    MemoryReportStore store;
    RecordingNotice notice;
    CancelFlag cancelled{false};
    const std::string partner = R"({"found": false, "hash": ")" + Hash(1) + "\"}";
    const std::string reply = R"({"data": [)" + FileReport(Hash(0), 5) + ", " + partner +
                              R"(, {"response_code": 1, "md5": "short"}, {"response_code": -1, "md5": ")" + Hash(2) + "\"}]}";
    EXPECT_EQ(StoreReply(W(reply), ItemKind::PartnerFiles, store, cancelled, &notice), 1);
    EXPECT_EQ(store.Count(), 2u);
    EXPECT_EQ(Stored(store, Hash(1)), partner) << "stored exactly as it stood";
    EXPECT_EQ(notice.sent, std::vector<std::string>{Hash(0) + " Trojan.X"});
    EXPECT_EQ(U(DetectionType(u"{\"detection_ratio\": \"7/70\"}")), "(resubmit)");
    EXPECT_EQ(StoreReply(u"[1, 2", ItemKind::Url, store, cancelled, nullptr), -5);
    cancelled = true;
    EXPECT_EQ(StoreReply(W("[" + partner + "]"), ItemKind::Url, store, cancelled, nullptr), -3);
}

TEST(RequestBatch, ValuesAreEscapedForTheirFormat) {
    RequestBatch files;
    AppendFile(files, {u"AB", u"C:\\a \"b\"\\c.exe", u""});
    EXPECT_EQ(files.text.ToUtf8(), R"({"hash": "AB", "image_path": "C:\\a \"b\"\\c.exe"})");
    RequestBatch urls;
    urls.kind = ItemKind::Url;
    AppendUrl(urls, u"http://a.test/?x=1&apikey=stolen");
    AppendUrl(urls, u"http://b.test/\u00e9");
    EXPECT_EQ(BatchRequest(urls, u"k").body,
              "resource=http%3A%2F%2Fa.test%2F%3Fx%3D1%26apikey%3Dstolen%0Ahttp%3A%2F%2Fb.test%2F%C3%A9&apikey=k");
}

// A report the lasting store cannot keep is still read back in this run.
TEST(RunReports, KeepTheRunsAnswersWhenTheStoreCannot) {
    MemoryReportStore store;
    store.writable = false;
    RunReports reports(store);
    EXPECT_TRUE(reports.Write(u"ABCDEF0123", u"{}"));
    WideString text;
    EXPECT_TRUE(reports.Read(u"abcdef0123", text));
    EXPECT_FALSE(store.Read(u"abcdef0123", text));
}

}  // namespace
}  // namespace scrutor
