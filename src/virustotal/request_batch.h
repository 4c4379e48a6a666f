#pragma once

// The items of one request to the service, and the request they make.
#include <cstdint>
#include <vector>

#include "foundation/wide_string.h"
#include "virustotal/http_transport.h"

namespace scrutor {

enum class ItemKind : std::uint32_t {
    Url = 0x11,           // URL report, ten per request
    PartnerFiles = 0x40,  // partner batch of files, 25 per request
};

struct RequestBatch {
    ItemKind kind = ItemKind::PartnerFiles;
    std::uint32_t count = 0;
    WideString text;                // URLs joined by line feeds, or JSON objects
    std::vector<WideString> keys;   // each item's hash or URL, for the lookups that follow
    void Clear() {
        count = 0;
        text.Clear();
        keys.clear();
    }
};

[[nodiscard]] std::uint32_t BatchSize(ItemKind kind);

// What the partner batch says of one file; empty members are left out.
struct FileEntry {
    WideString hash;
    WideString imagePath;
    WideString creationTime;  // "YYYY/MM/DD hh:mm:ss" UTC
};

void AppendUrl(RequestBatch& batch, const WideString& url);
void AppendFile(RequestBatch& batch, const FileEntry& file);

// The request of a batch: the URL report as a form (its URLs percent-encoded), the partner
// batch as a JSON array ("[{...},{}]" for a single item).
[[nodiscard]] HttpRequest BatchRequest(const RequestBatch& batch, const WideString& apiKey);

// The public file report for up to four hashes, for keys the partner endpoint refuses.
[[nodiscard]] HttpRequest FileReportRequest(const std::vector<WideString>& hashes,
                                            const WideString& apiKey);
inline constexpr std::size_t kHashesPerFileReport = 4;

}  // namespace scrutor
