#include "virustotal/api_client.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <thread>

namespace scrutor {

namespace {

constexpr int kQuotaExhausted = 204;
constexpr int kQuotaSteps = 500;
constexpr auto kQuotaStep = std::chrono::milliseconds(20);

bool KeyRefused(int status) { return status == 401 || status == 403; }

WideString KeyRefusedText(int status) {
    WideString number;
    number.FromInt32(status);
    WideString text(u"VirusTotal rejected the API key (status ");
    text.Append(number, u"). Check the key in VirusTotalApiKey.");
    return text;
}

// Strict: a reply with a malformed sequence is not text, and stores nothing.
bool WellFormedUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, c = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        const bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
        if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace

bool WaitForQuota(const CancelFlag& cancelled) {
    for (int step = 0; step < kQuotaSteps; ++step) {
        if (cancelled) return false;
        std::this_thread::sleep_for(kQuotaStep);
    }
    return !cancelled;
}

void ApiClient::Report(const WideString& problem) {
    problem_ = problem;
    if (p_.status != nullptr) p_.status->SetStatus(problem);
}

// Sends until the service answers something other than "quota exhausted".
int ApiClient::Post(const HttpRequest& request, ItemKind kind, int& status) {
    for (;;) {
        HttpReply reply;
        switch (p_.transport.Post(request, p_.cancelled, reply)) {
            case HttpOutcome::NoConnection:
                Report(u"The VirusTotal service could not be reached. Check the Internet connection.");
                return -5;
            case HttpOutcome::Cancelled:
                return -3;
            case HttpOutcome::NotSent:
                Report(u"The VirusTotal service did not answer.");
                return 0;
            case HttpOutcome::Answered:
                break;
        }
        status = reply.status;
        if (status == kQuotaExhausted) {
            if (p_.status != nullptr) {
                p_.status->SetStatus(u"Request quota reached, retrying in 10 s \u2026");
            }
            if (!(p_.quotaWait ? p_.quotaWait(p_.cancelled) : WaitForQuota(p_.cancelled))) return -3;
            continue;
        }
        if (reply.body.empty()) return 0;
        if (!WellFormedUtf8(reply.body)) return -5;
        WideString text;
        if (!text.FromUtf8(reply.body.c_str())) return -5;
        return StoreReply(text, kind, p_.store, p_.cancelled, p_.notice);
    }
}

int ApiClient::SendBatch(RequestBatch& batch) {
    if (batch.count == 0 || batch.text.Length() < 10) return -5;
    if (apiKey_.IsEmpty()) {
        Report(u"No VirusTotal API key is set. Write your key as the text value VirusTotalApiKey "
               u"under HKEY_LOCAL_MACHINE\\Software\\ZEP - Zepharion\\Scrutor.");
        batch.Clear();
        return -5;
    }
    int result = 0;
    int status = 0;
    if (batch.kind == ItemKind::PartnerFiles && partnerRefused_) {
        result = LookUpFilesPublicly(batch);
    } else {
        result = Post(BatchRequest(batch, apiKey_), batch.kind, status);
        if (batch.kind == ItemKind::PartnerFiles && (KeyRefused(status) || status == 404)) {
            partnerRefused_ = true;  // a public key: the file report instead, from now on
            result = LookUpFilesPublicly(batch);
        } else if (KeyRefused(status)) {
            Report(KeyRefusedText(status));
        }
    }
    batch.Clear();
    return result;
}

// The public file report takes a few hashes per request.
int ApiClient::LookUpFilesPublicly(const RequestBatch& batch) {
    int best = -5;
    for (std::size_t first = 0; first < batch.keys.size(); first += kHashesPerFileReport) {
        const std::size_t last = std::min(batch.keys.size(), first + kHashesPerFileReport);
        const std::vector<WideString> hashes(batch.keys.begin() + first, batch.keys.begin() + last);
        int status = 0;
        const int result = Post(FileReportRequest(hashes, apiKey_), batch.kind, status);
        if (result == -3) return -3;
        if (KeyRefused(status)) {
            Report(KeyRefusedText(status));
            return 0;
        }
        best = std::max(best, result);
    }
    return best;
}

}  // namespace scrutor
