// What the program finds on the machine: the console user behind it (compared with what
// Windows says of the test process's own account), that user's Explorer setting for info
// tips, and where ZEP is installed.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "app/settings_win.h"
#include "foundation/handles.h"
#include "test_files.h"

namespace scrutor {
namespace {

std::wstring OwnSidText() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return L"";
    alignas(TOKEN_USER) std::array<BYTE, 1024> buffer{};
    DWORD size = 0;
    std::wstring text;
    wchar_t* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer.data(), buffer.size(), &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

std::wstring Wide(const char16_t* text) { return std::wstring(text, text + std::char_traits<char16_t>::length(text)); }

TEST(ConsoleUser, IsTheAccountThisProcessRunsAsWithItsSidAsText) {
    EXPECT_EQ(FindConsoleUserToken(nullptr, nullptr), nullptr) << "no name buffer, no answer";

    std::array<char16_t, kAccountTextUnits> user{};
    std::array<char16_t, kAccountTextUnits> sid{};
    HandleHolder token(FindConsoleUserToken(user.data(), sid.data()));
    ASSERT_TRUE(token.IsValid()) << "the test runs in the console session as its user";
    wchar_t own[256]{};
    DWORD ownSize = 256;
    ASSERT_TRUE(GetUserNameW(own, &ownSize));
    EXPECT_EQ(Wide(user.data()), own);
    EXPECT_EQ(Wide(sid.data()), OwnSidText());
    EXPECT_EQ(Wide(sid.data()).rfind(L"S-1-5-", 0), 0u);

    // Without a SID buffer the user is still found.
    std::array<char16_t, kAccountTextUnits> again{};
    HandleHolder second(FindConsoleUserToken(again.data(), nullptr));
    EXPECT_TRUE(second.IsValid());
    EXPECT_EQ(Wide(again.data()), own);
}

TEST(ExplorerSetting, ShowInfoTipIsReadFromTheConsoleUsersKeyAndDefaultsToOne) {
    // The user's own Explorer key, reached here through HKCU; put back as found.
    const RegistryValueGuard value(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                                   L"ShowInfoTip");
    ASSERT_TRUE(value.SetDword(0));
    EXPECT_EQ(ReadShowInfoTip(), 0u);
    ASSERT_TRUE(value.SetDword(7));
    EXPECT_EQ(ReadShowInfoTip(), 7u);
    ASSERT_TRUE(value.SetText(L"0"));
    EXPECT_EQ(ReadShowInfoTip(), 1u) << "a value of the wrong type counts as unreadable";
    ASSERT_TRUE(value.Delete());
    EXPECT_EQ(ReadShowInfoTip(), 1u);
}

TEST(ZepLocation, BesideTheProgramOrUnderInstallDir) {
    const std::wstring beside = TestFolder(L"scrutor-zep-beside");
    const std::wstring installed = TestFolder(L"scrutor-zep-installed");
    const RegistryValueGuard installDir(HKEY_LOCAL_MACHINE, L"Software\\ZEP - Zepharion", L"InstallDir");
    ASSERT_TRUE(installDir.SetText(installed));
    const WideString besideDir(reinterpret_cast<const char16_t*>((beside + L"\\").c_str()));
    EXPECT_TRUE(LocateZep(besideDir).IsEmpty()) << "neither place has ZEP yet";
    ASSERT_TRUE(WriteBytes(installed + L"\\ZEP_en.exe", "MZ"));
    EXPECT_EQ(std::u16string(LocateZep(besideDir).View()),
              reinterpret_cast<const char16_t*>((installed + L"\\ZEP_en.exe").c_str()));
    ASSERT_TRUE(WriteBytes(beside + L"\\ZEP_en.exe", "MZ"));
    EXPECT_EQ(std::u16string(LocateZep(besideDir).View()),
              reinterpret_cast<const char16_t*>((beside + L"\\ZEP_en.exe").c_str()));
}

}  // namespace
}  // namespace scrutor
