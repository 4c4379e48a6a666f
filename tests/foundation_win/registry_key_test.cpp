#include "foundation/registry_key.h"

#include <gtest/gtest.h>

#include <string>

#include <sddl.h>

#include "foundation/win_text.h"
#include "test_support.h"

namespace scrutor {
namespace {

std::u16string Number(unsigned long value) {
    const std::wstring text = std::to_wstring(value);
    return std::u16string(text.begin(), text.end());
}

std::string Units(std::u16string_view text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// Each test works below its own key, which is removed afterwards with the plain API.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        subkey_ =
            u"Software\\ScrutorTests\\" + Number(GetCurrentProcessId()) + u"-" + Number(++counter);
        ASSERT_TRUE(key_.Open(Path().c_str(), kOpenOrCreate));
    }
    void TearDown() override {
        // The denied key allows deleting only, which the tree removal cannot do.
        RegDeleteKeyW(HKEY_CURRENT_USER, AsWide((subkey_ + u"\\denied").c_str()));
        key_.Close();
        RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(subkey_.c_str()));
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ScrutorTests");  // when empty
    }

    std::u16string Path(const char16_t* below = nullptr) const {
        std::u16string path = u"HKCU\\" + subkey_;
        if (below != nullptr) path.append(u"\\").append(below);
        return path;
    }
    // The type and bytes of a value, read with the plain API.
    std::pair<DWORD, std::string> Raw(const char16_t* name) const {
        DWORD type = 0;
        std::string bytes(4096, '\0');
        DWORD size = static_cast<DWORD>(bytes.size());
        if (RegQueryValueExW(key_.Get(), AsWide(name), nullptr, &type,
                             reinterpret_cast<BYTE*>(bytes.data()), &size) != ERROR_SUCCESS) {
            return {REG_NONE, "missing"};
        }
        bytes.resize(size);
        return {type, bytes};
    }
    void SetRaw(const char16_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, AsWide(subkey_.c_str()), AsWide(name), type,
                                  data, size),
                  ERROR_SUCCESS);
    }

    std::u16string subkey_;
    RegistryKey key_;
};

// The 32-bit view of HKLM\Software is its Wow6432Node for a 64-bit process.
TEST_F(RegistryTest, ViewsReachTheirOwnHalf) {
    const std::u16string below = u"Software\\ScrutorTests\\view-" + Number(GetCurrentProcessId());
    RegistryKey key;
    ASSERT_TRUE(key.Open((u"HKLM32\\" + below).c_str(), kOpenOrCreate));
    EXPECT_TRUE(key.WriteDword(u"Marker", 32));
    const std::u16string redirected =
        u"HKLM64\\Software\\Wow6432Node\\ScrutorTests\\view-" + Number(GetCurrentProcessId());
    std::uint32_t value = 0;
    ASSERT_TRUE(key.OpenRead(redirected.c_str()));
    EXPECT_TRUE(key.ReadDword(u"Marker", value));
    EXPECT_EQ(value, 32u);
    EXPECT_FALSE(RegistryKey::Exists((u"HKLM64\\" + below).c_str(), nullptr));
    EXPECT_TRUE(key.DeleteKeyTree((u"HKLM32\\" + below).c_str()));
    EXPECT_FALSE(RegistryKey::Exists(redirected.c_str(), nullptr));
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"Software\\ScrutorTests", KEY_WOW64_32KEY, 0);
}

