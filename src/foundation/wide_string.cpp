#include "foundation/wide_string.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string_view>

namespace scrutor {

namespace {

constexpr char16_t kEmptyText[1] = {0};
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

bool IsTrimSpace(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

// memmove/memcpy with a null pointer are undefined even for zero units.
void MoveUnits(char16_t* to, const char16_t* from, std::size_t count) {
    if (count != 0) std::memmove(to, from, count * sizeof(char16_t));
}

bool MatchesAt(const char16_t* at, const char16_t* needle, std::size_t length, bool caseSensitive) {
    if (caseSensitive) return std::memcmp(at, needle, length * sizeof(char16_t)) == 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (at[i] != needle[i] && FoldAscii(at[i]) != FoldAscii(needle[i])) return false;
    }
    return true;
}

// Whether a unit can start a match of a needle whose first unit folds to `first`. Most
// positions fail here, so the full comparison runs rarely.
bool MayStart(char16_t unit, char16_t first) {
    return unit == first || (first >= u'a' && first <= u'z' && unit == first - (u'a' - u'A'));
}

// First match starting in [from, length - needleLength]; kNotFound when none.
std::size_t FindForward(const char16_t* text, std::size_t length, const char16_t* needle,
                        std::size_t needleLength, bool caseSensitive, std::size_t from) {
    if (needleLength == 0 || needleLength > length) return kNotFound;
    if (caseSensitive) {
        const std::u16string_view haystack(text, length);
        const std::size_t at = haystack.find(std::u16string_view(needle, needleLength), from);
        return at == std::u16string_view::npos ? kNotFound : at;
    }
    const char16_t first = FoldAscii(needle[0]);
    for (std::size_t i = from; i + needleLength <= length; ++i) {
        if (MayStart(text[i], first) && MatchesAt(text + i, needle, needleLength, false)) return i;
    }
    return kNotFound;
}

// Last match starting in [lowest, from]; kNotFound when none.
std::size_t FindBackward(const char16_t* text, const char16_t* needle, std::size_t needleLength,
                         bool caseSensitive, std::size_t lowest, std::size_t from) {
    if (caseSensitive) {
        const std::u16string_view haystack(text, from + needleLength);
        const std::size_t at = haystack.rfind(std::u16string_view(needle, needleLength), from);
        return at == std::u16string_view::npos || at < lowest ? kNotFound : at;
    }
    const char16_t first = FoldAscii(needle[0]);
    for (std::size_t i = from + 1; i-- > lowest;) {
        if (MayStart(text[i], first) && MatchesAt(text + i, needle, needleLength, false)) return i;
    }
    return kNotFound;
}

// Units of a text up to its NUL, but never more than `limit` (the source may be unterminated
// within the part the caller asked for).
std::size_t BoundedLength(const char16_t* text, std::size_t limit) {
    if (text == nullptr) return 0;
    std::size_t length = 0;
    while (length < limit && text[length] != 0) ++length;
    return length;
}

}  // namespace

// ---- Free functions ----

std::size_t TextLength(const char16_t* text) {
    if (text == nullptr) return 0;
    return std::char_traits<char16_t>::length(text);
}

std::size_t ByteLength(const char* text) {
    return text == nullptr ? 0 : std::strlen(text);
}

int Compare(const char16_t* a, const char16_t* b, bool caseSensitive) {
    if (a == b) return 0;
    if (a == nullptr) return -1;
    if (b == nullptr) return 1;
    for (;; ++a, ++b) {
        char16_t ua = *a;
        char16_t ub = *b;
        if (ua != ub && !caseSensitive) {
            ua = FoldAscii(ua);
            ub = FoldAscii(ub);
        }
        if (ua != ub) return ua < ub ? -1 : 1;
        if (ua == 0) return 0;
    }
}

bool EqualsNoCase(const char16_t* a, const char16_t* b) {
    if (a == b) return true;
    if (a == nullptr || b == nullptr) return false;
    return Compare(a, b, false) == 0;
}

bool BytesToHex(const std::uint8_t* bytes, std::size_t count, char16_t* buffer, std::size_t size,
                unsigned flags) {
    if (buffer == nullptr || (bytes == nullptr && count != 0)) return false;
    if (count > (static_cast<std::size_t>(-1) - 3) / 2) return false;
    const bool prefix = (flags & kHexPrefix) != 0;
    const std::size_t needed = count * 2 + 1 + (prefix ? 2 : 0);
    if (size < needed) return false;
    const char* digits = (flags & kHexLower) != 0 ? "0123456789abcdef" : "0123456789ABCDEF";
    char16_t* out = buffer;
    if (prefix) {
        *out++ = u'0';
        *out++ = u'x';
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = (flags & kHexReverse) != 0 ? bytes[count - 1 - i] : bytes[i];
        *out++ = static_cast<char16_t>(digits[byte >> 4]);
        *out++ = static_cast<char16_t>(digits[byte & 0x0F]);
    }
    *out = 0;
    return true;
}

TextPart::TextPart(const WideString& text) : text_(text.CStr()) {}

// ---- Storage ----

char16_t* WideString::AllocateBuffer(std::size_t units) {
    // Running out of memory is fatal for this program; there is no sensible partial state.
    if (units >= static_cast<std::size_t>(-1) / sizeof(char16_t) - 1) std::abort();
    void* block = std::malloc((units + 1) * sizeof(char16_t));
    if (block == nullptr) std::abort();
    return static_cast<char16_t*>(block);
}

void WideString::FreeBuffer(char16_t* buffer) {
    std::free(buffer);
}

WideString::WideString(const WideString& other) {
    AssignParts({TextPart(other)});
}

WideString::WideString(WideString&& other) noexcept
    : buffer_(other.buffer_), length_(other.length_), status_(other.status_) {
    other.buffer_ = nullptr;
    other.length_ = 0;
}

WideString::WideString(const char16_t* text) {
    AssignParts({TextPart(text)});
}

WideString::WideString(char16_t* text, bool copy) {
    if (copy) {
        AssignParts({TextPart(text)});
    } else {
        buffer_ = text;
    }
}

WideString::WideString(const char16_t* a, const char16_t* b, const char16_t* c, const char16_t* d) {
    AssignParts({a, b, c, d});
}

WideString::WideString(std::u16string_view text) {
    // An embedded NUL ends the text, as it would for any reader of the buffer.
    const std::size_t length = std::min(text.size(), text.find(u'\0'));
    char16_t* buffer = AllocateBuffer(length);
    MoveUnits(buffer, text.data(), length);
    buffer[length] = 0;
    TakeBuffer(buffer, length);
}

WideString::~WideString() {
    FreeBuffer(buffer_);
}

WideString& WideString::operator=(const WideString& other) {
    if (this != &other) AssignParts({TextPart(other)});
    status_ = true;
    return *this;
}

WideString& WideString::operator=(WideString&& other) noexcept {
    if (this != &other) {
        FreeBuffer(buffer_);
        buffer_ = other.buffer_;
        length_ = other.length_;
        status_ = other.status_;
        other.buffer_ = nullptr;
        other.length_ = 0;
    }
    return *this;
}

WideString& WideString::operator=(const char16_t* text) {
    AssignParts({TextPart(text)});
    return *this;
}

void WideString::TakeBuffer(char16_t* buffer, std::size_t length) {
    if (buffer != buffer_) FreeBuffer(buffer_);
    buffer_ = buffer;
    length_ = length;
}

// The new buffer is complete before the old one goes, so parts may point into it.
void WideString::AssignParts(std::initializer_list<TextPart> parts) {
    std::size_t lengths[kMaxParts + 1] = {};
    std::size_t total = 0;
    std::size_t index = 0;
    for (const TextPart& part : parts) {
        lengths[index] = TextLength(part.text_);
        total += lengths[index++];
    }
    char16_t* buffer = AllocateBuffer(total);
    char16_t* out = buffer;
    index = 0;
    for (const TextPart& part : parts) {
        MoveUnits(out, part.text_, lengths[index]);
        out += lengths[index++];
    }
    *out = 0;
    TakeBuffer(buffer, total);
    status_ = true;
}

void WideString::AppendParts(std::initializer_list<TextPart> parts) {
    std::size_t lengths[kMaxParts] = {};
    const std::size_t oldLength = Length();
    std::size_t total = oldLength;
    std::size_t index = 0;
    for (const TextPart& part : parts) {
        lengths[index] = TextLength(part.text_);
        total += lengths[index++];
    }
    char16_t* buffer = AllocateBuffer(total);
    MoveUnits(buffer, buffer_, oldLength);
    char16_t* out = buffer + oldLength;
    index = 0;
    for (const TextPart& part : parts) {
        MoveUnits(out, part.text_, lengths[index]);
        out += lengths[index++];
    }
    *out = 0;
    TakeBuffer(buffer, total);
    status_ = true;
}

void WideString::Prepend(TextPart a, TextPart b, TextPart c) {
    AssignParts({a, b, c, TextPart(*this)});
}

void WideString::Attach(char16_t* heapBuffer) {
    TakeBuffer(heapBuffer, 0);
    status_ = true;
}

char16_t* WideString::Detach() {
    char16_t* buffer = buffer_;
    buffer_ = nullptr;
    length_ = 0;
    return buffer;
}

void WideString::Clear() {
    TakeBuffer(nullptr, 0);
    status_ = true;
}

void WideString::Empty() {
    if (buffer_ != nullptr) buffer_[0] = 0;
    length_ = 0;
    status_ = true;
}

char16_t* WideString::GetBuffer(std::size_t units, const char16_t* source, bool zero) {
    char16_t* buffer = AllocateBuffer(units);
    if (zero) std::fill_n(buffer, units, char16_t{0});
    const std::size_t copied = BoundedLength(source, units);
    MoveUnits(buffer, source, copied);
    buffer[copied] = 0;
    buffer[units] = 0;
    TakeBuffer(buffer, 0);
    status_ = true;
    return buffer;
}

const char16_t* WideString::CStr() const {
    return buffer_ != nullptr ? buffer_ : kEmptyText;
}

char16_t* WideString::CharAt(std::size_t index) {
    if (buffer_ == nullptr) {
        buffer_ = AllocateBuffer(0);
        buffer_[0] = 0;
    }
    // Clamped so that a bad index can at worst reach the terminator, never past it.
    const std::size_t clamped = std::min(index, Length());
    length_ = 0;
    return buffer_ + clamped;
}

const char16_t* WideString::PointerAt(std::int64_t position) const {
    if (position < 1) return CStr();
    const std::size_t length = Length();
    if (static_cast<std::uint64_t>(position) > length) return CStr() + length;
    return CStr() + (position - 1);
}

std::size_t WideString::Length() const {
    if (length_ == 0 && buffer_ != nullptr) length_ = TextLength(buffer_);
    return length_;
}

bool WideString::IsEmpty() const {
    return buffer_ == nullptr || buffer_[0] == 0;
}

bool WideString::CopyTo(char16_t* buffer, std::int64_t size) {
    if (buffer == nullptr) return status_ = false;
    std::size_t count = Length();
    if (size >= 1) count = std::min(count, static_cast<std::size_t>(size - 1));
    MoveUnits(buffer, buffer_, count);
    buffer[count] = 0;
    return status_ = true;
}

bool WideString::PointsInside(const char16_t* text) const {
    if (buffer_ == nullptr || text == nullptr) return false;
    const std::less<const char16_t*> less;
    return !less(text, buffer_) && !less(buffer_ + Length(), text);
}

// ---- Comparison ----

// A null text on either side reads as empty here, as everywhere for the string's own content.
bool WideString::EqualsNoCase(const char16_t* text) const {
    return Compare(CStr(), text != nullptr ? text : kEmptyText, false) == 0;
}

bool WideString::EqualsNoCase(const WideString& text) const {
    return Compare(CStr(), text.CStr(), false) == 0;
}

int WideString::CompareNoCase(const char16_t* text) const {
    return Compare(CStr(), text != nullptr ? text : kEmptyText, false);
}

bool WideString::operator==(const WideString& other) const {
    return View() == other.View();
}

bool WideString::operator==(const char16_t* text) const {
    return Compare(CStr(), text != nullptr ? text : kEmptyText, true) == 0;
}

// ---- Search ----

std::size_t WideString::Find(const char16_t* needle, bool caseSensitive, int occurrence,
                             std::int64_t start, std::int64_t count) const {
    const std::size_t needleLength = TextLength(needle);
    const std::size_t length = Length();
    if (start < 1) start = 1;
    if (occurrence == 0) occurrence = 1;
    if (needleLength == 0 || length == 0 || needleLength > length) return 0;
    if (static_cast<std::uint64_t>(start) > length - needleLength + 1) return 0;
    const std::size_t first = static_cast<std::size_t>(start - 1);
    std::size_t window = length - first;
    if (count >= 1) {
        const auto wanted = static_cast<std::uint64_t>(count);
        if (wanted <= window && wanted < needleLength) return 0;
        window = static_cast<std::size_t>(std::min<std::uint64_t>(window, wanted));
    }
    const std::size_t last = first + window - needleLength;
    const char16_t* text = CStr();
    std::int64_t seen = 0;
    // Matches may overlap: the next search starts one unit after the last hit.
    if (occurrence > 0) {
        for (std::size_t i = first;; ++i) {
            i = FindForward(text, first + window, needle, needleLength, caseSensitive, i);
            if (i == kNotFound) return 0;
            if (++seen == occurrence) return i + 1;
        }
    }
    const std::int64_t wanted = -static_cast<std::int64_t>(occurrence);
    for (std::size_t i = last;; --i) {
        i = FindBackward(text, needle, needleLength, caseSensitive, first, i);
        if (i == kNotFound) return 0;
        if (++seen == wanted) return i + 1;
        if (i == first) return 0;
    }
}

// ---- Substrings and edits ----

void WideString::Truncate(std::size_t length) {
    if (buffer_ == nullptr) return;
    buffer_[length] = 0;
    length_ = length;
}

void WideString::DropFront(std::size_t count) {
    const std::size_t length = Length();
    if (buffer_ == nullptr || count == 0) return;
    MoveUnits(buffer_, buffer_ + count, length - count + 1);
    length_ = length - count;
}

bool WideString::Left(std::int64_t n) {
    if (n < 0 || static_cast<std::uint64_t>(n) > Length()) return status_ = false;
    Truncate(static_cast<std::size_t>(n));
    return status_ = true;
}

bool WideString::Right(std::int64_t n) {
    if (n < 0 || static_cast<std::uint64_t>(n) > Length()) return status_ = false;
    DropFront(Length() - static_cast<std::size_t>(n));
    return status_ = true;
}

bool WideString::RemoveLeft(std::int64_t n) {
    const std::size_t length = Length();
    DropFront(static_cast<std::size_t>(std::clamp<std::int64_t>(n, 0, length)));
    return status_ = true;
}

bool WideString::RemoveRight(std::int64_t n) {
    const std::size_t length = Length();
    Truncate(length - static_cast<std::size_t>(std::clamp<std::int64_t>(n, 0, length)));
    return status_ = true;
}

bool WideString::Mid(const char16_t* text, std::int64_t start, std::int64_t count) {
    if (text == nullptr) {
        Clear();
        return status_ = false;
    }
    // A start beyond the text gives the empty string instead of reading past its end.
    const std::size_t textLength = TextLength(text);
    const std::size_t from =
        static_cast<std::size_t>(std::min<std::uint64_t>(start < 1 ? 0 : start - 1, textLength));
    std::size_t units = textLength - from;
    if (count >= 1) units = static_cast<std::size_t>(std::min<std::uint64_t>(units, count));
    char16_t* buffer = AllocateBuffer(units);
    MoveUnits(buffer, text + from, units);
    buffer[units] = 0;
    TakeBuffer(buffer, units);
    return status_ = true;
}

bool WideString::Overwrite(const char16_t* text, std::int64_t position) {
    const std::size_t length = Length();
    if (position < 1 || static_cast<std::uint64_t>(position) > length) return status_ = false;
    const std::size_t at = static_cast<std::size_t>(position - 1);
    MoveUnits(buffer_ + at, text, std::min(TextLength(text), length - at));
    return status_ = true;
}

bool WideString::Replace(const char16_t* find, const char16_t* replacement, int occurrence,
                         bool caseSensitive) {
    if (IsEmpty() || TextLength(find) == 0) return status_ = false;
    // Texts that live inside this string would change under the rewrite: work on copies.
    WideString findCopy;
    WideString replacementCopy;
    if (PointsInside(find)) {
        findCopy = find;
        find = findCopy.CStr();
    }
    if (PointsInside(replacement)) {
        replacementCopy = replacement;
        replacement = replacementCopy.CStr();
    }
    if (occurrence != 0) return ReplaceOne(find, replacement, occurrence, caseSensitive);
    return ReplaceAll(find, replacement, caseSensitive);
}

bool WideString::ReplaceOne(const char16_t* find, const char16_t* replacement, int occurrence,
                            bool caseSensitive) {
    const std::size_t position = Find(find, caseSensitive, occurrence, 1, 0);
    if (position == 0) return status_ = false;
    const std::size_t length = Length();
    const std::size_t findLength = TextLength(find);
    const std::size_t replacementLength = TextLength(replacement);
    const std::size_t head = position - 1;
    const std::size_t tail = length - head - findLength;
    const std::size_t total = head + replacementLength + tail;
    char16_t* buffer = AllocateBuffer(total);
    MoveUnits(buffer, buffer_, head);
    MoveUnits(buffer + head, replacement, replacementLength);
    MoveUnits(buffer + head + replacementLength, buffer_ + head + findLength, tail);
    buffer[total] = 0;
    TakeBuffer(buffer, total);
    return status_ = true;
}

// Non-overlapping matches, left to right. When the text does not grow the output never
// overtakes the input, so the rewrite can happen in the old buffer.
bool WideString::ReplaceAll(const char16_t* find, const char16_t* replacement, bool caseSensitive) {
    const std::size_t length = Length();
    const std::size_t findLength = TextLength(find);
    const std::size_t replacementLength = TextLength(replacement);
    std::size_t matches = 0;
    for (std::size_t at = 0;; at += findLength, ++matches) {
        at = FindForward(buffer_, length, find, findLength, caseSensitive, at);
        if (at == kNotFound) break;
    }
    if (matches == 0) return status_ = false;
    const bool inPlace = replacementLength <= findLength;
    const std::size_t total = inPlace ? length - matches * (findLength - replacementLength)
                                      : length + matches * (replacementLength - findLength);
    char16_t* out = inPlace ? buffer_ : AllocateBuffer(total);
    std::size_t read = 0;
    std::size_t written = 0;
    for (std::size_t found = 0; found < matches; ++found) {
        const std::size_t at = FindForward(buffer_, length, find, findLength, caseSensitive, read);
        MoveUnits(out + written, buffer_ + read, at - read);
        written += at - read;
        MoveUnits(out + written, replacement, replacementLength);
        written += replacementLength;
        read = at + findLength;
    }
    MoveUnits(out + written, buffer_ + read, length - read);
    out[total] = 0;
    TakeBuffer(out, total);
    return status_ = true;
}

bool WideString::Trim() {
    if (IsEmpty()) return status_ = false;
    const std::size_t length = Length();
    std::size_t end = length;
    while (end > 0 && IsTrimSpace(buffer_[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && IsTrimSpace(buffer_[begin])) ++begin;
    Truncate(end);
    DropFront(begin);
    return status_ = true;
}

void WideString::ToLower() {
    if (buffer_ != nullptr) {
        for (char16_t* unit = buffer_; *unit != 0; ++unit) *unit = FoldAscii(*unit);
    }
    status_ = true;
}

}  // namespace scrutor
