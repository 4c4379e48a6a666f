#include "foundation/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace scrutor {
namespace {

std::u16string Decode(const std::string& bytes, TextEncoding encoding) {
    WideString out;
    DecodeText(bytes, encoding, out);
    return std::u16string(out.View());
}

std::string Encode(std::u16string_view text, TextEncoding encoding) {
    std::string bytes;
    EXPECT_TRUE(EncodeUnicodeText(text.data(), text.size(), encoding, bytes));
    return bytes;
}

TEST(ByteOrderMark, DetectionReplacesOnlyTheEncodingFlags) {
    const struct {
        std::string head;
        std::uint32_t mode, expectedMode;
        std::size_t expectedLength;
    } cases[] = {
        {"\xFF\xFE\x41", kFileWrite, kFileWrite | kFileUtf16Le, 2},
        {"\xFE\xFF\x00", kFileUtf8 | kFileExclusive, kFileUtf16Be | kFileExclusive, 2},
        {"\xEF\xBB\xBF", kFileUtf16Le | kFileUtf16Be, kFileUtf8Bom, 3},
        // A mark the file is too short to hold completely is no mark.
        {"\xEF\xBB", kFileUtf16Le, kFileUtf16Le, 0},
        {"AB", kFileUtf16Le | kFileWrite, kFileUtf16Le | kFileWrite, 0},
        {"", kFileUtf8, kFileUtf8, 0},
        // FF FE wins even when the third byte would begin something else.
        {"\xFF\xFE\xBF", 0, kFileUtf16Le, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        std::size_t length = 99;
        EXPECT_EQ(DetectByteOrderMark(reinterpret_cast<const std::uint8_t*>(c.head.data()),
                                      c.head.size(), c.mode, length),
                  c.expectedMode);
        EXPECT_EQ(length, c.expectedLength);
    }
}

// The mark of a new file and the encoding of what is written follow the same precedence,
// and whatever a mode writes, the same mode reads.
TEST(TextEncodingChoice, MarkAndEncodingFollowPrecedence) {
    EXPECT_EQ(ByteOrderMarkFor(kFileUtf8Bom | kFileUtf16Le | kFileUtf16Be), "\xEF\xBB\xBF");
    EXPECT_EQ(ByteOrderMarkFor(kFileUtf16Le | kFileUtf16Be), "\xFF\xFE");
    EXPECT_EQ(ByteOrderMarkFor(kFileUtf16Be | kFileTruncate), "\xFE\xFF");
    EXPECT_EQ(ByteOrderMarkFor(kFileUtf8 | kFileMakeDirs), "");
    EXPECT_EQ(EncodingForWriting(kFileMakeDirs | kFileTruncate), TextEncoding::kUtf8);
    EXPECT_EQ(EncodingForWriting(kFileMakeDirs | kFileUtf16Le), TextEncoding::kUtf16Le);
    EXPECT_EQ(EncodingForWriting(kFileUtf16Le | kFileUtf16Be), TextEncoding::kUtf16Le);
    EXPECT_EQ(EncodingForWriting(kFileWrite), TextEncoding::kAnsi);
    for (std::uint32_t mode = 0; mode < 512; ++mode) {
        EXPECT_EQ(EncodingForReading(mode), EncodingForWriting(mode)) << mode;
    }
}

TEST(DecodeText, StopsAtTheFirstZeroAndIgnoresAnOddLastByte) {
    using enum TextEncoding;
    const struct {
        std::string bytes;
        TextEncoding encoding;
        std::u16string text;
    } cases[] = {
        {std::string("A\0\x01\x04", 4), kUtf16Le, u"A\u0401"},
        {std::string("\0A\x04\x01", 4), kUtf16Be, u"A\u0401"},
        {std::string("\x3D\xD8\x00\xDE", 4), kUtf16Le, u"\U0001F600"},
        {std::string("A\0B", 3), kUtf16Le, u"A"},
        {std::string("\0A\0", 3), kUtf16Be, u"A"},
        {std::string("A", 1), kUtf16Le, u""},
        {std::string("A\0\0\0B\0", 6), kUtf16Le, u"A"},
        {std::string("\0A\0\0\0B", 6), kUtf16Be, u"A"},
        {std::string("ab\0cd", 5), kUtf8, u"ab"},
        {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", kUtf8, u"\u00E9t\u00E9 \u20AC"},
        {"AB", kAnsi, u"AB"},
        {"", kUtf8, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decode(c.bytes, c.encoding), c.text) << (&c - cases);
    }
}

// Decoding what was encoded gives the text back: decode_fuzz checks it for every input, and
// TextFileWrite.EveryModeReadsBackWhatItWrote through files in every mode.
TEST(EncodeText, ByteOrderAndAnsiLeftToTheSystem) {
    EXPECT_EQ(Encode(u"AB", TextEncoding::kUtf16Be), std::string("\0A\0B", 4));
    std::string bytes = "left over";  // ANSI is left to the system
    EXPECT_FALSE(EncodeUnicodeText(u"A", 1, TextEncoding::kAnsi, bytes));
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace scrutor