TEST_F(RegistryTest, EveryWriteReadsBackWithItsTypeAndBytes) {
    const std::uint32_t dword = 0x11223344;
    const std::uint64_t qword = 0x1122334455667788ULL;
    const struct {
        const char16_t* name;
        DWORD type;
        const void* data;
        std::string bytes;
    } cases[] = {
        {u"Dword", REG_DWORD, &dword, "\x44\x33\x22\x11"},
        {u"BigEndian", REG_DWORD_BIG_ENDIAN, &dword, "\x44\x33\x22\x11"},
        {u"Qword", REG_QWORD, &qword, "\x88\x77\x66\x55\x44\x33\x22\x11"},
        {u"Text", REG_SZ, u"C:\\Z\u00E9P", Units(std::u16string_view(u"C:\\Z\u00E9P\0", 7))},
        {u"Expand", REG_EXPAND_SZ, u"%TEMP%\\x", Units(std::u16string_view(u"%TEMP%\\x\0", 9))},
        {u"Multi", REG_MULTI_SZ, u"a\nb\n\n", Units(std::u16string_view(u"a\0b\0\0", 5))},
        {u"EmptyText", REG_SZ, u"", std::string(2, '\0')},
        {u"NoData", REG_SZ, nullptr, ""},
        {u"Binary", REG_BINARY, "ignored", ""},
        {nullptr, REG_SZ, u"default", Units(std::u16string_view(u"default\0", 8))},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(key_.WriteValue(c.name, c.type, c.data));
        const auto [type, bytes] = Raw(c.name);
        EXPECT_EQ(type, c.type) << test::Hex(c.bytes);
        EXPECT_EQ(test::Hex(bytes), test::Hex(c.bytes));
    }
    WideString text;
    EXPECT_TRUE(key_.ReadString(u"Expand", text));
    EXPECT_EQ(text.View(), u"%TEMP%\\x");  // never expanded
    EXPECT_TRUE(key_.ReadString(u"", text));  // the default value
    EXPECT_EQ(text.View(), u"default");
}

// Wrong types fail with a cleared output; text stored carelessly still reads.
TEST_F(RegistryTest, ReadsCheckTypesAndTolerateCarelessText) {
    ASSERT_TRUE(key_.WriteString(u"Text", u"12"));
    ASSERT_TRUE(key_.WriteDword(u"Dword", 1));
    const std::uint64_t qword = 7;
    ASSERT_TRUE(key_.WriteValue(u"Qword", REG_QWORD, &qword));
    ASSERT_TRUE(key_.WriteValue(u"BigEndian", REG_DWORD_BIG_ENDIAN, &qword));
    SetRaw(u"FourBytes", REG_BINARY, "\x01\x02\x03\x04", 4);
    SetRaw(u"ShortDword", REG_DWORD, "\x01\x02", 2);
    for (const char16_t* name :
         {u"Text", u"Qword", u"BigEndian", u"FourBytes", u"ShortDword", u"Missing"}) {
        std::uint32_t value = 99;
        EXPECT_FALSE(key_.ReadDword(name, value));
        EXPECT_EQ(value, 0u);
    }
    for (const char16_t* name : {u"Dword", u"Qword", u"FourBytes", u"Missing"}) {
        WideString text(u"stale");
        EXPECT_FALSE(key_.ReadString(name, text));
        EXPECT_TRUE(text.IsEmpty());
    }
    SetRaw(u"Unterminated", REG_SZ, u"abc", 6);
    SetRaw(u"OddSize", REG_SZ, u"abc", 7);
    SetRaw(u"MultiNoEnd", REG_MULTI_SZ, u"x\0y", 6);
    SetRaw(u"Empty", REG_SZ, "", 0);
    const std::pair<const char16_t*, const char16_t*> careless[] = {
        {u"Unterminated", u"abc"}, {u"OddSize", u"abc"}, {u"MultiNoEnd", u"x\ny"}, {u"Empty", u""},
    };
    for (const auto& [name, expected] : careless) {
        WideString text;
        EXPECT_TRUE(key_.ReadString(name, text));
        EXPECT_EQ(text.View(), expected);
    }
}

