#include "foundation/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/handles.h"
#include "foundation/win_text.h"
#include "test_support.h"

namespace scrutor {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::ToU16;
using test::WriteFileBytes;

std::string Bytes(const char* text, std::size_t size) {
    return std::string(text, size);
}

std::u16string ReadWithMode(const std::u16string& path, std::uint32_t mode,
                            std::uint32_t* modeAfter = nullptr) {
    TextFile file;
    EXPECT_NE(file.Open(path.c_str(), mode), nullptr);
    if (modeAfter != nullptr) *modeAfter = file.Mode();
    WideString text(u"stale");
    const std::size_t count = file.ReadText(text);
    EXPECT_EQ(count, text.Length());
    return ToU16(text);
}

struct ReadCase {
    std::string bytes;
    std::u16string text;
    std::uint32_t modeAfter;
};

TEST(TextFileRead, EncodingFollowsTheMark) {
    const ReadCase cases[] = {
        {Bytes("\xFF\xFE" "A\0", 4), u"A", kFileUtf16Le},
        {"AB", u"AB", 0},
        {"\xEF\xBB\xBF" "AB", u"AB", kFileUtf8Bom},
        {Bytes("\xFE\xFF\0A\x20\xAC", 6), u"A\u20AC", kFileUtf16Be},
        {"\xFF\xFE", u"", kFileUtf16Le},
        {"", u"", 0},
        {"caf\xE9", u"caf\u00E9", 0},  // the ANSI code page of the test system is 1252
        // An odd last byte is never read past.
        {Bytes("\xFF\xFE" "A\0B", 5), u"A", kFileUtf16Le},
        {Bytes("\xFE\xFF\0", 3), u"", kFileUtf16Be},
    };
    TempDir dir;
    const std::u16string path = dir.Child(u"read.txt");
    for (const ReadCase& c : cases) {
        WriteFileBytes(path, c.bytes);
        std::uint32_t mode = 99;
        EXPECT_EQ(ReadWithMode(path, 0, &mode), c.text) << test::Hex(c.bytes);
        EXPECT_EQ(mode, c.modeAfter) << test::Hex(c.bytes);
    }
}

TEST(TextFileRead, MarkOverridesTheCallersGuessAndFlagsReadWithoutMark) {
    TempDir dir;
    const std::u16string path = dir.Child(u"guess.txt");
    WriteFileBytes(path, Bytes("\xFF\xFE" "B\0", 4));
    EXPECT_EQ(ReadWithMode(path, kFileUtf8), u"B");
    WriteFileBytes(path, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(ReadWithMode(path, kFileUtf8), u"\u00E9t\u00E9");
    EXPECT_EQ(ReadWithMode(path, 0), u"\u00C3\u00A9t\u00C3\u00A9");
    WriteFileBytes(path, Bytes("\0A\0B", 4));
    EXPECT_EQ(ReadWithMode(path, kFileUtf16Be), u"AB");
}

TEST(TextFileWrite, Mode42CreatesFoldersAndMark) {
    TempDir dir;
    const std::u16string path = dir.Child(u"new\\deeper\\script.zep");
    TextFile file;
    ASSERT_NE(file.Open(path.c_str(), kFileTruncate | kFileMakeDirs | kFileUtf16Le), nullptr);
    EXPECT_EQ(file.WriteText(u"AB", 0), 4u);
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), Bytes("\xFF\xFE" "A\0B\0", 6));
}

TEST(TextFileWrite, EveryModeReadsBackWhatItWrote) {
    const std::u16string unicode = u"Zeile\r\n\u00C4\u20AC \u4E2D \U0001F600 \\ end";
    const std::u16string ansi = u"Zeile\r\n\u00C4\u20AC caf\u00E9";
    struct Case {
        std::uint32_t mode;
        const char* mark;
        std::size_t markLength;
    };
    const Case cases[] = {
        {kFileUtf16Le, "\xFF\xFE", 2}, {kFileUtf16Be, "\xFE\xFF", 2},
        {kFileUtf8Bom, "\xEF\xBB\xBF", 3}, {kFileUtf8, "", 0},
        {kFileMakeDirs, "", 0},       {0, "", 0},
    };
    TempDir dir;
    const std::u16string path = dir.Child(u"roundtrip.txt");
    for (const Case& c : cases) {
        const std::u16string& text = c.mode == 0 ? ansi : unicode;
        {
            TextFile file(path.c_str(), kFileTruncate | c.mode);
            ASSERT_NE(file.IsOpen(), nullptr);
            EXPECT_GT(file.WriteText(text.c_str(), static_cast<std::int64_t>(text.size())), 0u);
        }
        EXPECT_EQ(ReadFileBytes(path).substr(0, c.markLength), std::string(c.mark, c.markLength));
        EXPECT_EQ(ReadWithMode(path, c.mode), text) << "mode " << c.mode;
        if (c.markLength > 0) {
            EXPECT_EQ(ReadWithMode(path, 0), text) << "mode " << c.mode;
        }
    }
}

