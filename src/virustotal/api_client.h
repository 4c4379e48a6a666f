#pragma once

// Sends batches to the service and keeps what it answers.
#include <functional>

#include "foundation/wide_string.h"
#include "virustotal/http_transport.h"
#include "virustotal/reply_store.h"
#include "virustotal/request_batch.h"

namespace scrutor {

// Where the analysis shows what it is doing.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void SetStatus(const WideString& text) = 0;
};

class BatchSender {
public:
    virtual ~BatchSender() = default;
    // -5: not sendable or no connection; -3: cancelled; 0: not answered; else what was stored.
    [[nodiscard]] virtual int SendBatch(RequestBatch& batch) = 0;
};

// The wait after a "quota exhausted" reply: false when cancelled meanwhile.
using QuotaWait = std::function<bool(const CancelFlag&)>;

class ApiClient final : public BatchSender {
public:
    struct Parts {
        HttpTransport& transport;
        ReportStore& store;
        const CancelFlag& cancelled;
        StatusSink* status = nullptr;
        DetectionNotice* notice = nullptr;
        QuotaWait quotaWait;
    };
    ApiClient(Parts parts, WideString apiKey) : p_(std::move(parts)), apiKey_(std::move(apiKey)) {}

    [[nodiscard]] int SendBatch(RequestBatch& batch) override;

    // Why nothing could be looked up, in words for the technician; empty when all went well.
    [[nodiscard]] const WideString& Problem() const { return problem_; }

private:
    [[nodiscard]] int Post(const HttpRequest& request, ItemKind kind, int& status);
    [[nodiscard]] int LookUpFilesPublicly(const RequestBatch& batch);
    void Report(const WideString& problem);

    Parts p_;
    WideString apiKey_;
    bool partnerRefused_ = false;  // the key works only for the public file report
    WideString problem_;
};

// The wait of the real client: 500 times 20 ms.
[[nodiscard]] bool WaitForQuota(const CancelFlag& cancelled);

}  // namespace scrutor
