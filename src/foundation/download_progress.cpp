#include "foundation/download_progress.h"

namespace scrutor {

void DownloadProgress::Fail(DownloadError error) {
    std::int32_t none = kDownloadNoError;
    (void)error_.compare_exchange_strong(none, error);
}

std::uint32_t DownloadProgress::BeginTransfer(std::uint32_t announced) {
    totalBytes_ = announced;
    state_ = kDownloadTransferring;
    const std::uint32_t size = announced == 0 ? kDefaultDownloadBytes : announced;
    if (size > kMaxDownloadBytes) {
        Fail(kDownloadTooLarge);
        return 0;
    }
    totalBytes_ = size;
    capacity_ = size;
    received_ = 0;
    return size;
}

bool DownloadProgress::Accept(std::uint32_t bytes) {
    if (bytes > capacity_ - received_) {
        Fail(kDownloadReadFailed);
        return false;
    }
    received_ += bytes;
    receivedBytes_ = received_;
    percent_ = static_cast<std::int32_t>(static_cast<double>(received_) * 100.0 /
                                         static_cast<double>(capacity_));
    return true;
}

void DownloadProgress::Complete() {
    if (received_ == 0) {
        Fail(kDownloadReadFailed);
        return;
    }
    totalBytes_ = received_;
    state_ = kDownloadDone;
}

int DownloadProgress::Status(int what) {
    if (error_ != kDownloadNoError) {
        state_ = kDownloadNotStarted;
        receivedBytes_ = 0;
    }
    if (what == kStatusState) return state_;
    if (what == kStatusEnded) return error_ != kDownloadNoError || state_ == kDownloadDone;
    return -1;
}

}  // namespace scrutor
