#include "foundation/browser.h"

#include <array>

#include "foundation/process.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr DWORD kModulePathUnits = 2048;
constexpr char16_t kVistroName[] = u"Vistro.exe";

WideString VistroPath() {
    std::array<wchar_t, kModulePathUnits> path{};
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kModulePathUnits);
    if (length == 0 || length >= kModulePathUnits) return {};
    WideString vistro(FromWide(path.data()));
    vistro.ParentDirectory(true);
    vistro.Append(kVistroName);
    return vistro;
}

bool IsFile(const WideString& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The maker's browser takes the address as its one quoted argument.
DWORD StartVistro(const WideString& url) {
    const WideString vistro = VistroPath();
    if (vistro.IsEmpty() || !IsFile(vistro)) return 0;
    WideString commandLine;
    commandLine.Assign(u"\"", vistro, u"\" \"", url, u"\"");
    return StartProcessGetId(commandLine.CStr(), nullptr);
}

}  // namespace

DWORD OpenUrl(const WideString& url, std::uint32_t flags) {
    if (url.IsEmpty()) return 0;
    if ((flags & kPreferVistro) != 0) {
        if (const DWORD id = StartVistro(url)) return id;
    }
    return ShellOpen(url.CStr());
}

}  // namespace scrutor