TEST_F(RegistryTest, ValuesAndKeysExistUntilDeleted) {
    RegistryKey closed;
    EXPECT_FALSE(closed.WriteDword(u"x", 1));  // nothing without a key
    ASSERT_TRUE(key_.WriteDword(u"Named", 1));
    EXPECT_TRUE(RegistryKey::Exists(Path().c_str(), nullptr));
    EXPECT_TRUE(RegistryKey::Exists(Path().c_str(), u"Named"));
    EXPECT_FALSE(RegistryKey::Exists(Path().c_str(), u""));  // no default value yet
    ASSERT_TRUE(key_.WriteString(nullptr, u"d"));
    EXPECT_TRUE(RegistryKey::Exists(Path().c_str(), u""));
    EXPECT_TRUE(key_.DeleteValue(u"Named"));
    EXPECT_FALSE(key_.DeleteValue(u"Named"));
    EXPECT_FALSE(RegistryKey::Exists(Path().c_str(), u"Named"));
    EXPECT_FALSE(RegistryKey::Exists((u"HKXX\\" + subkey_).c_str(), nullptr));

    // Root spellings are parsed by the portable code; here they must reach the real keys.
    RegistryKey key;
    EXPECT_FALSE(key.OpenRead(Path(u"t").c_str()));
    for (const char16_t* below : {u"t\\a\\a1\\a11", u"t\\a\\a2", u"t\\b", u"t\\c\\c1", u"keep"}) {
        ASSERT_TRUE(key.Open(Path(below).c_str(), kOpenOrCreate));
        ASSERT_TRUE(key.WriteString(u"v", below));
    }
    ASSERT_TRUE(key.DeleteKeyTree(Path(u"t").c_str()));
    EXPECT_FALSE(RegistryKey::Exists(Path(u"t").c_str(), nullptr));
    EXPECT_TRUE(RegistryKey::Exists(Path(u"keep").c_str(), u"v"));
    ASSERT_TRUE(key.IsOpen());  // on the parent
    EXPECT_EQ(key.SubkeyCount(), 1u);
    EXPECT_FALSE(key.DeleteKeyTree(Path(u"never").c_str()));
    EXPECT_FALSE(key.DeleteKeyTree(u"HKCU64\\"));  // never a whole root
    EXPECT_TRUE(RegistryKey::Exists(u"HKCU\\Software", nullptr));
    // A root alone opens the root.
    ASSERT_TRUE(key.OpenRead(u"HKLM64"));
    bool sawSoftware = false;
    WideString name;
    for (std::uint32_t i = 0; key.EnumSubkey(i, name); ++i) {
        sawSoftware = sawSoftware || name.EqualsNoCase(u"Software");
    }
    EXPECT_TRUE(sawSoftware);
}

// A key that denies every access still exists; its values cannot be told.
TEST_F(RegistryTest, ADeniedKeyExists) {
    PSECURITY_DESCRIPTOR deleteOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;SD;;;WD)", SDDL_REVISION_1, &deleteOnly, nullptr));
    HKEY created = nullptr;
    LONG secured = RegCreateKeyExW(key_.Get(), L"denied", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                   &created, nullptr);
    if (secured == ERROR_SUCCESS) {
        secured = RegSetKeySecurity(created, DACL_SECURITY_INFORMATION, deleteOnly);
        RegCloseKey(created);
    }
    LocalFree(deleteOnly);
    ASSERT_EQ(secured, ERROR_SUCCESS);
    RegistryKey key;
    if (key.OpenRead(Path(u"denied").c_str())) {
        GTEST_SKIP() << "the key's access list is not enforced";
    }
    EXPECT_TRUE(RegistryKey::Exists(Path(u"denied").c_str(), nullptr));
    EXPECT_FALSE(RegistryKey::Exists(Path(u"denied").c_str(), u"Any"));
}

// The search path first, then an App Paths entry (quoted, with a variable) for a name
// without a folder; the program part ends at the first blank.
TEST(FindAppPath, SearchPathThenAppPathsEntry) {
    const auto find = [](const std::wstring& typed) {
        WideString name(FromWide(typed.c_str()));
        return RegistryKey::FindAppPath(name) ? std::wstring(AsWide(name.CStr())) : L"(none)";
    };
    const std::wstring notepad = find(L"notepad.exe");
    EXPECT_TRUE(notepad.ends_with(L"\\notepad.exe") && notepad[1] == L':');
    for (const wchar_t* refused : {L"C:nothing", L"dir\\none.exe", L"x", L""}) {
        EXPECT_EQ(find(refused), L"(none)");
    }
    const std::wstring program = L"scrutor-test-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring subkey =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + program + L".exe";
    const wchar_t value[] = L"\"%SystemRoot%\\Some Tool\\tool.exe\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, subkey.c_str(), nullptr, REG_EXPAND_SZ, value,
                              sizeof value),
              ERROR_SUCCESS);
    wchar_t root[MAX_PATH];
    GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
    const std::wstring bySpace = find(program + L" /silent");
    const std::wstring byName = find(program + L".exe");
    const std::wstring otherExtension = find(program + L".com");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, subkey.c_str());
    EXPECT_EQ(bySpace, std::wstring(root) + L"\\Some Tool\\tool.exe");
    EXPECT_EQ(byName, bySpace);
    EXPECT_EQ(otherExtension, L"(none)");
}

}  // namespace
}  // namespace scrutor
