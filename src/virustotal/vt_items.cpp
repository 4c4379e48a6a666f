#include "virustotal/vt_items.h"

namespace scrutor {

namespace {

constexpr std::size_t kShortestLine = 50;
constexpr const char16_t* kFileLine =
    u".* \\| ([A-Za-z]:\\\\.+?) \\| .* \\| ([A-Fa-f0-9]{32,64}) \\| .*";
constexpr const char16_t* kUrlLine = u".* \\| (https?://\\S+) \\| .*";

}  // namespace

WideString ItemsFromLines(const std::vector<WideString>& lines) {
    WideString items;
    for (const WideString& line : lines) {
        if (line.Length() < kShortestLine) continue;
        WideString item = line;
        if (item.ReplaceRegex(kFileLine, u"$1->$2", 0) <= 0 &&
            item.ReplaceRegex(kUrlLine, u"$1", 0) <= 0) {
            continue;
        }
        if (!items.IsEmpty()) items.Append(u"|");
        items.Append(item);
    }
    return items;
}

bool IsBareHash(const WideString& item) { return item.Matches(u"^[A-Fa-f0-9]{32,64}$"); }

void CutTemplatedQuery(WideString& url) {
    const std::size_t query = url.Find(u"?");
    if (query != 0 && url.Find(u"{") != 0) url.Left(static_cast<std::int64_t>(query) - 1);
}

}  // namespace scrutor
