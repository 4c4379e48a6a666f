// The transport against the web stand-in and its faults; the cache, the run record and the
// file facts on Wine's registry and real files.
#include <gtest/gtest.h>

#include <windows.h>

#include <winioctl.h>

#include <cstdio>
#include <thread>

#include "foundation/stopwatch.h"
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

std::string Url(const std::string& reply) {
    return R"([{"path": "@/vtapi/v2/url/report", )" + reply + "}]";
}
std::string Hex(const std::string& body) {
    return Url(R"("body_hex": ")" + test::Hex(body) + "\"");
}
// One report that is valid JSON only when it arrives whole.
std::string Large(std::size_t size) {
    return Url(
        R"("body_repeat": {"head": "[{\"response_code\": 1, \"url\": \"http://big.test/\", )"
        R"(\"scan_date\": \"2024-01-15 10:20:30\", \"filler\": \"", "tail": "\"}]", "size": )" +
        std::to_string(size) + "}");
}
const std::string kReport = R"([{"response_code": 1, "url": "http://x.test/)";

// "@" in a route: the case's own base path; no route: a base that WinHTTP cannot use.
const struct Case {
    const char* name;
    std::string routes;
    ItemKind kind;
    int cancelAtMs, result;  // -1: never cancelled
    std::size_t stored;
    int requests;           // as the stand-in received them
    const char* sent = "";  // a part of what it received
} kCases[] = {
    // clang-format off
    {"quota, then found, unknown and queued",
     Url(R"("sequence": [{"status": 204}, {"body_fixture": "url_reports"}])"), ItemKind::Url, -1, 1, 1, 2,
     "\nresource=0123456789abcdef0123456789abcdef%0Afedcba9876543210fedcba9876543210&apikey=k3y"},
    {"partner batch, found and not found",
     R"([{"path": "@/partners/sysinternals/file-reports", "body_fixture": "partner_reports"}])",
     ItemKind::PartnerFiles, -1, 1, 2, 1, "\ncontent-type: application/json; charset=utf-8\n"},
    {"stalled before the headers", Url(R"("delay_ms": 2000, "body_fixture": "url_reports")"),
     ItemKind::Url, 800, -3, 0, 1},
    {"stalled mid-body", Url(R"("chunk_size": 100, "chunk_delay_ms": 2000, "body_fixture": "url_reports")"),
     ItemKind::Url, 800, -3, 0, 1},
    {"1 MiB report", Large(1 << 20), ItemKind::Url, -1, 1, 1, 1},
    {"beyond 16 MiB, cut", Large((16 << 20) + 1), ItemKind::Url, -1, -5, 0, 1},
    {"malformed", Hex(kReport + "\", \"scan_date\": "), ItemKind::Url, -1, -5, 0, 1},
    {"not UTF-8", Hex(kReport + "\xff\", \"scan_date\": \"2024-01-15 10:20:30\"}]"), ItemKind::Url, -1, -5, 0, 1},
    {"connection dropped", Url(R"("drop": "before_reply")"), ItemKind::Url, -1, 0, 0, 1},
    {"a base the transport cannot use", "", ItemKind::Url, -1, -5, 0, 0},
    // clang-format on
};

TEST(WinHttpTransport, AnswersAndFaultsOfTheService) {
    test::WebStub stub;
    if (!stub.Connect()) GTEST_SKIP() << "run through CTest, whose fixture starts the web stand-in";
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string base = test::UniquePath("vt");
        std::string routes = c.routes;
        for (std::size_t at; (at = routes.find('@')) != std::string::npos;) {
            routes.replace(at, 1, base);
        }
        ASSERT_TRUE(routes.empty() || stub.AddRoutes(routes));
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
            WinHttpTransport transport(WideString(routes.empty() ? u"ftp://x/" : stub.Url(base)));
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
        int requests = 0;
        for (std::size_t at = 0;
             (at = received.find("\nuser-agent: VirusTotal\n", at + 1)) != std::string::npos;) {
            ++requests;
        }
        EXPECT_EQ(requests, c.requests) << received;
        EXPECT_NE(received.find(c.sent), std::string::npos) << c.sent;
    }
}

