// Arbitrary UTF-16 text through the string operations that take positions and counts from
// their callers (search windows, splits, replaces, path parts), the case folding, the
// conversions and the number readers; a found position must hold the needle.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"

namespace {

using scrutor::WideString;
using scrutor::fuzz::Check;

void Positions(const WideString& s, const char16_t* needle, const std::int16_t* n) {
    const std::size_t at = s.Find(needle, true, n[1], n[2], n[3]);
    Check(at == 0 || (at <= s.Length() && s.View().substr(at - 1).starts_with(needle)));
    (void)s.Find(needle, false, n[1], n[2], n[3]);
    scrutor::WideStringList any(s.CStr(), u"|\r\n", false);
    scrutor::WideStringList whole(s.CStr(), needle, true);
    (void)any.Get(static_cast<std::size_t>(n[2]));
    WideString edited(s);
    (void)edited.Replace(needle, u"xy", n[1] % 3, n[0] & 2);
    (void)edited.Mid(s.CStr(), n[2], n[3]);
    (void)edited.Overwrite(needle, n[1]);
    (void)edited.Left(n[2]);
    (void)edited.RemoveRight(n[3]);
    (void)edited.Trim();
}

void Folding(const WideString& s, const char16_t* other) {
    Check(s.EqualsNoCase(other) == (s.CompareNoCase(other) == 0));
    WideString lower(s);
    lower.ToLower();
    Check(lower.EqualsNoCase(s) && lower.Length() == s.Length());
}

void Paths(const WideString& s, const std::int16_t* n) {
    WideString path(s);
    path.ParentDirectory(n[0] & 4);
    path.AddLongPathPrefix();
    path.ExtensionPart();
    WideString name(s);
    name.StripTrailingBackslashes();
    name.FileNamePart();
}

void Conversions(WideString s, const std::uint8_t* bytes, std::size_t size) {
    const std::string utf8 = s.ToUtf8();
    WideString back;
    (void)back.FromUtf8(utf8.c_str());
    char page[64];
    (void)s.ToCodePage437(page, sizeof page - 1);
    (void)back.FromAnsi(page);
    (void)back.FromUtf16BigEndian(s.CStr(), static_cast<std::int64_t>(s.Length()));
    (void)back.FromHexBytes(bytes, size, static_cast<unsigned>(size));
    (void)s.ToInt();
    (void)s.ToLong();
    (void)s.ToDouble();
    (void)s.IsHex();
    (void)s.IsDigits(true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    std::int16_t numbers[4];
    std::memcpy(numbers, data, sizeof numbers);
    scrutor::fuzz::Pieces pieces(data + 8, size - 8);
    const WideString text(pieces.Next());
    const char16_t* needle = pieces.Next();
    Positions(text, needle, numbers);
    Folding(text, needle);
    Paths(text, numbers);
    Conversions(text, data + 8, (size - 8) % 64);
    return 0;
}
