#pragma once

// Owning holders for every Win32 handle kind the program keeps: one template, one traits
// struct per kind. Move-only; the destructor closes.

#include <windows.h>

#include <wincrypt.h>

#include <cstddef>
#include <utility>

namespace scrutor {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(Normalize(handle)) {}
    ~UniqueHandle() { Close(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle& operator=(Handle handle) {
        Reset(handle);
        return *this;
    }

    // Closes the held handle and takes the new one; the result is the close's success.
    bool Reset(Handle handle = Traits::Empty()) {
        const Handle old = std::exchange(handle_, Normalize(handle));
        if (old == handle_) return true;  // taking the same handle again must not close it
        return Traits::IsValid(old) ? Traits::Close(old) : true;
    }
    // True when there was nothing to close.
    bool Close() { return Reset(); }
    [[nodiscard]] Handle Release() { return std::exchange(handle_, Traits::Empty()); }
    [[nodiscard]] Handle Get() const { return handle_; }
    [[nodiscard]] bool IsValid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return IsValid(); }
    friend bool operator==(const UniqueHandle& holder, std::nullptr_t) { return !holder.IsValid(); }

    // For out-parameters: closes what is held and lends the slot.
    [[nodiscard]] Handle* Out() {
        Reset();
        return &handle_;
    }

private:
    static Handle Normalize(Handle handle) {
        return Traits::IsValid(handle) ? handle : Traits::Empty();
    }

    Handle handle_ = Traits::Empty();
};

// Kernel objects: files, processes, threads, events. Both 0 and INVALID_HANDLE_VALUE mean
// none; an empty holder keeps INVALID_HANDLE_VALUE.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};
using HandleHolder = UniqueHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return FindClose(h) != FALSE; }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

struct RegistryHandleTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
using RegistryHandle = UniqueHandle<RegistryHandleTraits>;

// WinINet and WinHTTP both call their handle HINTERNET (void*), and their headers cannot meet
// in one translation unit; the closing functions live in their own sources.
struct InternetHandleTraits {
    using Handle = void*;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h);
};
using InternetHandle = UniqueHandle<InternetHandleTraits>;

struct WinHttpHandleTraits {
    using Handle = void*;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h);
};
using WinHttpHandle = UniqueHandle<WinHttpHandleTraits>;

struct CryptProviderTraits {
    using Handle = HCRYPTPROV;
    static Handle Empty() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static bool Close(Handle h) { return CryptReleaseContext(h, 0) != FALSE; }
};
using CryptProvider = UniqueHandle<CryptProviderTraits>;

struct CryptKeyTraits {
    using Handle = HCRYPTKEY;
    static Handle Empty() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static bool Close(Handle h) { return CryptDestroyKey(h) != FALSE; }
};
using CryptKey = UniqueHandle<CryptKeyTraits>;

struct CryptHashTraits {
    using Handle = HCRYPTHASH;
    static Handle Empty() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static bool Close(Handle h) { return CryptDestroyHash(h) != FALSE; }
};
using CryptHash = UniqueHandle<CryptHashTraits>;

// Handles that are null when empty and closed by one function: ClosedBy<HFONT, DeleteObject>.
template <class T, auto CloseFunction>
struct ClosedBy {
    using Handle = T;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return CloseFunction(h) != FALSE; }
};

// Fonts, brushes, pens, bitmaps and regions: GdiObject<HFONT> and so on.
template <class T = HGDIOBJ>
using GdiObject = UniqueHandle<ClosedBy<T, DeleteObject>>;
using IconHandle = UniqueHandle<ClosedBy<HICON, DestroyIcon>>;
// A device context made with CreateCompatibleDC (not one from GetDC, which is released).
using MemoryDc = UniqueHandle<ClosedBy<HDC, DeleteDC>>;
using LibraryHandle = UniqueHandle<ClosedBy<HMODULE, FreeLibrary>>;
using MenuHandle = UniqueHandle<ClosedBy<HMENU, DestroyMenu>>;
using AcceleratorHandle = UniqueHandle<ClosedBy<HACCEL, DestroyAcceleratorTable>>;
using WindowHandle = UniqueHandle<ClosedBy<HWND, DestroyWindow>>;

}  // namespace scrutor
