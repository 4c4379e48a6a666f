// Items, their hashes and the service's reports from the input, written as the report page
// (and the items taken from log lines). Nothing from the input may open a script on it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "virustotal/memory_stores.h"
#include "virustotal/vt_items.h"
#include "virustotal/vt_report.h"

namespace {

using namespace scrutor;

// A file exists when its name has an odd length; its hash is what the run recorded.
struct Files final : FileFacts {
    bool Exists(const WideString& path) const override { return path.Length() % 2 == 1; }
    bool Size(const WideString& path, std::uint64_t& bytes) const override {
        bytes = std::uint64_t{path.Length()} << 24;
        return true;
    }
    bool Md5(const WideString& path, WideString& hex) const override {
        return run.Get(path, hex);
    }
    bool CreationTime(const WideString&, WideString&) const override { return false; }
    MemoryRunRecord run;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Pieces pieces(data, size);
    const unsigned flags = pieces.Number();
    Files files;
    MemoryReportStore store;
    std::vector<WideString> items;
    while (!pieces.AtEnd() && items.size() < 20) {
        items.emplace_back(pieces.Next());
        const WideString hash(pieces.Next());
        if (!hash.IsEmpty()) (void)files.run.Put(items.back(), hash);
        (void)store.Write(hash, pieces.Next());
    }
    ReportContext context{store, files.run, files, DayNumberOf(2024, 1, 27),
                          flags & 1 ? kItemsCarryHashes : 0};
    ReportPage page{u"logo.png", 200, 110, u"https://www.virustotal.com", u"https://r.example", {}};
    page.encrypt = [](const WideString& text, WideString& hex) { return hex.FromHexBytes(
        reinterpret_cast<const std::uint8_t*>(text.CStr()), text.Length() * 2); };
    const ReportHtml html = BuildReportHtml(items, context, page);
    fuzz::Check(html.blocks == static_cast<int>(items.size()));
    fuzz::Check(html.text.Find(u"<script", false) == 0);
    for (const WideString& item : items) (void)ResultText(item, context, true);

    WideString joined = ItemsFromLines(items);
    CutTemplatedQuery(joined);
    (void)IsBareHash(joined);
    return 0;
}
