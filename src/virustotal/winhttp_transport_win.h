#pragma once

// The service's requests over WinHTTP: one session and connection per transport, a request
// handle and a thread per request, so that a cancel never waits for the network.
#include <memory>

#include "foundation/wide_string.h"
#include "virustotal/http_transport.h"

namespace scrutor {

struct WinHttpSession;

class WinHttpTransport final : public HttpTransport {
public:
    // apiBase: "https://host" or "http://127.0.0.1:8080[/base]"; the scheme decides TLS and the
    // default port, a path is put in front of every request's path.
    explicit WinHttpTransport(WideString apiBase);
    ~WinHttpTransport() override;
    WinHttpTransport(const WinHttpTransport&) = delete;
    WinHttpTransport& operator=(const WinHttpTransport&) = delete;

    [[nodiscard]] HttpOutcome Post(const HttpRequest& request, const CancelFlag& cancelled,
                                   HttpReply& reply) override;

    // A request was made: the session and the connection are open.
    [[nodiscard]] bool Connected() const { return session_ != nullptr; }
    // Expires once the session's handles are closed: with the transport, or after it, when
    // the last abandoned request has ended.
    [[nodiscard]] std::weak_ptr<const void> SessionLifetime() const { return session_; }

private:
    [[nodiscard]] bool Open();

    WideString apiBase_;
    std::shared_ptr<WinHttpSession> session_;
};

}  // namespace scrutor
