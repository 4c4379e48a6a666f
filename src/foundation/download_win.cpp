#include "foundation/download.h"

#include <wininet.h>

#include <cstring>
#include <new>
#include <utility>

#include "foundation/message_pump.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr char16_t kReferrer[] = u"https://duckduckgo.com/";
constexpr char16_t kUserAgent[] =
    u"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    u"Chrome/86.0.4240.75 Safari/537.36";
constexpr DWORD kOpenUrlFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RESYNCHRONIZE;
constexpr DWORD kConnectTimeoutMs = 10000;
constexpr DWORD kConnectRetries = 2;
constexpr DWORD kReadChunk = 1024;
constexpr std::size_t kMinimumHeaderLength = 20;

// Hands a new handle to the job, unless FinishDownload is already stopping it: then the handle
// is closed at once and the thread ends (null). The thread goes on using the value, which
// FinishDownload may close under it to cut a stalled call short.
HINTERNET Publish(DownloadJob& job, InternetHandle& slot, InternetHandle handle) {
    std::lock_guard<std::mutex> lock(job.handleLock);
    if (job.stopping) return nullptr;
    HINTERNET value = handle.Get();
    slot = std::move(handle);
    return value;
}

void ReadBody(DownloadJob& job, HINTERNET request) {
    std::uint32_t received = 0;
    BYTE chunk[kReadChunk];
    while (!job.progress.Failed()) {
        DWORD read = 0;
        if (!InternetReadFile(request, chunk, sizeof chunk, &read)) {
            job.progress.Fail(kDownloadReadFailed);
            break;
        }
        if (read == 0) break;
        if (!job.progress.Accept(read)) break;
        std::memcpy(job.data.get() + received, chunk, read);
        received += read;
    }
    if (!job.progress.Failed()) job.progress.Complete();
}

HINTERNET OpenUrl(DownloadJob& job, HINTERNET internet) {
    DWORD timeout = kConnectTimeoutMs;
    DWORD retries = kConnectRetries;
    (void)InternetSetOptionW(internet, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    (void)InternetSetOptionW(internet, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
    job.progress.SetState(kDownloadConnecting);
    job.headers.Assign(u"Referer: ", job.referrer, u"\r\n\r\n");
    const bool withHeaders = job.headers.Length() >= kMinimumHeaderLength;
    return InternetOpenUrlW(internet, AsWide(job.url), withHeaders ? AsWide(job.headers) : nullptr,
                            withHeaders ? static_cast<DWORD>(job.headers.Length()) : 0,
                            kOpenUrlFlags, 0);
}

void Transfer(DownloadJob& job) {
    DWORD connection = 0;
    if (!InternetGetConnectedState(&connection, 0)) {
        job.progress.Fail(kDownloadOffline);
        return;
    }
    InternetHandle session(
        InternetOpenW(AsWide(job.userAgent), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        job.progress.Fail(kDownloadNoSession);
        return;
    }
    HINTERNET internet = Publish(job, job.internet, std::move(session));
    if (internet == nullptr) return;
    InternetHandle opened(OpenUrl(job, internet));
    if (!opened) {
        job.progress.Fail(kDownloadStopped);
        return;
    }
    HINTERNET request = Publish(job, job.request, std::move(opened));
    if (request == nullptr) return;
    DWORD announced = 0;
    DWORD size = sizeof announced;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &announced,
                        &size, nullptr)) {
        announced = 0;
    }
    const std::uint32_t capacity = job.progress.BeginTransfer(announced);
    if (capacity == 0) return;
    job.data.reset(new (std::nothrow) std::uint8_t[capacity]);
    if (!job.data) {
        job.progress.Fail(kDownloadTooLarge);
        return;
    }
    ReadBody(job, request);
}

DWORD WINAPI TransferThread(void* parameter) {
    auto* job = static_cast<DownloadJob*>(parameter);
    try {
        Transfer(*job);
    } catch (...) {
        job->progress.Fail(kDownloadReadFailed);
    }
    return 0;
}

}  // namespace

DownloadJob* StartDownload(const char16_t* url) {
    std::unique_ptr<DownloadJob> job(new (std::nothrow) DownloadJob);
    if (!job) return nullptr;
    job->url = url;
    job->referrer = kReferrer;
    job->userAgent = kUserAgent;
    job->thread.Reset(CreateThread(nullptr, 0, TransferThread, job.get(), 0, nullptr));
    return job->thread ? job.release() : nullptr;
}

int DownloadStatus(DownloadJob* job, int what) {
    return job == nullptr ? -1 : job->progress.Status(what);
}

// Closing the handles is WinINet's way to cut short a call blocked on a stalled server;
// waiting for the current read alone could hold the caller until WinINet's own time-outs.
void FinishDownload(DownloadJob*& job) {
    if (job == nullptr) return;
    job->progress.Stop();
    {
        std::lock_guard<std::mutex> lock(job->handleLock);
        job->stopping = true;
        (void)job->request.Close();
        (void)job->internet.Close();
    }
    DWORD exitCode = 0;
    while (GetExitCodeThread(job->thread.Get(), &exitCode) && exitCode == STILL_ACTIVE) {
        DispatchPendingMessages();
        SleepEx(10, TRUE);
    }
    delete job;
    job = nullptr;
}

}  // namespace scrutor
