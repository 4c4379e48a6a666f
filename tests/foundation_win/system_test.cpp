#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "foundation/handles.h"
#include "foundation/process.h"
#include "foundation/security.h"
#include "foundation/system_time_win.h"
#include "foundation/win_text.h"
#include "test_support.h"

namespace scrutor {
namespace {

using test::TempDir;

const wchar_t* W(const std::u16string& text) { return AsWide(text.c_str()); }

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
    return {year, month, 0, day, hour, minute, second, 0};
}

// The calendar rules themselves are covered by the portable tests; these check the system
// conversions in front of them, invalid dates included.
TEST(SystemTime, ConversionsTextAndDays) {
    const std::uint64_t value = SystemTimeToU64(Time(2024, 3, 5, 7, 8, 9));
    EXPECT_EQ(value, 133540960890000000ULL);  // seconds since 1601 times 10^7
    EXPECT_EQ(FileTimeToText(value).View(), u"2024/03/05 07:08:09");
    EXPECT_EQ(SystemTimeToU64(Time(2024, 13, 1)), 0u);
    EXPECT_TRUE(FileTimeToText(~0ULL).IsEmpty());
    EXPECT_EQ(DaysBetween(Time(2024, 3, 5, 23, 59), Time(2024, 3, 6, 0, 1)), 1);
    EXPECT_EQ(DaysBetween(Time(2024, 2, 30), Time(2024, 3, 1)), 0);
}

// The child writes its id to the record, holding the file without sharing until then. What
// a started program receives (command line, working folder) is proven end to end: the
// run-script test checks ZEP's command line and folder.
TEST(Process, AnswersTheChildsIdOrRefuses) {
    TempDir dir;
    const std::u16string child = test::ExecutableFolder() + u"\\scrutor_test_child.exe";
    ASSERT_TRUE(test::PathExists(child));
    const std::u16string record = dir.Child(u"record.txt");
    SetEnvironmentVariableW(L"SCRUTOR_CHILD_RECORD", W(record));
    const auto recordedId = [&] {
        for (int i = 0; i < 2000; ++i) {
            const std::string bytes = test::ReadFileBytes(record);
            if (!bytes.empty()) {
                DeleteFileW(W(record));
                return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                                    bytes.size() / 2);
            }
            Sleep(10);
        }
        return std::wstring(L"(no record)");
    };
    const std::u16string quoted = u"\"" + child + u"\"";
    const DWORD id = StartProcessGetId(quoted.c_str(), u"");
    EXPECT_NE(id, 0u);
    EXPECT_EQ(recordedId(), std::to_wstring(id));
    const DWORD opened = ShellOpen(child.c_str());
    EXPECT_GT(opened, 1u);
    EXPECT_EQ(recordedId(), std::to_wstring(opened));
    SetEnvironmentVariableW(L"SCRUTOR_CHILD_RECORD", nullptr);

    const std::u16string missing = dir.Child(u"missing.exe");
    EXPECT_FALSE(StartProcess(missing.c_str(), nullptr).IsValid());
    EXPECT_FALSE(StartProcess(u"", nullptr).IsValid());
    EXPECT_FALSE(StartProcess(nullptr, nullptr).IsValid());
    EXPECT_EQ(StartProcessGetId(missing.c_str(), nullptr), 0u);
    EXPECT_EQ(ShellOpen(dir.Child(u"missing.txt").c_str()), 0u);
    EXPECT_EQ(ShellOpen(u""), 0u);
    // Cut at the buffer's end it would run with other arguments than were given.
    const std::u16string tooLong = quoted + u" " + std::u16string(32000, u'x');
    EXPECT_FALSE(StartProcess(tooLong.c_str(), nullptr).IsValid());
}

struct Sid {
    BYTE bytes[SECURITY_MAX_SID_SIZE];
    explicit Sid(WELL_KNOWN_SID_TYPE type) {
        DWORD size = sizeof bytes;
        CreateWellKnownSid(type, nullptr, bytes, &size);
    }
};

// Wine keeps no security descriptors of files, so only the answers can be checked here.
TEST(Security, SetFileSecurityAndTakeOwnership) {
    TempDir dir;
    const std::u16string secured = dir.Child(u"secured.txt");
    test::WriteFileBytes(secured, "x");
    AclBuffer acl;
    Sid everyone(WinWorldSid), administrators(WinBuiltinAdministratorsSid);
    ASSERT_TRUE(acl.AddAllowed(everyone.bytes, FILE_GENERIC_READ, 0));
    EXPECT_TRUE(
        SetFileSecurity(acl.Get(), secured.c_str(), kSecurityProtected, administrators.bytes));
    // Recursion applies to folders only; on a file it is the plain call.
    EXPECT_TRUE(SetFileSecurity(acl.Get(), secured.c_str(),
                                kSecurityProtected | kSecurityRecursive, administrators.bytes));
    EXPECT_TRUE(SetFileSecurity(acl.Get(), dir.Path().c_str(),
                                kSecurityUnprotected | kSecurityRecursive, nullptr));
    EXPECT_FALSE(SetFileSecurity(acl.Get(), dir.Child(u"missing").c_str(), 0, nullptr));
    EXPECT_TRUE(TakeOwnershipAndGrantAccess(secured.c_str()));
    EXPECT_TRUE(TakeOwnershipAndGrantAccess(dir.Path().c_str()));
    EXPECT_FALSE(TakeOwnershipAndGrantAccess(dir.Child(u"missing").c_str()));
}

bool IsOpenHandle(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(Handles, HoldersCloseWhatTheyReplaceButNotWhatTheyTakeAgain) {
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        HandleHolder holder(first);
        holder = second;
        EXPECT_FALSE(IsOpenHandle(first));
        HandleHolder moved(std::move(holder));
        EXPECT_FALSE(holder.IsValid());
        // Taking the held handle again (a redraw re-selecting the same brush) keeps it open.
        moved.Reset(second);
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

}  // namespace
}  // namespace scrutor
