#include "foundation/text_encoding.h"

#include <initializer_list>

namespace scrutor {

namespace {

constexpr std::uint32_t kEncodingFlags = kFileUtf16Le | kFileUtf16Be | kFileUtf8Bom | kFileUtf8;

struct Mark {
    std::uint8_t bytes[3];
    std::size_t length;
    std::uint32_t flag;
};

// Order matters only for reading: FF FE before FE FF cannot clash, UTF-8 is three bytes.
constexpr Mark kMarks[] = {
    {{0xFF, 0xFE, 0}, 2, kFileUtf16Le},
    {{0xFE, 0xFF, 0}, 2, kFileUtf16Be},
    {{0xEF, 0xBB, 0xBF}, 3, kFileUtf8Bom},
};

// UTF-16 from bytes, stopping at a zero unit; a last odd byte is never read.
void DecodeUtf16(const std::uint8_t* bytes, std::size_t count, bool bigEndian, WideString& out) {
    const std::size_t units = count / 2;
    std::size_t length = 0;
    char16_t* buffer = out.GetBuffer(units);
    for (; length < units; ++length) {
        const std::uint8_t first = bytes[2 * length];
        const std::uint8_t second = bytes[2 * length + 1];
        const auto unit =
            static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8));
        if (unit == 0) break;
        buffer[length] = unit;
    }
    buffer[length] = 0;
}

void PutUtf16(const char16_t* text, std::size_t length, bool bigEndian, std::string& out) {
    out.resize(length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        const auto low = static_cast<char>(text[i] & 0xFF);
        const auto high = static_cast<char>(text[i] >> 8);
        out[2 * i] = bigEndian ? high : low;
        out[2 * i + 1] = bigEndian ? low : high;
    }
}

}  // namespace

TextEncoding EncodingForReading(std::uint32_t mode) {
    if (mode & kFileUtf16Le) return TextEncoding::kUtf16Le;
    if (mode & kFileUtf16Be) return TextEncoding::kUtf16Be;
    // kFileMakeDirs writes UTF-8, so a file written in that mode reads back the same way.
    if (mode & (kFileUtf8Bom | kFileUtf8 | kFileMakeDirs)) return TextEncoding::kUtf8;
    return TextEncoding::kAnsi;
}

TextEncoding EncodingForWriting(std::uint32_t mode) {
    return EncodingForReading(mode);
}

std::string ByteOrderMarkFor(std::uint32_t mode) {
    for (std::uint32_t flag : {kFileUtf8Bom, kFileUtf16Le, kFileUtf16Be}) {
        if ((mode & flag) == 0) continue;
        for (const Mark& mark : kMarks) {
            if (mark.flag == flag) {
                return std::string(reinterpret_cast<const char*>(mark.bytes), mark.length);
            }
        }
    }
    return {};
}

std::uint32_t DetectByteOrderMark(const std::uint8_t* bytes, std::size_t count, std::uint32_t mode,
                                  std::size_t& markLength) {
    markLength = 0;
    for (const Mark& mark : kMarks) {
        if (count < mark.length) continue;
        bool same = true;
        for (std::size_t i = 0; i < mark.length; ++i) same = same && bytes[i] == mark.bytes[i];
        if (!same) continue;
        markLength = mark.length;
        return (mode & ~kEncodingFlags) | mark.flag;
    }
    return mode;
}

void DecodeText(const std::string& bytes, TextEncoding encoding, WideString& out) {
    out.Clear();
    if (bytes.empty()) return;
    switch (encoding) {
        case TextEncoding::kUtf16Le:
        case TextEncoding::kUtf16Be:
            DecodeUtf16(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                        encoding == TextEncoding::kUtf16Be, out);
            return;
        case TextEncoding::kUtf8:
            (void)out.FromUtf8(bytes.c_str());  // stops at the first zero byte
            return;
        case TextEncoding::kAnsi:
            (void)out.FromAnsi(bytes.c_str());
            return;
    }
}

bool EncodeUnicodeText(const char16_t* text, std::size_t length, TextEncoding encoding,
                       std::string& out) {
    out.clear();
    switch (encoding) {
        case TextEncoding::kUtf16Le:
        case TextEncoding::kUtf16Be:
            PutUtf16(text, length, encoding == TextEncoding::kUtf16Be, out);
            return true;
        case TextEncoding::kUtf8:
            out = WideString(std::u16string_view(text, length)).ToUtf8();
            return length == 0 || !out.empty();
        case TextEncoding::kAnsi:
            return false;
    }
    return false;
}

}  // namespace scrutor
