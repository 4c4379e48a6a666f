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
    return std::u16string(text.View());
}

std::size_t EntriesIn(const TempDir& dir) {
    const std::filesystem::directory_iterator entries(
        std::wstring(dir.Path().begin(), dir.Path().end()));
    return static_cast<std::size_t>(std::distance(entries, std::filesystem::directory_iterator()));
}

// A mark decides the encoding whatever the caller guessed; without one the guess holds. The
// rules are pinned by the portable tests; an empty file and an odd last byte of UTF-16LE by
// BadInput.OddFilesOpenWithWhatTheyHoldAndCloseUntouched end to end.
TEST(TextFileRead, EncodingFollowsTheMarkOrTheGuess) {
    struct Case {
        std::string bytes;
        std::uint32_t guess;
        std::u16string text;
        std::uint32_t modeAfter;
    };
    const Case cases[] = {
        {"\xFF\xFE\x42\x00"s, kFileUtf8, u"B", kFileUtf16Le},
        {"\xFF\xFE", 0, u"", kFileUtf16Le},
        {"caf\xE9", 0, u"caf\u00E9", 0},  // the ANSI code page of the test system is 1252
        {"\x00\x41\x00\x42"s, kFileUtf16Be, u"AB", kFileUtf16Be},
        {"\xFE\xFF\x00"s, 0, u"", kFileUtf16Be},  // an odd last byte is never read past
    };
    TempDir dir;
    const std::u16string path = dir.Child(u"read.txt");
    for (const Case& c : cases) {
        WriteFileBytes(path, c.bytes);
        std::uint32_t mode = 99;
        EXPECT_EQ(ReadWithMode(path, c.guess, &mode), c.text) << test::Hex(c.bytes);
        EXPECT_EQ(mode, c.modeAfter) << test::Hex(c.bytes);
    }
}

TEST(TextFileWrite, EveryModeReadsBackWhatItWrote) {
    const std::u16string unicode = u"Zeile\r\n\u00C4\u20AC \u4E2D \U0001F600 \\ end";
    const std::u16string ansi = u"Zeile\r\n\u00C4\u20AC caf\u00E9";
    const std::pair<std::uint32_t, std::string> cases[] = {
        {kFileUtf16Le, "\xFF\xFE"}, {kFileUtf16Be, "\xFE\xFF"}, {kFileUtf8Bom, "\xEF\xBB\xBF"},
        {kFileUtf8, ""},           {kFileMakeDirs, ""},       {0, ""},
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
    }
}

// Marks go only into empty files; an existing file's mark decides how more text is written,
// unless kFileAppend skips mark handling altogether.
TEST(TextFileWrite, WritingToExistingFiles) {
    struct Case {
        const char* what;
        std::string before;  // "(none)": the file does not exist
        std::uint32_t mode;
        const char16_t* text;
        std::size_t written;
        std::string after;
    };
    const Case cases[] = {
        {"appends in the file's encoding", "\xFF\xFE\x41\x00"s, kFileWrite, u"B", 2,
         "\xFF\xFE\x41\x00\x42\x00"s},
        // A stray last byte would shift every unit appended after it.
        {"overwrites an odd byte", "\xFF\xFE\x41\x00\x42"s, kFileWrite, u"C", 2,
         "\xFF\xFE\x41\x00\x43\x00"s},
        {"appends UTF-8", "abc", kFileWrite | kFileUtf8, u"d", 1, "abcd"},
        {"keeps the old mark", "\xEF\xBB\xBF\xC3\xA9", kFileWrite | kFileUtf16Le, u"\u00E9", 2,
         "\xEF\xBB\xBF\xC3\xA9\xC3\xA9"},
        {"truncates and marks", "old content", kFileTruncate | kFileUtf8Bom, u"\u00E9", 2,
         "\xEF\xBB\xBF\xC3\xA9"},
        {"creates folders and marks", "(none)", kFileTruncate | kFileMakeDirs | kFileUtf16Le, u"AB",
         4, "\xFF\xFE\x41\x00\x42\x00"s},
        {"appends without a mark", "line1\r\n", kFileWrite | kFileAppend | kFileUtf16Le, u"x", 2,
         "line1\r\nx\0"s},
        {"creates without a mark", "(none)", kFileWrite | kFileAppend | kFileUtf16Le, u"y", 2,
         "y\0"s},
        {"writes nothing for nothing", "", kFileTruncate | kFileUtf8, u"", 0, ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::u16string path = dir.Child(u"sub\\file.txt");
        if (!(c.mode & kFileMakeDirs)) CreateDirectoryW(AsWide(dir.Child(u"sub").c_str()), 0);
        if (c.before != "(none)") WriteFileBytes(path, c.before);
        {
            TextFile file(path.c_str(), c.mode);
            EXPECT_EQ(file.WriteText(c.text, 0), c.written) << c.what;
            EXPECT_EQ(file.WriteText(nullptr, 5), 0u) << c.what;
        }
        EXPECT_EQ(test::Hex(ReadFileBytes(path)), test::Hex(c.after)) << c.what;
    }
}

HandleHolder OpenForReading(const std::u16string& path) {
    return test::OpenExisting(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
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

// A save not committed, or whose target another program holds when the new file is ready,
// keeps the previous file; a target held before the save begins is BadInput's locked file.
TEST(ReplacingTextFile, CommitReplacesTheWholeFileOrNothing) {
    TempDir dir;
    const std::u16string path = dir.Child(u"doc.zep");
    const std::string previous = "previous content, longer than the new one";
    WriteFileBytes(path, previous);
    {
        ReplacingTextFile save;
        ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf8));
        EXPECT_GT(save.File().WriteText(u"never committed", 0), 0u);
    }
    ReplacingTextFile save;
    ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf16Le));
    EXPECT_EQ(save.File().WriteText(u"new", 0), 6u);
    {
        const HandleHolder locked = test::OpenExisting(path, GENERIC_READ, 0);
        ASSERT_TRUE(locked.IsValid());
        EXPECT_FALSE(save.Commit());
    }
    EXPECT_EQ(ReadFileBytes(path), previous);
    EXPECT_EQ(EntriesIn(dir), 1u);
    ASSERT_TRUE(save.Open(path.c_str(), kFileTruncate | kFileUtf16Le));
    EXPECT_EQ(save.File().WriteText(u"new", 0), 6u);
    EXPECT_EQ(ReadFileBytes(path), previous);
    ASSERT_TRUE(save.Commit());
    EXPECT_EQ(ReadFileBytes(path), "\xFF\xFE\x6E\x00\x65\x00\x77\x00"s);
    EXPECT_EQ(EntriesIn(dir), 1u);

    const std::u16string fresh = dir.Child(u"a\\b\\report.htm");
    ASSERT_TRUE(save.Open(fresh.c_str(), kFileTruncate | kFileMakeDirs | kFileUtf8Bom));
    EXPECT_EQ(save.File().WriteText(u"<html>", 0), 6u);
    ASSERT_TRUE(save.Commit());
    EXPECT_EQ(ReadFileBytes(fresh), "\xEF\xBB\xBF<html>");
}

}  // namespace
}  // namespace scrutor
