#pragma once

// The state of one background transfer, shared between the transfer thread (which advances
// it) and the caller's thread (which polls and may stop it). Holds the size rules.

#include <atomic>
#include <cstdint>

namespace scrutor {

enum DownloadState : std::int32_t {
    kDownloadNotStarted = 0,
    kDownloadConnecting = 1,
    kDownloadTransferring = 2,
    kDownloadDone = 3,
};

enum DownloadError : std::int32_t {
    kDownloadNoError = 0,
    kDownloadOffline = 1,     // no Internet connection
    kDownloadNoSession = 2,   // the Internet handle could not be opened
    kDownloadStopped = 3,     // the URL could not be opened, or FinishDownload stopped it
    kDownloadTooLarge = 5,    // announced size above the cap, or no memory for it
    kDownloadReadFailed = 6,  // a read failed, the data outgrew the buffer, or none came
};

// DownloadStatus questions.
inline constexpr int kStatusState = 4;
inline constexpr int kStatusEnded = 6;

inline constexpr std::uint32_t kDefaultDownloadBytes = 1u << 20;  // without Content-Length
inline constexpr std::uint32_t kMaxDownloadBytes = 40u << 20;

class DownloadProgress {
public:
    void SetState(DownloadState state) { state_ = state; }
    // The transfer thread's errors: the first one stays, so a stop is never overwritten.
    void Fail(DownloadError error);
    // The caller's stop: always recorded.
    void Stop() { error_ = kDownloadStopped; }
    [[nodiscard]] bool Failed() const { return error_ != kDownloadNoError; }

    // Takes the announced Content-Length (0 when none) and answers the buffer size to
    // allocate, or 0 after failing with kDownloadTooLarge.
    [[nodiscard]] std::uint32_t BeginTransfer(std::uint32_t announced);
    // Counts `bytes` more; false (and kDownloadReadFailed) when they would not fit.
    [[nodiscard]] bool Accept(std::uint32_t bytes);
    // The end of the data: done, or kDownloadReadFailed when nothing arrived.
    void Complete();

    // 4: the state; 6: 1 when ended, 0 while running; -1 for other questions. After an error
    // the state and the received count read 0.
    [[nodiscard]] int Status(int what);

    [[nodiscard]] std::int32_t State() const { return state_; }
    [[nodiscard]] std::int32_t Error() const { return error_; }
    [[nodiscard]] std::uint32_t ReceivedBytes() const { return receivedBytes_; }
    [[nodiscard]] std::int32_t Percent() const { return percent_; }

private:
    std::atomic<std::uint32_t> totalBytes_{0};
    std::atomic<std::uint32_t> receivedBytes_{0};
    std::atomic<std::int32_t> percent_{0};
    std::atomic<std::int32_t> state_{kDownloadNotStarted};
    std::atomic<std::int32_t> error_{kDownloadNoError};
    // The transfer thread's own count: the caller's Status may zero the shared one.
    std::uint32_t received_ = 0;
    std::uint32_t capacity_ = 0;
};

}  // namespace scrutor
