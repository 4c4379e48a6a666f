#include "foundation/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/handles.h"
#include "foundation/win_text.h"
#include "test_support.h"

namespace scrutor {
namespace {

using namespace std::string_literals;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::u16string ReadWithMode(const std::u16string& path, std::uint32_t mode,
                            std::uint32_t* modeAfter = nullptr) {
    TextFile file;
    EXPECT_NE(file.Open(path.c_str(), mode), nullptr);
    if (modeAfter != nullptr) *modeAfter = file.Mode();
    WideString text(u"stale");
    const std::size_t count = file.ReadText(text);
    EXPECT_EQ(count, text.Length());
    return test::ToU16(text);
}

std::size_t EntriesIn(const TempDir& dir) {
    const std::filesystem::directory_iterator entries(
        std::wstring(dir.Path().begin(), dir.Path().end()));
    return static_cast<std::size_t>(std::distance(entries, std::filesystem::directory_iterator()));
}

TEST(TextFileRead, EncodingFollowsTheMark) {
    struct Case {
        std::string bytes;
        std::u16string text;
        std::uint32_t modeAfter;
    };
    const Case cases[] = {
        {"\xFF\xFE\x41\x00"s, u"A", kFileUtf16Le},
        {"AB", u"AB", 0},
        {"\xEF\xBB\xBF\x41\x42", u"AB", kFileUtf8Bom},
        {"\xFE\xFF\x00\x41\x20\xAC"s, u"A\u20AC", kFileUtf16Be},
        {"\xFF\xFE", u"", kFileUtf16Le},
        {"", u"", 0},
        {"caf\xE9", u"caf\u00E9", 0},  // the ANSI code page of the test system is 1252
        // An odd last byte is never read past.
        {"\xFF\xFE\x41\x00\x42"s, u"A", kFileUtf16Le},
        {"\xFE\xFF\x00"s, u"", kFileUtf16Be},
    };
    TempDir dir;
    const std::u16string path = dir.Child(u"read.txt");
    for (const Case& c : cases) {
        WriteFileBytes(path, c.bytes);
        std::uint32_t mode = 99;
        EXPECT_EQ(ReadWithMode(path, 0, &mode), c.text) << test::Hex(c.bytes);
        EXPECT_EQ(mode, c.modeAfter) << test::Hex(c.bytes);
    }
}

TEST(TextFileRead, MarkOverridesTheCallersGuessAndFlagsReadWithoutMark) {
    TempDir dir;
    const std::u16string path = dir.Child(u"guess.txt");
    WriteFileBytes(path, "\xFF\xFE\x42\x00"s);
    EXPECT_EQ(ReadWithMode(path, kFileUtf8), u"B");
    WriteFileBytes(path, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(ReadWithMode(path, kFileUtf8), u"\u00E9t\u00E9");
    EXPECT_EQ(ReadWithMode(path, 0), u"\u00C3\u00A9t\u00C3\u00A9");
    WriteFileBytes(path, "\x00\x41\x00\x42"s);
    EXPECT_EQ(ReadWithMode(path, kFileUtf16Be), u"AB");
}

TEST(TextFileWrite, Mode42CreatesFoldersAndMark) {
    TempDir dir;
    const std::u16string path = dir.Child(u"new\\deeper\\script.zep");
    TextFile file;
    ASSERT_NE(file.Open(path.c_str(), kFileTruncate | kFileMakeDirs | kFileUtf16Le), nullptr);
    EXPECT_EQ(file.WriteText(u"AB", 0), 4u);
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), "\xFF\xFE\x41\x00\x42\x00"s);
}

TEST(TextFileWrite, EveryModeReadsBackWhatItWrote) {
    const std::u16string unicode = u"Zeile\r\n\u00C4\u20AC \u4E2D \U0001F600 \\ end";
    const std::u16string ansi = u"Zeile\r\n\u00C4\u20AC caf\u00E9";
    const std::pair<std::uint32_t, std::string> cases[] = {
        {kFileUtf16Le, "\xFF\xFE"},
        {kFileUtf16Be, "\xFE\xFF"},
        {kFileUtf8Bom, "\xEF\xBB\xBF"},
        {kFileUtf8, ""},
        {kFileMakeDirs, ""},
        {0, ""},
    };
    TempDir dir;
    const std::u16string path = dir.Child(u"roundtrip.txt");
    for (const auto& [mode, mark] : cases) {
        const std::u16string& text = mode == 0 ? ansi : unicode;
        {
            TextFile file(path.c_str(), kFileTruncate | mode);
            EXPECT_GT(file.WriteText(text.c_str(), static_cast<std::int64_t>(text.size())), 0u);
        }
        EXPECT_EQ(ReadFileBytes(path).substr(0, mark.size()), mark);
        EXPECT_EQ(ReadWithMode(path, mode), text) << "mode " << mode;
        if (!mark.empty()) {
            EXPECT_EQ(ReadWithMode(path, 0), text) << "mode " << mode;
        }
    }
}

TEST(TextFileWrite, ReopeningForWritingAppends) {
    TempDir dir;
    const std::u16string path = dir.Child(u"append.txt");
    WriteFileBytes(path, "\xFF\xFE\x41\x00"s);
    {
        TextFile file(path.c_str(), kFileWrite);
        EXPECT_EQ(file.Mode(), kFileWrite | kFileUtf16Le);
        EXPECT_EQ(file.WriteText(u"B", 1), 2u);
    }
    EXPECT_EQ(ReadFileBytes(path), "\xFF\xFE\x41\x00\x42\x00"s);
    // A stray last byte would shift every unit appended after it; it is overwritten instead.
    WriteFileBytes(path, "\xFF\xFE\x41\x00\x42"s);
    {
        TextFile file(path.c_str(), kFileWrite);
        EXPECT_EQ(file.WriteText(u"C", 0), 2u);
    }
    EXPECT_EQ(ReadWithMode(path, 0), u"AC");
    WriteFileBytes(path, "abc");
    {
        TextFile file(path.c_str(), kFileWrite | kFileUtf8);
        EXPECT_EQ(file.WriteText(u"d", 0), 1u);
    }
    EXPECT_EQ(ReadFileBytes(path), "abcd");
}

TEST(TextFileWrite, AppendFlagSkipsMarkHandling) {
    TempDir dir;
    const std::u16string path = dir.Child(u"log.txt");
    WriteFileBytes(path, "line1\r\n");
    {
        TextFile file(path.c_str(), kFileWrite | kFileAppend | kFileUtf16Le);
        EXPECT_EQ(file.Mode(), kFileWrite | kFileAppend | kFileUtf16Le);
        EXPECT_EQ(file.WriteText(u"x", 0), 2u);
    }
    EXPECT_EQ(ReadFileBytes(path), "line1\r\nx\0"s);
    const std::u16string fresh = dir.Child(u"fresh.txt");
    {
        TextFile file(fresh.c_str(), kFileWrite | kFileAppend | kFileUtf16Le);
        EXPECT_EQ(file.WriteText(u"y", 0), 2u);
    }
    EXPECT_EQ(ReadFileBytes(fresh), "y\0"s);
}

TEST(TextFileWrite, MarksOnlyIntoEmptyFiles) {
    TempDir dir;
    const std::u16string path = dir.Child(u"trunc.txt");
    WriteFileBytes(path, "old content that is longer");
    {
        TextFile file(path.c_str(), kFileTruncate | kFileUtf8Bom);
        EXPECT_EQ(file.WriteText(u"\u00E9", 0), 2u);
        EXPECT_EQ(file.WriteText(u"", 0), 0u);
        EXPECT_EQ(file.WriteText(nullptr, 5), 0u);
    }
    EXPECT_EQ(ReadFileBytes(path), "\xEF\xBB\xBF\xC3\xA9");
    {
        TextFile file(path.c_str(), kFileWrite | kFileUtf16Le);
        EXPECT_EQ(file.WriteText(u"\u00E9", 0), 2u);
    }
    EXPECT_EQ(ReadFileBytes(path), "\xEF\xBB\xBF\xC3\xA9\xC3\xA9");
}

HandleHolder OpenForReading(const std::u16string& path) {
    return HandleHolder(CreateFileW(AsWide(path.c_str()), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
}

TEST(TextFileOpen, SharingFollowsTheExclusiveFlag) {
    TempDir dir;
    const std::u16string path = dir.Child(u"shared.txt");
    WriteFileBytes(path, "data");
    {
        TextFile writer(path.c_str(), kFileWrite);
        ASSERT_NE(writer.IsOpen(), nullptr);
        EXPECT_TRUE(OpenForReading(path).IsValid());
        TextFile secondWriter(path.c_str(), kFileWrite);  // the share mode lets readers only
        EXPECT_EQ(secondWriter.IsOpen(), nullptr);
        EXPECT_EQ(secondWriter.Mode(), 0u);
    }
    TextFile exclusive(path.c_str(), kFileExclusive);
    ASSERT_NE(exclusive.IsOpen(), nullptr);
    EXPECT_FALSE(OpenForReading(path).IsValid());
    // Opening another file releases the first.
    WriteFileBytes(dir.Child(u"other.txt"), "2");
    ASSERT_NE(exclusive.Open(dir.Child(u"other.txt").c_str(), 0), nullptr);
    EXPECT_TRUE(OpenForReading(path).IsValid());
}

TEST(TextFileOpen, FailuresLeaveTheObjectClosed) {
    TempDir dir;
    TextFile file;
    EXPECT_EQ(file.Open(dir.Child(u"missing.txt").c_str(), kFileUtf16Le), nullptr);
    EXPECT_EQ(file.Open(dir.Child(u"no\\such\\folder.txt").c_str(), kFileTruncate), nullptr);
    EXPECT_EQ(file.Open(nullptr, kFileWrite), nullptr);
    EXPECT_EQ(file.Mode(), 0u);
    WideString text(u"stale");
    EXPECT_EQ(file.ReadText(text), 0u);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(file.WriteText(u"x", 0), 0u);
    EXPECT_EQ(file.ReadByte(), 0xFF);
    EXPECT_EQ(file.ReadWord(), 0xFFFF);
}

TEST(ReplacingTextFile, CommitReplacesTheWholeFile) {
    TempDir dir;
    const std::u16string path = dir.Child(u"doc.zep");
    WriteFileBytes(path, "previous content, longer than the new one");
    ReplacingTextFile save;
    ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf16Le));
    EXPECT_EQ(save.File().WriteText(u"new", 0), 6u);
    EXPECT_EQ(ReadFileBytes(path), "previous content, longer than the new one");
    ASSERT_TRUE(save.Commit());
    EXPECT_EQ(ReadFileBytes(path), "\xFF\xFE\x6E\x00\x65\x00\x77\x00"s);
    EXPECT_EQ(EntriesIn(dir), 1u);

    const std::u16string fresh = dir.Child(u"a\\b\\report.htm");
    ASSERT_TRUE(save.Open(fresh.c_str(), kFileTruncate | kFileMakeDirs | kFileUtf8Bom));
    EXPECT_EQ(save.File().WriteText(u"<html>", 0), 6u);
    ASSERT_TRUE(save.Commit());
    EXPECT_EQ(ReadFileBytes(fresh), "\xEF\xBB\xBF<html>");
}

TEST(ReplacingTextFile, FailuresKeepThePreviousFile) {
    TempDir dir;
    const std::u16string path = dir.Child(u"keep.txt");
    WriteFileBytes(path, "precious");
    const auto lock = [&] {
        return HandleHolder(
            CreateFileW(AsWide(path.c_str()), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    {
        ReplacingTextFile save;
        ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf8));
        EXPECT_GT(save.File().WriteText(u"never committed", 0), 0u);
    }
    {
        ReplacingTextFile save;
        ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf8));
        EXPECT_GT(save.File().WriteText(u"new", 0), 0u);
        // Another program holds the target without sharing when the new file is ready.
        const HandleHolder locked = lock();
        ASSERT_TRUE(locked.IsValid());
        EXPECT_FALSE(save.Commit());
    }
    {
        const HandleHolder locked = lock();
        ReplacingTextFile save;
        EXPECT_FALSE(save.Open(path.c_str(), kFileTruncate));
    }
    EXPECT_EQ(ReadFileBytes(path), "precious");
    EXPECT_EQ(EntriesIn(dir), 1u);
}

}  // namespace
}  // namespace scrutor
