#include "foundation/os_version.h"

#include <windows.h>

#include "foundation/handles.h"

namespace scrutor {

namespace {

using GetVersionExFunction = BOOL(WINAPI*)(OSVERSIONINFOEXW*);

class SystemVersionProbe final : public VersionProbe {
public:
    bool MajorAtLeast(unsigned major) const override {
        return Verify(VER_MAJORVERSION, VER_GREATER_EQUAL, major, 0);
    }
    bool MajorEquals(unsigned major) const override {
        return Verify(VER_MAJORVERSION, VER_EQUAL, major, 0);
    }
    bool MinorEquals(unsigned minor) const override {
        return Verify(VER_MINORVERSION, VER_EQUAL, 0, minor);
    }

private:
    static bool Verify(DWORD type, BYTE condition, unsigned major, unsigned minor) {
        OSVERSIONINFOEXW info{};
        info.dwOSVersionInfoSize = sizeof info;
        info.dwMajorVersion = major;
        info.dwMinorVersion = minor;
        return VerifyVersionInfoW(&info, type, VerSetConditionMask(0, type, condition)) != FALSE;
    }
};

}  // namespace

// Looked up at run time: the function is deprecated and may one day be missing.
double OsVersion() {
    const LibraryHandle kernel(LoadLibraryW(L"Kernel32.dll"));
    if (!kernel) return 10.0;
    const auto address = GetProcAddress(kernel.Get(), "GetVersionExW");
    if (address == nullptr) return 10.0;
    const auto getVersion =
        reinterpret_cast<GetVersionExFunction>(reinterpret_cast<void (*)()>(address));
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    unsigned major = 0;
    unsigned minor = 0;
    if (getVersion(&info)) {
        major = info.dwMajorVersion;
        minor = info.dwMinorVersion;
    }
    return ResolveOsVersion(major, minor, SystemVersionProbe());
}

}  // namespace scrutor
