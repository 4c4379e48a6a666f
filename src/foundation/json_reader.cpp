#include "foundation/json_reader.h"

#include <atomic>
#include <limits>
#include <string_view>

namespace scrutor {
namespace {

constexpr std::size_t kNotFound = std::numeric_limits<std::size_t>::max();

// Every opened text gets a generation of its own, so a value found in another document,
// or in an earlier text of the same one, never matches: an address would not fit the
// 32-bit field on 64-bit builds. Zero is kept for "nothing opened".
std::uint32_t NewGeneration() {
    static std::atomic<std::uint32_t> counter{0};
    std::uint32_t generation = 0;
    while (generation == 0) generation = counter.fetch_add(1, std::memory_order_relaxed) + 1;
    return generation;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Block comments nest; an unterminated one runs to the limit.
std::size_t SkipBlockComment(const char16_t* text, std::size_t pos, std::size_t limit) {
    std::size_t depth = 1;
    pos += 2;
    while (pos < limit && depth > 0) {
        const bool pair = pos + 1 < limit;
        if (pair && text[pos] == u'/' && text[pos + 1] == u'*') {
            ++depth;
            pos += 2;
        } else if (pair && text[pos] == u'*' && text[pos + 1] == u'/') {
            --depth;
            pos += 2;
        } else {
            ++pos;
        }
    }
    return pos;
}

// A line comment ends after the first CR or LF.
std::size_t SkipLineComment(const char16_t* text, std::size_t pos, std::size_t limit) {
    for (pos += 2; pos < limit;) {
        if (IsLineBreak(text[pos++])) break;
    }
    return pos;
}

std::size_t SkipBlanks(const char16_t* text, std::size_t pos, std::size_t limit) {
    while (pos < limit) {
        if (IsBlank(text[pos])) {
            ++pos;
        } else if (text[pos] == u'/' && pos + 1 < limit && text[pos + 1] == u'/') {
            pos = SkipLineComment(text, pos, limit);
        } else if (text[pos] == u'/' && pos + 1 < limit && text[pos + 1] == u'*') {
            pos = SkipBlockComment(text, pos, limit);
        } else {
            break;
        }
    }
    return pos;
}

// From an opening quote: the offset of the closing quote, or kNotFound.
std::size_t SkipString(const char16_t* text, std::size_t pos, std::size_t limit) {
    for (std::size_t i = pos + 1; i < limit; ++i) {
        if (IsLineBreak(text[i])) return kNotFound;
        if (text[i] == u'"') return i;
        if (text[i] == u'\\' && (++i >= limit || IsLineBreak(text[i]))) return kNotFound;
    }
    return kNotFound;
}

// From "{" or "[": the offset of the partner that balances it, counting only that
// bracket pair and passing over strings; kNotFound when the limit comes first.
std::size_t SkipBracketed(const char16_t* text, std::size_t pos, std::size_t limit) {
    const char16_t open = text[pos];
    const char16_t close = open == u'{' ? u'}' : u']';
    std::size_t depth = 0;
    for (std::size_t i = pos; i < limit; ++i) {
        if (text[i] == u'"') {
            i = SkipString(text, i, limit);
            if (i == kNotFound) return kNotFound;
        } else if (text[i] == open) {
            ++depth;
        } else if (text[i] == close && --depth == 0) {
            return i;
        }
    }
    return kNotFound;
}

bool HasWord(const char16_t* text, std::size_t pos, std::size_t limit, std::u16string_view word) {
    if (limit - pos < word.size()) return false;
    return std::u16string_view(text + pos, word.size()) == word;
}

// Digits and dots after the sign or first digit; no exponent is read.
std::size_t NumberEnd(const char16_t* text, std::size_t pos, std::size_t limit, int& type) {
    type = kJsonInteger;
    std::size_t i = pos + 1;
    for (; i < limit && (IsDigit(text[i]) || text[i] == u'.'); ++i) {
        if (text[i] == u'.') type = kJsonDecimal;
    }
    return i - 1;
}

// The one-letter escapes; any other character stands for itself.
char16_t SimpleEscape(char16_t c) {
    constexpr std::u16string_view kLetters = u"bfnrt";
    constexpr char16_t kValues[] = {8, 12, 10, 13, 9};
    const std::size_t at = kLetters.find(c);
    return at == std::u16string_view::npos ? c : kValues[at];
}

// Decodes the escape whose letter is at pos; answers the offset of its last character.
std::size_t DecodeEscape(const char16_t* text, std::size_t pos, std::size_t limit, char16_t& out) {
    if (text[pos] != u'u') {
        out = SimpleEscape(text[pos]);
        return pos;
    }
    // \uXXXX gives one UTF-16 unit, so a surrogate pair written as two escapes comes out
    // as the pair. Fewer than four hex digits: only the "u" is kept, as for any letter.
    unsigned value = 0;
    for (std::size_t k = 1; k <= 4; ++k) {
        const int digit = pos + k < limit ? HexDigit(text[pos + k]) : -1;
        if (digit < 0) {
            out = u'u';
            return pos;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    // Our strings end at NUL; U+0000 would silently cut the text short.
    out = value == 0 ? char16_t{0xFFFD} : static_cast<char16_t>(value);
    return pos + 4;
}

// Copies the string opened by the quote at `open` into `out`, resolving escapes, up to an
// unescaped quote or the limit.
void Unescape(const char16_t* text, std::size_t open, std::size_t limit, WideString& out) {
    const std::size_t capacity = limit > open ? limit - open - 1 : 0;
    char16_t* buffer = out.GetBuffer(capacity);
    std::size_t count = 0;
    for (std::size_t i = open + 1; i < limit && text[i] != u'"'; ++i) {
        if (text[i] != u'\\') {
            buffer[count++] = text[i];
        } else if (i + 1 < limit) {
            i = DecodeEscape(text, i + 1, limit, buffer[count++]);
        } else {
            break;
        }
    }
    buffer[count] = u'\0';
}

bool IsZeroed(const JsonValue& v) {
    return v.base == 0 && v.type == 0 && v.nameOffset == 0 && v.start == 0 && v.end == 0;
}

// A failed or finished iteration leaves type 0, so the iterator cannot be continued.
bool Stop(JsonValue& iterator) {
    iterator.type = kJsonNone;
    return false;
}

}  // namespace

void JsonDocument::Open(const char16_t* text) {
    text_ = text;
    length_ = text_.Length();
    if (length_ > std::numeric_limits<std::uint32_t>::max()) {
        // Offsets are 32-bit; such a text cannot be addressed and is treated as empty.
        text_.Clear();
        length_ = 0;
    }
    generation_ = NewGeneration();
    FindRoot();
}

// Found once per text: iterating the root would otherwise rescan the whole text per step.
void JsonDocument::FindRoot() {
    root_ = JsonValue{};
    rootClosesArray_ = false;
    const char16_t* text = text_.CStr();
    std::size_t pos = SkipBlanks(text, 0, length_);
    const std::size_t nameOffset = pos;
    while (pos < length_ && text[pos] != u'{' && text[pos] != u'[') ++pos;
    if (pos >= length_) return;
    const std::size_t end = SkipBracketed(text, pos, length_);
    if (end == kNotFound) return;
    const int type = text[end] == u']' ? kJsonArray : kJsonObject;
    root_ = JsonValue{generation_, type, static_cast<std::uint32_t>(nameOffset),
                      static_cast<std::uint32_t>(pos), static_cast<std::uint32_t>(end)};
    std::size_t last = length_;
    while (last > 0 && IsBlank(text[last - 1])) --last;
    rootClosesArray_ = last > 0 && text[last - 1] == u']';
}

bool JsonDocument::Owns(const JsonValue& value) const {
    return generation_ != 0 && value.base == generation_ && value.type > kJsonNone &&
           value.type <= kJsonNull && value.nameOffset <= value.start && value.start <= value.end &&
           value.end < length_;
}

bool JsonDocument::Root(JsonValue& value) const {
    value = root_;
    return root_.type != kJsonNone;
}

bool JsonDocument::Container(const JsonValue* parent, int type, JsonValue& container) const {
    if (parent == nullptr) {
        if (root_.type != type || (type == kJsonArray && !rootClosesArray_)) return false;
        container = root_;
        return true;
    }
    if (!Owns(*parent) || parent->type != type || parent->start >= parent->end) return false;
    const char16_t* text = text_.CStr();
    const bool object = type == kJsonObject;
    if (text[parent->start] != (object ? u'{' : u'[')) return false;
    if (text[parent->end] != (object ? u'}' : u']')) return false;
    container = *parent;
    return true;
}

bool JsonDocument::ReadValue(std::size_t pos, std::size_t limit, bool upperNull,
                             JsonValue& value) const {
    const char16_t* text = text_.CStr();
    const char16_t c = text[pos];
    int type = kJsonNone;
    std::size_t end = kNotFound;
    if (c == u'{' || c == u'[') {
        end = SkipBracketed(text, pos, limit);
        type = c == u'{' ? kJsonObject : kJsonArray;
    } else if (c == u'"') {
        end = SkipString(text, pos, limit);
        type = kJsonString;
    } else if (c == u't' && HasWord(text, pos + 1, limit, u"rue")) {
        end = pos + 3;
        type = kJsonBoolean;
    } else if (c == u'f' && HasWord(text, pos + 1, limit, u"alse")) {
        end = pos + 4;
        type = kJsonBoolean;
    } else if ((c == u'n' || (upperNull && c == u'N')) && HasWord(text, pos + 1, limit, u"ull")) {
        end = pos + 3;
        type = kJsonNull;
    } else if (c == u'-' || c == u'+' || IsDigit(c)) {
        end = NumberEnd(text, pos, limit, type);
    }
    if (end == kNotFound || type == kJsonNone) return false;
    const auto start = static_cast<std::uint32_t>(pos);
    value = JsonValue{generation_, type, start, start, static_cast<std::uint32_t>(end)};
    return true;
}

bool JsonDocument::ReadMember(std::size_t pos, std::size_t limit, JsonValue& member) const {
    const char16_t* text = text_.CStr();
    if (text[pos] != u'"') return false;
    const std::size_t nameEnd = SkipString(text, pos, limit);
    if (nameEnd == kNotFound) return false;
    std::size_t valuePos = SkipBlanks(text, nameEnd + 1, limit);
    if (valuePos >= limit || text[valuePos] != u':') return false;
    valuePos = SkipBlanks(text, valuePos + 1, limit);
    if (valuePos >= limit || !ReadValue(valuePos, limit, true, member)) return false;
    member.nameOffset = static_cast<std::uint32_t>(pos);
    return true;
}

// Members and elements are read the same way between the container's brackets; the
// container's closing bracket is the limit of every scan, so nothing reads past it.
bool JsonDocument::Next(JsonValue& iterator, const JsonValue* parent, bool members) const {
    JsonValue container;
    if (!Container(parent, members ? kJsonObject : kJsonArray, container)) return Stop(iterator);
    const char16_t* text = text_.CStr();
    const std::size_t limit = container.end;
    std::size_t pos = 0;
    if (IsZeroed(iterator)) {
        pos = SkipBlanks(text, container.start + 1, limit);
    } else {
        if (!Owns(iterator) || iterator.start <= container.start || iterator.end >= limit) {
            return Stop(iterator);
        }
        pos = SkipBlanks(text, iterator.end + 1, limit);
        if (pos >= limit || text[pos] != u',') return Stop(iterator);
        pos = SkipBlanks(text, pos + 1, limit);
    }
    if (pos >= limit) return Stop(iterator);
    JsonValue next;
    if (!(members ? ReadMember(pos, limit, next) : ReadValue(pos, limit, false, next))) {
        return Stop(iterator);
    }
    iterator = next;
    return true;
}

bool JsonDocument::NextMember(JsonValue& iterator, const JsonValue* parent) const {
    return Next(iterator, parent, true);
}

bool JsonDocument::FirstElement(JsonValue& value, const JsonValue* parent) const {
    value = JsonValue{};
    return Next(value, parent, false);
}

bool JsonDocument::NextElement(JsonValue& iterator, const JsonValue* parent) const {
    return Next(iterator, parent, false);
}

bool JsonDocument::MemberName(const JsonValue& value, WideString& name) const {
    // Elements carry their own start as nameOffset, so they have no name.
    if (!Owns(value) || value.nameOffset >= value.start || text_.CStr()[value.nameOffset] != u'"') {
        name.Clear();
        return false;
    }
    Unescape(text_.CStr(), value.nameOffset, value.start, name);
    return true;
}

bool JsonDocument::FindMember(const char16_t* name, JsonValue& value, const JsonValue* parent) {
    value = JsonValue{};
    const char16_t* wanted = name != nullptr ? name : u"";
    if (wanted[0] == u'\0' && parent == nullptr) return Root(value);
    JsonValue member;
    while (NextMember(member, parent)) {
        if (MemberName(member, nameBuffer_) && nameBuffer_.EqualsNoCase(wanted)) {
            value = member;
            return true;
        }
    }
    return false;
}

int JsonDocument::MemberText(const JsonValue* parent, const char16_t* name, WideString& text) {
    JsonValue member;
    if (!FindMember(name, member, parent)) {
        text.Clear();
        return kJsonNone;
    }
    return ValueText(member, text);
}

int JsonDocument::ValueText(const JsonValue& value, WideString& text) const {
    if (!Owns(value)) {
        text.Clear();
        return kJsonNone;
    }
    const char16_t* source = text_.CStr();
    if (value.type != kJsonString) {
        text.GetBuffer(value.end - value.start + 1, source + value.start);
        return value.type;
    }
    if (source[value.start] != u'"') {
        text.Clear();
        return kJsonNone;
    }
    // The closing quote is the limit, so a value cannot unescape past its own end.
    Unescape(source, value.start, value.end, text);
    return text.IsEmpty() ? kJsonNone : kJsonString;
}

}  // namespace scrutor
