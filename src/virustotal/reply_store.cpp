#include "virustotal/reply_store.h"

#include "foundation/json_reader.h"

namespace scrutor {

namespace {

constexpr std::size_t kShortestKey = 10;
constexpr int kNoticeAbove = 4;

WideString Member(JsonDocument& json, const JsonValue& parent, const char16_t* name) {
    WideString text;
    (void)json.MemberText(&parent, name, text);
    return text;
}

bool Has(JsonDocument& json, const JsonValue& parent, const char16_t* name) {
    JsonValue member;
    return json.FindMember(name, member, &parent);
}

// True when the report was stored.
bool StoreOne(JsonDocument& json, const JsonValue& report, ItemKind kind, ReportStore& store,
              DetectionNotice* notice) {
    WideString key;
    WideString code = Member(json, report, u"response_code");
    if (!Has(json, report, u"response_code")) {
        // A partner report: recognised by its members, whatever their values.
        if (!Has(json, report, u"found") || !Has(json, report, u"hash")) return false;
        key = Member(json, report, u"hash");
        code = u"1";
    } else {
        if (code == u"-1") return false;
        key = Member(json, report, u"md5");
        if (key.IsEmpty()) key = Member(json, report, u"url");
        if (key.IsEmpty()) key = Member(json, report, u"resource");
    }
    if (key.Length() < kShortestKey || code != u"1") return false;
    WideString text;
    (void)json.ValueText(report, text);
    if (notice != nullptr && kind == ItemKind::PartnerFiles &&
        Member(json, report, u"positives").ToInt() > kNoticeAbove) {
        const WideString type = DetectionType(text);
        if (!type.IsEmpty() && type != u"null") notice->Send(key, type);
    }
    return store.Write(key, text);
}

}  // namespace

WideString DetectionType(const WideString& reportJson) {
    JsonDocument json;
    json.Open(reportJson.CStr());
    JsonValue root;
    if (!json.Root(root)) return {};
    JsonValue scans;
    if (!json.FindMember(u"scans", scans, &root)) {
        return Member(json, root, u"detection_ratio").Length() >= 3 ? WideString(u"(resubmit)")
                                                                    : WideString();
    }
    JsonValue engine;
    while (json.NextMember(engine, &scans)) {
        if (Member(json, engine, u"detected") != u"true") continue;
        const WideString result = Member(json, engine, u"result");
        if (result != u"null") return result;
    }
    return {};
}

int StoreReply(const WideString& reply, ItemKind kind, ReportStore& store,
               const CancelFlag& cancelled, DetectionNotice* notice) {
    JsonDocument json;
    json.Open(reply.CStr());
    JsonValue root;
    if (!json.Root(root)) return -5;
    JsonValue list = root;
    if (root.type == kJsonObject) {
        JsonValue data;
        if (!json.FindMember(u"data", data, &root) || data.type != kJsonArray) {
            return StoreOne(json, root, kind, store, notice) ? 1 : -5;
        }
        list = data;
    } else if (root.type != kJsonArray) {
        return -5;
    }
    bool stored = false;
    JsonValue report;
    for (bool more = json.FirstElement(report, &list); more; more = json.NextElement(report, &list)) {
        if (cancelled) return -3;
        if (report.type == kJsonObject && StoreOne(json, report, kind, store, notice)) stored = true;
    }
    return stored ? 1 : -5;
}

}  // namespace scrutor