TEST(TextFileWrite, ReopeningForWritingAppends) {
    TempDir dir;
    const std::u16string path = dir.Child(u"append.txt");
    WriteFileBytes(path, Bytes("\xFF\xFE" "A\0", 4));
    {
        TextFile file(path.c_str(), kFileWrite);
        EXPECT_EQ(file.Mode(), kFileWrite | kFileUtf16Le);
        EXPECT_EQ(file.WriteText(u"B", 1), 2u);
    }
    EXPECT_EQ(ReadFileBytes(path), Bytes("\xFF\xFE" "A\0B\0", 6));

    WriteFileBytes(path, "abc");
    {
        TextFile file(path.c_str(), kFileWrite | kFileUtf8);
        EXPECT_EQ(file.WriteText(u"d", 0), 1u);
    }
    EXPECT_EQ(ReadFileBytes(path), "abcd");
}

// A stray last byte would shift every unit appended after it; it is overwritten instead.
TEST(TextFileWrite, AppendingToOddUtf16StaysAligned) {
    TempDir dir;
    const std::u16string path = dir.Child(u"odd.txt");
    WriteFileBytes(path, Bytes("\xFF\xFE" "A\0B", 5));
    {
        TextFile file(path.c_str(), kFileWrite);
        EXPECT_EQ(file.WriteText(u"C", 0), 2u);
    }
    EXPECT_EQ(ReadWithMode(path, 0), u"AC");
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
    EXPECT_EQ(ReadFileBytes(path), Bytes("line1\r\nx\0", 9));

    const std::u16string fresh = dir.Child(u"fresh.txt");
    {
        TextFile file(fresh.c_str(), kFileWrite | kFileAppend | kFileUtf16Le);
        EXPECT_EQ(file.WriteText(u"y", 0), 2u);
    }
    EXPECT_EQ(ReadFileBytes(fresh), Bytes("y\0", 2));  // no mark in append mode
}

TEST(TextFileWrite, TruncateReplacesContentAndWritesMark) {
    TempDir dir;
    const std::u16string path = dir.Child(u"trunc.txt");
    WriteFileBytes(path, "old content that is longer");
    {
        TextFile file(path.c_str(), kFileTruncate | kFileUtf8Bom);
        EXPECT_EQ(file.WriteText(u"\u00E9", 0), 2u);
    }
    EXPECT_EQ(ReadFileBytes(path), "\xEF\xBB\xBF\xC3\xA9");
    {
        TextFile file(path.c_str(), kFileWrite | kFileUtf16Le);  // no mark into a non-empty file
        EXPECT_EQ(file.WriteText(u"\u00E9", 0), 2u);
    }
    EXPECT_EQ(ReadFileBytes(path), "\xEF\xBB\xBF\xC3\xA9\xC3\xA9");
}

TEST(TextFileWrite, NothingToWriteWritesNothing) {
    TempDir dir;
    const std::u16string path = dir.Child(u"empty.txt");
    TextFile file(path.c_str(), kFileTruncate);
    EXPECT_EQ(file.WriteText(u"", 0), 0u);
    EXPECT_EQ(file.WriteText(nullptr, 5), 0u);
    EXPECT_EQ(file.WriteString(WideString()), 0u);
    EXPECT_EQ(file.Size64(), 0u);
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
}

