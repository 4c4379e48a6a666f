#include "remote_list.h"

#include <commctrl.h>

#include <algorithm>
#include <type_traits>
#include <vector>

#include "foundation/handles.h"

namespace scrutor::driver {

namespace {

constexpr int kTextUnits = 2048;

// The record is copied byte for byte into the list's process (a build of the same bitness)
// and its text buffer follows it there.
static_assert(std::is_trivially_copyable_v<LVITEMW> && std::is_standard_layout_v<LVITEMW>);
static_assert(sizeof(LVITEMW) % alignof(wchar_t) == 0);

// A block in the list's process, freed with the object.
class RemoteBlock {
public:
    RemoteBlock(HWND window, SIZE_T size) : size_(size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                   FALSE, processId));
        if (process_) {
            memory_ = VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                     PAGE_READWRITE);
        }
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    ~RemoteBlock() {
        if (memory_ != nullptr) VirtualFreeEx(process_.Get(), memory_, 0, MEM_RELEASE);
    }
    [[nodiscard]] bool Ok() const { return memory_ != nullptr; }
    [[nodiscard]] char* Address() const { return static_cast<char*>(memory_); }
    bool Write(const void* data, SIZE_T size, SIZE_T offset = 0) const {
        return offset + size <= size_ &&
               WriteProcessMemory(process_.Get(), Address() + offset, data, size, nullptr);
    }
    bool Read(void* data, SIZE_T size, SIZE_T offset = 0) const {
        return offset + size <= size_ &&
               ReadProcessMemory(process_.Get(), Address() + offset, data, size, nullptr);
    }

private:
    HandleHolder process_;
    void* memory_ = nullptr;
    SIZE_T size_;
};

}  // namespace

int ListItemCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListItemText(HWND list, int item, int subItem) {
    RemoteBlock block(list, sizeof(LVITEMW) + kTextUnits * sizeof(wchar_t));
    if (!block.Ok()) return {};
    LVITEMW record{};
    record.iSubItem = subItem;
    record.cchTextMax = kTextUnits;
    record.pszText = reinterpret_cast<wchar_t*>(block.Address() + sizeof record);
    if (!block.Write(&record, sizeof record)) return {};
    const auto units = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                    reinterpret_cast<LPARAM>(block.Address()));
    std::vector<wchar_t> text(kTextUnits + 1, L'\0');
    if (!block.Read(text.data(), kTextUnits * sizeof(wchar_t), sizeof record)) return {};
    return std::wstring(text.data(), static_cast<std::size_t>(std::max<LRESULT>(units, 0)));
}

UINT ListItemState(HWND list, int item, UINT mask) {
    return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

bool SetListItemState(HWND list, int item, UINT state, UINT mask) {
    RemoteBlock block(list, sizeof(LVITEMW));
    if (!block.Ok()) return false;
    LVITEMW record{};
    record.state = state;
    record.stateMask = mask;
    if (!block.Write(&record, sizeof record)) return false;
    return SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(block.Address())) != 0;
}

bool SelectListItems(HWND list, std::initializer_list<int> items) {
    bool ok = SetListItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    bool first = true;
    for (int item : items) {
        if (item < 0) continue;
        const UINT state = LVIS_SELECTED | (first ? LVIS_FOCUSED : 0);
        ok = SetListItemState(list, item, state, state) && ok;
        first = false;
    }
    return ok;
}

int FindListItem(HWND list, const std::wstring& text) {
    const int count = ListItemCount(list);
    for (int i = 0; i < count; ++i) {
        if (ListItemText(list, i) == text) return i;
    }
    return -1;
}

}  // namespace scrutor::driver
