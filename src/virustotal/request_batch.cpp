#include "virustotal/request_batch.h"

#include "foundation/percent_encoding.h"

namespace scrutor {

namespace {

// A member value inside double quotes: quotes, backslashes and control characters escaped.
void AppendJsonString(WideString& out, const WideString& value) {
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    std::u16string text = u"\"";
    for (const char16_t c : value.View()) {
        if (c == u'"' || c == u'\\') {
            text += u'\\';
            text += c;
        } else if (c < 0x20) {
            text += u"\\u00";
            text += kHex[c >> 4];
            text += kHex[c & 0xF];
        } else {
            text += c;
        }
    }
    text += u'"';
    out.Append(WideString(std::u16string_view(text)));
}

void AppendMember(WideString& object, const char16_t* name, const WideString& value) {
    if (value.IsEmpty()) return;
    if (object.Length() > 1) object.Append(u", ");
    object.Append(u"\"", name, u"\": ");
    AppendJsonString(object, value);
}

std::string Utf8Body(const WideString& text) { return text.ToUtf8(); }

}  // namespace

std::uint32_t BatchSize(ItemKind kind) { return kind == ItemKind::Url ? 10 : 25; }

void AppendUrl(RequestBatch& batch, const WideString& url) {
    if (batch.count != 0) batch.text.Append(u"\n");
    batch.text.Append(url);
    batch.keys.push_back(url);
    ++batch.count;
}

void AppendFile(RequestBatch& batch, const FileEntry& file) {
    WideString object(u"{");
    AppendMember(object, u"hash", file.hash);
    AppendMember(object, u"image_path", file.imagePath);
    AppendMember(object, u"creation_datetime", file.creationTime);
    object.Append(u"}");
    if (batch.count != 0) batch.text.Append(u", ");
    batch.text.Append(object);
    batch.keys.push_back(file.hash);
    ++batch.count;
}

HttpRequest BatchRequest(const RequestBatch& batch, const WideString& apiKey) {
    HttpRequest request;
    if (batch.kind == ItemKind::Url) {
        request.path = u"/vtapi/v2/url/report";
        WideString form;
        form.Append(u"resource=", PercentEncode(batch.text), u"&apikey=");
        form.Append(PercentEncode(apiKey));
        request.body = Utf8Body(form);  // plain ASCII once encoded
        return request;
    }
    request.path.Append(u"/partners/sysinternals/file-reports?apikey=", PercentEncode(apiKey));
    WideString array(u"[");
    array.Append(batch.text, batch.count == 1 ? u",{}]" : u"]");
    request.body = Utf8Body(array);
    request.json = true;
    return request;
}

HttpRequest FileReportRequest(const std::vector<WideString>& hashes, const WideString& apiKey) {
    WideString resources;
    for (const WideString& hash : hashes) {
        if (!resources.IsEmpty()) resources.Append(u",");
        resources.Append(hash);
    }
    HttpRequest request;
    request.path = u"/vtapi/v2/file/report";
    WideString form;
    form.Append(u"resource=", PercentEncode(resources), u"&apikey=");
    form.Append(PercentEncode(apiKey));
    request.body = Utf8Body(form);
    return request;
}

}  // namespace scrutor
