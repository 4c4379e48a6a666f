#include "foundation/download_progress.h"

#include <gtest/gtest.h>

namespace scrutor {
namespace {

TEST(DownloadProgress, MissingLengthMeansOneMebibyte) {
    DownloadProgress progress;
    EXPECT_EQ(progress.BeginTransfer(0), kDefaultDownloadBytes);
    EXPECT_EQ(progress.State(), kDownloadTransferring);
    EXPECT_TRUE(progress.Accept(kDefaultDownloadBytes));
    EXPECT_FALSE(progress.Failed());
    // One byte more than the buffer holds fails rather than growing it.
    EXPECT_FALSE(progress.Accept(1));
    EXPECT_EQ(progress.Error(), kDownloadReadFailed);
}

TEST(DownloadProgress, SizeCapIsInclusive) {
    DownloadProgress atCap;
    EXPECT_EQ(atCap.BeginTransfer(kMaxDownloadBytes), kMaxDownloadBytes);
    EXPECT_FALSE(atCap.Failed());

    DownloadProgress overCap;
    EXPECT_EQ(overCap.BeginTransfer(kMaxDownloadBytes + 1), 0u);
    EXPECT_EQ(overCap.Error(), kDownloadTooLarge);
    EXPECT_EQ(overCap.Status(kStatusEnded), 1);
}

TEST(DownloadProgress, AnnouncedLengthBoundsTheData) {
    DownloadProgress progress;
    ASSERT_EQ(progress.BeginTransfer(2500), 2500u);
    EXPECT_TRUE(progress.Accept(1024));
    EXPECT_EQ(progress.Percent(), 40);  // 1024 * 100 / 2500 = 40.96, truncated
    EXPECT_TRUE(progress.Accept(1024));
    EXPECT_FALSE(progress.Accept(1024));
    EXPECT_EQ(progress.Error(), kDownloadReadFailed);
}

TEST(DownloadProgress, StatusAfterAnErrorClearsStateAndCount) {
    DownloadProgress progress;
    ASSERT_EQ(progress.BeginTransfer(100), 100u);
    EXPECT_TRUE(progress.Accept(60));
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
