#include "foundation/crypto.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "foundation/handles.h"
#include "foundation/win_text.h"
#include "test_support.h"

namespace scrutor {
namespace {

using test::FromHex;
using test::TempDir;

// Reference values made on the host by md5sum and openssl (make_reference.py, run by CTest
// before this executable).
class Reference : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::HostPathFromEnvironment("SCRUTOR_REFERENCE_DIR");
        if (folder_.empty()) GTEST_SKIP() << "run through CTest, whose fixture makes them";
    }
    // The lines of a reference file as pairs of words.
    std::vector<std::pair<std::string, std::string>> Pairs(const char16_t* file) const {
        std::istringstream lines(test::ReadFileBytes(folder_ + u"\\" + file));
        std::vector<std::pair<std::string, std::string>> pairs;
        for (std::string a, b; lines >> a >> b;) pairs.emplace_back(a, b);
        EXPECT_FALSE(pairs.empty()) << "the reference fixture wrote nothing";
        return pairs;
    }
    std::u16string folder_;
};

std::string HashOf(const std::u16string& path) {
    WideString hex(u"stale");
    if (!HashFileMd5(path.c_str(), hex)) return hex.IsEmpty() ? "(failed)" : "(failed, not empty)";
    return hex.ToUtf8();
}

TEST_F(Reference, HashFileMd5AgreesWithMd5sum) {
    const auto pairs = Pairs(u"md5.txt");
    for (const auto& [name, digest] : pairs) {
        EXPECT_EQ(HashOf(folder_ + u"\\md5\\" + std::u16string(name.begin(), name.end())), digest)
            << name;
    }
    EXPECT_EQ(pairs.size(), 5u);
}

TEST(HashFileMd5, FilesThatCannotBeReadHaveNoDigest) {
    TempDir dir;
    const std::u16string path = dir.Child(u"locked.bin");
    test::WriteFileBytes(path, "data");
    EXPECT_EQ(HashOf(dir.Child(u"missing")), "(failed)");
    EXPECT_EQ(HashOf(dir.Path()), "(failed)");
    WideString hex(u"stale");
    EXPECT_FALSE(HashFileMd5(nullptr, hex));
    EXPECT_TRUE(hex.IsEmpty());
    const HandleHolder writer = test::OpenExisting(path, GENERIC_WRITE, 0);
    ASSERT_TRUE(writer.IsValid());
    EXPECT_EQ(HashOf(path), "(failed)");
}

// A digest of the first part of a file would name a different file.
TEST(HashFileMd5, AReadErrorMidwayFails) {
    TempDir dir;
    const std::u16string path = dir.Child(u"partly-locked.bin");
    test::WriteFileBytes(path, std::string(3 * 524288, 'z'));
    const HandleHolder locker = test::OpenExisting(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(LockFile(locker.Get(), 2 * 524288, 0, 4096, 0));
    const HandleHolder probe = test::OpenExisting(path, GENERIC_READ, FILE_SHARE_READ);
    char byte = 0;
    DWORD read = 0;
    SetFilePointer(probe.Get(), 2 * 524288, nullptr, FILE_BEGIN);
    if (ReadFile(probe.Get(), &byte, 1, &read, nullptr) && read == 1) {
        GTEST_SKIP() << "Wine does not enforce byte-range locks on reads";
    }
    EXPECT_EQ(HashOf(path), "(failed)");
}

TEST(HashFileMd5, KeepsTheCallersWindowsResponsive) {
    TempDir dir;
    const std::u16string path = dir.Child(u"two-chunks.bin");
    test::WriteFileBytes(path, std::string(524288 + 10, 'q'));
    const test::CountingWindow window;
    PostMessageW(window.Get(), WM_APP, 0, 0);
    PostQuitMessage(3);
    EXPECT_EQ(HashOf(path).size(), 32u);
    EXPECT_EQ(window.Count(), 1);
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);  // the quit request is kept with its exit code
}

// NIST SP 800-38A, F.2.5 CBC-AES256.Encrypt; the standard padding adds one whole block.
TEST(EncryptAes256Cbc, NistKnownAnswer) {
    const std::string key =
        FromHex("603DEB1015CA71BE2B73AEF0857D77811F352C073B6108D72D9810A30914DFF4");
    const std::string iv = FromHex("000102030405060708090A0B0C0D0E0F");
    const std::string plain = FromHex(
        "6BC1BEE22E409F96E93D7E117393172AAE2D8A571E03AC9C9EB76FAC45AF8E51"
        "30C81C46A35CE411E5FBC1191A0A52EFF69F2445DF4F9B17AD2B417BE66C3710");
    const auto& keyBytes = *reinterpret_cast<const std::uint8_t(*)[32]>(key.data());
    const auto& ivBytes = *reinterpret_cast<const std::uint8_t(*)[16]>(iv.data());
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(EncryptAes256Cbc(
        keyBytes, ivBytes, reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size(), out));
    ASSERT_EQ(out.size(), 80u);
    EXPECT_EQ(test::Hex(std::string(out.begin(), out.begin() + 64)),
              "F58C4C04D6E5F1BA779EABFB5F7BFBD69CFC4E967EDB808D679F777BC6702C7D"
              "39F23369A9D9BACFA530E26304231461B2EB05E2C39BE9FCDA6C19078C6A9D1B");
    EXPECT_FALSE(EncryptAes256Cbc(keyBytes, ivBytes, nullptr, 0, out));
    EXPECT_TRUE(out.empty());
}

std::string Encrypted(const char16_t* text) {
    WideString hex(u"stale");
    if (!EncryptText(text, hex)) return hex.IsEmpty() ? "(failed)" : "(failed, not empty)";
    return hex.ToUtf8();
}

// The reference texts cover the padding lengths and characters inside and outside code
// page 437 (which become '?', not best-fit look-alikes).
TEST_F(Reference, EncryptTextAgreesWithOpenssl) {
    EXPECT_EQ(Encrypted(u""), "(failed)");
    EXPECT_EQ(Encrypted(nullptr), "(failed)");
    for (const auto& [textHex, cipherHex] : Pairs(u"aes.txt")) {
        const std::string units = FromHex(textHex);
        const std::u16string text(reinterpret_cast<const char16_t*>(units.data()),
                                  units.size() / 2);
        EXPECT_EQ(Encrypted(text.c_str()), cipherHex) << textHex;
    }
}

}  // namespace
}  // namespace scrutor
