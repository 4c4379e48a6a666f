// Arbitrary UTF-16 text through the string operations that take positions and
// counts from their callers: search windows, splits, replaces, path helpers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/wide_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    std::int16_t numbers[4];
    std::memcpy(numbers, data, sizeof numbers);
    data += 8;
    size -= 8;
    std::vector<char16_t> units(size / 2 + 1, 0);
    std::memcpy(units.data(), data, size / 2 * 2);
    units.back() = 0;
    const char16_t* text = units.data();
    const std::size_t length = std::char_traits<char16_t>::length(text);
    const char16_t* needle = text + (length > 3 ? length - 3 : length);

    scrutor::WideString s(text);
    (void)s.Find(needle, numbers[0] & 1, numbers[1], numbers[2], numbers[3]);
    scrutor::WideStringList any(text, u"|\r\n", false);
    scrutor::WideStringList whole(text, needle, true);
    (void)any.Get(static_cast<std::size_t>(numbers[2]));
    scrutor::WideString edited(text);
    (void)edited.Replace(needle, u"xy", numbers[1] % 3, numbers[0] & 2);
    (void)edited.Mid(text, numbers[2], numbers[3]);
    (void)edited.Overwrite(needle, numbers[1]);
    scrutor::WideString path(text);
    path.ParentDirectory(numbers[0] & 4);
    path.AddLongPathPrefix();
    path.ExtensionPart();
    scrutor::WideString number(text);
    (void)number.ToInt();
    (void)number.ToDouble();
    (void)number.IsHex();
    return 0;
}
