#include "foundation/download_progress.h"

#include <gtest/gtest.h>

namespace scrutor {
namespace {

// Without a length the buffer is 1 MiB; an announced length bounds the data; above the cap
// (inclusive) nothing is read. One byte more than the buffer holds fails rather than growing it.
TEST(DownloadProgress, SizeRules) {
    const struct {
        std::uint32_t announced;
        std::uint32_t buffer;
        std::int32_t errorAfterOneMore;
    } cases[] = {
        {0, kDefaultDownloadBytes, kDownloadReadFailed},
        {2500, 2500, kDownloadReadFailed},
        {kMaxDownloadBytes, kMaxDownloadBytes, kDownloadReadFailed},
        {kMaxDownloadBytes + 1, 0, kDownloadTooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.announced);
        DownloadProgress progress;
        EXPECT_EQ(progress.BeginTransfer(c.announced), c.buffer);
        EXPECT_EQ(progress.Failed(), c.buffer == 0);
        if (c.buffer != 0) {
            EXPECT_EQ(progress.State(), kDownloadTransferring);
            EXPECT_TRUE(progress.Accept(c.buffer));
            EXPECT_FALSE(progress.Accept(1));
        }
        EXPECT_EQ(progress.Error(), c.errorAfterOneMore);
        EXPECT_EQ(progress.Status(kStatusEnded), 1);
    }
    DownloadProgress progress;
    ASSERT_EQ(progress.BeginTransfer(2500), 2500u);
    EXPECT_TRUE(progress.Accept(1024));
    // After an error the status clears state and count.
    progress.Fail(kDownloadReadFailed);
    EXPECT_EQ(progress.Status(kStatusState), kDownloadNotStarted);
    EXPECT_EQ(progress.ReceivedBytes(), 0u);
    EXPECT_EQ(progress.Status(5), -1);
    EXPECT_EQ(progress.Status(0), -1);
}

TEST(DownloadProgress, FirstThreadErrorStaysButAStopAlwaysWins) {
    DownloadProgress stopped;
    stopped.Stop();
    stopped.Fail(kDownloadReadFailed);  // the read that the stop cut short
    EXPECT_EQ(stopped.Error(), kDownloadStopped);
    DownloadProgress failed;
    failed.Fail(kDownloadTooLarge);
    failed.Fail(kDownloadReadFailed);
    EXPECT_EQ(failed.Error(), kDownloadTooLarge);
    failed.Stop();
    EXPECT_EQ(failed.Error(), kDownloadStopped);
}

}  // namespace
}  // namespace scrutor
