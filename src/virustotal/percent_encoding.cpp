#include "virustotal/percent_encoding.h"

#include <string>

namespace scrutor {

namespace {

bool IsUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' || byte == '~';
}

}  // namespace

// UTF-8 rather than a code page: any other character would otherwise reach the server as "?".
WideString PercentEncode(const WideString& text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string out;
    for (const char unit : text.ToUtf8()) {
        const auto byte = static_cast<unsigned char>(unit);
        if (IsUnreserved(byte)) {
            out.push_back(static_cast<char16_t>(byte));
        } else {
            out.push_back(u'%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        }
    }
    return WideString(std::u16string_view(out));
}

}  // namespace scrutor
