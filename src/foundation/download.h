#pragma once

// A background download over WinINet into memory: start, poll, finish (which also stops it).

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>

#include "foundation/download_progress.h"
#include "foundation/handles.h"
#include "foundation/wide_string.h"

namespace scrutor {

struct DownloadJob {
    // Owned by the job; the transfer thread publishes them under handleLock, and
    // FinishDownload closes them there to cut short a call that is waiting on the network.
    InternetHandle internet;
    InternetHandle request;
    DownloadProgress progress;
    std::int32_t mode = 6;  // reload from the server, keep the data in memory
    std::int32_t expectedBytes = 0;
    WideString headers;
    WideString destination;
    WideString url;
    WideString referrer;
    WideString userAgent;
    HandleHolder thread;
    // Room for the announced size; the first progress.ReceivedBytes() bytes hold the reply.
    std::unique_ptr<std::uint8_t[]> data;
    std::mutex handleLock;
    bool stopping = false;
};

// Null when the transfer thread could not be started.
[[nodiscard]] DownloadJob* StartDownload(const char16_t* url);
// kStatusState: the state; kStatusEnded: 1 once ended (done or failed), else 0; other: -1.
[[nodiscard]] int DownloadStatus(DownloadJob* job, int what);
// Stops the transfer, waits for its thread while dispatching this thread's window messages,
// frees the job and nulls the pointer.
void FinishDownload(DownloadJob*& job);

// A started download owned by its scope: leaving it finishes the download.
struct DownloadFinisher {
    void operator()(DownloadJob* job) const { FinishDownload(job); }
};
using DownloadOwner = std::unique_ptr<DownloadJob, DownloadFinisher>;

}  // namespace scrutor
