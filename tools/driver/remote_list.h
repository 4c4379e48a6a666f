#pragma once

// Reads and sets a list view of another process, the way a technician's clicks would
// leave it: list-view messages carry pointers, so their records live in the target's memory.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>

namespace scrutor::driver {

[[nodiscard]] int ListItemCount(HWND list);
[[nodiscard]] std::wstring ListItemText(HWND list, int item, int subItem = 0);
// LVIS_* state bits of the item under `mask` (check state: LVIS_STATEIMAGEMASK).
[[nodiscard]] UINT ListItemState(HWND list, int item, UINT mask);
bool SetListItemState(HWND list, int item, UINT state, UINT mask);
[[nodiscard]] inline bool ListItemChecked(HWND list, int item) {
    return ListItemState(list, item, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}
inline bool CheckListItem(HWND list, int item, bool checked) {
    return SetListItemState(list, item, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}
// Selects exactly these items (and focuses the first); -1 selects none.
bool SelectListItems(HWND list, std::initializer_list<int> items);
// The first item whose column-0 text equals `text`; -1 when none.
[[nodiscard]] int FindListItem(HWND list, const std::wstring& text);

}  // namespace scrutor::driver
