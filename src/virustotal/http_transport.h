#pragma once

// One HTTP POST to the service, cancellable, behind an interface so the request logic is
// tested without a network.
#include <string>

#include "foundation/wide_string.h"
#include "virustotal/vt_sources.h"

namespace scrutor {

struct HttpRequest {
    WideString path;      // with its query, e.g. "/vtapi/v2/url/report"
    std::string body;     // the bytes to send
    bool json = false;    // adds "Content-Type: application/json; charset=utf-8"
};

enum class HttpOutcome {
    Answered,      // status and body are set (the body may be empty)
    NotSent,       // could not be sent, or no answer came
    Cancelled,     // the flag was set while the request was out
    NoConnection,  // no network, or the session could not be opened
};

struct HttpReply {
    int status = 0;
    std::string body;  // at most kLargestReply bytes; cut at a whole chunk
};

// Replies larger than this are cut (and then usually fail to parse, storing nothing).
inline constexpr std::size_t kLargestReply = 16u << 20;

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // Returns within about 10 ms of `cancelled` being set, whatever the server does.
    [[nodiscard]] virtual HttpOutcome Post(const HttpRequest& request, const CancelFlag& cancelled,
                                           HttpReply& reply) = 0;
};

}  // namespace scrutor
