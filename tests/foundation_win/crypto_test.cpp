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

std::string HashOf(const char16_t* path) {
    WideString hex(u"stale");
    if (!HashFileMd5(path, hex)) return hex.IsEmpty() ? "(failed)" : "(failed, not empty)";
    return hex.ToUtf8();
}

TEST_F(Reference, HashFileMd5AgreesWithMd5sum) {
    const auto pairs = Pairs(u"md5.txt");
    for (const auto& [name, digest] : pairs) {
        const std::u16string path = folder_ + u"\\md5\\" + std::u16string(name.begin(), name.end());
        EXPECT_EQ(HashOf(path.c_str()), digest) << name;
    }
    EXPECT_EQ(pairs.size(), 5u);
}

TEST(HashFileMd5, FilesThatCannotBeReadHaveNoDigest) {
    TempDir dir;
    const std::u16string path = dir.Child(u"locked.bin");
    test::WriteFileBytes(path, "data");
    EXPECT_EQ(HashOf(dir.Child(u"missing").c_str()), "(failed)");
    EXPECT_EQ(HashOf(dir.Path().c_str()), "(failed)");
    EXPECT_EQ(HashOf(nullptr), "(failed)");
    const HandleHolder writer = test::OpenExisting(path, GENERIC_WRITE, 0);
    ASSERT_TRUE(writer.IsValid());
    EXPECT_EQ(HashOf(path.c_str()), "(failed)");
}

TEST(HashFileMd5, KeepsTheCallersWindowsResponsive) {
    TempDir dir;
    const std::u16string path = dir.Child(u"two-chunks.bin");
    test::WriteFileBytes(path, std::string(524288 + 10, 'q'));
    const test::CountingWindow window;
    PostMessageW(window.Get(), WM_APP, 0, 0);
    PostQuitMessage(3);
    EXPECT_EQ(HashOf(path.c_str()).size(), 32u);
    EXPECT_EQ(window.Count(), 1);
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);  // the quit request is kept with its exit code
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
