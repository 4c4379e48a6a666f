#include "foundation/file_system.h"

#include <gtest/gtest.h>

#include "foundation/handles.h"
#include "foundation/win_text.h"
#include "test_support.h"

namespace scrutor {
namespace {

using test::PathExists;
using test::TempDir;
using test::WriteFileBytes;

const wchar_t* W(const std::u16string& text) {
    return AsWide(text.c_str());
}

bool IsFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opened for reading without delete sharing: deleting it fails while this lives.
HandleHolder HoldOpen(const std::u16string& path) {
    return HandleHolder(
        CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

void MakeReadOnly(const std::u16string& path) {
    ASSERT_TRUE(SetFileAttributesW(W(path), FILE_ATTRIBUTE_READONLY));
}

TEST(CreateDirectoryPath, CreatesEveryMissingLevel) {
    TempDir dir;
    const std::u16string deep = dir.Child(u"a\\b\\c");
    EXPECT_TRUE(CreateDirectoryPath(deep.c_str()));
    EXPECT_TRUE(IsFolder(deep));
    EXPECT_TRUE(CreateDirectoryPath(deep.c_str()));  // existing
    EXPECT_TRUE(CreateDirectoryPath((dir.Child(u"x\\y") + u"\\\\").c_str()));
    EXPECT_TRUE(IsFolder(dir.Child(u"x\\y")));
    EXPECT_TRUE(CreateDirectoryPath((u"\\\\?\\" + dir.Child(u"long\\form")).c_str()));
    EXPECT_TRUE(IsFolder(dir.Child(u"long\\form")));
    WriteFileBytes(dir.Child(u"file"), "x");
    EXPECT_FALSE(CreateDirectoryPath(dir.Child(u"file").c_str()));
    EXPECT_FALSE(CreateDirectoryPath(dir.Child(u"file\\sub").c_str()));
    EXPECT_TRUE(CreateDirectoryPath(u"C:\\"));
    // A drive that does not exist is not a folder, whatever the text looks like.
    EXPECT_FALSE(CreateDirectoryPath(u"Q:"));
    EXPECT_FALSE(CreateDirectoryPath(u"C"));
    EXPECT_FALSE(CreateDirectoryPath(nullptr));
    // A relative path starts in the current folder, not on a server.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(W(dir.Path())));
    const bool relative = CreateDirectoryPath(u"rel\\sub");
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(relative);
    EXPECT_TRUE(IsFolder(dir.Child(u"rel\\sub")));
}

TEST(FileSizeByName, SizesOfFilesLockedOrLarge) {
    TempDir dir;
    const std::u16string path = dir.Child(u"five.bin");
    WriteFileBytes(path, "12345");
    EXPECT_EQ(FileSizeByName(path.c_str()), 5u);
    {
        const HandleHolder exclusive(
            CreateFileW(W(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(exclusive.IsValid());
        EXPECT_EQ(FileSizeByName(path.c_str()), 5u);
    }
    EXPECT_EQ(FileSizeByName(dir.Child(u"missing").c_str()), 0u);
    EXPECT_EQ(FileSizeByName(nullptr), 0u);

    const std::u16string large = dir.Child(u"large.bin");
    {
        HandleHolder file(
            CreateFileW(W(large), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file.IsValid());
        LARGE_INTEGER end{};
        end.QuadPart = 5LL << 30;
        if (!SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.Get())) {
            GTEST_SKIP() << "the test folder cannot hold a 5 GiB sparse file";
        }
    }
    EXPECT_EQ(FileSizeByName(large.c_str()), 5ULL << 30);
}

TEST(DeleteFileForce, ClearsProtectionUnlessInUseAndCountsMissingAsDone) {
    TempDir dir;
    const std::u16string path = dir.Child(u"ro.txt");
    WriteFileBytes(path, "x");
    MakeReadOnly(path);
    {
        const HandleHolder held = HoldOpen(path);
        ASSERT_TRUE(held.IsValid());
        EXPECT_EQ(DeleteFileForce(path.c_str(), 0), DeleteResult::kFailed);
        EXPECT_TRUE(GetFileAttributesW(W(path)) & FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_EQ(DeleteFileForce(path.c_str(), 0), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(path));
    EXPECT_EQ(DeleteFileForce(path.c_str(), 0), DeleteResult::kDone);
    EXPECT_EQ(DeleteFileForce(dir.Child(u"no\\folder\\f").c_str(), 0), DeleteResult::kDone);
}

// The pending operation is recorded in the registry value the system reads at start-up.
TEST(DeleteFileForce, AFileInUseIsScheduledForTheNextStart) {
    TempDir dir;
    const std::u16string path = dir.Child(u"scheduled.txt");
    WriteFileBytes(path, "x");
    const HandleHolder held = HoldOpen(path);
    ASSERT_TRUE(held.IsValid());
    ASSERT_EQ(DeleteFileForce(path.c_str(), kDeleteScheduleOnFailure), DeleteResult::kScheduled);
    EXPECT_TRUE(PathExists(path));
    EXPECT_TRUE(test::ForgetPendingDeletions(dir.Path()));
}

TEST(RemoveDirectoryForce, EmptyFoldersOnly) {
    TempDir dir;
    const std::u16string empty = dir.Child(u"empty");
    const std::u16string full = dir.Child(u"full");
    ASSERT_TRUE(CreateDirectoryW(W(empty), nullptr));
    ASSERT_TRUE(CreateDirectoryW(W(full), nullptr));
    WriteFileBytes(full + u"\\f", "x");
    MakeReadOnly(empty);
    EXPECT_EQ(RemoveDirectoryForce(empty.c_str(), 0), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(empty));
    EXPECT_EQ(RemoveDirectoryForce(full.c_str(), 0), DeleteResult::kFailed);
    EXPECT_TRUE(PathExists(full + u"\\f"));
    EXPECT_EQ(RemoveDirectoryForce(empty.c_str(), 0), DeleteResult::kDone);
}

// top\a.log, top\b.txt (read-only), top\sub\c.log, top\sub\deeper\d.txt
std::u16string MakeTree(const TempDir& dir) {
    const std::u16string top = dir.Child(u"top");
    CreateDirectoryW(W(top), nullptr);
    CreateDirectoryW(W(top + u"\\sub"), nullptr);
    CreateDirectoryW(W(top + u"\\sub\\deeper"), nullptr);
    WriteFileBytes(top + u"\\a.log", "a");
    WriteFileBytes(top + u"\\b.txt", "b");
    WriteFileBytes(top + u"\\sub\\c.log", "c");
    WriteFileBytes(top + u"\\sub\\deeper\\d.txt", "d");
    SetFileAttributesW(W(top + u"\\b.txt"), FILE_ATTRIBUTE_READONLY);
    return top;
}

TEST(DeleteTree, KeepTopAndPatterns) {
    TempDir dir;
    const std::u16string top = MakeTree(dir);
    EXPECT_EQ(DeleteTree(top.c_str(), u"*.log", kDeleteKeepTop), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\a.log"));
    EXPECT_TRUE(PathExists(top + u"\\b.txt"));
    // Only folders that match the pattern are entered.
    EXPECT_TRUE(PathExists(top + u"\\sub\\c.log"));
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", kDeleteKeepTop), DeleteResult::kDone);
    EXPECT_TRUE(IsFolder(top));
    EXPECT_FALSE(PathExists(top + u"\\sub"));
    EXPECT_FALSE(PathExists(top + u"\\b.txt"));  // read-only
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", 0), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top));
    EXPECT_TRUE(PathExists(dir.Path()));
}

TEST(DeleteTree, OneFileInUseFailsTheTreeButNotTheRest) {
    TempDir dir;
    const std::u16string top = MakeTree(dir);
    const HandleHolder held = HoldOpen(top + u"\\sub\\deeper\\d.txt");
    ASSERT_TRUE(held.IsValid());
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", 0), DeleteResult::kFailed);
    EXPECT_TRUE(PathExists(top + u"\\sub\\deeper\\d.txt"));
    EXPECT_FALSE(PathExists(top + u"\\a.log"));
    EXPECT_FALSE(PathExists(top + u"\\b.txt"));
    EXPECT_FALSE(PathExists(top + u"\\sub\\c.log"));
}

TEST(DeleteTree, ScheduledItemsMakeTheTreeScheduled) {
    TempDir dir;
    const std::u16string top = MakeTree(dir);
    const HandleHolder held = HoldOpen(top + u"\\a.log");
    ASSERT_TRUE(held.IsValid());
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", kDeleteScheduleOnFailure | kDeleteKeepTop),
              DeleteResult::kScheduled);
    EXPECT_FALSE(PathExists(top + u"\\sub"));
    EXPECT_TRUE(test::ForgetPendingDeletions(dir.Path()));
}

TEST(DeleteTree, LinksAreRemovedNotFollowed) {
    TempDir dir;
    const std::u16string top = MakeTree(dir);
    const std::u16string outside = dir.Child(u"outside");
    CreateDirectoryW(W(outside), nullptr);
    WriteFileBytes(outside + u"\\keep.txt", "k");
    const std::u16string link = top + u"\\link";
    const DWORD attributes = CreateSymbolicLinkW(W(link), W(outside), SYMBOLIC_LINK_FLAG_DIRECTORY)
                                 ? GetFileAttributesW(W(link))
                                 : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        GTEST_SKIP() << "Wine does not create directory symbolic links";
    }
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", 0), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top));
    EXPECT_TRUE(PathExists(outside + u"\\keep.txt"));
}

// Recursion is bounded so that a pathological tree cannot exhaust the stack.
TEST(DeleteTree, AbsurdlyDeepTreesAreRefused) {
    TempDir dir;
    const std::u16string top = u"\\\\?\\" + dir.Child(u"deep");
    ASSERT_TRUE(CreateDirectoryW(W(top), nullptr));
    std::u16string path = top;
    std::u16string middle;
    for (int level = 1; level <= 260; ++level) {
        path += u"\\d";
        ASSERT_TRUE(CreateDirectoryW(W(path), nullptr)) << level;
        if (level == 130) middle = path;
    }
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", 0), DeleteResult::kFailed);
    EXPECT_TRUE(PathExists(path));
    EXPECT_EQ(DeleteTree(middle.c_str(), u"*", 0), DeleteResult::kDone);
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", 0), DeleteResult::kDone);
}

TEST(DeletePath, FilesFoldersAndWildcards) {
    TempDir dir;
    const std::u16string top = MakeTree(dir);
    EXPECT_EQ(DeletePath((top + u"\\*.log").c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\a.log"));
    EXPECT_TRUE(PathExists(top + u"\\b.txt"));
    EXPECT_EQ(DeletePath((top + u"\\b.txt").c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\b.txt"));
    EXPECT_EQ(DeletePath((top + u"\\sub\\").c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\sub"));
    EXPECT_TRUE(IsFolder(top));
    EXPECT_EQ(DeletePath(top.c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top));
    EXPECT_EQ(DeletePath(dir.Child(u"never-there").c_str()), DeleteResult::kDone);
}

TEST(DeletePath, NamesWithoutAFolderAreLeftAlone) {
    TempDir dir;
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(W(dir.Path())));
    WriteFileBytes(dir.Child(u"bare.txt"), "x");
    const DeleteResult result = DeletePath(u"bare.txt");
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(result, DeleteResult::kDone);
    EXPECT_TRUE(PathExists(dir.Child(u"bare.txt")));
}

}  // namespace
}  // namespace scrutor