TEST(TextFileOpen, FailuresLeaveTheObjectClosed) {
    TempDir dir;
    TextFile file;
    EXPECT_EQ(file.Open(dir.Child(u"missing.txt").c_str(), kFileUtf16Le), nullptr);
    EXPECT_EQ(file.Open(dir.Child(u"no\\such\\folder.txt").c_str(), kFileTruncate), nullptr);
    EXPECT_EQ(file.Open(nullptr, kFileWrite), nullptr);
    EXPECT_EQ(file.IsOpen(), nullptr);
    EXPECT_EQ(file.Mode(), 0u);
    WideString text(u"stale");
    EXPECT_EQ(file.ReadText(text), 0u);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(file.WriteText(u"x", 0), 0u);
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(file.ReadByte(), 0xFF);
    EXPECT_EQ(file.ReadWord(), 0xFFFF);
    EXPECT_EQ(file.Seek(0, FILE_END), 0u);
}

TEST(TextFileOpen, ReopeningClosesTheFirstFile) {
    TempDir dir;
    const std::u16string first = dir.Child(u"first.txt");
    const std::u16string second = dir.Child(u"second.txt");
    WriteFileBytes(first, "1");
    WriteFileBytes(second, "2");
    TextFile file(first.c_str(), kFileExclusive);
    ASSERT_NE(file.Open(second.c_str(), 0), nullptr);
    TextFile other(first.c_str(), kFileExclusive);  // possible only when the first was closed
    EXPECT_NE(other.IsOpen(), nullptr);
}

TEST(TextFileBytes, RawAccessAndPositions) {
    TempDir dir;
    const std::u16string path = dir.Child(u"raw.bin");
    WriteFileBytes(path, Bytes("\x01\x02\x03\x04\x05", 5));
    TextFile file(path.c_str(), kFileWrite);  // no mark: the pointer ends at the end
    EXPECT_EQ(file.Size(), 5u);
    EXPECT_EQ(file.Size64(), 5u);
    EXPECT_EQ(file.Seek(0, FILE_CURRENT), 5u);
    EXPECT_EQ(file.SeekFromStart(1), 1u);
    EXPECT_EQ(file.ReadByte(), 0x02);
    EXPECT_EQ(file.ReadWord(), 0x0403);
    EXPECT_EQ(file.ReadWord(), 0xFFFF);  // one byte left is no whole unit
    EXPECT_EQ(file.Seek(-1, FILE_END), 4u);
    EXPECT_EQ(file.WriteBytes("\xAA\xBB", 2), 2u);
    char buffer[8] = {};
    EXPECT_EQ(file.Seek(0, FILE_BEGIN), 0u);
    EXPECT_EQ(file.ReadBytes(buffer, sizeof buffer), 6u);
    EXPECT_EQ(std::string(buffer, 6), Bytes("\x01\x02\x03\x04\xAA\xBB", 6));
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
    EXPECT_EQ(ReadFileBytes(path), Bytes("\xFF\xFE" "n\0e\0w\0", 8));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::wstring(
                                dir.Path().begin(), dir.Path().end())),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ReplacingTextFile, FailuresKeepThePreviousFile) {
    TempDir dir;
    const std::u16string path = dir.Child(u"keep.txt");
    WriteFileBytes(path, "precious");
    {
        ReplacingTextFile save;
        ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf8));
        EXPECT_GT(save.File().WriteText(u"half", 0), 0u);
        // Never committed: dropped with the object.
    }
    {
        ReplacingTextFile save;
        ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf8));
        EXPECT_GT(save.File().WriteText(u"new", 0), 0u);
        // Another program holds the target without sharing when the new file is ready.
        const HandleHolder locked(CreateFileW(AsWide(path.c_str()), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked.IsValid());
        EXPECT_FALSE(save.Commit());
    }
    {
        const HandleHolder locked(CreateFileW(AsWide(path.c_str()), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        ReplacingTextFile save;
        EXPECT_FALSE(save.Open(path.c_str(), kFileTruncate));
    }
    EXPECT_EQ(ReadFileBytes(path), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::wstring(
                                dir.Path().begin(), dir.Path().end())),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ReplacingTextFile, CreatesAMissingFileAndItsFolders) {
    TempDir dir;
    const std::u16string path = dir.Child(u"a\\b\\report.htm");
    ReplacingTextFile save;
    ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileMakeDirs | kFileUtf8Bom));
    EXPECT_EQ(save.File().WriteText(u"<html>", 0), 6u);
    ASSERT_TRUE(save.Commit());
    EXPECT_EQ(ReadFileBytes(path), "\xEF\xBB\xBF<html>");
}

}  // namespace
}  // namespace scrutor
