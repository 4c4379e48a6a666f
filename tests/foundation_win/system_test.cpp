#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <set>
#include <string>

#include "foundation/file_search.h"
#include "foundation/handles.h"
#include "foundation/message_pump.h"
#include "foundation/process.h"
#include "foundation/security.h"
#include "foundation/system_time_win.h"
#include "foundation/win_text.h"
#include "test_support.h"

namespace scrutor {
namespace {

using test::TempDir;
using test::ToU16;

const wchar_t* W(const std::u16string& text) {
    return AsWide(text.c_str());
}

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

// The calendar rules themselves are covered by the portable tests; these check the system
// conversions in front of them, invalid dates included.
TEST(SystemTime, ConversionsTextAndDays) {
    const std::uint64_t value = SystemTimeToU64(Time(2024, 3, 5, 7, 8, 9));
    EXPECT_EQ(value, 133540960890000000ULL);  // seconds since 1601 times 10^7
    EXPECT_EQ(ToU16(FileTimeToText(value)), u"2024/03/05 07:08:09");
    EXPECT_EQ(SystemTimeToU64(Time(2024, 13, 1, 0, 0)), 0u);
    EXPECT_TRUE(FileTimeToText(~0ULL).IsEmpty());
    EXPECT_EQ(DaysBetween(Time(2024, 3, 5, 23, 59), Time(2024, 3, 6, 0, 1)), 1);
    EXPECT_EQ(DaysBetween(Time(2024, 2, 28, 0, 0), Time(2024, 3, 1, 0, 0)), 2);  // leap year
    EXPECT_EQ(DaysBetween(Time(2024, 3, 6, 0, 0), Time(2024, 2, 25, 0, 0)), -10);
    EXPECT_EQ(DaysBetween(Time(2024, 2, 30, 0, 0), Time(2024, 3, 1, 0, 0)), 0);
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        child_ = test::ExecutableFolder() + u"\\scrutor_test_child.exe";
        ASSERT_TRUE(test::PathExists(child_));
        record_ = dir_.Child(u"record.txt");
        SetEnvironmentVariableW(L"SCRUTOR_CHILD_RECORD", W(record_));
    }
    void TearDown() override { SetEnvironmentVariableW(L"SCRUTOR_CHILD_RECORD", nullptr); }

    // The child's command line, working folder and id, once it has written them (it holds the
    // file without sharing until then).
    std::u16string WaitForRecord() const {
        for (int i = 0; i < 2000; ++i) {
            const std::string bytes = test::ReadFileBytes(record_);
            const std::u16string text(reinterpret_cast<const char16_t*>(bytes.data()),
                                      bytes.size() / 2);
            if (std::count(text.begin(), text.end(), u'\n') == 2) return text;
            Sleep(10);
        }
        return u"(no record)";
    }
    // The id the child wrote is the one the call answered; the record is then removed.
    void ExpectRecordedId(DWORD id) const {
        const std::u16string record = WaitForRecord();
        DeleteFileW(W(record_));
        const std::wstring number = std::to_wstring(id);
        EXPECT_EQ(record.substr(record.rfind(u'\n') + 1),
                  std::u16string(number.begin(), number.end()));
    }
    std::u16string Quoted() const { return u"\"" + child_ + u"\""; }

