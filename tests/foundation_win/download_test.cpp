#include "foundation/download.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/stopwatch.h"
#include "test_support.h"
#include "webstub_client.h"

namespace scrutor {
namespace {

using test::UniquePath;

constexpr double kPatienceMs = 60000;

struct Outcome {
    std::int32_t error = -1;
    std::uint32_t received = 0;
    std::string data;
    int state = -1;  // DownloadStatus(job, 4) at the end
    int ended = -1;  // DownloadStatus(job, 6) at the end
};

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!stub_.Connect()) {
            if (test::HostPathFromEnvironment("SCRUTOR_WEBSTUB_DIR").empty()) {
                GTEST_SKIP() << "run through CTest, whose fixture starts the web stand-in";
            }
            FAIL() << "the web stand-in did not leave its port";
        }
    }

    // Polls as the analysis worker does, until the transfer reports its end.
    Outcome Run(const std::u16string& url) {
        DownloadJob* job = StartDownload(url.c_str());
        Outcome outcome;
        if (job == nullptr) return outcome;
        const Stopwatch watch;
        while (DownloadStatus(job, kStatusEnded) == 0 && watch.ElapsedMs() < kPatienceMs) Sleep(5);
        outcome.error = job->progress.Error();
        outcome.received = job->progress.ReceivedBytes();
        if (outcome.error == 0 && job->data) {
            outcome.data.assign(reinterpret_cast<const char*>(job->data.get()), outcome.received);
        }
        outcome.state = DownloadStatus(job, kStatusState);
        outcome.ended = DownloadStatus(job, kStatusEnded);
        FinishDownload(job);
        EXPECT_EQ(job, nullptr);
        return outcome;
    }

    test::WebStub stub_;
};

TEST_F(DownloadTest, SmallReplyArrivesWhole) {
    const std::string path = UniquePath("notice");
    ASSERT_TRUE(stub_.AddRoutes(R"({"path": ")" + path + R"(", "body": "hello world"})"));
    const Outcome outcome = Run(stub_.Url(path + "?md5=ABC&type=1F"));
    EXPECT_EQ(outcome.error, kDownloadNoError);
    EXPECT_EQ(outcome.data, "hello world");
    EXPECT_EQ(outcome.state, kDownloadDone);
    EXPECT_EQ(outcome.ended, 1);
    const std::string log = stub_.Requests(path);
    EXPECT_NE(log.find("GET " + path + "?md5=ABC&type=1F\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\nreferer: https://duckduckgo.com/\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\nuser-agent: Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                       "(KHTML, like Gecko) Chrome/86.0.4240.75 Safari/537.36\n"),
              std::string::npos)
        << log;
}

// Without a length 1 MiB fits and one byte more fails; an announced size above 40 MiB is not
// read at all; an empty reply is a failure.
TEST_F(DownloadTest, SizeRules) {
    const std::string ten = R"(", "content_length": "none", "body_repeat": {"text": "0123456789", )";
    const struct {
        const char* name;
        std::string route;  // after the path
        std::int32_t error;
    } cases[] = {
        {"fits", ten + R"("size": 1048576}})", kDownloadNoError},
        {"over", ten + R"("size": 1048577}})", kDownloadReadFailed},
        {"huge", R"(", "content_length": 41943041, "body": "tiny", "drop": "mid_body"})",
         kDownloadTooLarge},
        {"empty", R"(", "body": ""})", kDownloadReadFailed},
    };
    for (const auto& c : cases) {
        const std::string path = UniquePath(c.name);
        ASSERT_TRUE(stub_.AddRoutes(R"({"path": ")" + path + c.route)) << c.name;
        const Outcome outcome = Run(stub_.Url(path));
        EXPECT_EQ(outcome.error, c.error) << c.name;
        EXPECT_EQ(outcome.ended, 1) << c.name;
        if (c.error == kDownloadNoError) {
            EXPECT_EQ(outcome.received, 1048576u);
            EXPECT_EQ(outcome.data.substr(outcome.data.size() - 6), "012345");  // 10 × 104857 + 6
        } else if (c.error == kDownloadReadFailed) {
            EXPECT_EQ(outcome.state, kDownloadNotStarted) << c.name;
        }
    }
}

TEST_F(DownloadTest, UnreachableServerFailsToOpen) {
    // The discard port: nothing listens there on the test system.
    EXPECT_EQ(Run(u"http://127.0.0.1:9/nothing-listens-here").error, kDownloadStopped);
    EXPECT_EQ(DownloadStatus(nullptr, kStatusState), -1);
    DownloadJob* none = nullptr;
    FinishDownload(none);
}

TEST_F(DownloadTest, DroppedConnectionEndsWithoutInventingData) {
    const std::string path = UniquePath("dropped");
    ASSERT_TRUE(stub_.AddRoutes(
        R"({"path": ")" + path +
        R"(", "body_repeat": {"text": "ab", "size": 100000}, "drop": "mid_body"})"));
    const Outcome outcome = Run(stub_.Url(path));
    EXPECT_EQ(outcome.ended, 1);
    EXPECT_LE(outcome.received, 50000u);
    if (outcome.error == kDownloadNoError) {
        std::string sent;
        while (sent.size() < outcome.received) sent += "ab";
        EXPECT_EQ(outcome.data, sent.substr(0, outcome.received));
    }
}

TEST_F(DownloadTest, FinishStopsASlowTransferPromptly) {
    const std::string path = UniquePath("slow");
    ASSERT_TRUE(stub_.AddRoutes(
        R"({"path": ")" + path +
        R"(", "body_repeat": {"size": 200000}, "chunk_size": 1024, "chunk_delay_ms": 200})"));
    DownloadJob* job = StartDownload(stub_.Url(path).c_str());
    ASSERT_NE(job, nullptr);
    const Stopwatch waiting;
    while (job->progress.ReceivedBytes() == 0 && waiting.ElapsedMs() < kPatienceMs) Sleep(5);
    EXPECT_GT(job->progress.ReceivedBytes(), 0u);
    EXPECT_EQ(DownloadStatus(job, kStatusEnded), 0);
    const test::CountingWindow window;
    PostMessageW(window.Get(), WM_APP, 0, 0);
    const Stopwatch finishing;
    FinishDownload(job);
    EXPECT_EQ(job, nullptr);
    EXPECT_LT(finishing.ElapsedMs(), 2000.0);
    EXPECT_EQ(window.Count(), 1);  // the caller's windows were served while it waited
}

}  // namespace
}  // namespace scrutor
