#pragma once

// MD5 of files and AES encryption of short texts, through the system's CryptoAPI provider.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/wide_string.h"

namespace scrutor {

// The file's MD5 as 32 upper-case hex digits. Reads in 512 KiB chunks and keeps the calling
// thread's windows responsive between them. False when the file cannot be opened or read.
[[nodiscard]] bool HashFileMd5(const char16_t* path, WideString& hex);

// AES-256-CBC with PKCS#7 padding of the text's code-page-437 bytes under the program's
// built-in key and IV, as upper-case hex. False for an empty text.
[[nodiscard]] bool EncryptText(const char16_t* text, WideString& hex);

// The same cipher with a given key and IV.
[[nodiscard]] bool EncryptAes256Cbc(const std::uint8_t (&key)[32], const std::uint8_t (&iv)[16],
                                    const std::uint8_t* data, std::size_t size,
                                    std::vector<std::uint8_t>& out);

}  // namespace scrutor
