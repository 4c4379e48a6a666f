#pragma once

// The encodings of text files: mode flags, byte-order marks, and the conversions between a
// file's bytes and UTF-16 text that need no operating system.

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/wide_string.h"

namespace scrutor {

// Mode flags of TextFile; they combine.
inline constexpr std::uint32_t kFileWrite = 1;      // read and write, open or create
inline constexpr std::uint32_t kFileTruncate = 2;   // read and write, always a new file
inline constexpr std::uint32_t kFileExclusive = 4;  // no sharing
inline constexpr std::uint32_t kFileMakeDirs = 8;   // create the folders; writes UTF-8
inline constexpr std::uint32_t kFileAppend = 16;    // with kFileWrite: at the end, no mark
inline constexpr std::uint32_t kFileUtf16Le = 32;
inline constexpr std::uint32_t kFileUtf16Be = 64;
inline constexpr std::uint32_t kFileUtf8Bom = 128;
inline constexpr std::uint32_t kFileUtf8 = 256;

enum class TextEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

[[nodiscard]] TextEncoding EncodingForReading(std::uint32_t mode);
[[nodiscard]] TextEncoding EncodingForWriting(std::uint32_t mode);

// The mark a new empty file of this mode starts with; empty when it has none.
[[nodiscard]] std::string ByteOrderMarkFor(std::uint32_t mode);

// Recognises a mark at the start of the first bytes of a file. Returns the mode with its
// encoding flags replaced by the mark's, and the mark's length (0 when there is none, and
// the mode is then unchanged).
[[nodiscard]] std::uint32_t DetectByteOrderMark(const std::uint8_t* bytes, std::size_t count,
                                                std::uint32_t mode, std::size_t& markLength);

// File bytes (after the mark) to text. Every decoding stops at the first zero unit; an odd
// trailing byte of UTF-16 is ignored. ANSI goes through the system code page.
void DecodeText(const std::string& bytes, TextEncoding encoding, WideString& out);

// Text to file bytes for the encodings that need no code page; false for ANSI.
[[nodiscard]] bool EncodeUnicodeText(const char16_t* text, std::size_t length,
                                     TextEncoding encoding, std::string& out);

}  // namespace scrutor
