// A reply of the service from the input: kept report by report in a store in memory, and read
// as one report. What is stored, and every key a detection notice names, can be read back.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "virustotal/memory_stores.h"
#include "virustotal/reply_store.h"
#include "virustotal/vt_report.h"

namespace {

using namespace scrutor;

struct Notices final : DetectionNotice {
    void Send(const WideString& key, const WideString&) override { keys.push_back(key); }
    std::vector<WideString> keys;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Pieces pieces(data, size);
    const unsigned choice = pieces.Number();
    const WideString reply(pieces.Next());
    MemoryReportStore store;
    Notices notices;
    const CancelFlag cancelled{false};
    const ItemKind kind = choice & 1 ? ItemKind::Url : ItemKind::PartnerFiles;
    const int stored = StoreReply(reply, kind, store, cancelled, &notices);
    fuzz::Check((stored == 1 && store.Count() > 0) || (stored == -5 && store.Count() == 0));
    WideString json;
    for (const WideString& key : notices.keys) fuzz::Check(store.Read(key, json));
    VtReport report;
    (void)ParseReport(reply, choice & 2, DayNumberOf(2024, 1, 1 + (choice >> 2) % 400), report);
    (void)DetectionType(reply);
    return 0;
}
