// Code-page conversions and environment expansion through the Windows API.

#include "foundation/wide_string.h"

#include <windows.h>

#include <climits>

namespace scrutor {

namespace {

constexpr UINT kAnsiCodePage = CP_ACP;
constexpr UINT kUtf8CodePage = CP_UTF8;
constexpr UINT kOemUsCodePage = 437;
constexpr DWORD kExpandUnits = 4096;

const wchar_t* AsWide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

wchar_t* AsWide(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}

int ClampToInt(std::size_t value) {
    return value > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

// No byte of the supported code pages yields more than one UTF-16 unit, so byte count + 1
// units always suffice.
bool FromCodePage(WideString& target, UINT codePage, const char* bytes) {
    const std::size_t count = ByteLength(bytes);
    char16_t* buffer = WideString::AllocateBuffer(count);
    int written = 0;
    if (count != 0 && count <= static_cast<std::size_t>(INT_MAX)) {
        written = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(count), AsWide(buffer),
                                      static_cast<int>(count));
    }
    buffer[written] = 0;
    target.Attach(buffer);
    return written > 0;
}

}  // namespace

bool WideString::FromAnsi(const char* bytes) {
    return status_ = FromCodePage(*this, kAnsiCodePage, bytes);
}

bool WideString::FromUtf8(const char* bytes) {
    return status_ = FromCodePage(*this, kUtf8CodePage, bytes);
}

// No default character: Windows then writes its own ('?') for what code page 437 lacks.
bool WideString::ToCodePage437(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) return false;
    const int written = WideCharToMultiByte(kOemUsCodePage, 0, AsWide(CStr()), ClampToInt(Length()),
                                            buffer, ClampToInt(size), nullptr, nullptr);
    buffer[written] = 0;
    return written > 0;
}

std::string WideString::ToUtf8() const {
    const int length = ClampToInt(Length());
    if (length == 0) return {};
    const int size =
        WideCharToMultiByte(kUtf8CodePage, 0, AsWide(CStr()), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kUtf8CodePage, 0, AsWide(CStr()), length, out.data(), size, nullptr,
                        nullptr);
    return out;
}

// Starts with 4,096 units, which holds every ordinary expansion, and grows to the size
// Windows asks for when the result is longer (the environment may change between tries).
bool WideString::ExpandEnvironment() {
    if (buffer_ == nullptr) return status_ = true;
    DWORD size = kExpandUnits;
    for (int attempt = 0; attempt < 3; ++attempt) {
        char16_t* out = AllocateBuffer(size);
        const DWORD needed = ExpandEnvironmentStringsW(AsWide(buffer_), AsWide(out), size);
        if (needed != 0 && needed <= size) {
            out[size] = 0;
            TakeBuffer(out, 0);
            return status_ = true;
        }
        FreeBuffer(out);
        if (needed == 0) break;
        size = needed;
    }
    return status_ = false;
}

}  // namespace scrutor
