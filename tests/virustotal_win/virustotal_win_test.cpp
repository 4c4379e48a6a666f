// The transport against the web stand-in; the cache and the run record in Wine's registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <thread>

#include "foundation/stopwatch.h"
#include "foundation/system_time_win.h"
#include "foundation/win_text.h"
#include "test_support.h"
#include "virustotal/api_client.h"
#include "virustotal/file_facts_win.h"
#include "virustotal/registry_cache_win.h"
#include "virustotal/run_reports.h"
#include "virustotal/winhttp_transport_win.h"
#include "webstub_client.h"

namespace scrutor {
namespace {

// A URL report that goes on with `tail`, sent as raw bytes.
std::string Report(const std::string& tail) {
    return R"("body_hex": ")" +
           test::Hex(R"([{"response_code": 1, "url": "http://x.test/)" + tail) + "\"";
}

const struct Case {
    const char* name;
    std::string reply;  // how the stand-in answers every path of the case
    ItemKind kind;
    int cancelAtMs, result;        // -1: never cancelled
    std::size_t stored, requests;  // requests: as the stand-in received them
    const char* sent = "";         // a part of what it received
} kCases[] = {
    // clang-format off
    {"quota, then found, unknown and queued",
     R"("sequence": [{"status": 204}, {"body_fixture": "url_reports"}])", ItemKind::Url,
     -1, 1, 1, 2, "\n\nresource=0123456789abcdef0123456789abcdef%0Afedcba9876543210fedcba"},
    {"partner batch, found and not found", R"("body_fixture": "partner_reports")",
     ItemKind::PartnerFiles, -1, 1, 2, 1, "\ncontent-type: application/json; charset=utf-8\n"},
    {"stalled before the headers", R"("delay_ms": 2000, "body_fixture": "url_reports")",
     ItemKind::Url, 800, -3, 0, 1},
    {"stalled mid-body",
     R"("chunk_size": 100, "chunk_delay_ms": 2000, "body_fixture": "url_reports")",
     ItemKind::Url, 800, -3, 0, 1},
    {"1 MiB report", R"("large_report": 1048576)", ItemKind::Url, -1, 1, 1, 1},
    {"beyond 16 MiB: cut, so not JSON", R"("large_report": 16777216)", ItemKind::Url, -1, -5, 0, 1},
    {"malformed", Report("\", \"scan_date\": "), ItemKind::Url, -1, -5, 0, 1},
    {"not UTF-8", Report("\xff\", \"scan_date\": \"2024-01-15 10:20:30\"}]"), ItemKind::Url,
     -1, -5, 0, 1},
    {"connection dropped", R"("drop": "before_reply")", ItemKind::Url, -1, 0, 0, 1},
    // clang-format on
};

TEST(WinHttpTransport, AnswersAndFaultsOfTheService) {
    test::WebStub stub;
    if (!stub.Connect()) GTEST_SKIP() << "run through CTest, whose fixture starts the web stand-in";
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string base = test::UniquePath("vt");
        ASSERT_TRUE(
            stub.AddRoutes(R"({"path": ")" + base + R"(/", "prefix": true, )" + c.reply + "}"));
        RegistryReportStore nowhere(0, nullptr, u"none");  // keeps nothing: count the run's own
        RunReports reports(nowhere);
        CancelFlag cancelled{false};
        RequestBatch batch;
        batch.kind = c.kind;
        for (const char16_t* key :
             {u"0123456789abcdef0123456789abcdef", u"fedcba9876543210fedcba9876543210"}) {
            c.kind == ItemKind::Url ? AppendUrl(batch, key) : AppendFile(batch, {key, {}, {}});
        }
        std::weak_ptr<const void> session;
        double setAt = 0, returnedAt = 0;
        {
            WinHttpTransport transport(WideString(stub.Url(base)));
            const auto noWait = [](const CancelFlag&) { return true; };
            ApiClient client({transport, reports, cancelled, nullptr, nullptr, noWait}, u"k3y");
            const Stopwatch watch;
            std::thread canceller([&] {
                if (c.cancelAtMs < 0) return;
                Sleep(static_cast<DWORD>(c.cancelAtMs));
                setAt = watch.ElapsedMs();
                cancelled = true;
            });
            EXPECT_EQ(client.SendBatch(batch), c.result);
            returnedAt = watch.ElapsedMs();
            canceller.join();
            session = transport.SessionLifetime();
        }
        if (c.cancelAtMs >= 0) {
            std::printf("%s: returned %.1f ms after the cancel\n", c.name, returnedAt - setAt);
            EXPECT_LT(returnedAt - setAt, 250.0);  // about 10 ms; a loaded machine is slower
        }
        // An abandoned request's thread frees its handles and buffers once the server lets go.
        for (const Stopwatch waited; !session.expired() && waited.ElapsedMs() < 10000;) Sleep(20);
        EXPECT_TRUE(session.expired());
        EXPECT_EQ(reports.StoredThisRun(), c.stored);
        const std::string received = stub.Requests(base);
        std::size_t requests = 0, at = 0;  // a "user-agent" line per request; npos + 1 is 0
        while ((at = received.find("\nuser-agent: VirusTotal\n", at) + 1) != 0) ++requests;
        EXPECT_EQ(requests, c.requests) << received;
        EXPECT_NE(received.find(c.sent), std::string::npos) << c.sent;
    }
}

// A cache root of this process's own: the end-to-end run clears the program's root meanwhile.
std::u16string TestRoot() {
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    return std::u16string(kReportCacheRoot) + u" test " + std::u16string(pid.begin(), pid.end());
}

// The entry's last-write time in the given view, 0 when it is not there.
std::uint64_t LastWrite(const std::u16string& key, const char16_t* view = u"HKLM32") {
    RegistryKey entry;
    FILETIME at{};
    const std::u16string path = view + TestRoot().substr(6) + u"\\" + key;
    if (!entry.OpenRead(path.c_str())) return 0;
    RegQueryInfoKeyW(entry.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, &at);
    return (std::uint64_t{at.dwHighDateTime} << 32) | at.dwLowDateTime;
}

TEST(RegistryReportStore, KeepsReportsTenDaysInThe32BitView) {
    const WideString root(TestRoot());
    const std::u16string key = u"ABCDEF0123456789ABCDEF";
    WideString lower(key);
    lower.ToLower();
    RegistryReportStore writer(0, nullptr, root);
    ASSERT_TRUE(writer.Write(key.c_str(), u"{\"positives\": 1}"));
    const std::uint64_t written = LastWrite(key);
    ASSERT_NE(written, 0u);
    EXPECT_EQ(LastWrite(key, u"HKLM64"), 0u);
    const DayNumber day = static_cast<DayNumber>(written / 864000000000ULL);
    const struct {
        DayNumber today;
        bool requested, fresh;
    } steps[] = {{day + 10, true, true}, {day + 11, false, true}, {day + 11, true, false}};
    for (const auto& step : steps) {
        Sleep(20);  // so that touching the entry shows in its last-write time
        WideString json;
        RegistryReportStore store(step.today, [&] { return step.requested; }, root);
        EXPECT_EQ(store.Read(lower, json), step.fresh);
        EXPECT_EQ(json == u"{\"positives\": 1}", step.fresh);
        EXPECT_EQ(LastWrite(key) > written, !step.fresh) << step.today - day;
    }
    const std::u16string entry = TestRoot() + u"\\" + key;
    EXPECT_FALSE(RegistryKey::Exists(entry.c_str(), u"Expired"));
    EXPECT_TRUE(RegistryKey().DeleteKeyTree(TestRoot().c_str()));
    // What the registry cannot take (a URL longer than a key name allows) is refused.
    EXPECT_FALSE(writer.Write(WideString(u"http://a.test/" + std::u16string(300, u'a')), u"{}"));
}

TEST(RegistryRunRecord, EachJobHasItsOwnKeyGoneAfterIt) {
    const WideString root(TestRoot());
    auto one = std::make_unique<RegistryRunRecord>(root);
    const RegistryRunRecord two(root);
    const WideString path = one->Path();
    WideString hash;
    ASSERT_TRUE(path != two.Path() && one->Put(u"C:\\a.exe", u"0123456789abcdef0123456789abcdef"));
    EXPECT_TRUE(one->Get(u"c:\\A.exe", hash) && hash == u"0123456789abcdef0123456789abcdef");
    EXPECT_FALSE(two.Get(u"C:\\a.exe", hash));
    one.reset();
    EXPECT_FALSE(RegistryKey::Exists(path.CStr(), nullptr));
    EXPECT_TRUE(RegistryKey().DeleteKeyTree(root.CStr()));
}

TEST(Win32FileFacts, SizeHashAndCreationTime) {
    const test::TempDir dir;
    const std::u16string path = dir.Child(u"file.bin"), missing = dir.Child(u"missing.bin");
    test::WriteFileBytes(path, "abc");
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(AsWide(path.c_str()), GetFileExInfoStandard, &data));
    const FILETIME& created = data.ftCreationTime;  // UTC, as the text must be
    const Win32FileFacts facts;
    WideString text, hash;
    std::uint64_t size = 0;
    EXPECT_TRUE(facts.Exists(path.c_str()) && facts.Size(path.c_str(), size) &&
                facts.Md5(path.c_str(), hash) && facts.CreationTime(path.c_str(), text));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(hash, u"900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(text,
              FileTimeToText(std::uint64_t{created.dwHighDateTime} << 32 | created.dwLowDateTime));
    EXPECT_FALSE(facts.Exists(missing.c_str()) || facts.Size(missing.c_str(), size) ||
                 facts.Md5(missing.c_str(), hash) || facts.CreationTime(missing.c_str(), text));
}

}  // namespace
}  // namespace scrutor
