#include "foundation/crypto.h"

#include <windows.h>

#include <wincrypt.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <type_traits>

#include "foundation/handles.h"
#include "foundation/message_pump.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

// The maker's services decrypt with the same pair; their ASCII codes are the key and IV bytes.
constexpr char kKeyText[] = "7C3E9A15D04B82F6E1A95C37B0D4682F";
constexpr char kIvText[] = "5820471936184027";
static_assert(sizeof kKeyText - 1 == 32 && sizeof kIvText - 1 == 16);

constexpr DWORD kHashChunk = 512 * 1024;
constexpr UINT kCodePage437 = 437;
// Encryption is for short values (a detection name, a hash, a URL).
constexpr std::size_t kMaxPlaintext = 1 << 20;

const wchar_t* const kProviders[] = {
    L"Microsoft Enhanced RSA and AES Cryptographic Provider",
    L"Microsoft Enhanced RSA and AES Cryptographic Provider (Prototype)",
};

struct AesKeyBlob {
    BLOBHEADER header;
    DWORD keySize;
    BYTE key[32];
};
// CryptImportKey reads these 44 bytes as laid out here, in 32- and 64-bit builds alike.
static_assert(sizeof(AesKeyBlob) == 44 && alignof(AesKeyBlob) == 4);
static_assert(offsetof(AesKeyBlob, keySize) == 8 && offsetof(AesKeyBlob, key) == 12);
static_assert(std::is_standard_layout_v<AesKeyBlob> && std::is_trivially_copyable_v<AesKeyBlob>);

bool AcquireProvider(CryptProvider& provider) {
    for (const wchar_t* name : kProviders) {
        HCRYPTPROV handle = 0;
        if (CryptAcquireContextW(&handle, nullptr, name, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
            provider = handle;
            return true;
        }
    }
    return false;
}

bool ImportKey(const CryptProvider& provider, const std::uint8_t (&key)[32], CryptKey& out) {
    AesKeyBlob blob{};
    blob.header.bType = PLAINTEXTKEYBLOB;
    blob.header.bVersion = CUR_BLOB_VERSION;
    blob.header.aiKeyAlg = CALG_AES_256;
    blob.keySize = sizeof blob.key;
    std::memcpy(blob.key, key, sizeof blob.key);
    HCRYPTKEY handle = 0;
    const bool imported = CryptImportKey(provider.Get(), reinterpret_cast<const BYTE*>(&blob),
                                         sizeof blob, 0, 0, &handle);
    SecureZeroMemory(&blob, sizeof blob);
    if (imported) out = handle;
    return imported;
}

// Code page 437 without best-fit replacements: what it cannot show becomes its default
// character, as any other implementation of the conversion would do.
bool ToCodePage437(const char16_t* text, std::size_t length, std::string& out) {
    if (length == 0 || length > kMaxPlaintext) return false;
    const int units = static_cast<int>(length);
    const int size = WideCharToMultiByte(kCodePage437, WC_NO_BEST_FIT_CHARS, AsWide(text), units,
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    out.resize(static_cast<std::size_t>(size));
    return WideCharToMultiByte(kCodePage437, WC_NO_BEST_FIT_CHARS, AsWide(text), units, out.data(),
                               size, nullptr, nullptr) == size;
}

bool DigestAsHex(const CryptHash& hash, WideString& hex) {
    DWORD size = 0;
    DWORD sizeLength = sizeof size;
    BYTE digest[64];
    if (!CryptGetHashParam(hash.Get(), HP_HASHSIZE, reinterpret_cast<BYTE*>(&size), &sizeLength,
                           0) ||
        size == 0 || size > sizeof digest) {
        return false;
    }
    if (!CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0)) return false;
    return hex.FromHexBytes(digest, size, 0);
}

}  // namespace

// A read error fails the whole digest: a digest of part of a file would name another file.
namespace {

// Acquiring a provider costs milliseconds under Wine (it loads and sets up the provider
// each time); a thread that hashes many files, as the VirusTotal analysis does, keeps one.
HCRYPTPROV HashingProvider() {
    thread_local CryptProvider provider;
    if (!provider && !AcquireProvider(provider)) return 0;
    return provider.Get();
}

}  // namespace

bool HashFileMd5(const char16_t* path, WideString& hex) {
    hex.Clear();
    if (path == nullptr || *path == 0) return false;
    const HandleHolder file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    const HCRYPTPROV provider = HashingProvider();
    CryptHash hash;
    if (provider == 0 || !CryptCreateHash(provider, CALG_MD5, 0, 0, hash.Out())) return false;
    const std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[kHashChunk]);
    if (!buffer) return false;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer.get(), kHashChunk, &read, nullptr)) return false;
        if (read == 0) break;
        if (!CryptHashData(hash.Get(), buffer.get(), read, 0)) return false;
        DispatchPendingMessages();
    }
    if (DigestAsHex(hash, hex)) return true;
    hex.Clear();
    return false;
}

bool EncryptAes256Cbc(const std::uint8_t (&key)[32], const std::uint8_t (&iv)[16],
                      const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out) {
    out.clear();
    if (data == nullptr || size == 0 || size > kMaxPlaintext) return false;
    CryptProvider provider;
    CryptKey cipher;
    if (!AcquireProvider(provider) || !ImportKey(provider, key, cipher) ||
        !CryptSetKeyParam(cipher.Get(), KP_IV, iv, 0)) {
        return false;
    }
    // Padding always adds 1 to 16 bytes; ask the provider rather than assume.
    DWORD needed = static_cast<DWORD>(size);
    if (!CryptEncrypt(cipher.Get(), 0, TRUE, 0, nullptr, &needed, 0) || needed < size) {
        return false;
    }
    out.assign(needed, 0);
    std::memcpy(out.data(), data, size);
    DWORD length = static_cast<DWORD>(size);
    if (!CryptEncrypt(cipher.Get(), 0, TRUE, 0, out.data(), &length, needed)) {
        out.clear();
        return false;
    }
    out.resize(length);
    return true;
}

bool EncryptText(const char16_t* text, WideString& hex) {
    hex.Clear();
    std::string plaintext;
    if (!ToCodePage437(text, TextLength(text), plaintext)) return false;
    std::uint8_t key[32];
    std::uint8_t iv[16];
    std::memcpy(key, kKeyText, sizeof key);
    std::memcpy(iv, kIvText, sizeof iv);
    std::vector<std::uint8_t> cipherText;
    if (!EncryptAes256Cbc(key, iv, reinterpret_cast<const std::uint8_t*>(plaintext.data()),
                          plaintext.size(), cipherText)) {
        return false;
    }
    if (hex.FromHexBytes(cipherText.data(), cipherText.size(), 0)) return true;
    hex.Clear();
    return false;
}

}  // namespace scrutor
