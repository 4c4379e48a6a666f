#include "virustotal/vt_engine.h"

#include "foundation/json_reader.h"
#include "foundation/wide_string.h"
#include "virustotal/vt_items.h"
#include "virustotal/vt_report.h"

namespace scrutor {

namespace {

constexpr const char16_t* kArrow = u"->";
constexpr const char16_t* kLongPathPrefix = u"\\\\?\\";

bool StartsWith(const WideString& text, std::u16string_view prefix) {
    return text.View().substr(0, prefix.size()) == prefix;
}

WideString Before(const WideString& text, std::size_t position1) {
    return WideString(text.View().substr(0, position1 - 1));
}

WideString After(const WideString& text, std::size_t position1, std::size_t skip) {
    return WideString(text.View().substr(position1 - 1 + skip));
}

}  // namespace

int VtEngine::AnalyzeItems(const WideString& items, const WideString& separator,
                           std::vector<WideString>& itemList) {
    anyResult_ = false;
    if (statusText_.IsEmpty()) {
        statusText_ = u"Analyzing the requested files...";
        if (p_.status != nullptr) p_.status->SetStatus(statusText_);
    }
    RequestBatch files;
    files.kind = ItemKind::PartnerFiles;
    RequestBatch urls;
    urls.kind = ItemKind::Url;
    int total = 0;
    const WideStringList list(items.CStr(), separator.CStr(), true);
    for (std::size_t i = 0; i < list.Count(); ++i) {
        WideString item(list.Get(i));
        itemList.push_back(item);
        const bool carriesHash = (flags_ & kItemsCarryHashes) != 0 && item.Find(kArrow) != 0;
        if (carriesHash || p_.files.Exists(item)) {
            const std::size_t prefix = item.Find(kLongPathPrefix);
            if (prefix != 0 && prefix <= 4) item = After(item, prefix, 4);
            total += AnalyzeItem(item, files);
        } else if (StartsWith(item, u"http") || StartsWith(item, u"www")) {
            total += AnalyzeItem(item, urls);
        }
    }
    if (files.count != 0) total += FlushBatch(files);
    if (urls.count != 0) total += FlushBatch(urls);
    anyResult_ = total > 0;
    return total;
}

std::int8_t VtEngine::AnalyzeItem(const WideString& original, RequestBatch& batch) {
    WideString item = original;
    WideString hash;
    if (const int ended = HashOf(item, batch.kind, hash); ended >= 0) {
        return static_cast<std::int8_t>(ended);
    }
    if (hash.IsEmpty()) return 0;
    Record(item, batch.kind, hash);
    if (CachedReportUsable(hash)) return 2;
    Append(item, hash, batch);
    if (batch.count >= BatchSize(batch.kind)) (void)FlushBatch(batch);
    return 1;
}

int VtEngine::HashOf(WideString& item, ItemKind kind, WideString& hash) {
    WideString seen;
    const std::size_t arrow = item.Find(kArrow);
    if ((flags_ & kItemsCarryHashes) != 0 && arrow != 0) {
        hash = After(item, arrow, 2);
        item = Before(item, arrow);
        return p_.run.Get(item, seen) ? 1 : -1;
    }
    const bool bare = IsBareHash(item);
    if (bare) {
        hash = item;
        hash.ToLower();
    } else if (kind == ItemKind::Url) {
        CutTemplatedQuery(item);
    }
    if (p_.run.Get(item, seen)) return 1;
    if (bare) return -1;
    if (kind == ItemKind::Url) {
        hash = item;
        return -1;
    }
    std::uint64_t size = 0;
    if (p_.files.Size(item, size) && size > kLargestHashedFile) return 1;
    return p_.files.Md5(item, hash) ? -1 : 0;
}

// The run record keeps one run from queuing an item twice, and gives the report its hash.
void VtEngine::Record(const WideString& item, ItemKind kind, const WideString& hash) {
    if (kind == ItemKind::Url) {
        (void)p_.run.Put(item, item);
    } else if (item.Length() > 3 && hash.Length() > 31 && !(item == hash)) {
        (void)p_.run.Put(item, hash);
    }
}

bool VtEngine::CachedReportUsable(const WideString& hash) {
    WideString text;
    if (!p_.store.Read(hash, text) || text.Length() <= 10) return false;
    JsonDocument json;
    json.Open(text.CStr());
    JsonValue root;
    if (!json.Root(root)) return false;
    WideString ratio, code, date;
    (void)json.MemberText(&root, u"detection_ratio", ratio);
    (void)json.MemberText(&root, u"response_code", code);
    (void)json.MemberText(&root, u"scan_date", date);
    return ratio.Length() > 3 || (code == u"1" && date.Length() > 10);
}

void VtEngine::Append(const WideString& item, const WideString& hash, RequestBatch& batch) {
    if (batch.kind == ItemKind::Url) {
        AppendUrl(batch, item);
        return;
    }
    FileEntry entry;
    entry.hash = hash;
    const std::size_t backslash = item.Find(u"\\");
    if (item.Length() > 3 && backslash != 0 && backslash <= 7) entry.imagePath = item;
    (void)p_.files.CreationTime(item, entry.creationTime);
    AppendFile(batch, entry);
}

int VtEngine::FlushBatch(RequestBatch& batch) {
    if (p_.status != nullptr) p_.status->SetStatus(statusText_);
    return p_.sender.SendBatch(batch);
}

}  // namespace scrutor
