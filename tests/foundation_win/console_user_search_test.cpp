// The search through other processes, which only a program outside the console session makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "foundation/console_user.h"

namespace scrutor {
namespace {

struct Fake {
    DWORD console;
    std::vector<DWORD> listed;
    bool listFails, found;
} gFake;

DWORD WINAPI FakeConsoleSession() { return gFake.console; }
// This process sits in another session; every other one in the console's.
BOOL WINAPI FakeSessionOf(DWORD id, DWORD* session) {
    *session = id == GetCurrentProcessId() ? gFake.console + 1 : gFake.console;
    return TRUE;
}
BOOL WINAPI FakeList(DWORD* ids, DWORD, DWORD* returned) {  // room for 1,024 ids
    std::copy(gFake.listed.begin(), gFake.listed.end(), ids);
    *returned = static_cast<DWORD>(gFake.listed.size() * sizeof(DWORD));
    return !gFake.listFails;
}

TEST(ConsoleUserSearch, TakesTheFirstOpenableProcessOfTheConsoleSession) {
    wchar_t self[MAX_PATH]{};
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(GetModuleFileNameW(nullptr, self, MAX_PATH) &&
                CreateProcessW(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                               nullptr, &start, &child));
    const HandleHolder childProcess(child.hProcess), childThread(child.hThread);
    const DWORD own = GetCurrentProcessId(), real = WTSGetActiveConsoleSessionId(), gone = 0x7FFFFFF0;
    const Fake cases[] = {{real, {gone, own, child.dwProcessId}, false, true},
                          {real, {own, gone}, false, false},
                          {real, {child.dwProcessId}, true, false},
                          {kNoConsoleSession, {child.dwProcessId}, false, false}};
    for (const Fake& c : cases) {
        gFake = c;
        char16_t user[kAccountTextUnits]{}, sid[kAccountTextUnits]{};
        const HandleHolder token =
            FindConsoleUserToken(user, sid, {FakeConsoleSession, FakeSessionOf, FakeList});
        EXPECT_EQ(token.IsValid(), c.found) << c.listed.size();
        EXPECT_EQ(sid[0] == u'S' && sid[1] == u'-', c.found) << "the SID text only with a token";
    }
    TerminateProcess(child.hProcess, 0);
}

}  // namespace
}  // namespace scrutor
