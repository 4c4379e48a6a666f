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

const wchar_t* W(const std::u16string& text) { return AsWide(text.c_str()); }

bool IsFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opened for reading without delete sharing: deleting it fails while this lives.
HandleHolder HoldOpen(const std::u16string& path) {
    return test::OpenExisting(path, GENERIC_READ, FILE_SHARE_READ);
}

// What `action` answers with `path` as the current folder.
template <class Action>
auto InFolder(const std::u16string& path, Action action) {
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    EXPECT_TRUE(SetCurrentDirectoryW(W(path)));
    const auto result = action();
    SetCurrentDirectoryW(previous);
    return result;
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
    EXPECT_TRUE(InFolder(dir.Path(), [] { return CreateDirectoryPath(u"rel\\sub"); }));
    EXPECT_TRUE(IsFolder(dir.Child(u"rel\\sub")));
}

TEST(FileSizeByName, SizesOfFilesLockedOrLarge) {
    TempDir dir;
    const std::u16string path = dir.Child(u"five.bin");
    WriteFileBytes(path, "12345");
    EXPECT_EQ(FileSizeByName(path.c_str()), 5u);
    {
        const HandleHolder exclusive = test::OpenExisting(path, GENERIC_READ, 0);
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

// Protection is cleared, a file in use fails or is scheduled for the next start (recorded
// in the registry value the system reads then), and a missing file counts as done.
TEST(DeleteFileForce, ClearsProtectionSchedulesWhatIsInUse) {
    TempDir dir;
    const std::u16string path = dir.Child(u"ro.txt");
    WriteFileBytes(path, "x");
    ASSERT_TRUE(SetFileAttributesW(W(path), FILE_ATTRIBUTE_READONLY));
    {
        const HandleHolder held = HoldOpen(path);
        ASSERT_TRUE(held.IsValid());
        EXPECT_EQ(DeleteFileForce(path.c_str(), 0), DeleteResult::kFailed);
        EXPECT_TRUE(GetFileAttributesW(W(path)) & FILE_ATTRIBUTE_READONLY);
        ASSERT_EQ(DeleteFileForce(path.c_str(), kDeleteScheduleOnFailure),
                  DeleteResult::kScheduled);
        EXPECT_TRUE(PathExists(path));
        EXPECT_TRUE(test::ForgetPendingDeletions(dir.Path()));
    }
    EXPECT_EQ(DeleteFileForce(path.c_str(), 0), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(path));
    EXPECT_EQ(DeleteFileForce(path.c_str(), 0), DeleteResult::kDone);
    EXPECT_EQ(DeleteFileForce(dir.Child(u"no\\folder\\f").c_str(), 0), DeleteResult::kDone);
}

TEST(RemoveDirectoryForce, EmptyFoldersOnly) {
    TempDir dir;
    const std::u16string empty = dir.Child(u"empty");
    const std::u16string full = dir.Child(u"full");
    ASSERT_TRUE(CreateDirectoryW(W(empty), nullptr) && CreateDirectoryW(W(full), nullptr));
    WriteFileBytes(full + u"\\f", "x");
    ASSERT_TRUE(SetFileAttributesW(W(empty), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(RemoveDirectoryForce(empty.c_str(), 0), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(empty));
    EXPECT_EQ(RemoveDirectoryForce(full.c_str(), 0), DeleteResult::kFailed);
    EXPECT_TRUE(PathExists(full + u"\\f"));
    EXPECT_EQ(RemoveDirectoryForce(empty.c_str(), 0), DeleteResult::kDone);
}

// top\a.log, top\b.txt (read-only), top\sub\c.log, top\sub\deeper\d.txt
std::u16string MakeTree(const TempDir& dir) {
    const std::u16string top = dir.Child(u"top");
    for (const char16_t* folder : {u"", u"\\sub", u"\\sub\\deeper"}) {
        CreateDirectoryW(W(top + folder), nullptr);
    }
    for (const char16_t* file :
         {u"\\a.log", u"\\b.txt", u"\\sub\\c.log", u"\\sub\\deeper\\d.txt"}) {
        WriteFileBytes(top + file, "x");
    }
    SetFileAttributesW(W(top + u"\\b.txt"), FILE_ATTRIBUTE_READONLY);
    return top;
}

// One file in use fails the tree but not the rest; scheduled, it makes the tree scheduled.
TEST(DeleteTree, FilesInUse) {
    TempDir dir;
    std::u16string top = MakeTree(dir);
    {
        const HandleHolder held = HoldOpen(top + u"\\sub\\deeper\\d.txt");
        ASSERT_TRUE(held.IsValid());
        EXPECT_EQ(DeleteTree(top.c_str(), u"*", 0), DeleteResult::kFailed);
        EXPECT_TRUE(PathExists(top + u"\\sub\\deeper\\d.txt"));
        for (const char16_t* gone : {u"\\a.log", u"\\b.txt", u"\\sub\\c.log"}) {
            EXPECT_FALSE(PathExists(top + gone));
        }
    }
    ASSERT_EQ(DeleteTree(top.c_str(), u"*", 0), DeleteResult::kDone);
    top = MakeTree(dir);
    const HandleHolder held = HoldOpen(top + u"\\a.log");
    ASSERT_TRUE(held.IsValid());
    EXPECT_EQ(DeleteTree(top.c_str(), u"*", kDeleteScheduleOnFailure | kDeleteKeepTop),
              DeleteResult::kScheduled);
    EXPECT_FALSE(PathExists(top + u"\\sub"));
    EXPECT_TRUE(test::ForgetPendingDeletions(dir.Path()));
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

// A pattern empties its folder, entering only subfolders that match; other paths go whole,
// read-only entries included.
TEST(DeletePath, FilesFoldersAndWildcards) {
    TempDir dir;
    const std::u16string top = MakeTree(dir);
    EXPECT_EQ(DeletePath((top + u"\\*.log").c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\a.log"));
    EXPECT_TRUE(PathExists(top + u"\\b.txt"));
    EXPECT_TRUE(PathExists(top + u"\\sub\\c.log"));
    EXPECT_EQ(DeletePath((top + u"\\sub\\c.log").c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\sub\\c.log"));
    EXPECT_EQ(DeletePath((top + u"\\sub\\").c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\sub"));
    EXPECT_EQ(DeletePath((top + u"\\*").c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top + u"\\b.txt"));
    EXPECT_TRUE(IsFolder(top));
    EXPECT_EQ(DeletePath(top.c_str()), DeleteResult::kDone);
    EXPECT_FALSE(PathExists(top));
    EXPECT_TRUE(PathExists(dir.Path()));
    EXPECT_EQ(DeletePath(dir.Child(u"never-there").c_str()), DeleteResult::kDone);
    // Names without a folder are left alone.
    WriteFileBytes(dir.Child(u"bare.txt"), "x");
    EXPECT_EQ(InFolder(dir.Path(), [] { return DeletePath(u"bare.txt"); }), DeleteResult::kDone);
    EXPECT_TRUE(PathExists(dir.Child(u"bare.txt")));
}

}  // namespace
}  // namespace scrutor
