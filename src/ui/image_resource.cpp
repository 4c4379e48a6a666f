#include "ui/image_resource.h"

#include <windows.h>

#include "ui/ui_handles.h"

namespace scrutor::ui {

std::span<const std::byte> LoadImageResource() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, L"IMAGE", MAKEINTRESOURCEW(kImageResourceId),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};
    return {static_cast<const std::byte*>(bytes), SizeofResource(module, found)};
}

std::size_t ImageResourceSize() { return LoadImageResource().size(); }

bool WriteImageResource(const char16_t* path) {
    const std::span<const std::byte> bytes = LoadImageResource();
    if (bytes.empty() || path == nullptr) return false;
    const HandleHolder file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

}  // namespace scrutor::ui
