#include "foundation/endpoints.h"

#include <array>

namespace scrutor {

namespace {

struct EndpointRow {
    const char16_t* valueName;
    const char16_t* defaultUrl;
};

// The one place the built-in addresses live; the README tells users how to override them.
constexpr std::array<EndpointRow, static_cast<std::size_t>(Endpoint::kCount)> kEndpoints{{
    {u"SearchUrl", u"https://www.google.com"},
    {u"FileLibraryUrl", u"https://www.runscanner.net"},
    {u"HelpSiteUrl", u"http://www.zepharion.com"},
    {u"VirusTotalApiUrl", u"https://www.virustotal.com"},
    {u"VirusTotalHomeUrl", u"https://www.virustotal.com"},
    {u"ReportServiceUrl", u"https://www.zepharion.com"},
    {u"RescanServiceUrl", u"https://www.zepharion.com"},
}};

const EndpointRow& RowOf(Endpoint endpoint) {
    const auto index = static_cast<std::size_t>(endpoint);
    return kEndpoints[index < kEndpoints.size() ? index : 0];
}

bool StartsWithNoCase(const WideString& text, const char16_t* prefix) {
    const std::size_t length = TextLength(prefix);
    return text.Length() > length && text.Find(prefix, false, 1, 1, length) == 1;
}

// Only web addresses: anything else would hand the shell a command or a local file.
bool IsWebUrl(const WideString& text) {
    return StartsWithNoCase(text, u"http://") || StartsWithNoCase(text, u"https://");
}

}  // namespace

const char16_t* EndpointValueName(Endpoint endpoint) { return RowOf(endpoint).valueName; }
const char16_t* DefaultEndpointUrl(Endpoint endpoint) { return RowOf(endpoint).defaultUrl; }

WideString EndpointUrl(Endpoint endpoint, const WideString& configured) {
    WideString trimmed = configured;
    (void)trimmed.Trim();
    // The fixed paths bring their own leading slash.
    std::u16string_view view = trimmed.View();
    while (!view.empty() && view.back() == u'/') view.remove_suffix(1);
    WideString url(view);
    return IsWebUrl(url) ? url : WideString(DefaultEndpointUrl(endpoint));
}

}  // namespace scrutor