    TempDir dir_;
    std::u16string child_;
    std::u16string record_;
};

TEST_F(ProcessTest, StartsWithCommandLineAndWorkingFolder) {
    const std::u16string folder = dir_.Child(u"work d\u00EEr");
    ASSERT_TRUE(CreateDirectoryW(W(folder), nullptr));
    const std::u16string commandLine = Quoted() + u" -ReadFile \"C:\\a b\\s.zep\" -Auto";
    const HandleHolder process = StartProcess(commandLine.c_str(), folder.c_str());
    ASSERT_TRUE(process.IsValid());
    const std::u16string record = WaitForRecord();
    EXPECT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
    EXPECT_EQ(record.substr(0, record.find(u'\n')), commandLine);
    EXPECT_NE(record.find(u"\n" + folder + u"\n"), std::u16string::npos);
    DWORD exitCode = 1;
    EXPECT_TRUE(GetExitCodeProcess(process.Get(), &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(ProcessTest, IdsAreTheChildsOwn) {
    const DWORD id = StartProcessGetId(Quoted().c_str(), u"");
    ASSERT_NE(id, 0u);
    ExpectRecordedId(id);
    const DWORD opened = ShellOpen(child_.c_str());
    ASSERT_GT(opened, 1u);
    ExpectRecordedId(opened);
}

TEST_F(ProcessTest, RefusesWhatCannotBeStartedAsAsked) {
    const std::u16string missing = dir_.Child(u"missing.exe");
    EXPECT_FALSE(StartProcess(missing.c_str(), nullptr).IsValid());
    EXPECT_FALSE(StartProcess(u"", nullptr).IsValid());
    EXPECT_FALSE(StartProcess(nullptr, nullptr).IsValid());
    EXPECT_EQ(StartProcessGetId(missing.c_str(), nullptr), 0u);
    EXPECT_EQ(ShellOpen(dir_.Child(u"missing.txt").c_str()), 0u);
    EXPECT_EQ(ShellOpen(u""), 0u);
    // Cut at the buffer's end it would run with other arguments than were given.
    const std::u16string tooLong = Quoted() + u" " + std::u16string(32000, u'x');
    EXPECT_FALSE(StartProcess(tooLong.c_str(), nullptr).IsValid());
}

struct Sid {
    BYTE bytes[SECURITY_MAX_SID_SIZE];
    explicit Sid(WELL_KNOWN_SID_TYPE type) {
        DWORD size = sizeof bytes;
        CreateWellKnownSid(type, nullptr, bytes, &size);
    }
    PSID Get() { return bytes; }
};

// The access list's entry count and protection as the system keeps them; false when it does
// not keep the owner that was set.
bool ReadSecurity(const std::u16string& path, PSID expectedOwner, WORD& aceCount,
                  bool& isProtected) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(W(path), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const bool kept = owner != nullptr && EqualSid(owner, expectedOwner);
    aceCount = dacl != nullptr ? dacl->AceCount : 0;
    isProtected = (control & SE_DACL_PROTECTED) != 0;
    LocalFree(descriptor);
    return kept;
}

TEST(Security, SetFileSecurityAndTakeOwnership) {
    TempDir dir;
    const std::u16string secured = dir.Child(u"secured.txt");
    const std::u16string owned = dir.Child(u"owned.txt");
    test::WriteFileBytes(secured, "x");
    test::WriteFileBytes(owned, "x");
    AclBuffer acl;
    Sid everyone(WinWorldSid);
    Sid administrators(WinBuiltinAdministratorsSid);
    ASSERT_TRUE(acl.AddAllowed(everyone.Get(), FILE_GENERIC_READ, 0));
    ASSERT_TRUE(
        SetFileSecurity(acl.Get(), secured.c_str(), kSecurityProtected, administrators.Get()));
    // Recursion applies to folders only; on a file it is the plain call.
    EXPECT_TRUE(SetFileSecurity(acl.Get(), secured.c_str(),
                                kSecurityProtected | kSecurityRecursive, administrators.Get()));
    EXPECT_TRUE(SetFileSecurity(acl.Get(), dir.Path().c_str(),
                                kSecurityUnprotected | kSecurityRecursive, nullptr));
    EXPECT_FALSE(SetFileSecurity(acl.Get(), dir.Child(u"missing").c_str(), 0, nullptr));
    ASSERT_TRUE(TakeOwnershipAndGrantAccess(owned.c_str()));
    ASSERT_TRUE(TakeOwnershipAndGrantAccess(dir.Path().c_str()));

    WORD aces = 0;
    bool isProtected = false;
    if (!ReadSecurity(secured, administrators.Get(), aces, isProtected)) {
        GTEST_SKIP() << "Wine does not keep the security descriptors of files";
    }
    EXPECT_EQ(aces, 1);
    EXPECT_TRUE(isProtected);
    ASSERT_TRUE(ReadSecurity(owned, administrators.Get(), aces, isProtected));
    EXPECT_GE(aces, 2);
    EXPECT_FALSE(isProtected);
}

TEST(FileSearch, ListsEntriesWithoutDots) {
    TempDir dir;
    test::WriteFileBytes(dir.Child(u"a.log"), "");
    test::WriteFileBytes(dir.Child(u"b.txt"), "");
    CreateDirectoryW(W(dir.Child(u"sub")), nullptr);
    std::set<std::u16string> names, folders;
    FileSearch search;
    for (bool more = search.Open((dir.Path() + u"\\*").c_str()); more; more = search.Next()) {
        names.insert(search.Name());
        if (search.IsDirectory()) folders.insert(search.Name());
    }
    EXPECT_EQ(names, (std::set<std::u16string>{u"a.log", u"b.txt", u"sub"}));
    EXPECT_EQ(folders, (std::set<std::u16string>{u"sub"}));
    EXPECT_FALSE(search.Next());
    EXPECT_TRUE(search.Open((dir.Path() + u"\\*.log").c_str()));
    EXPECT_EQ(std::u16string(search.Name()), u"a.log");
    EXPECT_FALSE(search.Next());
    EXPECT_FALSE(search.Open((dir.Path() + u"\\*.none").c_str()));
    EXPECT_FALSE(search.Open((dir.Child(u"sub") + u"\\*").c_str()));  // only "." and ".."
}

bool IsOpenHandle(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(Handles, KernelHandleHolderClosesWhatItReplaces) {
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        HandleHolder holder(first);
        holder = second;
        EXPECT_FALSE(IsOpenHandle(first));
        HandleHolder moved(std::move(holder));
        EXPECT_FALSE(holder.IsValid());
        EXPECT_TRUE(IsOpenHandle(second));
    }
    EXPECT_FALSE(IsOpenHandle(second));
    HANDLE third = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HandleHolder released(third);
    EXPECT_EQ(released.Release(), third);
    EXPECT_TRUE(IsOpenHandle(third));
    CloseHandle(third);
    HandleHolder stale(third);
    EXPECT_FALSE(stale.Close());  // closing twice is reported
}

// Taking the held handle again (a redraw that re-selects the same brush) must not close it.
TEST(Handles, ResettingToTheHeldHandleKeepsItOpen) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HandleHolder holder(event);
    holder.Reset(event);
    EXPECT_TRUE(IsOpenHandle(event));
    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
    brush.Reset(brush.Get());
    EXPECT_EQ(GetObjectType(brush.Get()), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(MessagePump, DispatchesAndKeepsTheQuitRequest) {
    const test::CountingWindow window;
    ASSERT_NE(window.Get(), nullptr);
    for (int i = 0; i < 3; ++i) PostMessageW(window.Get(), WM_APP, 0, 0);
    PostQuitMessage(5);
    DispatchPendingMessages();
    EXPECT_EQ(window.Count(), 3);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 5u);
}

}  // namespace
}  // namespace scrutor
