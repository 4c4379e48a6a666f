#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct pcre2_real_code_16;

namespace scrutor {

// Length of a NUL-terminated text; 0 for null.
[[nodiscard]] std::size_t TextLength(const char16_t* text);
[[nodiscard]] std::size_t ByteLength(const char* text);

// Three-way comparison of NUL-terminated texts; folds only A-Z when not case sensitive.
[[nodiscard]] int Compare(const char16_t* a, const char16_t* b, bool caseSensitive);
[[nodiscard]] bool EqualsNoCase(const char16_t* a, const char16_t* b);

// Hex digits of bytes. Flags may be combined.
// Only A-Z fold: the program never sets a locale, so this is all the C library would do.
[[nodiscard]] constexpr char16_t FoldAscii(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

inline constexpr unsigned kHexPrefix = 1;   // "0x" in front
inline constexpr unsigned kHexReverse = 2;  // last byte first
inline constexpr unsigned kHexLower = 4;    // a-f instead of A-F
[[nodiscard]] bool BytesToHex(const std::uint8_t* bytes, std::size_t count, char16_t* buffer,
                              std::size_t size, unsigned flags);

class WideString;

// A read-only view of one piece of text for the many-part concatenations.
class TextPart {
public:
    TextPart(const char16_t* text) : text_(text) {}  // NOLINT: implicit by design
    TextPart(const WideString& text);                // NOLINT
    const char16_t* text_;
};

// The program's UTF-16 string: 1-based positions (0 = not found), ASCII-only folding,
// a null buffer reads as empty. Operations set a status flag callers may read.
class WideString {
public:
    static constexpr int kMaxParts = 11;

    WideString() = default;
    WideString(const WideString& other);
    WideString(WideString&& other) noexcept;
    WideString(const char16_t* text);  // NOLINT: implicit, like a literal
    WideString(char16_t* text, bool copy);
    WideString(const char16_t* a, const char16_t* b, const char16_t* c = nullptr,
               const char16_t* d = nullptr);
    explicit WideString(std::u16string_view text);
    ~WideString();

    WideString& operator=(const WideString& other);
    WideString& operator=(WideString&& other) noexcept;
    WideString& operator=(const char16_t* text);

    // Storage
    template <class... Parts>
    void Assign(const Parts&... parts) {
        static_assert(sizeof...(Parts) >= 1 && sizeof...(Parts) <= kMaxParts);
        AssignParts({TextPart(parts)...});
    }
    void Attach(char16_t* heapBuffer);  // takes ownership; buffer from AllocateBuffer
    [[nodiscard]] char16_t* Detach();   // caller frees with FreeBuffer
    void Clear();
    void Empty();
    // A new writable buffer of units + 1 code units (index `units` is always NUL) holding
    // at most `units` units of source; resets the cached length.
    char16_t* GetBuffer(std::size_t units, const char16_t* source = nullptr, bool zero = false);
    [[nodiscard]] const char16_t* CStr() const;  // never null
    // Writable pointer to a 0-based index; an index beyond the length gives the terminator.
    [[nodiscard]] char16_t* CharAt(std::size_t index);
    [[nodiscard]] const char16_t* PointerAt(std::int64_t position) const;
    [[nodiscard]] std::size_t Length() const;
    [[nodiscard]] bool IsEmpty() const;
    bool CopyTo(char16_t* buffer, std::int64_t size);
    [[nodiscard]] bool Status() const { return status_; }
    [[nodiscard]] std::u16string_view View() const { return {CStr(), Length()}; }

    // Room for `units` code units plus a terminator; the caller writes the terminator.
    static char16_t* AllocateBuffer(std::size_t units);
    static void FreeBuffer(char16_t* buffer);

    // Concatenation
    template <class... Parts>
    void Append(const Parts&... parts) {
        static_assert(sizeof...(Parts) >= 1 && sizeof...(Parts) <= kMaxParts);
        AppendParts({TextPart(parts)...});
    }
    void Prepend(TextPart a, TextPart b = nullptr, TextPart c = nullptr);

    // Comparison
    [[nodiscard]] bool EqualsNoCase(const char16_t* text) const;
    [[nodiscard]] bool EqualsNoCase(const WideString& text) const;
    [[nodiscard]] bool NotEqualsNoCase(const char16_t* text) const { return !EqualsNoCase(text); }
    [[nodiscard]] int CompareNoCase(const char16_t* text) const;
    [[nodiscard]] bool operator==(const WideString& other) const;
    [[nodiscard]] bool operator==(const char16_t* text) const;

    // Search: 1-based position or 0. Negative occurrence counts from the end.
    [[nodiscard]] std::size_t Find(const char16_t* needle, bool caseSensitive = true,
                                   int occurrence = 1, std::int64_t start = 1,
                                   std::int64_t count = 0) const;

    // Substrings and edits
    bool Left(std::int64_t n);
    bool Right(std::int64_t n);
    bool RemoveLeft(std::int64_t n);
    bool RemoveRight(std::int64_t n);
    bool Mid(const char16_t* text, std::int64_t start, std::int64_t count = 0);
    bool Overwrite(const char16_t* text, std::int64_t position);
    bool Replace(const char16_t* find, const char16_t* replacement, int occurrence = 0,
                 bool caseSensitive = true);
    bool Trim();
    void ToLower();
    bool ExpandEnvironment();

    // Paths (backslash is the only separator)
    void StripTrailingBackslashes();
    void FileNamePart();
    void ParentDirectory(bool keepBackslash);
    [[nodiscard]] const char16_t* ExtensionPointer() const;
    void ExtensionPart();
    void AddLongPathPrefix();

    // Conversions
    bool FromAnsi(const char* bytes);
    bool FromUtf8(const char* bytes);
    bool FromUtf16BigEndian(const char16_t* units, std::int64_t count);
    // Converts into at most `size` bytes and terminates them: the buffer holds size + 1 bytes.
    bool ToCodePage437(char* buffer, std::size_t size) const;
    bool FromHexBytes(const std::uint8_t* bytes, std::size_t count, unsigned flags = 0);
    [[nodiscard]] std::string ToUtf8() const;

    // Numbers
    void FromInt32(std::int32_t v);
    void FromInt64(std::int64_t v);
    void FromUInt32(std::uint32_t v);
    void FromUInt64(std::uint64_t v);
    void FromDouble(double v);
    [[nodiscard]] int ToInt();
    [[nodiscard]] std::int32_t ToLong();
    [[nodiscard]] double ToDouble();
    [[nodiscard]] bool IsDigits(bool all) const;
    [[nodiscard]] bool IsHex() const;

    // Regular expressions (PCRE2, 16-bit)
    [[nodiscard]] bool Matches(const char16_t* pattern) const;
    [[nodiscard]] bool MatchCompiled(const pcre2_real_code_16* code) const;
    int ReplaceRegex(const char16_t* pattern, const char16_t* replacement, std::uint32_t options);

private:
    void AssignParts(std::initializer_list<TextPart> parts);
    void AppendParts(std::initializer_list<TextPart> parts);
    void TakeBuffer(char16_t* buffer, std::size_t length);
    void Truncate(std::size_t length);
    void DropFront(std::size_t count);
    [[nodiscard]] bool PointsInside(const char16_t* text) const;
    bool ReplaceOne(const char16_t* find, const char16_t* replacement, int occurrence,
                    bool caseSensitive);
    bool ReplaceAll(const char16_t* find, const char16_t* replacement, bool caseSensitive);
    void WriteDecimal(std::uint64_t magnitude, bool negative);

    char16_t* buffer_ = nullptr;
    mutable std::size_t length_ = 0;  // 0 = not known
    bool status_ = true;
};

// The fields of one split; they point into the list's own copy of the text.
class WideStringList {
public:
    WideStringList() = default;
    WideStringList(const char16_t* text, const char16_t* separators, bool wholeSeparator);
    WideStringList(const WideStringList&) = delete;
    WideStringList& operator=(const WideStringList&) = delete;

    void Split(const char16_t* text, const char16_t* separators, bool wholeSeparator);
    [[nodiscard]] std::size_t Count() const { return fields_.size(); }
    [[nodiscard]] const char16_t* Get(std::size_t index) const;
    [[nodiscard]] bool IsEmpty() const;
    void Clear();

private:
    [[nodiscard]] bool Holds(const char16_t* text) const;
    void CopyAndSplitAnyOf(const char16_t* text, std::size_t length,
                           std::u16string_view separators);
    void SplitWhole(std::size_t length, std::u16string_view separator);
    void AddField(std::size_t from, std::size_t to);

    std::unique_ptr<char16_t[]> copy_;  // the split text, a NUL over each separator
    std::size_t capacity_ = 0;          // units of copy_ before its last, always NUL
    std::size_t textLength_ = 0;        // length of the split text before fields were cut
    std::vector<const char16_t*> fields_;
};

// A growable array of strings; appending copies.
class WideStringArray {
public:
    void Append(const WideString& value) { items_.push_back(value); }
    void Append(const char16_t* value) { items_.emplace_back(value); }
    [[nodiscard]] std::size_t Count() const { return items_.size(); }
    [[nodiscard]] const WideString& Get(std::size_t index) const { return items_[index]; }
    [[nodiscard]] WideString& Get(std::size_t index) { return items_[index]; }
    void Clear() { items_.clear(); }

private:
    std::vector<WideString> items_;
};

}  // namespace scrutor
