#include "virustotal/winhttp_transport_win.h"

#include <windows.h>

#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>

#include "foundation/handles.h"
#include "foundation/win_text.h"
#include "virustotal/online_state_win.h"

namespace scrutor {

struct WinHttpSession {
    WinHttpHandle session;  // declared first: closed after the connection
    WinHttpHandle connection;
    bool secure = false;
    std::u16string basePath;  // without a trailing "/"
};

namespace {

constexpr wchar_t kAgent[] = L"VirusTotal";
constexpr wchar_t kJsonHeader[] = L"Content-Type: application/json; charset=utf-8";
// Without it a web server does not read the form's fields at all.
constexpr wchar_t kFormHeader[] = L"Content-Type: application/x-www-form-urlencoded";
constexpr int kResolveMs = 5000;
constexpr int kConnectMs = 5000;
constexpr int kSendMs = 20000;
constexpr int kReceiveMs = 25000;
constexpr DWORD kPollMs = 10;
constexpr DWORD kLargestRead = 64 * 1024;

// Everything one request needs, shared by the worker and the request's thread; whichever lets
// go last frees it, so an abandoned request never touches freed memory.
struct PendingRequest {
    std::shared_ptr<WinHttpSession> session;  // the connection outlives its requests
    std::string body;
    bool json = false;
    HandleHolder finished;  // manual-reset event
    std::atomic<bool> abandoned{false};
    HttpOutcome outcome = HttpOutcome::NotSent;
    HttpReply reply;

    // Closed exactly once, by the thread when it is done or by the worker on cancel (on
    // Windows that aborts the pending call).
    void CloseRequest() {
        const std::lock_guard<std::mutex> guard(lock);
        (void)handle.Close();
    }
    void Adopt(HINTERNET request) {
        const std::lock_guard<std::mutex> guard(lock);
        handle = request;
    }
    [[nodiscard]] HINTERNET Handle() {
        const std::lock_guard<std::mutex> guard(lock);
        return abandoned ? nullptr : handle.Get();
    }

private:
    std::mutex lock;
    WinHttpHandle handle;
};

bool Exchange(PendingRequest& p) {
    HINTERNET request = p.Handle();
    const DWORD size = static_cast<DWORD>(p.body.size());
    void* data = size == 0 ? WINHTTP_NO_REQUEST_DATA : p.body.data();
    if (request == nullptr ||
        !WinHttpSendRequest(request, p.json ? kJsonHeader : kFormHeader, static_cast<DWORD>(-1),
                            data, size, size, 0)) {
        return false;
    }
    if ((request = p.Handle()) == nullptr || !WinHttpReceiveResponse(request, nullptr))
        return false;
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if ((request = p.Handle()) == nullptr ||
        !WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize,
                             WINHTTP_NO_HEADER_INDEX)) {
        return false;
    }
    p.reply.status = static_cast<int>(status);
    return true;
}

// Reads until the body ends, fails or the next piece would pass kLargestReply: the reply is
// then cut at the last whole piece that fitted.
void ReadBody(PendingRequest& p) {
    std::string& body = p.reply.body;
    for (HINTERNET request; (request = p.Handle()) != nullptr;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available) || available == 0) return;
        const DWORD piece = std::min(available, kLargestRead);
        if (piece > kLargestReply - body.size()) return;
        const std::size_t start = body.size();
        body.resize(start + piece);
        DWORD read = 0;
        const bool ok = WinHttpReadData(request, body.data() + start, piece, &read) != FALSE;
        body.resize(start + (ok ? read : 0));
        if (!ok || read == 0) return;
    }
}

DWORD WINAPI RunRequest(void* parameter) {
    const std::unique_ptr<std::shared_ptr<PendingRequest>> owner(
        static_cast<std::shared_ptr<PendingRequest>*>(parameter));
    PendingRequest& p = **owner;
    try {
        // Here rather than in the worker: Wine takes up to half a second to answer it.
        if (!MachineIsOnline()) {
            p.outcome = HttpOutcome::NoConnection;
        } else if (Exchange(p)) {
            ReadBody(p);
            p.outcome = HttpOutcome::Answered;
        }
    } catch (...) {
        p.outcome = HttpOutcome::NotSent;  // memory ran short for the body
    }
    p.CloseRequest();
    SetEvent(p.finished.Get());
    return 0;
}

bool SetTimeouts(HINTERNET request) {
    DWORD response = kReceiveMs;
    return WinHttpSetTimeouts(request, kResolveMs, kConnectMs, kSendMs, kReceiveMs) &&
           WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response,
                            sizeof response);
}

}  // namespace

WinHttpTransport::WinHttpTransport(WideString apiBase) : apiBase_(std::move(apiBase)) {}

WinHttpTransport::~WinHttpTransport() = default;

bool WinHttpTransport::Open() {
    if (session_ != nullptr) return true;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(AsWide(apiBase_), 0, 0, &parts) || parts.dwHostNameLength == 0 ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
        return false;
    }
    auto opened = std::make_shared<WinHttpSession>();
    opened->secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    opened->basePath.assign(FromWide(parts.lpszUrlPath), parts.dwUrlPathLength);
    while (!opened->basePath.empty() && opened->basePath.back() == u'/')
        opened->basePath.pop_back();
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    opened->session = WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0);
    if (!opened->session) return false;
    opened->connection = WinHttpConnect(opened->session.Get(), host.c_str(), parts.nPort, 0);
    if (!opened->connection) return false;
    session_ = std::move(opened);
    return true;
}

HttpOutcome WinHttpTransport::Post(const HttpRequest& request, const CancelFlag& cancelled,
                                   HttpReply& reply) {
    reply = HttpReply{};
    if (cancelled) return HttpOutcome::Cancelled;
    if (!Open()) return HttpOutcome::NoConnection;

    auto pending = std::make_shared<PendingRequest>();
    pending->session = session_;
    pending->body = request.body;
    pending->json = request.json;
    pending->finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const std::u16string path = session_->basePath + std::u16string(request.path.View());
    HINTERNET handle = WinHttpOpenRequest(session_->connection.Get(), L"POST", AsWide(path.c_str()),
                                          nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                          session_->secure ? WINHTTP_FLAG_SECURE : 0);
    pending->Adopt(handle);
    if (handle == nullptr || !pending->finished || !SetTimeouts(handle))
        return HttpOutcome::NotSent;

    auto* threadShare = new std::shared_ptr<PendingRequest>(pending);
    const HandleHolder thread(CreateThread(nullptr, 0, RunRequest, threadShare, 0, nullptr));
    if (!thread) {
        delete threadShare;
        return HttpOutcome::NotSent;
    }
    // Never waits for the thread once cancelled: it ends by itself, at the latest when the
    // receive time-out passes, and frees what it holds.
    for (DWORD waited;
         (waited = WaitForSingleObject(pending->finished.Get(), kPollMs)) != WAIT_OBJECT_0;) {
        if (cancelled || waited != WAIT_TIMEOUT) {
            pending->abandoned = true;
            pending->CloseRequest();
            return cancelled ? HttpOutcome::Cancelled : HttpOutcome::NotSent;
        }
    }
    reply = std::move(pending->reply);
    return pending->outcome;
}

}  // namespace scrutor