// The entry's last-write time in the given view, 0 when it is not there.
std::uint64_t LastWrite(const std::u16string& key, const char16_t* view = u"HKLM32") {
    RegistryKey entry;
    FILETIME at{};
    const std::u16string path = view + std::u16string(kReportCacheRoot).substr(6) + u"\\" + key;
    if (!entry.OpenRead(path.c_str())) return 0;
    RegQueryInfoKeyW(entry.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, &at);
    return (std::uint64_t{at.dwHighDateTime} << 32) | at.dwLowDateTime;
}

TEST(RegistryReportStore, KeepsReportsTenDaysInThe32BitView) {
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    const std::u16string key = u"ABCDEF0123456789ABCDEF" + std::u16string(pid.begin(), pid.end());
    WideString lower(key);
    lower.ToLower();
    bool requested = false;
    RegistryReportStore writer(0, [&] { return requested; });
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
        requested = step.requested;
        WideString json;
        RegistryReportStore store(step.today, [&] { return requested; });
        EXPECT_EQ(store.Read(lower, json), step.fresh);
        EXPECT_EQ(json == u"{\"positives\": 1}", step.fresh);
        EXPECT_EQ(LastWrite(key) > written, !step.fresh) << step.today - day;
    }
    const std::u16string entry = std::u16string(kReportCacheRoot) + u"\\" + key;
    EXPECT_FALSE(RegistryKey::Exists(entry.c_str(), u"Expired"));
    RegistryKey cleaner;
    EXPECT_TRUE(cleaner.DeleteKeyTree(entry.c_str()));
    // What the registry cannot take (a URL longer than a key name allows) is refused.
    EXPECT_FALSE(writer.Write(WideString(u"http://a.test/" + std::u16string(300, u'a')), u"{}"));
}

TEST(RegistryRunRecord, EachJobHasItsOwnKeyGoneAfterIt) {
    WideString path, hash;
    {
        RegistryRunRecord one, two;
        path = one.Path();
        ASSERT_NE(one.Path(), two.Path());
        ASSERT_TRUE(one.Put(u"C:\\a.exe", u"0123456789abcdef0123456789abcdef"));
        EXPECT_TRUE(one.Get(u"c:\\A.exe", hash) && hash == u"0123456789abcdef0123456789abcdef");
        EXPECT_FALSE(two.Get(u"C:\\a.exe", hash));
    }
    EXPECT_FALSE(RegistryKey::Exists(path.CStr(), nullptr));
}

TEST(Win32FileFacts, SizeHashAndCreationTime) {
    const test::TempDir dir;
    const std::u16string path = dir.Child(u"file.bin"), large = dir.Child(u"large.bin");
    test::WriteFileBytes(path, "abc");
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME utc{};
    ASSERT_TRUE(GetFileAttributesExW(AsWide(path.c_str()), GetFileExInfoStandard, &data) &&
                FileTimeToSystemTime(&data.ftCreationTime, &utc));
    wchar_t created[32];
    swprintf(created, 32, L"%04u/%02u/%02u %02u:%02u:%02u", utc.wYear, utc.wMonth, utc.wDay,
             utc.wHour, utc.wMinute, utc.wSecond);
    // Beyond 4 GiB without writing it: sizes are 64-bit.
    HANDLE file =
        CreateFileW(AsWide(large.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    const LARGE_INTEGER end{.QuadPart = (std::int64_t{1} << 32) + kLargestHashedFile + 1};
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);

    const Win32FileFacts facts;
    WideString text, hash;
    std::uint64_t size = 0, largeSize = 0;
    EXPECT_TRUE(facts.Exists(path.c_str()) && facts.Size(path.c_str(), size) &&
                facts.Md5(path.c_str(), hash) && facts.CreationTime(path.c_str(), text));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(hash, u"900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(text, FromWide(created)) << text.ToUtf8();
    EXPECT_TRUE(facts.Size(large.c_str(), largeSize));
    EXPECT_EQ(largeSize, static_cast<std::uint64_t>(end.QuadPart));
    const std::u16string missing = dir.Child(u"missing.bin");
    EXPECT_FALSE(facts.Exists(missing.c_str()) || facts.Size(missing.c_str(), size) ||
                 facts.Md5(missing.c_str(), hash) || facts.CreationTime(missing.c_str(), text));
}

}  // namespace
}  // namespace scrutor
